// Arranges and examines the machine of a wizard walk whose print processor is
// outdated and held open by another program, through the platform layer on
// the real API, from the medium in the current directory:
//   setup-machine.exe arrange   the raster print processor installed earlier
//                               from the medium, recorded as version 1
//   setup-machine.exe hold      holds its DLL open, as another program would,
//                               until Windows is asked to replace it at its
//                               next start (at most two minutes)
//   setup-machine.exe check     the replacement waits for the next start
//                               beside the old file, and the medium's version
//                               is recorded
// Prints one line per check; the exit code is the number of failed checks.
#include "win32/Win32Api.h"

#include <cstdio>
#include <string>
#include <vector>

#include "common/RegKey.h"
#include "handles/WindowsHandles.h"
#include "install/DriverFileCopy.h"
#include "install/PrintProcessorInstall.h"
#include "platform/Errors.h"
#include "win32/Win32Machine.h"

namespace kv {
namespace {

constexpr const char* kProcessor = "KvRasterProc";
constexpr const char* kProcessorDll = "KVRASPRC.DLL";
constexpr uint32_t kOldVersion = 1;

int failed = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  std::fflush(stdout);
  if (!ok) ++failed;
}

void CheckCall(uint32_t error, const std::string& what) {
  Check(error == kErrorSuccess, what + (error ? " (error " + std::to_string(error) + ")" : ""));
}

struct Places {
  std::string medium;     // the medium's driver directory of Windows XP
  std::string processor;  // the held DLL
  std::string key;        // the processor's registry key
};

Places Find(Machine& machine) {
  Places places;
  machine.files.GetCurrentDirectory(&places.medium);
  places.medium += "\\winnt\\";
  std::string directory;
  machine.spooler.GetPrintProcessorDirectory(&directory);
  places.processor = directory + "\\" + kProcessorDll;
  places.key = PrintProcessorKeyPath(machine.spooler, OsFamily::WinXP, kProcessor);
  return places;
}

bool ReplacementRecorded(Machine& machine, const std::string& target, PendingRename* found) {
  std::vector<PendingRename> renames;
  if (machine.files.ReadPendingRenames(&renames) != kErrorSuccess) return false;
  for (const PendingRename& rename : renames) {
    if (SameFileName(rename.target, target)) {
      *found = rename;
      return true;
    }
  }
  return false;
}

std::string Contents(Machine& machine, const std::string& path) {
  std::string contents;
  if (machine.files.ReadWholeFile(path, &contents) != kErrorSuccess) return "<unreadable>";
  return contents;
}

void Arrange(Machine& machine) {
  const Places places = Find(machine);
  CheckCall(machine.files.CopyFile(places.medium + kProcessorDll, places.processor, false),
            "copy the processor");
  CheckCall(machine.spooler.AddPrintProcessor(std::nullopt, kProcessorDll, kProcessor),
            "add the processor");
  RegKey key(machine.registry);
  Check(key.Open(RegRoot::LocalMachine, places.key) && key.WriteDword("DriverVersion", kOldVersion),
        "record version " + std::to_string(kOldVersion) + " in " + places.key);
}

// Opens the DLL for reading, shared for reading only: it can be neither
// overwritten nor deleted while it is held.
void Hold(Machine& machine) {
  const Places places = Find(machine);
  const FileHandle file(CreateFileA(places.processor.c_str(), GENERIC_READ, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  Check(file.valid(), "holding " + places.processor + " open");
  if (!file) return;
  bool scheduled = false;
  PendingRename rename;
  for (int waited = 0; waited < 120000 && !scheduled; waited += 250) {
    Sleep(250);
    scheduled = ReplacementRecorded(machine, places.processor, &rename);
  }
  Check(scheduled, "the installation left it to be replaced at the next start while it was held");
}

void Examine(Machine& machine) {
  const Places places = Find(machine);
  PendingRename rename;
  Check(ReplacementRecorded(machine, places.processor, &rename),
        "PendingFileRenameOperations replaces " + places.processor);
  Check(rename.replaceExisting, "the target carries the replacing \"!\"");
  const std::string directory = places.processor.substr(0, places.processor.rfind('\\') + 1);
  Check(SameFileName(rename.source.substr(0, directory.size()), directory),
        "the new file waits beside the old one: " + rename.source);
  Check(Contents(machine, rename.source) == Contents(machine, places.medium + kProcessorDll),
        "it is the medium's processor");
  uint32_t attributes = 0;
  CheckCall(machine.files.GetAttributes(places.processor, &attributes), "the old file stays");

  // This program runs from the build: the medium's setup.ini is found from
  // the current directory.
  std::string medium;
  machine.files.GetCurrentDirectory(&medium);
  const std::string configured = machine.profiles.GetPrivateString(
      "ProcessorVersion", "DriverVersion", "0", 200, medium + "\\DRVCONFIG\\setup.ini");
  uint32_t recorded = 0;
  RegKey key(machine.registry);
  const bool read =
      key.Open(RegRoot::LocalMachine, places.key) && key.ReadDword("DriverVersion", &recorded);
  Check(read && std::to_string(recorded) == configured && recorded > kOldVersion,
        "version " + configured + " recorded (found " + std::to_string(recorded) + ")");
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  kv::Win32Machine real;
  if (mode == "arrange") {
    kv::Arrange(real.machine());
  } else if (mode == "hold") {
    kv::Hold(real.machine());
  } else if (mode == "check") {
    kv::Examine(real.machine());
  } else {
    std::printf("usage: setup-machine.exe arrange|hold|check\n");
    return 1;
  }
  return kv::failed;
}

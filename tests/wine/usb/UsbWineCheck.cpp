// The USB operations of both programs on the real API, against the medium's
// stand-ins: the printer ID read and rewritten through KvUsbInt.dll, and the
// driver installer run through RunUsbDriverInstaller in both modes.
//
// Run by tests/wine/e2e-usb.sh from a scratch copy of the medium, with this
// program beside KvUsbInt.dll (the bare-name load finds it there, and the
// installer is looked for beside the program) and the medium folder as the
// current directory (where the remove mode looks for the installer). Needs a
// display: the installer shows a window. Prints one line per check and
// "N passed, M failed" last.
// First: the Windows headers with the macros that share the interfaces'
// method names undone.
#include "win32/Win32Api.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileVersion.h"
#include "common/MessagePresenter.h"
#include "common/SetupStrings.h"
#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "usb/UsbDriverFiles.h"
#include "usb/UsbDriverInstaller.h"
#include "usb/UsbPortNumber.h"
#include "usb/UsbPrinterId.h"
#include "win32/Win32Machine.h"

namespace kv {
namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  ++(ok ? passed : failed);
  std::printf("%s %s\n", ok ? "PASS" : "FAIL", what.c_str());
  std::fflush(stdout);
}

void CheckEqual(long actual, long expected, const std::string& what) {
  Check(actual == expected,
        what + " (got " + std::to_string(actual) + ", expected " + std::to_string(expected) + ")");
}

void CheckEqual(const std::string& actual, const std::string& expected, const std::string& what) {
  Check(actual == expected, what + " (got \"" + actual + "\", expected \"" + expected + "\")");
}

// Keeps what would have been shown, so that the checks can read it.
class RecordedMessages : public MessagePresenter {
 public:
  void Show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

// The real desktop, watched: every answer to the installer-window question
// and the shell's result of the start.
class WatchedDesktop : public Desktop {
 public:
  explicit WatchedDesktop(Desktop& real) : real_(real) {}

  bool FindTopLevelWindow(std::string_view caption) override {
    bool found = real_.FindTopLevelWindow(caption);
    answers.push_back(found);
    return found;
  }
  bool ActivateTopLevelWindow(std::string_view caption) override {
    return real_.ActivateTopLevelWindow(caption);
  }
  uintptr_t ShellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                         std::string_view directory, int show) override {
    startResult = real_.ShellExecute(verb, file, parameters, directory, show);
    return startResult;
  }
  int MessageBox(WindowHandle owner, std::string_view text, std::string_view caption,
                 uint32_t style) override {
    return real_.MessageBox(owner, text, caption, style);
  }
  void BroadcastIniChange(std::string_view section, uint32_t timeoutMs) override {
    real_.BroadcastIniChange(section, timeoutMs);
  }
  void NotifyIniChange(std::string_view section) override { real_.NotifyIniChange(section); }

  std::vector<bool> answers;
  uintptr_t startResult = 0;

 private:
  Desktop& real_;
};

std::string ProgramDirectory(Files& files) {
  std::string program;
  if (files.GetModuleFileName(&program) != kErrorSuccess) return {};
  return program.substr(0, program.rfind('\\') + 1);
}

bool WriteTextFile(const std::string& path, std::string_view text) {
  FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return ::WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) !=
             FALSE &&
         written == text.size();
}

// Line ends written out, so that a text stays on its check's line.
std::string Visible(std::string_view text) {
  std::string visible;
  for (char c : text) visible += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
  return visible;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : " | ") + text;
  return joined;
}

// KvUsbInt.txt beside the library lists the attached printers, one ID a line.
void CheckPrinterId(Machine& machine, const std::string& directory) {
  const std::string devices = directory + "KvUsbInt.txt";
  std::string shipped;
  machine.files.ReadWholeFile(devices, &shipped);

  {
    machine.files.DeleteFile(devices);
    RecordedMessages messages;
    CheckEqual(ReadUsbPrinterId(machine.modules, messages), kUsbNoDevice,
               "no printer attached: ReadUsbPrinterId");
    Check(messages.shown.empty(),
          "no printer attached: nothing shown [" + Joined(messages.shown) + "]");
    Check(!WriteUsbPrinterId(machine.modules, messages, 1),
          "no printer attached: WriteUsbPrinterId fails");
    CheckEqual(Joined(messages.shown), std::string(setup_text::kUsbDeviceNotFound),
               "no printer attached: the write's message");
  }
  {
    Check(WriteTextFile(devices, "10\r\n"), "one printer with ID 10 attached");
    RecordedMessages messages;
    int32_t id = ReadUsbPrinterId(machine.modules, messages);
    CheckEqual(id, 10, "one printer: ReadUsbPrinterId");
    CheckEqual(UsbPortNumberFromId(id), 3, "ID 10 belongs to port number 3");
    Check(messages.shown.empty(), "one printer: nothing shown [" + Joined(messages.shown) + "]");

    Check(WriteUsbPrinterId(machine.modules, messages, 2), "WriteUsbPrinterId(2) succeeds");
    std::string rewritten;
    machine.files.ReadWholeFile(devices, &rewritten);
    CheckEqual(Visible(rewritten), "1\\r\\n", "the printer now stores ID 1");
    id = ReadUsbPrinterId(machine.modules, messages);
    CheckEqual(id, 1, "ReadUsbPrinterId after the rewrite");
    CheckEqual(UsbPortNumberFromId(id), 2, "the printer belongs to port number 2");
    Check(messages.shown.empty(), "rewrite: nothing shown [" + Joined(messages.shown) + "]");
  }
  {
    Check(WriteTextFile(devices, "1\r\n3\r\n"), "two printers attached");
    RecordedMessages messages;
    CheckEqual(ReadUsbPrinterId(machine.modules, messages), kUsbSeveralDevices,
               "two printers: ReadUsbPrinterId");
    CheckEqual(Joined(messages.shown), std::string(SetupString(setup_text::kConnectOnePrinter)),
               "two printers: the message is shown once");
  }
  {
    // Without the library beside the program the bare-name load finds none
    // in the system directories either.
    const std::string library = directory + "KvUsbInt.dll";
    const std::string aside = directory + "KvUsbInt.dll.aside";
    Check(machine.files.CopyFile(library, aside, false) == kErrorSuccess &&
              machine.files.DeleteFile(library) == kErrorSuccess,
          "KvUsbInt.dll removed (it was unloaded after the last operation)");
    RecordedMessages messages;
    CheckEqual(ReadUsbPrinterId(machine.modules, messages), kUsbNoDevice,
               "no library: ReadUsbPrinterId");
    CheckEqual(Joined(messages.shown), std::string(setup_text::kCannotLoadUsbLibrary),
               "no library: the message");
    machine.files.CopyFile(aside, library, false);
    machine.files.DeleteFile(aside);
  }
  WriteTextFile(devices, shipped);
}

std::string InstalledVersion(Machine& machine) {
  return GetFileVersionString(machine.versions, InstalledUsbDriverPath(machine.files).value_or(""));
}

bool Exists(Files& files, const std::optional<std::string>& path) {
  return path && files.OpenExisting(*path) == kErrorSuccess;
}

struct InstallerRun {
  uint64_t elapsedMs = 0;
  long windowPolls = 0;  // looks that found the window
  bool waitEnded = false;
  uintptr_t startResult = 0;
};

InstallerRun RunInstaller(Machine& machine, UsbInstallerMode mode) {
  WatchedDesktop desktop(machine.desktop);
  InstallerRun run;
  const uint64_t start = machine.clock.NowMs();
  RunUsbDriverInstaller(machine.files, desktop, machine.clock, mode);
  run.elapsedMs = machine.clock.NowMs() - start;
  for (bool found : desktop.answers) run.windowPolls += found ? 1 : 0;
  run.waitEnded = !desktop.answers.empty() && !desktop.answers.back();
  run.startResult = desktop.startResult;
  return run;
}

// settleMs: the fixed waits after the window has gone.
void CheckInstallerRun(Machine& machine, const InstallerRun& run, const std::string& mode,
                       uint64_t settleMs) {
  Check(run.startResult > 32, mode + ": the shell started the installer (result " +
                                  std::to_string(run.startResult) + ")");
  Check(run.windowPolls >= 1, mode + ": the wait saw the installer's window " +
                                  std::to_string(run.windowPolls) + " times");
  Check(run.waitEnded, mode + ": the wait ended when the window had gone");
  Check(!machine.desktop.FindTopLevelWindow(kUsbInstallerCaption),
        mode + ": no installer window afterwards");
  // The stand-in keeps its window two seconds; the fixed waits come on top.
  Check(run.elapsedMs >= 2000 + settleMs,
        mode + ": the call took " + std::to_string(run.elapsedMs) + " ms");
}

void CheckDriverInstaller(Machine& machine) {
  const std::optional<std::string> installed = InstalledUsbDriverPath(machine.files);
  const std::optional<std::string> inf = UsbDriverInfPath(machine.files);
  if (installed) machine.files.DeleteFile(*installed);
  if (inf) machine.files.DeleteFile(*inf);

  const std::string shipped =
      GetFileVersionString(machine.versions, ShippedUsbDriverPath(machine.files).value_or(""));
  CheckEqual(shipped, "1.0.0.3", "the shipped driver's version");
  Check(!IsUsbDriverInstalled(machine.files, machine.versions), "no driver installed at first");
  CheckEqual(CompareUsbDriverVersion(machine.files, machine.versions), -1,
             "no driver installed: CompareUsbDriverVersion");

  InstallerRun run = RunInstaller(machine, UsbInstallerMode::Install);
  CheckInstallerRun(machine, run, "install", 1000 + 2000);
  CheckEqual(InstalledVersion(machine), shipped, "the installed driver's version");
  Check(Exists(machine.files, inf), "bulkusb.inf installed");
  Check(IsUsbDriverInstalled(machine.files, machine.versions), "the driver counts as installed");
  CheckEqual(CompareUsbDriverVersion(machine.files, machine.versions), 0,
             "after installing: CompareUsbDriverVersion");

  run = RunInstaller(machine, UsbInstallerMode::Remove);
  CheckInstallerRun(machine, run, "remove", 500 + 1000);
  Check(!Exists(machine.files, installed), "the driver file is gone");
  Check(!Exists(machine.files, inf), "bulkusb.inf is gone");
  CheckEqual(CompareUsbDriverVersion(machine.files, machine.versions), -1,
             "after removing: CompareUsbDriverVersion");
}

}  // namespace
}  // namespace kv

int main() {
  kv::Win32Machine win32;
  kv::Machine& machine = win32.machine();
  const std::string directory = kv::ProgramDirectory(machine.files);
  kv::CheckPrinterId(machine, directory);
  kv::CheckDriverInstaller(machine);
  std::printf("%d passed, %d failed\n", kv::passed, kv::failed);
  return kv::failed == 0 ? 0 : 1;
}

// Prepares a machine for the uninstaller's end-to-end check and examines it
// afterwards, through the platform layer on the real API:
//   uninstall-machine.exe arrange   the family (two printers with their
//                                   drivers, both port monitors, the print
//                                   processor, the USB records) beside an
//                                   unrelated printer, driver and monitor,
//                                   from the medium in the current directory
//   uninstall-machine.exe hold      holds the USB monitor's DLL open, as
//                                   another program would, until Windows is
//                                   asked to delete it at its next start (at
//                                   most two minutes)
//   uninstall-machine.exe check     the family is gone, the rest untouched,
//                                   the held DLL left for the next start
// Prints one line per check and "N passed, M failed".
#include "win32/Win32Api.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Machine.h"

namespace kv {
namespace {

int passed = 0;
int failed = 0;

void Check(bool ok, const std::string& what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
  (ok ? passed : failed) += 1;
}

void CheckCall(uint32_t error, const std::string& what) {
  Check(error == kErrorSuccess, what + (error ? " (error " + std::to_string(error) + ")" : ""));
}

constexpr uint32_t kDecoyAttributes = kFileAttributeHidden | kFileAttributeReadOnly;
constexpr const char* kFamilyDrivers[] = {"Korvant QTM-B320", "Korvant QLP-L240"};
constexpr const char* kOtherDriver = "Generic Office Printer";
constexpr const char* kFamilyMonitors[][3] = {
    {"Korvant COM Monitor", "KVCOMMON.DLL", "KVCOMUI.DLL"},
    {"Korvant USB Monitor", "KVUSBMON.DLL", "KVUSBUI.DLL"}};
// The DLL that "hold" keeps open while the uninstaller runs.
constexpr const char* kHeldDll = "KVUSBMON.DLL";
constexpr const char* kOtherMonitor = "Other Port Monitor";
constexpr const char* kOtherMonitorDll = "OTHERMON.DLL";

struct Places {
  std::string medium, system, drivers, processors;
};

Places Find(Machine& machine) {
  Places places;
  machine.files.GetCurrentDirectory(&places.medium);
  machine.files.GetSystemDirectory(&places.system);
  machine.spooler.GetPrinterDriverDirectory(&places.drivers);
  machine.spooler.GetPrintProcessorDirectory(&places.processors);
  return places;
}

// Each driver has a data file of its own and shares the rest.
std::string DataFile(const std::string& driver) {
  std::string name;
  for (char c : driver) {
    if (c != ' ' && c != '-') name += c;
  }
  return name.substr(0, 8) + ".GPD";
}

void AddDriver(Machine& machine, const Places& places, const std::string& name) {
  const std::string medium = places.medium + "\\winnt\\";
  for (const char* file : {"KVPDRV.DLL", "KVPUI.DLL"}) {
    CheckCall(machine.files.CopyFile(medium + file, places.drivers + "\\" + file, false),
              std::string("copy ") + file);
  }
  CheckCall(
      machine.files.CopyFile(medium + "KVPDRV.DLL", places.drivers + "\\" + DataFile(name), false),
      "data file of " + name);
  DriverInfo3 driver;
  driver.version = 3;
  driver.name = name;
  driver.driverPath = "KVPDRV.DLL";
  driver.dataFile = DataFile(name);
  driver.configFile = "KVPUI.DLL";
  CheckCall(machine.spooler.AddPrinterDriver(driver), "add driver " + name);
}

void AddPrinter(Machine& machine, const std::string& name, const std::string& driver,
                const std::string& port, const std::string& processor) {
  PrinterInfo2 printer;
  printer.printerName = name;
  printer.driverName = driver;
  printer.portName = port;
  printer.printProcessor = processor;
  printer.datatype = "RAW";
  printer.attributes = kPrinterAttributeLocal;
  CheckCall(machine.spooler.AddPrinter(printer), "add printer " + name);
}

void SetValue(Machine& machine, const std::string& path, const std::string& name) {
  RegHandle key = 0;
  uint32_t error = machine.registry.CreateKey(RegRoot::LocalMachine, path, &key);
  CheckCall(error, "create " + path);
  if (error != kErrorSuccess) return;
  const char zero[4] = {};
  machine.registry.SetValue(key, name, kRegDword, std::string_view(zero, 4));
  machine.registry.CloseKey(key);
}

void Arrange(Machine& machine) {
  const Places places = Find(machine);
  for (const auto& monitor : kFamilyMonitors) {
    for (int i = 1; i <= 2; ++i) {
      CheckCall(machine.files.CopyFile(places.medium + "\\winnt\\" + monitor[i],
                                       places.system + "\\" + monitor[i], false),
                std::string("copy ") + monitor[i]);
    }
    CheckCall(machine.spooler.AddMonitor({monitor[0], std::nullopt, monitor[1]}),
              std::string("add monitor ") + monitor[0]);
  }
  CheckCall(machine.files.CopyFile(places.medium + "\\winnt\\KVCOMMON.DLL",
                                   places.system + "\\" + kOtherMonitorDll, false),
            "copy the unrelated monitor");
  CheckCall(machine.spooler.AddMonitor({kOtherMonitor, std::nullopt, kOtherMonitorDll}),
            "add the unrelated monitor");
  CheckCall(machine.files.CopyFile(places.medium + "\\winnt\\KVRASPRC.DLL",
                                   places.processors + "\\KVRASPRC.DLL", false),
            "copy the processor");
  CheckCall(machine.spooler.AddPrintProcessor(std::nullopt, "KVRASPRC.DLL", "KvRasterProc"),
            "add the processor");
  for (const char* driver : kFamilyDrivers) AddDriver(machine, places, driver);
  AddDriver(machine, places, kOtherDriver);
  AddPrinter(machine, "Receipt", kFamilyDrivers[0], "KVCOM1:", "KvRasterProc");
  AddPrinter(machine, "Label", kFamilyDrivers[1], "USB_QLP-L240_1", "winprint");
  AddPrinter(machine, "Office", kOtherDriver, "LPT1:", "winprint");
  SetValue(machine, "SOFTWARE\\KORVANT\\PORTNAME\\", "USB_QLP-L240_1");
  SetValue(machine, "SOFTWARE\\KORVANT\\INSTALLPRINTER\\", "Label");
  SetValue(machine, "SOFTWARE\\KORVANT\\PRINTERPORT\\", "USB_QLP-L240_1");

  // A backup beside the inventory file: neither a match nor to be touched.
  CheckCall(machine.files.CopyFile(places.medium + "\\Uninstall.ini",
                                   places.medium + "\\Uninstall.ini.bak", false),
            "backup decoy");
  CheckCall(machine.files.SetAttributes(places.medium + "\\Uninstall.ini.bak", kDecoyAttributes),
            "decoy hidden and read-only");
  CheckCall(machine.files.SetAttributes(places.medium + "\\Uninstall.ini", kFileAttributeReadOnly),
            "inventory file read-only, as copied from a disc");
}

// True when Windows has been asked to delete `path` at its next start:
// MoveFileExA's record names it in the NT form with an empty target.
bool PendingRemoval(Machine& machine, const std::string& path) {
  RegHandle key = 0;
  if (machine.registry.OpenKey(RegRoot::LocalMachine, kPendingRemovalsKey, &key) != 0) {
    return false;
  }
  uint32_t type = 0;
  std::string data;
  const uint32_t error = machine.registry.QueryValue(key, kPendingRemovalsValue, &type, &data);
  machine.registry.CloseKey(key);
  if (error != kErrorSuccess || type != kRegMultiSz) return false;
  // Windows keeps the path as it was given; compare without regard to case.
  auto upper = [](std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  const std::string entry = "\\??\\" + path + '\0' + '\0';
  return upper(data).find(upper(entry)) != std::string::npos;
}

// Opens the DLL for reading, shared for reading only: the uninstaller can
// neither delete nor overwrite it while it is held.
void Hold(Machine& machine) {
  const Places places = Find(machine);
  const std::string path = places.system + "\\" + kHeldDll;
  const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  Check(file.valid(), "holding " + path + " open");
  if (!file) return;
  std::fflush(stdout);
  bool scheduled = false;
  for (int waited = 0; waited < 120000 && !scheduled; waited += 250) {
    Sleep(250);
    scheduled = PendingRemoval(machine, path);
  }
  Check(scheduled, "the uninstaller left it for the next start while it was held");
}

template <typename List>
bool Lists(const List& names, const std::string& name) {
  for (const auto& entry : names) {
    if (entry == name) return true;
  }
  return false;
}

bool Exists(Machine& machine, const std::string& path) {
  uint32_t attributes = 0;
  return machine.files.GetAttributes(path, &attributes) == kErrorSuccess;
}

bool KeyExists(Machine& machine, const std::string& path) {
  RegHandle key = 0;
  if (machine.registry.OpenKey(RegRoot::LocalMachine, path, &key) != kErrorSuccess) return false;
  machine.registry.CloseKey(key);
  return true;
}

void CheckRemoved(Machine& machine) {
  const Places places = Find(machine);
  std::vector<PrinterInfo5> printers;
  CheckCall(machine.spooler.EnumPrinters(&printers), "printers listed");
  std::vector<std::string> printerNames;
  for (const auto& printer : printers) printerNames.push_back(printer.printerName);
  Check(!Lists(printerNames, "Receipt") && !Lists(printerNames, "Label"),
        "the family's printers are gone");
  Check(Lists(printerNames, "Office"), "the unrelated printer stays");

  std::vector<DriverEntry> drivers;
  CheckCall(machine.spooler.EnumPrinterDrivers(std::nullopt, &drivers), "drivers listed");
  std::vector<std::string> driverNames;
  for (const auto& driver : drivers) driverNames.push_back(driver.name);
  for (const char* driver : kFamilyDrivers) {
    Check(!Lists(driverNames, driver), std::string("driver gone: ") + driver);
    Check(!Exists(machine, places.drivers + "\\3\\" + DataFile(driver)),
          "its own data file gone: " + DataFile(driver));
  }
  Check(Lists(driverNames, kOtherDriver), "the unrelated driver stays");
  for (const std::string& file :
       {std::string("KVPDRV.DLL"), std::string("KVPUI.DLL"), DataFile(kOtherDriver)}) {
    Check(Exists(machine, places.drivers + "\\3\\" + file),
          "a file the other driver uses stays: " + file);
  }

  std::vector<std::string> monitors;
  CheckCall(machine.spooler.EnumMonitors(&monitors), "monitors listed");
  for (const auto& monitor : kFamilyMonitors) {
    Check(!Lists(monitors, monitor[0]), std::string("monitor gone: ") + monitor[0]);
    for (int i = 1; i <= 2; ++i) {
      const std::string file = places.system + "\\" + monitor[i];
      if (lstrcmpiA(monitor[i], kHeldDll) == 0) {
        Check(Exists(machine, file), std::string("held monitor file stays: ") + monitor[i]);
        Check(
            PendingRemoval(machine, file),
            std::string("held monitor file recorded for removal at the next start: ") + monitor[i]);
      } else {
        Check(!Exists(machine, file), std::string("monitor file gone: ") + monitor[i]);
      }
    }
  }
  Check(Lists(monitors, kOtherMonitor), "the unrelated monitor stays");
  Check(Exists(machine, places.system + "\\" + kOtherMonitorDll), "its DLL stays");

  std::vector<std::string> processors;
  CheckCall(machine.spooler.EnumPrintProcessors(std::nullopt, &processors), "processors listed");
  Check(!Lists(processors, "KvRasterProc"), "the processor is gone");
  Check(!Exists(machine, places.processors + "\\KVRASPRC.DLL"), "its DLL is gone");

  Check(!KeyExists(machine, "SOFTWARE\\KORVANT\\PORTNAME"), "USB port names removed");
  Check(!KeyExists(machine, "SOFTWARE\\KORVANT\\INSTALLPRINTER"), "USB printer list removed");
  Check(KeyExists(machine, "SOFTWARE\\KORVANT\\PRINTERPORT"), "USB port states stay");

  uint32_t attributes = 0;
  machine.files.GetAttributes(places.medium + "\\Uninstall.ini.bak", &attributes);
  Check((attributes & (kDecoyAttributes | kFileAttributeSystem)) == kDecoyAttributes,
        "the backup decoy keeps its attributes");
  machine.files.GetAttributes(places.medium + "\\Uninstall.ini", &attributes);
  Check((attributes & kFileAttributeReadOnly) == 0, "the inventory file used is writable");
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  kv::Win32Machine machine;
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "arrange") {
    kv::Arrange(machine.machine());
  } else if (mode == "hold") {
    kv::Hold(machine.machine());
  } else if (mode == "check") {
    kv::CheckRemoved(machine.machine());
  } else {
    std::printf("usage: uninstall-machine.exe arrange|hold|check\n");
    return 2;
  }
  std::printf("%d passed, %d failed\n", kv::passed, kv::failed);
  return kv::failed == 0 ? 0 : 1;
}

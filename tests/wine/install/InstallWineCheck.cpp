// The installation operations on the real API, against the medium's
// stand-ins: port monitor and print processor, driver file copies, driver
// and printers, the default printer, serial port settings, the USB port
// records, legacy files and compatibility marks.
//
// Run by tests/wine/e2e-install.sh from a scratch copy of the medium (the
// medium folder as current directory, this program beside setup.ini's
// DRVCONFIG), once in a Windows XP, an NT 4.0 and a Windows 98 prefix: the
// argument names the version, which picks the checks that version can show.
// Prints each failed check and "N passed, M failed" last.
// First: the Windows headers with the macros that share the interfaces'
// method names undone.
#include "win32/Win32Api.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "../../medium/Check.h"
#include "common/CompatibilityMarks.h"
#include "config/DriverDefinition.h"
#include "config/SetupConfiguration.h"
#include "handles/WindowsHandles.h"
#include "install/DefaultPrinter.h"
#include "install/DriverFileCopy.h"
#include "install/LegacyFiles.h"
#include "install/PortMonitorInstall.h"
#include "install/PrintProcessorInstall.h"
#include "install/SerialLineSettings.h"
#include "install/SpoolerOperations.h"
#include "install/UsbPortRecords.h"
#include "platform/Errors.h"
#include "win32/Win32Machine.h"

namespace kv {
namespace {

using medium::Check;
using medium::CheckEqual;

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  for (const auto& n : names) {
    if (n == name) return true;
  }
  return false;
}

std::optional<uint32_t> ReadDword(RegRoot root, const std::string& path, const std::string& name,
                                  Registry& registry) {
  RegHandle key = 0;
  if (registry.OpenKey(root, path, &key) != kErrorSuccess) return std::nullopt;
  uint32_t type = 0;
  std::string data;
  const uint32_t error = registry.QueryValue(key, name, &type, &data);
  registry.CloseKey(key);
  if (error != kErrorSuccess || type != kRegDword || data.size() != 4) return std::nullopt;
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(data[i]);
  return value;
}

void SetValue(Registry& registry, RegRoot root, const std::string& path, const std::string& name,
              uint32_t type, std::string_view data) {
  RegHandle key = 0;
  if (registry.CreateKey(root, path, &key) != kErrorSuccess) {
    Check(false, "arranging key " + path);
    return;
  }
  registry.SetValue(key, name, type, data);
  registry.CloseKey(key);
}

const char kComMonitor[] = "Korvant COM Monitor";
const char kProcessor[] = "KvRasterProc";

// A driver of the medium and a printer on a parallel port, through the
// operations; `family` picks the medium's directory.
void AddDriverAndPrinter(Machine& machine, OsFamily family, const std::string& printerName,
                         std::string& message) {
  for (const char* file : {"KVGDRV.DLL", "KVB320G.GPD", "KVGUI.DLL", "KVGDRV.HLP"}) {
    Check(CopyDriverFile(machine, file, CopyTarget::DriverDirectory, family, false, message) ==
              CopyOutcome::Copied,
          std::string("CopyDriverFile ") + file + " [" + message + "]");
  }
  DriverInfo3 driver;
  driver.version = DriverStructureVersion(family);
  driver.name = "Korvant QTM-B320 Raster";
  driver.driverPath = "KVGDRV.DLL";
  driver.dataFile = "KVB320G.GPD";
  driver.configFile = "KVGUI.DLL";
  driver.helpFile = "KVGDRV.HLP";
  Check(InstallPrinterDriver(machine, driver, message), "InstallPrinterDriver [" + message + "]");
  PrinterInfo2 printer;
  printer.printerName = printerName;
  printer.portName = "LPT1:";
  printer.driverName = driver.name;
  printer.printProcessor = "WinPrint";
  Check(InstallPrinter(machine, printer, false, message), "InstallPrinter [" + message + "]");
}

void CheckMonitorAndProcessor(Machine& machine) {
  std::string message;
  SetupConfiguration configuration(machine);
  Check(InstallPortMonitors(machine, configuration, PrinterModule::Receipt, OsFamily::WinXP,
                            "KVCOM1:", message) == kComponentsCurrent,
        "InstallPortMonitors KVCOM1: [" + message + "]");
  std::vector<std::string> monitors;
  machine.spooler.EnumMonitors(&monitors);
  Check(Contains(monitors, kComMonitor), "the COM monitor is listed");
  std::vector<std::string> ports;
  machine.spooler.EnumPorts(&ports);
  Check(Contains(ports, "KVCOM1:") && Contains(ports, "KVCOM8:"), "its ports are listed");
  CheckEqual(ReadDword(RegRoot::LocalMachine, MonitorKeyPath(kComMonitor), "DriverVersion",
                       machine.registry)
                 .value_or(0),
             3, "the monitor's DriverVersion");
  Check(InstallPortMonitors(machine, configuration, PrinterModule::Receipt, OsFamily::WinXP,
                            "KVCOM1:", message) == kComponentsCurrent,
        "installed again: current");
  Check(EnumeratePorts(machine, message), "EnumeratePorts");

  Check(InstallPrintProcessor(machine, OsFamily::WinXP, kProcessor, "KVRASPRC.DLL", message) ==
            kComponentsCurrent,
        "InstallPrintProcessor [" + message + "]");
  std::vector<std::string> processors;
  machine.spooler.EnumPrintProcessors(std::nullopt, &processors);
  Check(Contains(processors, kProcessor), "the processor is listed");
  CheckEqual(ReadDword(RegRoot::LocalMachine,
                       PrintProcessorKeyPath(machine.spooler, OsFamily::WinXP, kProcessor),
                       "DriverVersion", machine.registry)
                 .value_or(0),
             2, "the processor's DriverVersion");
}

void CheckPrinters(Machine& machine, OsFamily family) {
  std::string message;
  AddDriverAndPrinter(machine, family, "QTM-B320(P)", message);
  PrinterInfo2 second;
  second.printerName = "QTM-B320(P)";
  second.portName = "LPT1:";
  second.driverName = "Korvant QTM-B320 Raster";
  second.printProcessor = "WinPrint";
  Check(InstallPrinter(machine, second, false, message), "second printer [" + message + "]");
  CheckEqual(second.printerName, "QTM-B320(P)(1)", "the second printer's name");
  PrinterInfo2 usb = second;
  usb.printerName = "QTM-B320(P)";
  Check(!InstallPrinter(machine, usb, true, message), "a USB port takes no second printer");
  CheckEqual(message, "Maximum count of printers using the same port has been reached",
             "its message");
}

void CheckDefaultPrinter(Machine& machine, OsFamily family, const char* version) {
  std::string message;
  AddDriverAndPrinter(machine, family, "QTM-B320 Default", message);
  Check(MakeDefaultPrinter(machine, "QTM-B320 Default"),
        std::string("MakeDefaultPrinter on ") + version);
  OsVersionInfo running;
  if (machine.system.GetVersion(&running) && running.platformId == kPlatformWindows) {
    // Windows 98 makes the printer marked with the default attribute its
    // default printer; Wine stores the attribute and does nothing with it.
    PrinterInfo2 info;
    Check(machine.spooler.GetPrinter("QTM-B320 Default", &info) == kErrorSuccess &&
              (info.attributes & kPrinterAttributeDefault) != 0,
          "the printer carries the default attribute");
    return;
  }
  const std::string device = machine.profiles.GetProfileString("windows", "device", "", 260);
  Check(device.rfind("QTM-B320 Default,", 0) == 0, "the profile names it: \"" + device + "\"");
}

void CheckSerialNt(Machine& machine) {
  const std::string ports = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
  StoreSerialSettingsNt(machine, SystemSerialPortName("KVCOM3:"), {9600, 8, 1.0, 'n', 'p'});
  RegHandle key = 0;
  std::string data;
  uint32_t type = 0;
  if (machine.registry.OpenKey(RegRoot::LocalMachine, ports, &key) == kErrorSuccess) {
    machine.registry.QueryValue(key, "COM3:", &type, &data);
    machine.registry.CloseKey(key);
  }
  CheckEqual(std::string(data.c_str()), "9600,n,8,1,p", "the Ports value COM3:");
}

void CheckSerial9x(Machine& machine) {
  const std::string classKey = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
  SetValue(machine.registry, RegRoot::LocalMachine, classKey + "0", "PortSubClass", kRegBinary,
           std::string(1, '\0'));
  SetValue(machine.registry, RegRoot::LocalMachine, classKey + "1", "PortSubClass", kRegBinary,
           std::string(1, '\1'));
  SetValue(machine.registry, RegRoot::LocalMachine, classKey + "2", "PortSubClass", kRegBinary,
           std::string(1, '\1'));
  const SerialLineSettings settings{19200, 8, 1.5, 'e', 'x'};
  StoreSerialSettings9x(machine, 2, "COM2:", settings);
  CheckEqual(machine.profiles.GetProfileString("Ports", "COM2:", "", 100), "19200,e,8,1.5,x",
             "win.ini [Ports] COM2:");
  RegHandle key = 0;
  std::string data;
  uint32_t type = 99;
  if (machine.registry.OpenKey(RegRoot::LocalMachine, classKey + "2", &key) == kErrorSuccess) {
    machine.registry.QueryValue(key, "DCB", &type, &data);
    machine.registry.CloseKey(key);
  }
  const auto dcb = BuildDcb(settings);
  Check(data == std::string(dcb.begin(), dcb.end()) && type == kRegNone,
        "the DCB is in the second serial key (" + std::to_string(data.size()) + " bytes)");
  RegHandle first = 0;
  std::string none;
  if (machine.registry.OpenKey(RegRoot::LocalMachine, classKey + "1", &first) == kErrorSuccess) {
    Check(machine.registry.QueryValue(first, "DCB", &type, &none) == kErrorFileNotFound,
          "the first serial key has none");
    machine.registry.CloseKey(first);
  }
  std::string winIni;
  std::string windows;
  machine.files.GetWindowsDirectory(&windows);
  machine.files.ReadWholeFile(windows + "\\win.ini", &winIni);
  Check(winIni.find("[]") == std::string::npos, "the flush left no empty section in win.ini");
}

void CheckUsbRecords(Machine& machine) {
  SetValue(machine.registry, RegRoot::LocalMachine, std::string(kInstalledPrintersKey),
           "QTM-A410(U) 2", kRegDword, std::string(4, '\0'));
  SetupConfiguration configuration(machine);
  RecordUsbPort(machine, configuration, "USB_QTM-B320_2");
  auto& registry = machine.registry;
  CheckEqual(
      ReadDword(RegRoot::LocalMachine, std::string(kUsbPortNameKey), "USB_QTM-B320_2", registry)
          .value_or(99),
      1, "PORTNAME of the port");
  CheckEqual(
      ReadDword(RegRoot::LocalMachine, std::string(kUsbPortNameKey), "USB_QTM-A410_2", registry)
          .value_or(99),
      5, "PORTNAME of a listed printer's port");
  CheckEqual(ReadDword(RegRoot::LocalMachine, std::string(kUsbPrinterPortKey), "D8", registry)
                 .value_or(99),
             0, "PRINTERPORT D8");
  CheckEqual(
      ReadDword(RegRoot::LocalMachine, std::string(kUsbPrinterPortKey), "USB_QEP-E58_3", registry)
          .value_or(99),
      255, "PRINTERPORT of a listed port");
}

void CheckLegacyFiles(Machine& machine, OsFamily family) {
  std::string message;
  std::string drivers;
  machine.spooler.GetPrinterDriverDirectory(&drivers);
  if (family == OsFamily::Win98) {
    std::string system;
    machine.files.GetSystemDirectory(&system);
    machine.files.DeleteFile(system + "\\UNIDRV.DLL");
    StageLegacyFiles(machine, family, false, message);
    CheckEqual(message, "", "StageLegacyFiles on 98");
    Check(machine.files.OpenExisting(drivers + "\\ICONLIB.DLL") == kErrorSuccess,
          "ICONLIB.DLL in the driver directory");
    Check(machine.files.OpenExisting(drivers + "\\UNIDRV.DLL") == kErrorSuccess,
          "UNIDRV.DLL from the medium in the driver directory");
    std::string windows;
    machine.files.GetWindowsDirectory(&windows);
    machine.files.CreateDirectory(windows + "\\Sysbckup");
    machine.files.CopyFile(drivers + "\\UNIDRV.DLL", windows + "\\Sysbckup\\UNIDRV.DLL", false);
    machine.files.DeleteFile(system + "\\UNIDRV.DLL");
    StageLegacyFiles(machine, family, false, message);
    Check(machine.files.OpenExisting(system + "\\UNIDRV.DLL") == kErrorSuccess,
          "UNIDRV.DLL from Sysbckup in the system directory");
    return;
  }
  StageLegacyFiles(machine, family, true, message);
  for (const char* file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"}) {
    Check(machine.files.OpenExisting(drivers + "\\" + file) == kErrorSuccess,
          std::string(file) + " in the driver directory");
  }
}

void CheckMarks(Machine& machine) {
  std::string program;
  machine.files.GetModuleFileName(&program);
  MarkCompatibilityPersisted(machine);
  CheckEqual(ReadDword(RegRoot::CurrentUser, std::string(kCompatibilityPersistedKey), program,
                       machine.registry)
                 .value_or(0),
             1, "the current user's mark");
  const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1003";
  SetValue(machine.registry, RegRoot::CurrentUser,
           "Software\\Microsoft\\Protected Storage System Provider\\" + user, "", kRegSz,
           std::string(1, '\0'));
  MarkCompatibilityPersistedForUsers(machine);
  CheckEqual(ReadDword(RegRoot::Users, user + "\\" + std::string(kCompatibilityPersistedKey),
                       program, machine.registry)
                 .value_or(0),
             1, "a listed user's mark");
}

}  // namespace
}  // namespace kv

int main(int argc, char** argv) {
  const std::string version = argc > 1 ? argv[1] : "winxp";
  kv::Win32Machine win32;
  kv::Machine& machine = win32.machine();
  if (version == "winxp") {
    kv::CheckMonitorAndProcessor(machine);
    kv::CheckPrinters(machine, kv::OsFamily::WinXP);
    kv::CheckDefaultPrinter(machine, kv::OsFamily::WinXP, "XP");
    kv::CheckSerialNt(machine);
    kv::CheckUsbRecords(machine);
    kv::CheckLegacyFiles(machine, kv::OsFamily::WinXP);
    kv::CheckMarks(machine);
  } else if (version == "nt40") {
    kv::CheckDefaultPrinter(machine, kv::OsFamily::NT4, "NT 4.0");
  } else if (version == "win98") {
    kv::CheckDefaultPrinter(machine, kv::OsFamily::WinXP, "Windows 98");
    kv::CheckSerial9x(machine);
    kv::CheckLegacyFiles(machine, kv::OsFamily::Win98);
  }
  return kv::medium::Report();
}

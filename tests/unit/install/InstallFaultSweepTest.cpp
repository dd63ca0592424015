#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "common/CompatibilityMarks.h"
#include "config/SetupConfiguration.h"
#include "install/DefaultPrinter.h"
#include "install/LegacyFiles.h"
#include "install/PortMonitorInstall.h"
#include "install/PrintProcessorInstall.h"
#include "install/SerialLineSettings.h"
#include "install/SpoolerOperations.h"
#include "install/UsbPortRecords.h"
#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

using sim::Call;

// A machine with the medium, one driver and one printer in place, on which
// one operation runs.
struct Bench {
  explicit Bench(sim::WindowsVersion version) {
    sim.UseWindows(version);
    auto& files = sim.files();
    files.SetModuleFileName("C:\\Medium\\setup.exe");
    for (const char* directory : {"DRVCONFIG", "win98", "winnt"}) {
      files.AddDirectory(std::string("C:\\Medium\\") + directory);
    }
    files.SetCurrentDirectory("C:\\Medium");
    files.AddFile(
        "C:\\Medium\\DRVCONFIG\\setup.ini",
        "[COMMON-MONITOR.XP]\r\nCOMMONitorPName=KV COM\r\nCOMMONitorPDLLName=kvcom.dll\r\n"
        "COMMONitorVersion=6\r\n[ProcessorVersion]\r\nDriverVersion=6\r\n"
        "[SUPPORTED-USB-DEVICE]\r\nPRNCOUNT=1\r\n0=USB_KV-80_1\r\n");
    const std::string medium = version == sim::WindowsVersion::Win98 ? "win98" : "winnt";
    for (const char* name :
         {"kvcom.dll", "kvproc.dll", "ICONLIB.DLL", "UNIDRV.DLL", "UNIRES.DLL"}) {
      files.AddFile("C:\\Medium\\" + medium + "\\" + name);
    }
    const std::string drivers = sim.spooler().DriverDirectory() + "\\";
    for (const char* name : {"kv.dll", "kv.gpd", "kvui.dll"}) files.AddFile(drivers + name);
    driver.name = "KV Driver";
    driver.driverPath = "kv.dll";
    driver.dataFile = "kv.gpd";
    driver.configFile = "kvui.dll";
    printer.printerName = "KV-80(P)";
    printer.portName = "LPT1:";
    printer.driverName = "KV Driver";
    printer.printProcessor = "WinPrint";
    std::string ignored;
    InstallPrinterDriver(sim.machine(), driver, ignored);
    PrinterInfo2 existing = printer;
    InstallPrinter(sim.machine(), existing, false, ignored);
    sim.registry().CreateKeyPath(RegRoot::LocalMachine,
                                 "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports");
    sim.registry().SetDwordAt(RegRoot::LocalMachine, kInstalledPrintersKey, "KV-80(U) 1", 1);
    sim.registry().SetValueAt(RegRoot::LocalMachine,
                              "System\\CurrentControlSet\\Services\\Class\\Ports\\0000",
                              "PortSubClass", kRegBinary, std::string(1, '\1'));
    sim.registry().CreateKeyPath(RegRoot::CurrentUser,
                                 "Software\\Microsoft\\Protected Storage System "
                                 "Provider\\S-1-5-21-1004336348-1177238915-1003");
  }

  sim::SimMachine sim;
  DriverInfo3 driver;
  PrinterInfo2 printer;
};

using Operation = std::function<void(Machine&, Bench&, std::string&)>;

struct NamedOperation {
  const char* name;
  sim::WindowsVersion version;
  Operation run;
};

const NamedOperation kOperations[] = {
    {"monitors", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string& message) {
       SetupConfiguration configuration(m);
       InstallPortMonitors(m, configuration, PrinterModule::Receipt, OsFamily::WinXP,
                           "COM1:", message);
     }},
    {"processor", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string& message) {
       InstallPrintProcessor(m, OsFamily::WinXP, "KVProc", "kvproc.dll", message);
     }},
    {"driver", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench& b, std::string& message) {
       b.driver.name = "KV Driver 2";
       InstallPrinterDriver(m, b.driver, message);
     }},
    {"ports", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string& message) { EnumeratePorts(m, message); }},
    {"printer", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench& b, std::string& message) {
       InstallPrinter(m, b.printer, false, message);
     }},
    {"default 98", sim::WindowsVersion::Win98,
     [](Machine& m, Bench&, std::string&) { MakeDefaultPrinter(m, "KV-80(P)"); }},
    {"default NT4", sim::WindowsVersion::NT4,
     [](Machine& m, Bench&, std::string&) { MakeDefaultPrinter(m, "KV-80(P)"); }},
    {"default XP", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string&) { MakeDefaultPrinter(m, "KV-80(P)"); }},
    {"serial 98", sim::WindowsVersion::Win98,
     [](Machine& m, Bench&, std::string&) {
       StoreSerialSettings9x(m, 1, "COM1:", {9600, 8, 1.0, 'n', 'p'});
     }},
    {"serial NT", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string&) {
       StoreSerialSettingsNt(m, "COM1:", {9600, 8, 1.0, 'n', 'p'});
     }},
    {"usb records", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string&) {
       RecordUsbPort(m, SetupConfiguration(m), "USB_KV-80_1");
     }},
    {"legacy 98", sim::WindowsVersion::Win98,
     [](Machine& m, Bench&, std::string& message) {
       StageLegacyFiles(m, OsFamily::Win98, false, message);
     }},
    {"legacy XP", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string& message) {
       StageLegacyFiles(m, OsFamily::WinXP, true, message);
     }},
    {"marks", sim::WindowsVersion::WinXP,
     [](Machine& m, Bench&, std::string&) {
       MarkCompatibilityPersisted(m);
       MarkCompatibilityPersistedForUsers(m);
     }},
};

struct Fault {
  const char* operation;
  Call call;
  uint32_t error;
  const char* message;  // "" for silence
};

constexpr const char* kMonitorNotLoaded = "Add monitor error! Erro code is:126";
constexpr const char* kProcessorError =
    "Add printer processor error\nFatal error, try rebooting the system.";
constexpr const char* kOutOfMemory = "Printer installer could not allocate sufficient memory";

const Fault kFaults[] = {
    // Only the first value (the USB monitor's name) reads as "0": setup.ini
    // is read again for the next one, and a serial port needs only the other.
    {"monitors", Call::ReadWholeFile, kErrorAccessDenied, ""},
    {"monitors", Call::RegOpenKey, kErrorAccessDenied, ""},
    {"monitors", Call::GetSystemDirectory, kErrorNotEnoughMemory, kMonitorNotLoaded},
    {"monitors", Call::GetCurrentDirectory, kErrorNotEnoughMemory, kMonitorNotLoaded},
    {"monitors", Call::SetAttributes, kErrorAccessDenied, ""},
    {"monitors", Call::CopyFile, kErrorCanNotComplete, kMonitorNotLoaded},
    {"monitors", Call::AddMonitor, kErrorRpcServerUnavailable,
     "Add monitor error! Erro code is:1722"},
    {"monitors", Call::RegSetValue, kErrorAccessDenied, ""},
    {"processor", Call::ReadWholeFile, kErrorAccessDenied, ""},
    {"processor", Call::RegOpenKey, kErrorAccessDenied, ""},
    {"processor", Call::GetPrintProcessorDirectory, kErrorRpcServerUnavailable, kProcessorError},
    {"processor", Call::CopyFile, kErrorCanNotComplete, kProcessorError},
    {"processor", Call::AddPrintProcessor, kErrorRpcServerUnavailable, kProcessorError},
    {"processor", Call::RegSetValue, kErrorAccessDenied, ""},
    {"driver", Call::AddPrinterDriver, kErrorRpcServerUnavailable,
     "Add printer driver error   er = 1722"},
    {"ports", Call::EnumPorts, kErrorNotEnoughMemory, kOutOfMemory},
    {"printer", Call::AddPrinter, kErrorRpcServerUnavailable, "Add printer errorer = 1722"},
    {"default 98", Call::GetVersion, kErrorCanNotComplete, ""},
    {"default 98", Call::GetPrinter, kErrorInsufficientBuffer, ""},
    {"default 98", Call::SetPrinter, kErrorAccessDenied, ""},
    {"default NT4", Call::GetPrinter, kErrorRpcServerUnavailable, ""},
    {"default NT4", Call::WriteProfileString, kErrorAccessDenied, ""},
    {"default XP", Call::SetDefaultPrinter, kErrorInvalidPrinterName, ""},
    {"serial 98", Call::RegOpenKey, kErrorFileNotFound, ""},
    {"serial 98", Call::RegQueryValue, kErrorMoreData, ""},
    {"serial 98", Call::RegSetValue, kErrorAccessDenied, ""},
    {"serial 98", Call::WriteProfileString, kErrorAccessDenied, ""},
    {"serial NT", Call::RegOpenKey, kErrorFileNotFound, ""},
    {"serial NT", Call::RegSetValue, kErrorAccessDenied, ""},
    {"usb records", Call::ReadWholeFile, kErrorAccessDenied, ""},
    {"usb records", Call::RegOpenKey, kErrorAccessDenied, ""},
    {"usb records", Call::RegCreateKey, kErrorAccessDenied, ""},
    {"usb records", Call::RegQueryValue, kErrorMoreData, ""},
    {"usb records", Call::RegSetValue, kErrorAccessDenied, ""},
    {"usb records", Call::RegEnumValue, kErrorNotEnoughMemory, ""},
    {"legacy 98", Call::GetSystemDirectory, kErrorNotEnoughMemory, kOutOfMemory},
    {"legacy 98", Call::GetWindowsDirectory, kErrorNotEnoughMemory, kOutOfMemory},
    {"legacy 98", Call::OpenExisting, kErrorSharingViolation, ""},
    {"legacy 98", Call::CopyFile, kErrorCanNotComplete,
     "Copy driver files errorICONLIB.DLL  er = 1003C:\\Medium\\win98\\ICONLIB.DLL"},
    {"legacy 98", Call::GetPrinterDriverDirectory, kErrorRpcServerUnavailable,
     "Cannot get printer driver directory"},
    {"legacy XP", Call::CopyFile, kErrorCanNotComplete, ""},
    {"legacy XP", Call::GetCurrentDirectory, kErrorNotEnoughMemory, ""},
    {"marks", Call::GetModuleFileName, kErrorNotEnoughMemory, ""},
    {"marks", Call::RegCreateKey, kErrorAccessDenied, ""},
    {"marks", Call::RegOpenKey, kErrorAccessDenied, ""},
    {"marks", Call::RegEnumKey, kErrorNotEnoughMemory, ""},
};

const NamedOperation& Find(std::string_view name) {
  for (const auto& operation : kOperations) {
    if (name == operation.name) return operation;
  }
  throw std::invalid_argument(std::string(name));
}

TEST(InstallFaultSweepTest, EachCallFailedOnceGivesItsMessageOrSilenceAndLeavesNothingOpen) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(std::string(fault.operation) + ", call " +
                 std::to_string(static_cast<int>(fault.call)));
    const NamedOperation& operation = Find(fault.operation);
    Bench bench(operation.version);
    std::string message;
    bench.sim.FailNext(fault.call, fault.error);
    operation.run(bench.sim.machine(), bench, message);
    EXPECT_EQ(message, fault.message);
    EXPECT_EQ(bench.sim.registry().OpenHandleCount(), 0u);
    EXPECT_EQ(bench.sim.services().OpenHandleCount(), 0u);
    // The fault was reached: the operation makes this call.
    EXPECT_EQ(bench.sim.faults().Check(fault.call), 0u);
  }
}

}  // namespace
}  // namespace kv

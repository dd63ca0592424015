// The spooler accepts the stand-in port monitors and print processor, lists
// their ports, and takes a driver and printers on a KVCOM port and a USB port,
// the way Printer Driver Setup installs them.
#include <windows.h>
#include <winsplp.h>
#include <winspool.h>

#include <memory>
#include <string>
#include <vector>

#include "Check.h"
#include "MediumFiles.h"
#include "handles/WindowsHandles.h"

namespace kv::medium {
namespace {

const char kComMonitor[] = "Korvant COM Monitor";
const char kUsbMonitor[] = "Korvant USB Monitor";
const char kProcessor[] = "KvRasterProc";

bool SameWide(const wchar_t* a, const wchar_t* b) {
  if (a == nullptr || b == nullptr) return false;
  while (*a != 0 && *a == *b) ++a, ++b;
  return *a == *b;
}

std::string Error(const std::string& what) {
  return what + " (error " + std::to_string(GetLastError()) + ")";
}

bool CopyFromMedium(const std::string& name, const std::string& directory) {
  return CopyFileA(MediumPath("winnt\\" + name).c_str(), (directory + "\\" + name).c_str(),
                   FALSE) != FALSE;
}

void SetDword(HKEY key, const char* name, DWORD value) {
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

// What Printer Driver Setup records before a USB installation.
void RecordUsbPorts(const std::vector<std::string>& ports) {
  KeyHandle key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\KORVANT\\PRINTERPORT\\", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, key.receive(), nullptr) != ERROR_SUCCESS) {
    Check(false, "PRINTERPORT key created");
    return;
  }
  for (const char* reserved : {"D1", "D2", "D3", "D4", "D5", "D6", "D7", "D8"}) {
    SetDword(key.get(), reserved, 0);
  }
  for (const std::string& port : ports) SetDword(key.get(), port.c_str(), 255);
}

struct Port {
  std::string name;
  std::string monitor;
};

std::vector<Port> EnumeratePorts() {
  std::vector<Port> ports;
  DWORD needed = 0;
  DWORD count = 0;
  EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &count)) {
    Check(false, Error("EnumPortsA level 2"));
    return ports;
  }
  const auto* info = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    ports.push_back({info[i].pPortName, info[i].pMonitorName ? info[i].pMonitorName : ""});
  }
  return ports;
}

const Port* FindPort(const std::vector<Port>& ports, const std::string& name) {
  for (const Port& port : ports) {
    if (port.name == name) return &port;
  }
  return nullptr;
}

bool ListsMonitor(const char* name) {
  DWORD needed = 0;
  DWORD count = 0;
  EnumMonitorsA(nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  if (!EnumMonitorsA(nullptr, 1, buffer.data(), needed, &needed, &count)) return false;
  const auto* info = reinterpret_cast<const MONITOR_INFO_1A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (lstrcmpA(info[i].pName, name) == 0) return true;
  }
  return false;
}

void AddAndCheckMonitor(const char* name, const char* dll) {
  MONITOR_INFO_2A info = {};
  info.pName = const_cast<char*>(name);
  info.pDLLName = const_cast<char*>(dll);
  Check(AddMonitorA(nullptr, 2, reinterpret_cast<BYTE*>(&info)) != FALSE,
        Error(std::string("AddMonitorA ") + name));
  Check(ListsMonitor(name), std::string("EnumMonitorsA lists ") + name);
  SetLastError(0xdeadbeef);
  Check(!AddMonitorA(nullptr, 2, reinterpret_cast<BYTE*>(&info)) &&
            GetLastError() == ERROR_PRINT_MONITOR_ALREADY_INSTALLED,
        Error(std::string("a second AddMonitorA ") + name + " is refused with 3006"));
}

void CheckMonitorsInSpooler() {
  const std::string system = SystemDirectory();
  for (const char* dll : {"KVCOMMON.DLL", "KVCOMUI.DLL", "KVUSBMON.DLL", "KVUSBUI.DLL"}) {
    Check(CopyFromMedium(dll, system), Error(std::string("copy ") + dll + " to the system"));
  }
  RecordUsbPorts({"USB_QTM-B320_1", "USB_QTM-C7_2"});

  AddAndCheckMonitor(kComMonitor, "KVCOMMON.DLL");
  AddAndCheckMonitor(kUsbMonitor, "KVUSBMON.DLL");

  std::vector<Port> ports = EnumeratePorts();
  for (int n = 1; n <= 8; ++n) {
    const std::string name = "KVCOM" + std::to_string(n) + ":";
    const Port* port = FindPort(ports, name);
    Check(port != nullptr, "EnumPortsA lists " + name);
    if (port != nullptr) CheckEqual(port->monitor, kComMonitor, name + " monitor");
  }
  Check(FindPort(ports, "KVCOM9:") == nullptr, "no port KVCOM9:");
  for (const char* name : {"USB_QTM-B320_1", "USB_QTM-C7_2"}) {
    const Port* port = FindPort(ports, name);
    Check(port != nullptr, std::string("EnumPortsA lists ") + name);
    if (port != nullptr) CheckEqual(port->monitor, kUsbMonitor, std::string(name) + " monitor");
  }
  Check(FindPort(ports, "D1") == nullptr && FindPort(ports, "D8") == nullptr,
        "the D1 to D8 values are not ports");

  // A port recorded later appears at the next enumeration.
  RecordUsbPorts({"USB_QLP-L240_3"});
  ports = EnumeratePorts();
  Check(FindPort(ports, "USB_QLP-L240_3") != nullptr, "a newly recorded USB port is listed");
}

// The monitor's own entry points, as the spooler calls them.
void CheckMonitorEntryPoints() {
  const LibraryHandle library(LoadLibraryA((SystemDirectory() + "\\KVCOMMON.DLL").c_str()));
  Check(library.valid(), Error("load KVCOMMON.DLL"));
  if (!library) return;
  HMODULE module = library.get();
  using Initialize2 = LPMONITOR2(WINAPI*)(PMONITORINIT, PHANDLE);
  using Initialize = LPMONITOREX(WINAPI*)(LPWSTR);
  auto initialize2 = reinterpret_cast<Initialize2>(
      reinterpret_cast<void*>(GetProcAddress(module, "InitializePrintMonitor2")));
  auto initialize = reinterpret_cast<Initialize>(
      reinterpret_cast<void*>(GetProcAddress(module, "InitializePrintMonitor")));
  Check(initialize2 != nullptr && initialize != nullptr, "monitor exports both initialisers");
  if (initialize2 == nullptr || initialize == nullptr) return;
  MONITORINIT init = {};
  init.cbSize = sizeof(init);
  HANDLE monitorHandle = nullptr;
  LPMONITOR2 monitor = initialize2(&init, &monitorHandle);
  Check(monitor != nullptr && monitor->cbSize == sizeof(MONITOR2), "MONITOR2 with its size");
  if (monitor == nullptr) return;
  DWORD needed = 0xdeadbeef;
  DWORD returned = 0xdeadbeef;
  SetLastError(0);
  Check(!monitor->pfnEnumPorts(monitorHandle, nullptr, 1, nullptr, 0, &needed, &returned) &&
            GetLastError() == ERROR_INSUFFICIENT_BUFFER && returned == 0,
        "EnumPorts without a buffer asks for one");
  std::vector<BYTE> buffer(needed);
  Check(monitor->pfnEnumPorts(monitorHandle, nullptr, 1, buffer.data(), needed - 1, &needed,
                              &returned) == FALSE,
        "EnumPorts refuses a buffer one byte short");
  Check(
      monitor->pfnEnumPorts(monitorHandle, nullptr, 1, buffer.data(), needed, &needed, &returned) &&
          returned == 8,
      "EnumPorts level 1 gives eight ports");
  SetLastError(0);
  Check(!monitor->pfnEnumPorts(monitorHandle, nullptr, 3, buffer.data(), needed, &needed,
                               &returned) &&
            GetLastError() == ERROR_INVALID_LEVEL,
        "EnumPorts refuses level 3");

  HANDLE port = nullptr;
  Check(!monitor->pfnOpenPort(monitorHandle, const_cast<LPWSTR>(L"KVCOM9:"), &port),
        "OpenPort refuses a port it does not provide");
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string capturePath = std::string(temp) + "KVCOM1.prn";
  DeleteFileA(capturePath.c_str());
  Check(
      monitor->pfnOpenPort(monitorHandle, const_cast<LPWSTR>(L"KVCOM1:"), &port) && port != nullptr,
      "OpenPort KVCOM1:");
  if (port != nullptr) {
    BYTE data[] = "\x1b@receipt\n";
    DWORD written = 0;
    Check(monitor->pfnStartDocPort(port, const_cast<LPWSTR>(L"QTM-B320(S)"), 1, 1, nullptr),
          "StartDocPort");
    Check(monitor->pfnWritePort(port, data, sizeof(data) - 1, &written) &&
              written == sizeof(data) - 1,
          "WritePort writes everything");
    Check(monitor->pfnEndDocPort(port), "EndDocPort");
    Check(monitor->pfnClosePort(port), "ClosePort");
    CheckEqual(ReadWholeFile(capturePath), "\x1b@receipt\n", "KVCOM1: capture file");
  }

  LPMONITOREX monitorEx = initialize(nullptr);
  Check(monitorEx != nullptr && monitorEx->dwMonitorSize == sizeof(MONITOR),
        "MONITOREX for Windows NT 4.0");
  if (monitorEx != nullptr) {
    needed = 0;
    monitorEx->Monitor.pfnEnumPorts(nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> level2(needed);
    Check(monitorEx->Monitor.pfnEnumPorts(nullptr, 2, level2.data(), needed, &needed, &returned) &&
              returned == 8 &&
              SameWide(reinterpret_cast<PORT_INFO_2W*>(level2.data())[7].pPortName, L"KVCOM8:"),
          "MONITOREX EnumPorts level 2 ends with KVCOM8:");
  }
}

void CheckMonitorUi() {
  const LibraryHandle ui(LoadLibraryA((SystemDirectory() + "\\KVUSBUI.DLL").c_str()));
  using InitializeUi = PMONITORUI(WINAPI*)();
  auto initializeUi = !ui ? nullptr
                          : reinterpret_cast<InitializeUi>(reinterpret_cast<void*>(
                                GetProcAddress(ui.get(), "InitializePrintMonitorUI")));
  Check(initializeUi != nullptr, "the user-interface DLL exports InitializePrintMonitorUI");
  if (initializeUi != nullptr) {
    PMONITORUI table = initializeUi();
    Check(table != nullptr && table->dwMonitorUISize == sizeof(MONITORUI) &&
              table->pfnConfigurePortUI != nullptr,
          "MONITORUI with its size and a configure entry");
    PWSTR out = reinterpret_cast<PWSTR>(0xdeadbeef);
    SetLastError(0);
    Check(table != nullptr && !table->pfnAddPortUI(nullptr, nullptr, nullptr, &out) &&
              out == nullptr && GetLastError() == ERROR_NOT_SUPPORTED,
          "ports cannot be added by hand");
  }
}

std::string ProcessorDirectory() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrintProcessorDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                              sizeof(directory), &needed);
  return directory;
}

void CheckProcessor() {
  const std::string directory = ProcessorDirectory();
  // Wine reports "prtprocs\win40" as the Windows 98 processor directory but
  // does not create it.
  CreateDirectoryA(directory.c_str(), nullptr);
  Check(!directory.empty() && CopyFromMedium("KVRASPRC.DLL", directory),
        Error("copy KVRASPRC.DLL to the print processor directory"));
  Check(AddPrintProcessorA(nullptr, nullptr, const_cast<char*>("KVRASPRC.DLL"),
                           const_cast<char*>(kProcessor)) != FALSE,
        Error("AddPrintProcessorA KvRasterProc"));
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintProcessorsA(nullptr, nullptr, 1, nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + 1);
  bool listed = false;
  if (EnumPrintProcessorsA(nullptr, nullptr, 1, buffer.data(), needed, &needed, &count)) {
    const auto* info = reinterpret_cast<const PRINTPROCESSOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) listed |= lstrcmpA(info[i].pName, kProcessor) == 0;
  }
  Check(listed, "EnumPrintProcessorsA lists KvRasterProc");

  const LibraryHandle library(LoadLibraryA((directory + "\\KVRASPRC.DLL").c_str()));
  Check(library.valid(), Error("load KVRASPRC.DLL"));
  if (!library) return;
  HMODULE module = library.get();
  using EnumDatatypes = BOOL(WINAPI*)(LPWSTR, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);
  using Open = HANDLE(WINAPI*)(LPWSTR, PPRINTPROCESSOROPENDATA);
  using Close = BOOL(WINAPI*)(HANDLE);
  auto enumDatatypes = reinterpret_cast<EnumDatatypes>(
      reinterpret_cast<void*>(GetProcAddress(module, "EnumPrintProcessorDatatypesW")));
  auto open =
      reinterpret_cast<Open>(reinterpret_cast<void*>(GetProcAddress(module, "OpenPrintProcessor")));
  auto close = reinterpret_cast<Close>(
      reinterpret_cast<void*>(GetProcAddress(module, "ClosePrintProcessor")));
  Check(enumDatatypes && open && close && GetProcAddress(module, "PrintDocumentOnPrintProcessor") &&
            GetProcAddress(module, "ControlPrintProcessor") &&
            GetProcAddress(module, "GetPrintProcessorCapabilities"),
        "the print processor exports its six entry points");
  if (enumDatatypes && open && close) {
    BYTE types[64] = {};
    needed = 0;
    DWORD returned = 0;
    Check(enumDatatypes(nullptr, nullptr, 1, types, sizeof(types), &needed, &returned) &&
              returned == 1 && SameWide(reinterpret_cast<DATATYPES_INFO_1W*>(types)->pName, L"RAW"),
          "the processor's data type is RAW");
    PRINTPROCESSOROPENDATA data = {};
    data.pDatatype = const_cast<LPWSTR>(L"NT EMF 1.008");
    data.JobId = 7;
    Check(open(const_cast<LPWSTR>(L"QTM-B320(S)"), &data) == nullptr,
          "the processor refuses EMF data");
    data.pDatatype = const_cast<LPWSTR>(L"raw");
    HANDLE processor = open(const_cast<LPWSTR>(L"QTM-B320(S)"), &data);
    Check(processor != nullptr, "the processor opens for RAW data");
    if (processor != nullptr) Check(close(processor), "the processor closes");
  }
}

std::string DriverDirectory() {
  char directory[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(directory),
                             sizeof(directory), &needed);
  return directory;
}

// Adds the raster driver of QTM-B320 for Windows XP as the setup program
// reads it from the configuration.
std::string AddDriver() {
  const std::string ini = MediumPath("DRVCONFIG\\setup_receipt.ini");
  const std::string section = "QTM-B320.XP";
  const auto value = [&](const char* key) { return Profile(ini, section, key); };
  const std::string driverDirectory = DriverDirectory();
  std::vector<std::string> dependents = {value("GDIDataFile"), "TTFSUB.GPD", "UNIRES.DLL",
                                         "STDNAMES.GPD"};
  for (const char* key :
       {"GDIDataFileDLLName", "GDIDataOemuiDLL", "GDIDataOemuniDLL", "GDIDataOemuniini"}) {
    if (value(key)[0] != '0') dependents.push_back(value(key));
  }
  std::vector<std::string> files = {value("GDIDriverPath"), value("GDIConfigFile"),
                                    value("GDIHelpFile")};
  files.insert(files.end(), dependents.begin(), dependents.end());
  for (const std::string& file : files) {
    Check(CopyFromMedium(file, driverDirectory),
          Error("copy " + file + " to the driver directory"));
  }
  std::string dependentList;
  for (const std::string& file : dependents) dependentList += file + '\0';
  dependentList += '\0';

  const std::string name = value("GDIDriverName");
  const std::string driverPath = value("GDIDriverPath");
  const std::string dataFile = value("GDIDataFile");
  const std::string configFile = value("GDIConfigFile");
  const std::string helpFile = value("GDIHelpFile");
  DRIVER_INFO_3A info = {};
  info.cVersion = 3;
  info.pName = const_cast<char*>(name.c_str());
  info.pDriverPath = const_cast<char*>(driverPath.c_str());
  info.pDataFile = const_cast<char*>(dataFile.c_str());
  info.pConfigFile = const_cast<char*>(configFile.c_str());
  info.pHelpFile = const_cast<char*>(helpFile.c_str());
  info.pDependentFiles = dependentList.data();
  Check(AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != FALSE,
        Error("AddPrinterDriverA " + name));
  return name;
}

void AddPrinterOn(const std::string& printerName, const std::string& port,
                  const std::string& driver) {
  PRINTER_INFO_2A info = {};
  info.pPrinterName = const_cast<char*>(printerName.c_str());
  info.pPortName = const_cast<char*>(port.c_str());
  info.pDriverName = const_cast<char*>(driver.c_str());
  info.pPrintProcessor = const_cast<char*>(kProcessor);
  info.pDatatype = const_cast<char*>("RAW");  // Wine cannot open a printer added without one
  const PrinterHandle printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
  Check(printer.valid(), Error("AddPrinterA " + printerName + " on " + port));
  if (!printer) return;
  DWORD needed = 0;
  GetPrinterA(printer.get(), 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + 1);
  if (GetPrinterA(printer.get(), 2, buffer.data(), needed, &needed)) {
    const auto* added = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    CheckEqual(added->pPortName, port, printerName + " port");
    CheckEqual(added->pDriverName, driver, printerName + " driver");
    CheckEqual(added->pPrintProcessor, kProcessor, printerName + " print processor");
  } else {
    Check(false, Error("GetPrinterA " + printerName));
  }
}

}  // namespace

void RunSpoolerChecks() {
  CheckMonitorsInSpooler();
  CheckMonitorEntryPoints();
  CheckMonitorUi();
  CheckProcessor();
  const std::string driver = AddDriver();
  AddPrinterOn("QTM-B320(S)", "KVCOM1:", driver);
  AddPrinterOn("QTM-B320(U) 1", "USB_QTM-B320_1", driver);
}

}  // namespace kv::medium

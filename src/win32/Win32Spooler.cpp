#include "win32/Win32Spooler.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "win32/Win32Api.h"

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Proc.h"
#include "win32/WineHost.h"

namespace kv {
namespace {

// winspool's structures take non-const pointers for input texts that it only
// reads. An empty text is a null pointer, as the interface promises.
char* Text(const std::string& text) {
  return text.empty() ? nullptr : const_cast<char*>(text.c_str());
}
char* Text(const std::optional<std::string>& text) {
  return text ? const_cast<char*>(text->c_str()) : nullptr;
}
std::string FromText(const char* text) {
  return text != nullptr ? text : std::string();
}

// The two-call pattern of the spooler's enumerations and queries: ask for the
// size, then read. `call(buffer, size, &needed, &count)` returns BOOL.
template <typename Call>
uint32_t ReadBlock(Call call, std::vector<BYTE>* block, DWORD* count) {
  DWORD needed = 0;
  DWORD returned = 0;
  if (call(nullptr, 0, &needed, &returned)) {
    block->clear();
    *count = returned;
    return kErrorSuccess;
  }
  // The list may grow between calls; a few rounds settle it.
  for (int round = 0; round < 4 && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > 0;
       ++round) {
    block->assign(needed, 0);
    if (call(block->data(), needed, &needed, &returned)) {
      *count = returned;
      return kErrorSuccess;
    }
  }
  return LastFailure();
}

template <typename Info>
const Info* Entries(const std::vector<BYTE>& block) {
  return reinterpret_cast<const Info*>(block.data());
}

// The pName members of a level-1 enumeration (monitors, processors, ports).
template <typename Info, typename Call>
uint32_t ReadNames(Call call, std::vector<std::string>* names) {
  std::vector<BYTE> block;
  DWORD count = 0;
  if (uint32_t error = ReadBlock(call, &block, &count)) return error;
  std::vector<std::string> result;
  for (DWORD i = 0; i < count; ++i) result.push_back(FromText(Entries<Info>(block)[i].pName));
  *names = std::move(result);
  return kErrorSuccess;
}

PrinterInfo2 FromInfo(const PRINTER_INFO_2A& info) {
  PrinterInfo2 result;
  result.serverName = FromText(info.pServerName);
  result.printerName = FromText(info.pPrinterName);
  result.shareName = FromText(info.pShareName);
  result.portName = FromText(info.pPortName);
  result.driverName = FromText(info.pDriverName);
  result.comment = FromText(info.pComment);
  result.location = FromText(info.pLocation);
  result.sepFile = FromText(info.pSepFile);
  result.printProcessor = FromText(info.pPrintProcessor);
  result.datatype = FromText(info.pDatatype);
  result.parameters = FromText(info.pParameters);
  result.attributes = info.Attributes;
  result.priority = info.Priority;
  result.defaultPriority = info.DefaultPriority;
  result.startTime = info.StartTime;
  result.untilTime = info.UntilTime;
  result.status = info.Status;
  result.jobs = info.cJobs;
  result.averagePpm = info.AveragePPM;
  return result;
}

PRINTER_INFO_2A ToInfo(const PrinterInfo2& info) {
  PRINTER_INFO_2A result = {};
  result.pServerName = Text(info.serverName);
  result.pPrinterName = Text(info.printerName);
  result.pShareName = Text(info.shareName);
  result.pPortName = Text(info.portName);
  result.pDriverName = Text(info.driverName);
  result.pComment = Text(info.comment);
  result.pLocation = Text(info.location);
  result.pSepFile = Text(info.sepFile);
  result.pPrintProcessor = Text(info.printProcessor);
  result.pDatatype = Text(info.datatype);
  result.pParameters = Text(info.parameters);
  result.Attributes = info.attributes;
  result.Priority = info.priority;
  result.DefaultPriority = info.defaultPriority;
  result.StartTime = info.startTime;
  result.UntilTime = info.untilTime;
  result.Status = info.status;
  result.cJobs = info.jobs;
  result.AveragePPM = info.averagePpm;
  return result;
}

uint32_t OpenPrinterFor(std::string_view printerName, DWORD access, PrinterHandle* printer) {
  std::string name(printerName);
  PRINTER_DEFAULTSA defaults = {nullptr, nullptr, access};
  if (!OpenPrinterA(Text(name), printer->receive(), &defaults)) return LastFailure();
  return kErrorSuccess;
}

// A REG_MULTI_SZ style list: each name and its terminator, then one more.
std::string MultiText(const std::vector<std::string>& names) {
  std::string list;
  for (const auto& name : names) {
    list += name;
    list += '\0';
  }
  list += '\0';
  return list;
}

uint32_t ReadDirectory(BOOL(WINAPI* query)(LPSTR, LPSTR, DWORD, LPBYTE, DWORD, LPDWORD),
                       std::string* directory) {
  BYTE buffer[2 * MAX_PATH] = {};
  DWORD needed = 0;
  if (!query(nullptr, nullptr, 1, buffer, sizeof buffer, &needed)) return LastFailure();
  directory->assign(reinterpret_cast<const char*>(buffer));
  return kErrorSuccess;
}

// Wine's DeletePrinterDriverExA refuses every file-deleting flag (87). Under
// Wine the driver's record goes without the flag, and the files no other
// driver of the environment uses with DeleteFileA.

std::vector<std::string> DriverFiles(const DRIVER_INFO_3A& driver) {
  std::vector<std::string> files;
  for (const char* file :
       {driver.pDriverPath, driver.pDataFile, driver.pConfigFile, driver.pHelpFile}) {
    if (file != nullptr && *file != '\0') files.emplace_back(file);
  }
  for (const char* file = driver.pDependentFiles; file != nullptr && *file != '\0';
       file += std::strlen(file) + 1) {
    files.emplace_back(file);
  }
  return files;
}

template <typename DeleteEx>
uint32_t DeleteDriverAndUnusedFilesOnWine(DeleteEx* deleteEx,
                                          const std::optional<std::string>& environment,
                                          const std::string& name) {
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrinterDriversA(nullptr, Text(environment), 3, buffer, size, needed, returned);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  std::vector<std::string> ours, othersUse;
  bool found = false;
  for (DWORD i = 0; i < count; ++i) {
    const DRIVER_INFO_3A& driver = Entries<DRIVER_INFO_3A>(block)[i];
    std::vector<std::string> files = DriverFiles(driver);
    if (driver.pName != nullptr && lstrcmpiA(driver.pName, name.c_str()) == 0) {
      found = true;
      ours.insert(ours.end(), files.begin(), files.end());
    } else {
      othersUse.insert(othersUse.end(), files.begin(), files.end());
    }
  }
  if (!found) return kErrorUnknownPrinterDriver;
  SetLastError(0);
  if (!deleteEx(nullptr, Text(environment), const_cast<char*>(name.c_str()), 0, 0)) {
    return LastFailure();
  }
  for (const auto& file : ours) {
    bool shared = std::any_of(othersUse.begin(), othersUse.end(), [&](const std::string& other) {
      return lstrcmpiA(other.c_str(), file.c_str()) == 0;
    });
    // Only full paths: a bare name would name a file of the current directory.
    bool fullPath = file.size() > 2 && file[1] == ':' && file[2] == '\\';
    if (fullPath && !shared) ::DeleteFileA(file.c_str());
  }
  return kErrorSuccess;
}

// The spooler environment of this program's architecture on the NT family.
std::string NtEnvironmentOfThisProgram() {
  return std::string(sizeof(void*) == 8 ? kX64Environment : kNtX86Environment);
}

// Wine's DeletePrintProcessorA deletes nothing and succeeds. Under Wine the
// processor's registration is removed as Windows removes it: its key under
// the environment's "Print Processors".
uint32_t DeleteProcessorRegistrationOnWine(const std::optional<std::string>& environment,
                                           const std::string& name) {
  std::string localEnvironment = NtEnvironmentOfThisProgram();
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (::GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    localEnvironment = kNinetyFiveEnvironment;
  }
  const std::string key = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" +
                          (environment && !environment->empty() ? *environment : localEnvironment) +
                          "\\Print Processors\\" + name;
  if (KeyHandle opened; ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ,
                                        opened.receive()) != ERROR_SUCCESS) {
    return kErrorUnknownPrintProcessor;
  }
  LONG result = ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
  return result == ERROR_SUCCESS ? kErrorSuccess : static_cast<uint32_t>(result);
}

// 1802 when the spooler lists a printer of this name (compared ignoring case,
// as printer names are), 0 when it lists none.
uint32_t RefuseExistingPrinter(const std::string& name) {
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, buffer, size, needed, returned);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  for (DWORD i = 0; i < count; ++i) {
    const char* listed = Entries<PRINTER_INFO_4A>(block)[i].pPrinterName;
    if (listed != nullptr && lstrcmpiA(listed, name.c_str()) == 0) {
      return kErrorPrinterAlreadyExists;
    }
  }
  return kErrorSuccess;
}

}  // namespace

std::string Win32Spooler::NtEnvironment() const {
  return NtEnvironmentOfThisProgram();
}

uint32_t Win32Spooler::AddPrinter(const PrinterInfo2& info) {
  PRINTER_INFO_2A printer = ToInfo(info);
  if (HostIsWine()) {
    // Wine's spooler writes the printer but cannot open it afterwards when no
    // datatype is given (Windows takes the processor's default); give it one.
    if (printer.pDatatype == nullptr) printer.pDatatype = const_cast<char*>("RAW");
    // Wine overwrites a printer of the same name where Windows refuses with
    // 1802; refuse here so that an existing printer is never replaced.
    if (uint32_t error = RefuseExistingPrinter(info.printerName)) return error;
  }
  PrinterHandle added(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer)));
  if (!added) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::DeletePrinter(std::string_view printerName) {
  PrinterHandle printer;
  if (uint32_t error = OpenPrinterFor(printerName, PRINTER_ALL_ACCESS, &printer)) return error;
  if (!::DeletePrinter(printer.get())) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::GetPrinter(std::string_view printerName, PrinterInfo2* info) {
  std::string name(printerName);
  PrinterHandle printer;
  if (!OpenPrinterA(Text(name), printer.receive(), nullptr)) return LastFailure();
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        *returned = 1;
        return ::GetPrinterA(printer.get(), 2, buffer, size, needed);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  if (block.empty()) return kErrorInvalidFunction;
  *info = FromInfo(*Entries<PRINTER_INFO_2A>(block));
  return kErrorSuccess;
}

uint32_t Win32Spooler::SetPrinter(std::string_view printerName, const PrinterInfo2& info) {
  // Changing a printer's level-2 information needs administrative access,
  // which an open without defaults does not request on the NT platform.
  PrinterHandle printer;
  if (uint32_t error = OpenPrinterFor(printerName, PRINTER_ALL_ACCESS, &printer)) return error;
  PRINTER_INFO_2A update = ToInfo(info);
  if (!::SetPrinterA(printer.get(), 2, reinterpret_cast<BYTE*>(&update), 0)) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::EnumPrinters(std::vector<PrinterInfo2>* printers) {
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer, size, needed, returned);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  std::vector<PrinterInfo2> result;
  for (DWORD i = 0; i < count; ++i) result.push_back(FromInfo(Entries<PRINTER_INFO_2A>(block)[i]));
  *printers = std::move(result);
  return kErrorSuccess;
}

uint32_t Win32Spooler::EnumPrinters(std::vector<PrinterInfo5>* printers) {
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 5, buffer, size, needed, returned);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  std::vector<PrinterInfo5> result;
  for (DWORD i = 0; i < count; ++i) {
    const PRINTER_INFO_5A& entry = Entries<PRINTER_INFO_5A>(block)[i];
    result.push_back(PrinterInfo5{FromText(entry.pPrinterName), FromText(entry.pPortName),
                                  entry.Attributes, entry.DeviceNotSelectedTimeout,
                                  entry.TransmissionRetryTimeout});
  }
  *printers = std::move(result);
  return kErrorSuccess;
}

uint32_t Win32Spooler::OpenPrinterAllAccess(std::string_view printerName,
                                            OpenPrinterHandle* printer) {
  PrinterHandle opened;
  if (uint32_t error = OpenPrinterFor(printerName, PRINTER_ALL_ACCESS, &opened)) return error;
  *printer = reinterpret_cast<OpenPrinterHandle>(opened.release());
  return kErrorSuccess;
}

uint32_t Win32Spooler::QueryPrinter(OpenPrinterHandle printer, PrinterInfo2* info) {
  HANDLE handle = reinterpret_cast<HANDLE>(printer);
  DWORD needed = 0;
  if (!::GetPrinterA(handle, 2, nullptr, 0, &needed) &&
      GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    return LastFailure();
  }
  std::vector<BYTE> block;
  try {
    block.assign(needed, 0);
  } catch (const std::bad_alloc&) {
    return kErrorNotEnoughMemory;
  }
  if (block.size() < sizeof(PRINTER_INFO_2A)) return kErrorInvalidFunction;
  if (!::GetPrinterA(handle, 2, block.data(), needed, &needed)) return LastFailure();
  *info = FromInfo(*Entries<PRINTER_INFO_2A>(block));
  return kErrorSuccess;
}

uint32_t Win32Spooler::DeleteOpenPrinter(OpenPrinterHandle printer) {
  if (!::DeletePrinter(reinterpret_cast<HANDLE>(printer))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::ClosePrinter(OpenPrinterHandle printer) {
  if (!PrinterHandleTraits::Close(reinterpret_cast<HANDLE>(printer))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::AddPrinterDriver(const DriverInfo3& info) {
  const std::string dependentFiles = MultiText(info.dependentFiles);
  DRIVER_INFO_3A driver = {};
  driver.cVersion = info.version;
  driver.pName = Text(info.name);
  driver.pEnvironment = Text(info.environment);
  driver.pDriverPath = Text(info.driverPath);
  driver.pDataFile = Text(info.dataFile);
  driver.pConfigFile = Text(info.configFile);
  driver.pHelpFile = Text(info.helpFile);
  driver.pDependentFiles = info.dependentFiles.empty() ? nullptr : Text(dependentFiles);
  driver.pMonitorName = Text(info.monitorName);
  driver.pDefaultDataType = Text(info.defaultDataType);
  if (!::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::DeletePrinterDriverAndUnusedFiles(
    const std::optional<std::string>& environment, std::string_view driverName) {
  std::string name(driverName);
  // Windows 2000 and later only.
  using DeleteEx = BOOL WINAPI(LPSTR, LPSTR, LPSTR, DWORD, DWORD);
  auto* deleteEx = FindSystemProc<DeleteEx>("winspool.drv", "DeletePrinterDriverExA");
  if (deleteEx == nullptr) {
    if (!::DeletePrinterDriverA(nullptr, Text(environment), Text(name))) return LastFailure();
    return kErrorSuccess;
  }
  if (HostIsWine()) return DeleteDriverAndUnusedFilesOnWine(deleteEx, environment, name);
  SetLastError(0);
  if (!deleteEx(nullptr, Text(environment), Text(name), DPD_DELETE_UNUSED_FILES, 0)) {
    return LastFailure();
  }
  return kErrorSuccess;
}

uint32_t Win32Spooler::EnumPrinterDrivers(const std::optional<std::string>& environment,
                                          std::vector<DriverEntry>* drivers) {
  std::vector<BYTE> block;
  DWORD count = 0;
  uint32_t error = ReadBlock(
      [&](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrinterDriversA(nullptr, Text(environment), 2, buffer, size, needed, returned);
      },
      &block, &count);
  if (error != kErrorSuccess) return error;
  std::vector<DriverEntry> result;
  for (DWORD i = 0; i < count; ++i) {
    const DRIVER_INFO_2A& entry = Entries<DRIVER_INFO_2A>(block)[i];
    result.push_back(DriverEntry{entry.cVersion, FromText(entry.pName),
                                 FromText(entry.pEnvironment), FromText(entry.pDriverPath)});
  }
  *drivers = std::move(result);
  return kErrorSuccess;
}

uint32_t Win32Spooler::AddMonitor(const MonitorInfo2& info) {
  MONITOR_INFO_2A monitor = {};
  std::string name = info.name;
  monitor.pName = const_cast<char*>(name.c_str());
  monitor.pEnvironment = Text(info.environment);
  monitor.pDLLName = Text(info.dllName);
  if (!::AddMonitorA(nullptr, 2, reinterpret_cast<BYTE*>(&monitor))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::DeleteMonitor(const std::optional<std::string>& environment,
                                     std::string_view monitorName) {
  std::string name(monitorName);
  if (!::DeleteMonitorA(nullptr, Text(environment), Text(name))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::EnumMonitors(std::vector<std::string>* monitorNames) {
  return ReadNames<MONITOR_INFO_1A>(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumMonitorsA(nullptr, 1, buffer, size, needed, returned);
      },
      monitorNames);
}

uint32_t Win32Spooler::AddPrintProcessor(const std::optional<std::string>& environment,
                                         std::string_view dllName, std::string_view processorName) {
  std::string dll(dllName);
  std::string name(processorName);
  if (!::AddPrintProcessorA(nullptr, Text(environment), Text(dll), Text(name)))
    return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::DeletePrintProcessor(const std::optional<std::string>& environment,
                                            std::string_view processorName) {
  // Looked up at run time: not every 9x spooler library is known to export it.
  using DeleteProcessor = BOOL WINAPI(LPSTR, LPSTR, LPSTR);
  auto* deleteProcessor = FindSystemProc<DeleteProcessor>("winspool.drv", "DeletePrintProcessorA");
  if (deleteProcessor == nullptr) return kErrorProcNotFound;
  std::string name(processorName);
  if (HostIsWine()) return DeleteProcessorRegistrationOnWine(environment, name);
  if (!deleteProcessor(nullptr, Text(environment), Text(name))) return LastFailure();
  return kErrorSuccess;
}

uint32_t Win32Spooler::EnumPrintProcessors(const std::optional<std::string>& environment,
                                           std::vector<std::string>* processorNames) {
  return ReadNames<PRINTPROCESSOR_INFO_1A>(
      [&](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPrintProcessorsA(nullptr, Text(environment), 1, buffer, size, needed,
                                      returned);
      },
      processorNames);
}

uint32_t Win32Spooler::EnumPorts(std::vector<std::string>* portNames) {
  return ReadNames<PORT_INFO_1A>(
      [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
        return ::EnumPortsA(nullptr, 1, buffer, size, needed, returned);
      },
      portNames);
}

uint32_t Win32Spooler::GetPrinterDriverDirectory(std::string* directory) {
  return ReadDirectory(::GetPrinterDriverDirectoryA, directory);
}

uint32_t Win32Spooler::GetPrintProcessorDirectory(std::string* directory) {
  return ReadDirectory(::GetPrintProcessorDirectoryA, directory);
}

uint32_t Win32Spooler::SetDefaultPrinter(std::string_view printerName) {
  // Windows 2000 and later only.
  using SetDefault = BOOL WINAPI(LPCSTR);
  auto* setDefault = FindSystemProc<SetDefault>("winspool.drv", "SetDefaultPrinterA");
  if (setDefault == nullptr) return kErrorProcNotFound;
  std::string name(printerName);
  if (!setDefault(name.c_str())) return LastFailure();
  return kErrorSuccess;
}

}  // namespace kv

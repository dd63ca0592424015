#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

inline constexpr uint32_t kPrinterAttributeDefault = 0x00000004;
inline constexpr uint32_t kPrinterAttributeLocal = 0x00000040;

// DRIVER_INFO_3. An absent environment means the local one.
struct DriverInfo3 {
  uint32_t version = 0;
  std::string name;
  std::optional<std::string> environment;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::vector<std::string> dependentFiles;
  std::optional<std::string> monitorName;
  std::optional<std::string> defaultDataType;
};

// PRINTER_INFO_2; absent texts are null pointers on the real API.
struct PrinterInfo2 {
  std::string serverName;
  std::string printerName;
  std::string shareName;
  std::string portName;
  std::string driverName;
  std::string comment;
  std::string location;
  std::string sepFile;
  std::string printProcessor;
  std::string datatype;
  std::string parameters;
  uint32_t attributes = 0;
  uint32_t priority = 0;
  uint32_t defaultPriority = 0;
  uint32_t startTime = 0;
  uint32_t untilTime = 0;
  uint32_t status = 0;
  uint32_t jobs = 0;
  uint32_t averagePpm = 0;
};

// PRINTER_INFO_5.
struct PrinterInfo5 {
  std::string printerName;
  std::string portName;
  uint32_t attributes = 0;
  uint32_t deviceNotSelectedTimeout = 0;
  uint32_t transmissionRetryTimeout = 0;
};

// MONITOR_INFO_2.
struct MonitorInfo2 {
  std::string name;
  std::optional<std::string> environment;
  std::string dllName;
};

// A printer opened with OpenPrinter; 0 is none.
using OpenPrinterHandle = uintptr_t;

// DRIVER_INFO_1/2 as enumerated: enough to find a driver and its environment.
struct DriverEntry {
  uint32_t version = 0;
  std::string name;
  std::string environment;
  std::string driverPath;
};

// The spooler environments the programs name: that of Windows 95, 98 and Me,
// and the NT family's for 32-bit and for 64-bit programs.
inline constexpr std::string_view kNinetyFiveEnvironment = "Windows 4.0";
inline constexpr std::string_view kNtX86Environment = "Windows NT x86";
inline constexpr std::string_view kX64Environment = "Windows x64";

// The print spooler of the local machine. Results are Windows error numbers
// (0 = success); out-parameters are untouched on failure. Environments are
// optional: absent means the local one (NtEnvironment(), or "Windows 4.0" on
// the 9x platform).
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Spooler {
 public:
  virtual ~Spooler() = default;

  // The environment of the calling program's architecture on the NT family,
  // where the spooler keeps its drivers and processors: "Windows NT x86" for
  // a 32-bit program, "Windows x64" for a 64-bit one (also under Wine).
  virtual std::string NtEnvironment() const = 0;

  // Adds the printer and closes the handle the spooler returns.
  virtual uint32_t AddPrinter(const PrinterInfo2& info) = 0;
  virtual uint32_t DeletePrinter(std::string_view printerName) = 0;
  virtual uint32_t GetPrinter(std::string_view printerName, PrinterInfo2* info) = 0;
  virtual uint32_t SetPrinter(std::string_view printerName, const PrinterInfo2& info) = 0;
  virtual uint32_t EnumPrinters(std::vector<PrinterInfo2>* printers) = 0;
  virtual uint32_t EnumPrinters(std::vector<PrinterInfo5>* printers) = 0;

  // One printer held open with PRINTER_ALL_ACCESS, for callers that must tell
  // a printer that does not open from one that cannot be queried. The handle
  // is closed by the caller on every path.
  virtual uint32_t OpenPrinterAllAccess(std::string_view printerName,
                                        OpenPrinterHandle* printer) = 0;
  // GetPrinterA level 2: the size probe, then the read into a buffer of the
  // reported size. kErrorNotEnoughMemory when that buffer cannot be had.
  virtual uint32_t QueryPrinter(OpenPrinterHandle printer, PrinterInfo2* info) = 0;
  virtual uint32_t DeleteOpenPrinter(OpenPrinterHandle printer) = 0;
  virtual uint32_t ClosePrinter(OpenPrinterHandle printer) = 0;

  virtual uint32_t AddPrinterDriver(const DriverInfo3& info) = 0;
  // Deletes the driver's record and those of its files no other driver of
  // the environment uses (DeletePrinterDriverExA, Windows 2000 and later).
  // Where the spooler lacks that call (Windows 98, NT 4.0) the record goes
  // and the files stay (DeletePrinterDriverA). A driver a printer uses stays.
  virtual uint32_t DeletePrinterDriverAndUnusedFiles(const std::optional<std::string>& environment,
                                                     std::string_view driverName) = 0;
  virtual uint32_t EnumPrinterDrivers(const std::optional<std::string>& environment,
                                      std::vector<DriverEntry>* drivers) = 0;

  virtual uint32_t AddMonitor(const MonitorInfo2& info) = 0;
  virtual uint32_t DeleteMonitor(const std::optional<std::string>& environment,
                                 std::string_view monitorName) = 0;
  virtual uint32_t EnumMonitors(std::vector<std::string>* monitorNames) = 0;

  virtual uint32_t AddPrintProcessor(const std::optional<std::string>& environment,
                                     std::string_view dllName, std::string_view processorName) = 0;
  virtual uint32_t DeletePrintProcessor(const std::optional<std::string>& environment,
                                        std::string_view processorName) = 0;
  virtual uint32_t EnumPrintProcessors(const std::optional<std::string>& environment,
                                       std::vector<std::string>* processorNames) = 0;

  virtual uint32_t EnumPorts(std::vector<std::string>* portNames) = 0;

  virtual uint32_t GetPrinterDriverDirectory(std::string* directory) = 0;
  virtual uint32_t GetPrintProcessorDirectory(std::string* directory) = 0;

  // SetDefaultPrinterA, which only Windows 2000 and later have:
  // kErrorProcNotFound when the spooler library lacks it.
  virtual uint32_t SetDefaultPrinter(std::string_view printerName) = 0;
};

}  // namespace kv

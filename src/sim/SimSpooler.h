#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Spooler.h"
#include "sim/Faults.h"
#include "sim/SimFiles.h"
#include "sim/SimProfiles.h"
#include "sim/SimRegistry.h"
#include "sim/SimServices.h"
#include "sim/SimSystem.h"

namespace kv::sim {

inline constexpr const char* kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors";
// RPC_S_SERVER_UNAVAILABLE: what spooler calls give while the service is down.
inline constexpr uint32_t kErrorSpoolerUnavailable = 1722;

struct SimPrinter {
  PrinterInfo2 info;
};

struct SimDriver {
  std::string environment;
  DriverInfo3 info;
};

struct SimMonitor {
  std::string name;
  std::string environment;
  std::string dllName;
};

struct SimProcessor {
  std::string environment;
  std::string name;
  std::string dllName;
};

// The print spooler as Windows (not Wine) behaves: duplicate names, unknown
// drivers, processors and ports, and components in use are refused with the
// documented errors. It keeps the registry records Windows keeps for monitors
// and processors, and while the Spooler service runs it holds the monitor and
// processor DLLs open.
class SimSpooler : public Spooler {
 public:
  SimSpooler(Faults& faults, SimFiles& files, SimRegistry& registry, SimServices& services,
             SimSystem& system, SimProfiles& profiles);

  // Arrangement.
  // The ports a monitor DLL provides once added (asked each time ports are listed).
  void SetMonitorPorts(const std::string& dllName, std::function<std::vector<std::string>()> ports);
  void SetJobCount(const std::string& printerName, uint32_t jobs);
  void SetHasSetDefaultPrinter(bool has) { hasSetDefaultPrinter_ = has; }
  void SetHasDeletePrinterDriverEx(bool has) { hasDeletePrinterDriverEx_ = has; }
  // The calling program is a 64-bit one: on the NT family its environment is
  // "Windows x64", with drivers and processors in the "x64" directories.
  void SetSixtyFourBitProgram(bool sixtyFourBit) { sixtyFourBit_ = sixtyFourBit; }

  // Inspection.
  const SimPrinter* FindPrinter(std::string_view name) const;
  const SimDriver* FindDriver(std::string_view name) const;
  const SimMonitor* FindMonitor(std::string_view name) const;
  const SimProcessor* FindProcessor(std::string_view name) const;
  const std::vector<SimPrinter>& printers() const { return printers_; }
  const std::string& defaultPrinter() const { return defaultPrinter_; }
  size_t OpenPrinterCount() const { return openPrinters_.size(); }
  std::string LocalEnvironment() const;
  std::string DriverDirectory() const;
  std::string ProcessorDirectory() const;
  // Marks the DLLs of added monitors and processors as held while the
  // service runs; called when the service changes state.
  void UpdateHeldFiles();

  // Spooler.
  std::string NtEnvironment() const override;
  uint32_t AddPrinter(const PrinterInfo2& info) override;
  uint32_t DeletePrinter(std::string_view printerName) override;
  uint32_t GetPrinter(std::string_view printerName, PrinterInfo2* info) override;
  uint32_t SetPrinter(std::string_view printerName, const PrinterInfo2& info) override;
  uint32_t EnumPrinters(std::vector<PrinterInfo2>* printers) override;
  uint32_t EnumPrinters(std::vector<PrinterInfo5>* printers) override;
  uint32_t OpenPrinterAllAccess(std::string_view printerName, OpenPrinterHandle* printer) override;
  uint32_t QueryPrinter(OpenPrinterHandle printer, PrinterInfo2* info) override;
  uint32_t DeleteOpenPrinter(OpenPrinterHandle printer) override;
  uint32_t ClosePrinter(OpenPrinterHandle printer) override;
  uint32_t AddPrinterDriver(const DriverInfo3& info) override;
  uint32_t DeletePrinterDriverAndUnusedFiles(const std::optional<std::string>& environment,
                                             std::string_view driverName) override;
  uint32_t EnumPrinterDrivers(const std::optional<std::string>& environment,
                              std::vector<DriverEntry>* drivers) override;
  uint32_t AddMonitor(const MonitorInfo2& info) override;
  uint32_t DeleteMonitor(const std::optional<std::string>& environment,
                         std::string_view monitorName) override;
  uint32_t EnumMonitors(std::vector<std::string>* monitorNames) override;
  uint32_t AddPrintProcessor(const std::optional<std::string>& environment,
                             std::string_view dllName, std::string_view processorName) override;
  uint32_t DeletePrintProcessor(const std::optional<std::string>& environment,
                                std::string_view processorName) override;
  uint32_t EnumPrintProcessors(const std::optional<std::string>& environment,
                               std::vector<std::string>* processorNames) override;
  uint32_t EnumPorts(std::vector<std::string>* portNames) override;
  uint32_t GetPrinterDriverDirectory(std::string* directory) override;
  uint32_t GetPrintProcessorDirectory(std::string* directory) override;
  uint32_t SetDefaultPrinter(std::string_view printerName) override;

 private:
  bool Available() const;  // the service runs (always on the 9x platform)
  bool IsNinetyFive() const;
  std::string Environment(const std::optional<std::string>& environment) const;
  bool KnownEnvironment(const std::string& environment) const;
  std::vector<std::string> Ports() const;
  std::string ProcessorKey(const std::string& environment, std::string_view name) const;
  SimPrinter* MutablePrinter(std::string_view name);
  // The default printer lives in the profile's "windows" section as
  // "name,winspool,port", where programs of every age look for it.
  void SetDefault(const std::string& name);

  bool sixtyFourBit_ = false;
  Faults& faults_;
  SimFiles& files_;
  SimRegistry& registry_;
  SimServices& services_;
  SimSystem& system_;
  SimProfiles& profiles_;
  std::vector<SimPrinter> printers_;
  std::vector<SimDriver> drivers_;
  std::vector<SimMonitor> monitors_;
  std::vector<SimProcessor> processors_;
  std::map<std::string, std::function<std::vector<std::string>()>> monitorPorts_;
  std::string defaultPrinter_;
  std::map<OpenPrinterHandle, std::string> openPrinters_;  // handle -> printer name
  OpenPrinterHandle nextPrinterHandle_ = 0x2000;
  bool hasSetDefaultPrinter_ = true;
  bool hasDeletePrinterDriverEx_ = true;
};

}  // namespace kv::sim

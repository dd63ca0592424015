#include "sim/SimSpooler.h"

#include <algorithm>

#include "platform/Errors.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

constexpr const char* kLocalPortMonitor = "Local Port";
constexpr const char* kLocalPorts[] = {
    "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:", "FILE:"};
constexpr const char* kSystemProcessor = "WinPrint";

// `nameOf` gives a reference: a copy per item would cost more than the search.
template <typename T, typename Name>
auto FindByName(std::vector<T>& items, std::string_view name, Name nameOf) {
  return std::find_if(items.begin(), items.end(),
                      [&](const T& item) { return EqualsIgnoreCase(nameOf(item), name); });
}

PrinterInfo5 ToLevel5(const PrinterInfo2& info) {
  PrinterInfo5 level5;
  level5.printerName = info.printerName;
  level5.portName = info.portName;
  level5.attributes = info.attributes;
  level5.deviceNotSelectedTimeout = 15000;
  level5.transmissionRetryTimeout = 45000;
  return level5;
}

}  // namespace

SimSpooler::SimSpooler(Faults& faults, SimFiles& files, SimRegistry& registry,
                       SimServices& services, SimSystem& system, SimProfiles& profiles)
    : faults_(faults),
      files_(files),
      registry_(registry),
      services_(services),
      system_(system),
      profiles_(profiles) {}

void SimSpooler::SetDefault(const std::string& name) {
  defaultPrinter_ = name;
  const SimPrinter* printer = FindPrinter(name);
  profiles_.WriteProfileString("windows", "device",
                               printer ? name + ",winspool," + printer->info.portName : "");
}

bool SimSpooler::IsNinetyFive() const {
  OsVersionInfo version;
  return system_.GetVersion(&version) && version.platformId == kPlatformWindows;
}

bool SimSpooler::Available() const {
  return IsNinetyFive() || services_.service("Spooler").state == kServiceRunning;
}

std::string SimSpooler::NtEnvironment() const {
  return std::string(sixtyFourBit_ ? kX64Environment : kNtX86Environment);
}

std::string SimSpooler::LocalEnvironment() const {
  return IsNinetyFive() ? std::string(kNinetyFiveEnvironment) : NtEnvironment();
}

std::string SimSpooler::Environment(const std::optional<std::string>& environment) const {
  return environment && !environment->empty() ? *environment : LocalEnvironment();
}

bool SimSpooler::KnownEnvironment(const std::string& environment) const {
  return EqualsIgnoreCase(environment, kNtX86Environment) ||
         EqualsIgnoreCase(environment, kNinetyFiveEnvironment) ||
         (sixtyFourBit_ && EqualsIgnoreCase(environment, kX64Environment));
}

std::string SimSpooler::DriverDirectory() const {
  if (IsNinetyFive()) return files_.systemDirectory();
  return files_.systemDirectory() +
         (sixtyFourBit_ ? "\\spool\\drivers\\x64" : "\\spool\\drivers\\w32x86");
}

std::string SimSpooler::ProcessorDirectory() const {
  if (IsNinetyFive()) return files_.systemDirectory();
  return files_.systemDirectory() +
         (sixtyFourBit_ ? "\\spool\\prtprocs\\x64" : "\\spool\\prtprocs\\w32x86");
}

std::string SimSpooler::ProcessorKey(const std::string& environment, std::string_view name) const {
  return "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\" + environment +
         "\\Print Processors\\" + std::string(name);
}

void SimSpooler::SetMonitorPorts(const std::string& dllName,
                                 std::function<std::vector<std::string>()> ports) {
  monitorPorts_[LowerAscii(dllName)] = std::move(ports);
}

void SimSpooler::SetJobCount(const std::string& printerName, uint32_t jobs) {
  if (SimPrinter* printer = MutablePrinter(printerName)) printer->info.jobs = jobs;
}

SimPrinter* SimSpooler::MutablePrinter(std::string_view name) {
  auto it = FindByName(printers_, name, [](const SimPrinter& p) -> const std::string& {
    return p.info.printerName;
  });
  return it == printers_.end() ? nullptr : &*it;
}

const SimPrinter* SimSpooler::FindPrinter(std::string_view name) const {
  return const_cast<SimSpooler*>(this)->MutablePrinter(name);
}

const SimDriver* SimSpooler::FindDriver(std::string_view name) const {
  auto& drivers = const_cast<std::vector<SimDriver>&>(drivers_);
  auto it = FindByName(drivers, name,
                       [](const SimDriver& d) -> const std::string& { return d.info.name; });
  return it == drivers.end() ? nullptr : &*it;
}

const SimMonitor* SimSpooler::FindMonitor(std::string_view name) const {
  auto& monitors = const_cast<std::vector<SimMonitor>&>(monitors_);
  auto it =
      FindByName(monitors, name, [](const SimMonitor& m) -> const std::string& { return m.name; });
  return it == monitors.end() ? nullptr : &*it;
}

const SimProcessor* SimSpooler::FindProcessor(std::string_view name) const {
  auto& processors = const_cast<std::vector<SimProcessor>&>(processors_);
  auto it = FindByName(processors, name,
                       [](const SimProcessor& p) -> const std::string& { return p.name; });
  return it == processors.end() ? nullptr : &*it;
}

void SimSpooler::UpdateHeldFiles() {
  bool held = !IsNinetyFive() && services_.service("Spooler").state == kServiceRunning;
  for (const auto& monitor : monitors_) {
    if (SimFile* file = files_.Find(files_.systemDirectory() + "\\" + monitor.dllName)) {
      file->heldBySpooler = held;
    }
  }
  for (const auto& processor : processors_) {
    if (SimFile* file = files_.Find(ProcessorDirectory() + "\\" + processor.dllName)) {
      file->heldBySpooler = held;
    }
  }
}

std::vector<std::string> SimSpooler::Ports() const {
  std::vector<std::string> ports(std::begin(kLocalPorts), std::end(kLocalPorts));
  for (const auto& monitor : monitors_) {
    auto it = monitorPorts_.find(LowerAscii(monitor.dllName));
    if (it == monitorPorts_.end()) continue;
    for (auto& port : it->second()) ports.push_back(port);
  }
  return ports;
}

uint32_t SimSpooler::AddPrinter(const PrinterInfo2& info) {
  if (uint32_t e = faults_.Check(Call::AddPrinter)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  if (info.printerName.empty() || info.printerName.find_first_of("\\,") != std::string::npos) {
    return kErrorInvalidPrinterName;
  }
  if (info.portName.empty() || info.driverName.empty() || info.printProcessor.empty()) {
    return kErrorInvalidParameter;
  }
  if (FindPrinter(info.printerName)) return kErrorPrinterAlreadyExists;
  auto driver = std::find_if(drivers_.begin(), drivers_.end(), [&](const SimDriver& d) {
    return EqualsIgnoreCase(d.info.name, info.driverName) &&
           EqualsIgnoreCase(d.environment, LocalEnvironment());
  });
  if (driver == drivers_.end()) return kErrorUnknownPrinterDriver;
  if (!EqualsIgnoreCase(info.printProcessor, kSystemProcessor) &&
      !FindProcessor(info.printProcessor)) {
    return kErrorUnknownPrintProcessor;
  }
  auto ports = Ports();
  if (std::none_of(ports.begin(), ports.end(),
                   [&](const std::string& p) { return EqualsIgnoreCase(p, info.portName); })) {
    return kErrorUnknownPort;
  }
  SimPrinter printer{info};
  printer.info.attributes |= kPrinterAttributeLocal;
  printer.info.attributes &= ~kPrinterAttributeDefault;
  printer.info.jobs = 0;
  printer.info.status = 0;
  printers_.push_back(std::move(printer));
  return kErrorSuccess;
}

uint32_t SimSpooler::DeletePrinter(std::string_view printerName) {
  if (uint32_t e = faults_.Check(Call::DeletePrinter)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  auto it = FindByName(printers_, printerName, [](const SimPrinter& p) -> const std::string& {
    return p.info.printerName;
  });
  if (it == printers_.end()) return kErrorInvalidPrinterName;
  bool wasDefault = EqualsIgnoreCase(defaultPrinter_, printerName);
  printers_.erase(it);
  if (wasDefault) SetDefault("");
  return kErrorSuccess;
}

uint32_t SimSpooler::GetPrinter(std::string_view printerName, PrinterInfo2* info) {
  if (uint32_t e = faults_.Check(Call::GetPrinter)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  const SimPrinter* printer = FindPrinter(printerName);
  if (!printer) return kErrorInvalidPrinterName;
  *info = printer->info;
  if (EqualsIgnoreCase(defaultPrinter_, printerName)) info->attributes |= kPrinterAttributeDefault;
  return kErrorSuccess;
}

uint32_t SimSpooler::SetPrinter(std::string_view printerName, const PrinterInfo2& info) {
  if (uint32_t e = faults_.Check(Call::SetPrinter)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  SimPrinter* printer = MutablePrinter(printerName);
  if (!printer) return kErrorInvalidPrinterName;
  uint32_t jobs = printer->info.jobs;
  std::string name = printer->info.printerName;
  printer->info = info;
  printer->info.printerName = name;
  printer->info.jobs = jobs;
  if (info.attributes & kPrinterAttributeDefault) SetDefault(name);
  printer->info.attributes &= ~kPrinterAttributeDefault;
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumPrinters(std::vector<PrinterInfo2>* printers) {
  if (uint32_t e = faults_.Check(Call::EnumPrinters)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::vector<PrinterInfo2> list;
  for (const auto& printer : printers_) {
    list.push_back(printer.info);
    if (EqualsIgnoreCase(defaultPrinter_, printer.info.printerName)) {
      list.back().attributes |= kPrinterAttributeDefault;
    }
  }
  *printers = std::move(list);
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumPrinters(std::vector<PrinterInfo5>* printers) {
  std::vector<PrinterInfo2> level2;
  if (uint32_t e = EnumPrinters(&level2)) return e;
  std::vector<PrinterInfo5> list;
  for (const auto& info : level2) list.push_back(ToLevel5(info));
  *printers = std::move(list);
  return kErrorSuccess;
}

uint32_t SimSpooler::OpenPrinterAllAccess(std::string_view printerName,
                                          OpenPrinterHandle* printer) {
  if (uint32_t e = faults_.Check(Call::OpenPrinter)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  const SimPrinter* found = FindPrinter(printerName);
  if (!found) return kErrorInvalidPrinterName;
  *printer = nextPrinterHandle_++;
  openPrinters_[*printer] = found->info.printerName;
  return kErrorSuccess;
}

uint32_t SimSpooler::QueryPrinter(OpenPrinterHandle printer, PrinterInfo2* info) {
  if (uint32_t e = faults_.Check(Call::QueryPrinter)) return e;
  auto it = openPrinters_.find(printer);
  if (it == openPrinters_.end()) return kErrorInvalidHandle;
  if (!Available()) return kErrorSpoolerUnavailable;
  const SimPrinter* found = FindPrinter(it->second);
  if (!found) return kErrorInvalidPrinterName;
  *info = found->info;
  if (EqualsIgnoreCase(defaultPrinter_, it->second)) info->attributes |= kPrinterAttributeDefault;
  return kErrorSuccess;
}

uint32_t SimSpooler::DeleteOpenPrinter(OpenPrinterHandle printer) {
  if (uint32_t e = faults_.Check(Call::DeleteOpenPrinter)) return e;
  auto it = openPrinters_.find(printer);
  if (it == openPrinters_.end()) return kErrorInvalidHandle;
  return DeletePrinter(it->second);
}

uint32_t SimSpooler::ClosePrinter(OpenPrinterHandle printer) {
  if (uint32_t e = faults_.Check(Call::ClosePrinter)) {
    // A failed close still releases the handle, as ClosePrinter does.
    openPrinters_.erase(printer);
    return e;
  }
  return openPrinters_.erase(printer) ? kErrorSuccess : kErrorInvalidHandle;
}

uint32_t SimSpooler::AddPrinterDriver(const DriverInfo3& info) {
  if (uint32_t e = faults_.Check(Call::AddPrinterDriver)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::string environment = Environment(info.environment);
  if (!KnownEnvironment(environment)) return kErrorInvalidEnvironment;
  if (info.name.empty() || info.driverPath.empty() || info.dataFile.empty() ||
      info.configFile.empty()) {
    return kErrorInvalidParameter;
  }
  std::string source = DriverDirectory();
  std::string target =
      info.version == 0 || IsNinetyFive() ? source : source + "\\" + std::to_string(info.version);
  std::vector<std::string> names = {info.driverPath, info.dataFile, info.configFile};
  if (!info.helpFile.empty()) names.push_back(info.helpFile);
  for (const auto& dependent : info.dependentFiles) names.push_back(dependent);
  // Each file must be in the driver directory (it is moved into the version
  // directory) or already in the version directory.
  for (const auto& name : names) {
    if (!files_.Exists(source + "\\" + name) && !files_.Exists(target + "\\" + name)) {
      return kErrorFileNotFound;
    }
  }
  files_.AddDirectory(target);
  for (const auto& name : names) {
    if (files_.Exists(source + "\\" + name) && target != source) {
      if (uint32_t e = files_.CopyFile(source + "\\" + name, target + "\\" + name, false)) {
        return e;
      }
    }
  }
  auto existing = std::find_if(drivers_.begin(), drivers_.end(), [&](const SimDriver& d) {
    return EqualsIgnoreCase(d.info.name, info.name) &&
           EqualsIgnoreCase(d.environment, environment) && d.info.version == info.version;
  });
  SimDriver driver{environment, info};
  if (existing != drivers_.end()) {
    *existing = std::move(driver);
  } else {
    drivers_.push_back(std::move(driver));
  }
  return kErrorSuccess;
}

uint32_t SimSpooler::DeletePrinterDriverAndUnusedFiles(
    const std::optional<std::string>& environment, std::string_view driverName) {
  if (uint32_t e = faults_.Check(Call::DeletePrinterDriverAndUnusedFiles)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  const std::string env = Environment(environment);
  auto it = std::find_if(drivers_.begin(), drivers_.end(), [&](const SimDriver& d) {
    return EqualsIgnoreCase(d.info.name, driverName) && EqualsIgnoreCase(d.environment, env);
  });
  if (it == drivers_.end()) return kErrorUnknownPrinterDriver;
  if (std::any_of(printers_.begin(), printers_.end(), [&](const SimPrinter& p) {
        return EqualsIgnoreCase(p.info.driverName, driverName);
      })) {
    return kErrorPrinterDriverInUse;
  }
  const DriverInfo3 info = it->info;
  drivers_.erase(it);
  if (!hasDeletePrinterDriverEx_) return kErrorSuccess;

  std::string directory = DriverDirectory();
  if (info.version != 0 && !IsNinetyFive()) directory += "\\" + std::to_string(info.version);
  const auto fileNames = [](const DriverInfo3& driver) {
    std::vector<std::string_view> names = {driver.driverPath, driver.dataFile, driver.configFile,
                                           driver.helpFile};
    names.insert(names.end(), driver.dependentFiles.begin(), driver.dependentFiles.end());
    return names;
  };
  for (std::string_view name : fileNames(info)) {
    if (name.empty()) continue;
    const bool usedByOther = std::any_of(drivers_.begin(), drivers_.end(), [&](const SimDriver& d) {
      if (!EqualsIgnoreCase(d.environment, env)) return false;
      const auto others = fileNames(d.info);
      return std::any_of(others.begin(), others.end(),
                         [&](std::string_view other) { return EqualsIgnoreCase(other, name); });
    });
    if (!usedByOther) files_.DeleteFile(directory + "\\" + std::string(name));
  }
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumPrinterDrivers(const std::optional<std::string>& environment,
                                        std::vector<DriverEntry>* drivers) {
  if (uint32_t e = faults_.Check(Call::EnumPrinterDrivers)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::string env = Environment(environment);
  std::vector<DriverEntry> list;
  for (const auto& driver : drivers_) {
    if (!EqualsIgnoreCase(driver.environment, env)) continue;
    list.push_back(
        {driver.info.version, driver.info.name, driver.environment, driver.info.driverPath});
  }
  *drivers = std::move(list);
  return kErrorSuccess;
}

uint32_t SimSpooler::AddMonitor(const MonitorInfo2& info) {
  if (uint32_t e = faults_.Check(Call::AddMonitor)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  if (info.name.empty() || info.dllName.empty()) return kErrorInvalidParameter;
  std::string environment = Environment(info.environment);
  if (!EqualsIgnoreCase(environment, LocalEnvironment())) return kErrorInvalidEnvironment;
  if (FindMonitor(info.name) || EqualsIgnoreCase(info.name, kLocalPortMonitor)) {
    return kErrorPrintMonitorAlreadyInstalled;
  }
  // The spooler loads monitors from the system directory.
  if (!files_.Exists(files_.systemDirectory() + "\\" + info.dllName)) return kErrorModNotFound;
  monitors_.push_back({info.name, environment, info.dllName});
  registry_.SetStringAt(RegRoot::LocalMachine, std::string(kMonitorsKey) + "\\" + info.name,
                        "Driver", info.dllName);
  UpdateHeldFiles();
  return kErrorSuccess;
}

uint32_t SimSpooler::DeleteMonitor(const std::optional<std::string>& environment,
                                   std::string_view monitorName) {
  if (uint32_t e = faults_.Check(Call::DeleteMonitor)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  if (!EqualsIgnoreCase(Environment(environment), LocalEnvironment())) {
    return kErrorInvalidEnvironment;
  }
  auto it = FindByName(monitors_, monitorName,
                       [](const SimMonitor& m) -> const std::string& { return m.name; });
  if (it == monitors_.end()) return kErrorUnknownPrintMonitor;
  auto provided = monitorPorts_.find(LowerAscii(it->dllName));
  if (provided != monitorPorts_.end()) {
    for (const auto& port : provided->second()) {
      for (const auto& printer : printers_) {
        if (EqualsIgnoreCase(printer.info.portName, port)) return kErrorPrintMonitorInUse;
      }
    }
  }
  if (SimFile* file = files_.Find(files_.systemDirectory() + "\\" + it->dllName)) {
    file->heldBySpooler = false;
  }
  registry_.DeleteKeyTree(RegRoot::LocalMachine, std::string(kMonitorsKey) + "\\" + it->name);
  monitors_.erase(it);
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumMonitors(std::vector<std::string>* monitorNames) {
  if (uint32_t e = faults_.Check(Call::EnumMonitors)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::vector<std::string> names = {kLocalPortMonitor};
  for (const auto& monitor : monitors_) names.push_back(monitor.name);
  *monitorNames = std::move(names);
  return kErrorSuccess;
}

uint32_t SimSpooler::AddPrintProcessor(const std::optional<std::string>& environment,
                                       std::string_view dllName, std::string_view processorName) {
  if (uint32_t e = faults_.Check(Call::AddPrintProcessor)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::string env = Environment(environment);
  if (!KnownEnvironment(env)) return kErrorInvalidEnvironment;
  if (processorName.empty() || dllName.empty()) return kErrorInvalidParameter;
  if (FindProcessor(processorName) || EqualsIgnoreCase(processorName, kSystemProcessor)) {
    return kErrorPrintProcessorAlreadyInstalled;
  }
  if (!files_.Exists(ProcessorDirectory() + "\\" + std::string(dllName))) {
    return kErrorFileNotFound;
  }
  processors_.push_back({env, std::string(processorName), std::string(dllName)});
  if (!IsNinetyFive()) {
    registry_.SetStringAt(RegRoot::LocalMachine, ProcessorKey(env, processorName), "Driver",
                          dllName);
  }
  UpdateHeldFiles();
  return kErrorSuccess;
}

uint32_t SimSpooler::DeletePrintProcessor(const std::optional<std::string>& environment,
                                          std::string_view processorName) {
  if (uint32_t e = faults_.Check(Call::DeletePrintProcessor)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::string env = Environment(environment);
  auto it = FindByName(processors_, processorName,
                       [](const SimProcessor& p) -> const std::string& { return p.name; });
  if (it == processors_.end()) return kErrorUnknownPrintProcessor;
  if (SimFile* file = files_.Find(ProcessorDirectory() + "\\" + it->dllName)) {
    file->heldBySpooler = false;
  }
  registry_.DeleteKeyTree(RegRoot::LocalMachine, ProcessorKey(env, it->name));
  processors_.erase(it);
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumPrintProcessors(const std::optional<std::string>& environment,
                                         std::vector<std::string>* processorNames) {
  if (uint32_t e = faults_.Check(Call::EnumPrintProcessors)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  std::string env = Environment(environment);
  std::vector<std::string> names = {kSystemProcessor};
  for (const auto& processor : processors_) {
    if (EqualsIgnoreCase(processor.environment, env)) names.push_back(processor.name);
  }
  *processorNames = std::move(names);
  return kErrorSuccess;
}

uint32_t SimSpooler::EnumPorts(std::vector<std::string>* portNames) {
  if (uint32_t e = faults_.Check(Call::EnumPorts)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  *portNames = Ports();
  return kErrorSuccess;
}

uint32_t SimSpooler::GetPrinterDriverDirectory(std::string* directory) {
  if (uint32_t e = faults_.Check(Call::GetPrinterDriverDirectory)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  *directory = DriverDirectory();
  return kErrorSuccess;
}

uint32_t SimSpooler::GetPrintProcessorDirectory(std::string* directory) {
  if (uint32_t e = faults_.Check(Call::GetPrintProcessorDirectory)) return e;
  if (!Available()) return kErrorSpoolerUnavailable;
  *directory = ProcessorDirectory();
  return kErrorSuccess;
}

uint32_t SimSpooler::SetDefaultPrinter(std::string_view printerName) {
  if (uint32_t e = faults_.Check(Call::SetDefaultPrinter)) return e;
  if (!hasSetDefaultPrinter_) return kErrorProcNotFound;
  if (!Available()) return kErrorSpoolerUnavailable;
  if (!FindPrinter(printerName)) return kErrorInvalidPrinterName;
  SetDefault(FindPrinter(printerName)->info.printerName);
  return kErrorSuccess;
}

}  // namespace kv::sim

#include "install/SpoolerOperations.h"

#include "common/SetupStrings.h"
#include "common/SpoolerEnvironment.h"
#include "install/DriverFileCopy.h"
#include "platform/Errors.h"

namespace kv {
namespace {

std::string AddPrinterFailure(uint32_t error) {
  return std::string(SetupString(setup_text::kAddPrinterError)) + "er = " + std::to_string(error);
}

}  // namespace

bool InstallPrinterDriver(Machine& machine, const DriverInfo3& driver, std::string& message) {
  const uint32_t error = machine.spooler.AddPrinterDriver(driver);
  if (error == kErrorSuccess) return true;
  message =
      std::string(SetupString(setup_text::kAddDriverError)) + "   er = " + std::to_string(error);
  return false;
}

bool InstallPrinter(Machine& machine, PrinterInfo2& printer, bool unique, std::string& message) {
  uint32_t error = machine.spooler.AddPrinter(printer);
  if (error == kErrorSuccess) return true;
  if (error == kErrorPrinterAlreadyExists && !unique) {
    const std::string base = printer.printerName;
    for (int number = 1; number <= kMaxPrinterNameNumber; ++number) {
      printer.printerName = base + "(" + std::to_string(number) + ")";
      error = machine.spooler.AddPrinter(printer);
      if (error == kErrorSuccess) return true;
      if (error != kErrorPrinterAlreadyExists) break;
    }
  }
  message = error == kErrorPrinterAlreadyExists ? std::string(SetupString(setup_text::kPortFull))
                                                : AddPrinterFailure(error);
  printer.printerName.clear();
  return false;
}

bool InstallMonitor(Machine& machine, const MonitorInfo2& monitor, OsFamily family,
                    std::string& message) {
  if (!IsBareFileName(monitor.dllName)) {
    message = RefusedFileNameMessage(machine.files, monitor.dllName, family);
    return false;
  }
  const uint32_t error = machine.spooler.AddMonitor(monitor);
  if (error == kErrorSuccess || error == kErrorPrintMonitorAlreadyInstalled ||
      error == kErrorAlreadyExists) {
    return true;
  }
  message = std::string(SetupString(setup_text::kAddMonitorError)) +
            " Erro code is:" + std::to_string(error);
  return false;
}

uint32_t RegisterPrintProcessor(Machine& machine, std::string_view processorName,
                                std::string_view dllName, OsFamily family) {
  return machine.spooler.AddPrintProcessor(SpoolerEnvironment(family), dllName, processorName);
}

bool EnumeratePorts(Machine& machine, std::string& message) {
  std::vector<std::string> ports;
  if (machine.spooler.EnumPorts(&ports) == kErrorSuccess) return true;
  message = SetupString(setup_text::kOutOfMemory);
  return false;
}

}  // namespace kv

#include "install/InstalledPrinter.h"

#include <vector>

#include "common/AsciiCase.h"
#include "install/PortMonitorInstall.h"
#include "install/PrintProcessorInstall.h"
#include "platform/Errors.h"

namespace kv {
namespace {

// The spooler lists a printer's ports separated by commas.
bool OnPort(std::string_view ports, std::string_view port) {
  while (!ports.empty()) {
    const size_t comma = ports.find(',');
    std::string_view one = ports.substr(0, comma);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (EqualsIgnoringAsciiCase(one, port)) return true;
    if (comma == std::string_view::npos) break;
    ports.remove_prefix(comma + 1);
  }
  return false;
}

}  // namespace

std::optional<std::string> FindInstalledPrinter(Spooler& spooler, std::string_view driverName,
                                                std::string_view portName) {
  std::vector<PrinterInfo2> printers;
  if (spooler.EnumPrinters(&printers) != kErrorSuccess) return std::nullopt;
  for (const PrinterInfo2& printer : printers) {
    if (EqualsIgnoringAsciiCase(printer.driverName, driverName) &&
        OnPort(printer.portName, portName)) {
      return printer.printerName;
    }
  }
  return std::nullopt;
}

OutdatedComponents TestComponents(Machine& machine, InstallSettings& settings) {
  const ComponentCheck monitors = TestPortMonitors(machine, settings.configuration,
                                                   static_cast<PrinterModule>(settings.moduleIndex),
                                                   settings.osFamily, settings.portName);
  const ComponentCheck processor =
      TestPrintProcessor(machine, settings.osFamily, settings.printerInfo.printProcessor);
  return monitors.outdated | processor.outdated;
}

}  // namespace kv

#include "config/PrinterDefinition.h"

#include "config/DecimalNumber.h"
#include "config/ReadLimits.h"

namespace kv {
namespace {

constexpr uint32_t kAttributesReadLimit = 50;

}  // namespace

PrinterDefinition ReadPrinterDefinition(const SetupConfiguration& configuration,
                                        std::string_view modelName, OsFamily family,
                                        DriverMode mode) {
  const std::string section = DriverSectionName(modelName, family);
  PrinterDefinition printer;
  printer.printerName = std::string(modelName);
  // "DRIVERNAME" is the driver definition's "DriverName": key names ignore case.
  printer.driverName =
      configuration.ReadCurrentModuleValue(section, DriverKey(mode, "DRIVERNAME"), kNameReadLimit);
  printer.printProcessor = configuration.ReadCurrentModuleValue(
      section, DriverKey(mode, "PrintProcessor"), kNameReadLimit);
  printer.attributes = static_cast<uint32_t>(ParseDecimalNumber(
      configuration.ReadCurrentModuleValue(section, "ATTRIBUTES", kAttributesReadLimit)));
  return printer;
}

}  // namespace kv

#include "config/MonitorDefinition.h"

#include "common/SpoolerEnvironment.h"
#include "config/DecimalNumber.h"
#include "config/ReadLimits.h"

namespace kv {
namespace {

constexpr uint32_t kUiFileReadLimit = 50;
constexpr uint32_t kVersionReadLimit = 10;

}  // namespace

std::string MonitorSectionName(OsFamily family) {
  return "COMMON-MONITOR" + std::string(SectionSuffix(family));
}

MonitorDefinition ReadMonitorDefinition(const SetupConfiguration& configuration, OsFamily family) {
  const std::string section = MonitorSectionName(family);
  auto read = [&](std::string_view key, uint32_t limit) {
    return configuration.ReadSetupValue(section, key, limit);
  };
  MonitorDefinition monitors;
  monitors.usbMonitor.name = read("USBMONitorPName", kNameReadLimit);
  monitors.usbMonitor.environment = SpoolerEnvironment(family);
  monitors.usbMonitor.dllName = read("USBMONitorPDLLName", kFileReadLimit);
  monitors.usbMonitorUiFile = read("USBMONitorPUIDLLName", kUiFileReadLimit);
  monitors.usbMonitorVersion = ParseDecimalNumber(read("USBMONitorVersion", kVersionReadLimit));
  monitors.serialMonitor.name = read("COMMONitorPName", kNameReadLimit);
  monitors.serialMonitor.environment = SpoolerEnvironment(family);
  monitors.serialMonitor.dllName = read("COMMONitorPDLLName", kFileReadLimit);
  monitors.serialMonitorUiFile = read("COMMONitorPUIDLLName", kUiFileReadLimit);
  monitors.serialMonitorVersion = ParseDecimalNumber(read("COMMONitorVersion", kVersionReadLimit));
  return monitors;
}

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>

#include "common/OsFamily.h"
#include "config/SetupConfiguration.h"
#include "platform/Spooler.h"

namespace kv {

// The two port monitors of a Windows family, from section "COMMON-MONITOR"
// plus the family's suffix in setup.ini. Each monitor is handed to the
// spooler's add-monitor call as it is. The versions are compared with the
// installed monitor's "DriverVersion" value.
struct MonitorDefinition {
  MonitorInfo2 serialMonitor;  // the KVCOM port monitor
  MonitorInfo2 usbMonitor;
  std::string serialMonitorUiFile;  // cut to 49 characters
  std::string usbMonitorUiFile;     // cut to 49 characters
  int32_t serialMonitorVersion = 0;
  int32_t usbMonitorVersion = 0;
};

// "COMMON-MONITOR" followed by the family's suffix; no suffix outside 0 to 5.
std::string MonitorSectionName(OsFamily family);

MonitorDefinition ReadMonitorDefinition(const SetupConfiguration& configuration, OsFamily family);

}  // namespace kv

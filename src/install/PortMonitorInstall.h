#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "config/PrinterModule.h"
#include "config/SetupConfiguration.h"
#include "install/StepResult.h"
#include "platform/Machine.h"

namespace kv {

// "SYSTEM\CurrentControlSet\Control\Print\Monitors\" + the monitor name.
std::string MonitorKeyPath(std::string_view monitorName);

// Installs the port monitor the chosen port needs when the spooler lacks it:
// the serial monitor for a port name containing "COM" (not on Win98), the USB
// monitor for one containing "USB_" (not on NT4); parallel ports need none.
// An installed monitor is only compared with the configured version. Makes
// `module` the configuration's current module. The outdated monitor is the one
// the installation replaces later (the USB monitor's when both are). Copy
// failures of the serial monitor's files stay pending in `message`, those of
// the USB monitor's are dropped.
ComponentCheck InstallPortMonitors(Machine& machine, SetupConfiguration& configuration,
                                   PrinterModule module, OsFamily family, std::string_view portName,
                                   std::string& message);

// What InstallPortMonitors would find, changing nothing: a monitor the port
// needs that is missing counts as outdated too.
ComponentCheck TestPortMonitors(Machine& machine, SetupConfiguration& configuration,
                                PrinterModule module, OsFamily family, std::string_view portName);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/OsFamily.h"
#include "config/DriverDefinition.h"
#include "config/DriverFileList.h"
#include "config/DriverSection.h"
#include "config/PrinterDefinition.h"
#include "config/SetupConfiguration.h"
#include "install/OutdatedComponents.h"
#include "install/SerialLineSettings.h"

namespace kv {

// The connection of the chosen port, told by its name: "COM" anywhere (the
// maker's KVCOM ports too) is serial, "LPT" parallel, "USB_" the USB monitor's.
enum class PortKind : int32_t { Serial = 0, Parallel = 1, Usb = 2 };

// The wizard's selections and the definitions read for them: one record per
// program run, filled by the Install command and consumed by the installation.
struct InstallSettings {
  explicit InstallSettings(Machine& machine) : configuration(machine) {}

  int32_t moduleIndex = 0;
  OsFamily osFamily = OsFamily::Win98;
  DriverMode driverMode = DriverMode::Standard;
  // The model name on entry; the name the printer was added under afterwards.
  std::string printerName;
  std::string portName;
  // "USB_QTM-C7_" and the port's last character for the ports of that model.
  std::string usbPortName;
  int32_t makeDefault = 0;
  SerialLineSettings serial;
  OutdatedComponents updateFlags = OutdatedComponents::None;
  PortKind portKind = PortKind::Serial;
  SetupConfiguration configuration;
  DriverFileList driverFiles;
  DriverDefinition driverInfo;
  PrinterDefinition printerInfo;
  // Set by the installation: the component files (names without directory)
  // that Windows replaces when it next starts, so that the outcome says so and
  // the Install command asks for the restart.
  std::vector<std::string> replacedAtRestart;
};

}  // namespace kv

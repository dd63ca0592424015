#include "install/DefaultPrinter.h"

#include <string>

#include "platform/Errors.h"

namespace kv {
namespace {

constexpr uint32_t kBroadcastTimeoutMs = 1000;
constexpr std::string_view kWindowsSection = "windows";

bool MarkDefaultAttribute(Machine& machine, std::string_view printerName) {
  PrinterInfo2 info;
  if (machine.spooler.GetPrinter(printerName, &info) != kErrorSuccess) return false;
  info.attributes |= kPrinterAttributeDefault;
  if (machine.spooler.SetPrinter(printerName, info) != kErrorSuccess) return false;
  machine.desktop.BroadcastIniChange(kWindowsSection, kBroadcastTimeoutMs);
  return true;
}

bool WriteDeviceEntry(Machine& machine, std::string_view printerName) {
  PrinterInfo2 info;
  if (machine.spooler.GetPrinter(printerName, &info) != kErrorSuccess) return false;
  if (info.driverName.empty() || info.portName.empty()) return false;
  const std::string device = std::string(printerName) + "," + info.driverName + "," + info.portName;
  if (machine.profiles.WriteProfileString(kWindowsSection, "device", device) != kErrorSuccess) {
    return false;
  }
  machine.desktop.BroadcastIniChange("", kBroadcastTimeoutMs);
  return true;
}

bool SetDefaultThroughSpooler(Machine& machine, std::string_view printerName) {
  if (machine.spooler.SetDefaultPrinter(printerName) != kErrorSuccess) return false;
  machine.desktop.BroadcastIniChange("", kBroadcastTimeoutMs);
  return true;
}

}  // namespace

bool MakeDefaultPrinter(Machine& machine, std::string_view printerName) {
  if (printerName.empty()) return false;
  OsVersionInfo version;
  if (!machine.system.GetVersion(&version)) return true;  // no platform we know
  if (version.platformId == kPlatformWindows) return MarkDefaultAttribute(machine, printerName);
  if (version.platformId == kPlatformNt) {
    if (version.majorVersion < 5) return WriteDeviceEntry(machine, printerName);
    return SetDefaultThroughSpooler(machine, printerName);
  }
  return true;
}

}  // namespace kv

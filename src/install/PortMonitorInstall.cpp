#include "install/PortMonitorInstall.h"

#include "common/RegKey.h"
#include "config/MonitorDefinition.h"
#include "install/DriverFileCopy.h"
#include "install/SpoolerOperations.h"

namespace kv {
namespace {

constexpr std::string_view kMonitorsKey = "SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\";

enum class MonitorState { Current, Outdated, AddFailed };

struct MonitorToInstall {
  MonitorInfo2 info;
  std::string uiFile;
  uint32_t version = 0;
};

// Installed without a readable version, or older than the configured one.
bool IsOutdated(RegKey& key, uint32_t configuredVersion) {
  uint32_t installed = 0;
  return !key.ReadDword("DriverVersion", &installed) || configuredVersion > installed;
}

// Copies a monitor file into the system directory; a file in use is copied
// as "n" + its name instead, which the returned name then carries.
std::string CopyMonitorFile(Machine& machine, const std::string& file, OsFamily family,
                            std::string& message) {
  if (CopyDriverFile(machine, file, CopyTarget::SystemDirectory, family, false, message) !=
      CopyOutcome::InUse) {
    return file;
  }
  CopyDriverFile(machine, file, CopyTarget::SystemDirectory, family, true, message);
  return "n" + file;
}

// `testOnly` changes nothing: a missing monitor counts as outdated.
MonitorState InstallOrTest(Machine& machine, MonitorToInstall monitor, OsFamily family,
                           bool keepCopyMessages, bool testOnly, std::string& message) {
  const std::string keyPath = MonitorKeyPath(monitor.info.name);
  {
    RegKey key(machine.registry);
    if (key.Open(RegRoot::LocalMachine, keyPath)) {
      return IsOutdated(key, monitor.version) ? MonitorState::Outdated : MonitorState::Current;
    }
  }
  if (testOnly) return MonitorState::Outdated;
  // Nothing of a file name with directory parts is used: not the copy, not
  // the spooler's Driver value.
  if (!IsBareFileName(monitor.info.dllName)) {
    message = RefusedFileNameMessage(machine.files, monitor.info.dllName, family);
    return MonitorState::AddFailed;
  }
  std::string discarded;
  std::string& copyMessage = keepCopyMessages ? message : discarded;
  monitor.info.dllName = CopyMonitorFile(machine, monitor.info.dllName, family, copyMessage);
  if (!monitor.uiFile.empty()) {
    CopyDriverFile(machine, monitor.uiFile, CopyTarget::SystemDirectory, family, false,
                   copyMessage);
  }
  if (!InstallMonitor(machine, monitor.info, family, message)) return MonitorState::AddFailed;
  RegKey key(machine.registry);
  if (key.Open(RegRoot::LocalMachine, keyPath)) key.WriteDword("DriverVersion", monitor.version);
  return MonitorState::Current;
}

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

std::string MonitorKeyPath(std::string_view monitorName) {
  return std::string(kMonitorsKey) + std::string(monitorName);
}

namespace {

ComponentCheck InstallOrTestPortMonitors(Machine& machine, SetupConfiguration& configuration,
                                         PrinterModule module, OsFamily family,
                                         std::string_view portName, bool testOnly,
                                         std::string& message) {
  if (Contains(portName, "LPT")) return kComponentsCurrent;
  configuration.SetCurrentModule(module);
  ComponentCheck result;
  const MonitorDefinition definition = ReadMonitorDefinition(configuration, family);

  if (Contains(portName, "COM") && !definition.serialMonitor.dllName.empty() &&
      family != OsFamily::Win98) {
    MonitorToInstall serial{definition.serialMonitor, definition.serialMonitorUiFile,
                            static_cast<uint32_t>(definition.serialMonitorVersion)};
    switch (InstallOrTest(machine, serial, family, true, testOnly, message)) {
      case MonitorState::AddFailed:
        return kComponentFailed;
      case MonitorState::Outdated:
        result.outdated = OutdatedComponents::SerialMonitor;
        break;
      case MonitorState::Current:
        break;
    }
  }
  if (Contains(portName, "USB_") && !definition.usbMonitor.dllName.empty() &&
      family != OsFamily::NT4) {
    MonitorToInstall usb{definition.usbMonitor, definition.usbMonitorUiFile,
                         static_cast<uint32_t>(definition.usbMonitorVersion)};
    switch (InstallOrTest(machine, usb, family, false, testOnly, message)) {
      case MonitorState::AddFailed:
        return kComponentFailed;
      case MonitorState::Outdated:
        result.outdated = OutdatedComponents::UsbMonitor;
        break;
      case MonitorState::Current:
        break;
    }
  }
  return result;
}

}  // namespace

ComponentCheck InstallPortMonitors(Machine& machine, SetupConfiguration& configuration,
                                   PrinterModule module, OsFamily family, std::string_view portName,
                                   std::string& message) {
  return InstallOrTestPortMonitors(machine, configuration, module, family, portName, false,
                                   message);
}

ComponentCheck TestPortMonitors(Machine& machine, SetupConfiguration& configuration,
                                PrinterModule module, OsFamily family, std::string_view portName) {
  std::string unused;
  return InstallOrTestPortMonitors(machine, configuration, module, family, portName, true, unused);
}

}  // namespace kv

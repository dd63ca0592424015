#include "install/ComponentReplacement.h"

#include "common/RegKey.h"
#include "common/SetupStrings.h"
#include "config/MonitorDefinition.h"
#include "install/DriverFileCopy.h"
#include "install/PortMonitorInstall.h"
#include "install/PrintProcessorInstall.h"
#include "install/ReplacementAtRestart.h"
#include "install/StoppedSpooler.h"
#include "platform/Errors.h"

namespace kv {
namespace {

// The size read of a monitor's Driver value, a file name.
constexpr uint32_t kDriverValueSize = 260;

// Records a replaced component in its existing key; a key that does not open
// is left alone, as is a failed write.
void RecordVersion(Registry& registry, const std::string& keyPath, const std::string* driver,
                   uint32_t version) {
  RegKey key(registry);
  if (!key.Open(RegRoot::LocalMachine, keyPath)) return;
  if (driver) key.WriteString("Driver", *driver);
  key.WriteDword("DriverVersion", version);
}

// A monitor that a fresh installation registered under its "n" name (its DLL
// was in use then) goes back to its own name when it is replaced; the "n"
// copy is nobody's afterwards and goes too, at the next start if it is held.
// To be called before the new registration is written.
void RetireNCopy(Machine& machine, const std::string& keyPath, const std::string& dll) {
  std::string registered;
  {
    RegKey key(machine.registry);
    if (!key.Open(RegRoot::LocalMachine, keyPath) ||
        !key.QueryValue("Driver", &registered, kDriverValueSize)) {
      return;
    }
  }
  registered = registered.substr(0, registered.find('\0'));
  std::string system;
  if (!SameFileName(registered, "n" + dll) ||
      machine.files.GetSystemDirectory(&system) != kErrorSuccess) {
    return;
  }
  const std::string path = system + "\\" + registered;
  const uint32_t error = machine.files.DeleteFile(path);
  if (error == kErrorSharingViolation || error == kErrorAccessDenied) {
    machine.files.DeleteAtRestart(path);
  }
}

// The print processor DLL copied straight from the medium into the processor
// directory; unlike CopyDriverFile it skips no name.
CopyOutcome CopyProcessorWithSpoolerStopped(Machine& machine, const InstallSettings& s,
                                            const std::string& processorDirectory,
                                            std::string& message) {
  const std::string& name = s.driverFiles.processorDLLName;
  std::string current;
  if (machine.files.GetCurrentDirectory(&current) != kErrorSuccess) {
    message = SetupString(setup_text::kNoCurrentDirectory);
    return CopyOutcome::Failed;
  }
  const std::string source = current + std::string(DriverDirectoryName(s.osFamily)) + name;
  if (!IsBareFileName(name)) {
    message = RefusedFileNameMessage(machine.files, name, s.osFamily);
    return CopyOutcome::Failed;
  }
  uint32_t error = machine.files.CopyFile(source, processorDirectory + "\\" + name, false);
  if (error == kErrorSuccess) return CopyOutcome::Copied;
  if (error == kErrorSharingViolation || error == kErrorAccessDenied) return CopyOutcome::InUse;
  message = std::string(SetupString(setup_text::kCopyError)) + source;
  return CopyOutcome::Failed;
}

bool ReplaceOnNt(Machine& machine, InstallSettings& s, uint32_t processorVersion,
                 std::string& message) {
  std::string processorDirectory;
  if (HasAny(s.updateFlags, OutdatedComponents::PrintProcessor) &&
      machine.spooler.GetPrintProcessorDirectory(&processorDirectory) != kErrorSuccess) {
    message = SetupString(setup_text::kNoProcessorDirectory);
    return false;
  }
  StoppedSpooler stopped(machine.services, machine.clock, s.osFamily);
  const MonitorDefinition monitors = ReadMonitorDefinition(s.configuration, s.osFamily);

  // A DLL still held with the spooler stopped is replaced at the next start
  // and registered with its new version now.
  auto replaceHeld = [&](const std::string& dll, const std::string& directory) {
    if (!ReplaceAtNextStart(machine, dll, directory, s.osFamily, message)) return false;
    s.replacedAtRestart.push_back(dll);
    return true;
  };
  if (HasAny(s.updateFlags, OutdatedComponents::SerialMonitor | OutdatedComponents::UsbMonitor)) {
    const bool serial = HasAny(s.updateFlags, OutdatedComponents::SerialMonitor);
    const MonitorInfo2& monitor = serial ? monitors.serialMonitor : monitors.usbMonitor;
    const uint32_t version =
        static_cast<uint32_t>(serial ? monitors.serialMonitorVersion : monitors.usbMonitorVersion);
    const CopyOutcome copied = CopyDriverFile(machine, monitor.dllName, CopyTarget::SystemDirectory,
                                              s.osFamily, false, message);
    if (FailurePending(message)) return false;
    if (copied == CopyOutcome::InUse) {
      std::string systemDirectory;
      if (!FindCopyTargetDirectory(machine, CopyTarget::SystemDirectory, &systemDirectory,
                                   message) ||
          !replaceHeld(monitor.dllName, systemDirectory)) {
        return false;
      }
    }
    if (copied == CopyOutcome::Copied || copied == CopyOutcome::InUse) {
      const std::string keyPath = MonitorKeyPath(monitor.name);
      RetireNCopy(machine, keyPath, monitor.dllName);
      RecordVersion(machine.registry, keyPath, &monitor.dllName, version);
    }
  } else {
    const CopyOutcome copied =
        CopyProcessorWithSpoolerStopped(machine, s, processorDirectory, message);
    if (copied == CopyOutcome::Failed) return false;
    if (copied == CopyOutcome::InUse &&
        !replaceHeld(s.driverFiles.processorDLLName, processorDirectory)) {
      return false;
    }
    RecordVersion(machine.registry,
                  PrintProcessorKeyPath(machine.spooler, s.osFamily, s.printerInfo.printProcessor),
                  nullptr, processorVersion);
  }
  return stopped.Restart(message);
}

// Copies a DLL that may be in use, under its "n" name if so. The name to
// register, or empty when nothing was copied; false when both names are in use.
bool CopyBesideLoadedDll(Machine& machine, const std::string& dll, CopyTarget target,
                         std::string& registered, std::string& message) {
  registered.clear();
  CopyOutcome copied = CopyDriverFile(machine, dll, target, OsFamily::Win98, false, message);
  if (copied == CopyOutcome::InUse) {
    copied = CopyDriverFile(machine, dll, target, OsFamily::Win98, true, message);
    if (copied == CopyOutcome::InUse) {
      message = SetupString(setup_text::kFatalError);
      return false;
    }
    if (copied == CopyOutcome::Copied) registered = "n" + dll;
  } else if (copied == CopyOutcome::Copied) {
    registered = dll;
  }
  return true;
}

bool ReplaceOnWin98(Machine& machine, InstallSettings& s, uint32_t processorVersion,
                    std::string& message) {
  std::string keyPath, dll;
  CopyTarget target;
  uint32_t version;
  if (HasAny(s.updateFlags, OutdatedComponents::UsbMonitor)) {
    const MonitorDefinition monitors = ReadMonitorDefinition(s.configuration, s.osFamily);
    keyPath = MonitorKeyPath(monitors.usbMonitor.name);
    dll = monitors.usbMonitor.dllName;
    target = CopyTarget::SystemDirectory;
    version = static_cast<uint32_t>(monitors.usbMonitorVersion);
  } else if (HasAny(s.updateFlags, OutdatedComponents::PrintProcessor)) {
    keyPath = PrintProcessorKeyPath(machine.spooler, OsFamily::Win98, s.printerInfo.printProcessor);
    dll = s.driverFiles.processorDLLName;
    target = CopyTarget::ProcessorDirectory;
    version = processorVersion;
  } else {
    return true;
  }
  RegKey key(machine.registry);
  if (!key.Open(RegRoot::LocalMachine, keyPath) &&
      CreateKey(machine.registry, RegRoot::LocalMachine, keyPath)) {
    key.Open(RegRoot::LocalMachine, keyPath);
  }
  std::string registered;
  if (!CopyBesideLoadedDll(machine, dll, target, registered, message)) return false;
  // A copy that failed otherwise keeps the old registration; its message
  // stops the installation at the next check.
  if (!registered.empty()) {
    key.WriteString("Driver", registered);
    key.WriteDword("DriverVersion", version);
  }
  return true;
}

}  // namespace

bool ReplaceOutdatedComponent(Machine& machine, InstallSettings& settings,
                              uint32_t processorVersion, std::string& message) {
  if (settings.osFamily == OsFamily::Win98) {
    return ReplaceOnWin98(machine, settings, processorVersion, message);
  }
  return ReplaceOnNt(machine, settings, processorVersion, message);
}

}  // namespace kv

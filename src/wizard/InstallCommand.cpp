#include "wizard/InstallCommand.h"

#include "common/MessagePresenter.h"
#include "common/OsFamily.h"
#include "common/PlatformHandles.h"
#include "common/SetupStrings.h"
#include "config/PortOption.h"
#include "install/RunInstall.h"
#include "install/UsbPortRecords.h"
#include "platform/Errors.h"
#include "usb/UsbDriverFiles.h"
#include "usb/UsbDriverInstaller.h"
#include "usb/UsbPortNumber.h"
#include "usb/UsbPrinterId.h"
#include "wizard/PortList.h"
#include "wizard/ProgressWindow.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

// The port of the model that the maker's USB monitor knows under a fixed name.
constexpr std::string_view kFixedUsbModel = "QTM-C7";
constexpr std::string_view kFixedUsbPortPrefix = "USB_QTM-C7_";
constexpr int32_t kTypicalUsbPort = 1;

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

bool IsUsbCapableSystem(OsFamily family) {
  return family != OsFamily::Win98 && family != OsFamily::NT4;
}

}  // namespace

InstallCommand::InstallCommand(Machine& machine, std::string applicationName)
    : machine_(machine), applicationName_(std::move(applicationName)) {}

void InstallCommand::Tell(Controls& wizard, std::string_view text) {
  machine_.desktop.MessageBox(wizard.Handle(), text, applicationName_, kMbOk);
}

InstallOutcome InstallCommand::Run(Controls& wizard, const WizardSelections& selections,
                                   const PortPage& port) {
  InstallSettings settings(machine_);
  if (!Prepare(wizard, selections, port, settings)) return InstallOutcome::Abandoned;
  Execute(wizard, settings);
  return InstallOutcome::Ran;
}

bool InstallCommand::Prepare(Controls& wizard, const WizardSelections& selections,
                             const PortPage& port, InstallSettings& settings) {
  settings.updateFlags = OutdatedComponents::None;
  settings.moduleIndex = selections.moduleIndex;
  settings.printerName = selections.printerName;
  settings.makeDefault = selections.makeDefault;
  settings.osFamily = selections.osFamily;
  settings.configuration.SetCurrentModule(static_cast<PrinterModule>(selections.moduleIndex));
  settings.usbPortName.clear();
  settings.portName = port.portName();
  settings.driverMode = port.raster() != 0 ? DriverMode::Graphic : DriverMode::Standard;
  settings.serial = port.serial();

  if (settings.printerName.empty()) {
    Tell(wizard, SetupString(setup_text::kSelectModuleFirst));
    return false;
  }
  if (settings.osFamily == OsFamily::Server2003 &&
      ReadPortOption(settings.configuration, static_cast<PrinterModule>(settings.moduleIndex),
                     settings.printerName, PortOption::System2003Supported) == 0) {
    machine_.desktop.MessageBox(0, SetupString(setup_text::kServer2003NotSupported),
                                applicationName_, kMbOk | kMbIconExclamation);
    return false;
  }

  const std::string& portName = settings.portName;
  if (Contains(portName, "USB_")) {
    settings.portKind = PortKind::Usb;
    // The running system decides, not the family chosen on the OS page.
    if (IsUsbCapableSystem(GetOsFamily(machine_.system)) &&
        CompareUsbDriverVersion(machine_.files, machine_.versions) != 0) {
      RunUsbDriverInstaller(machine_.files, machine_.desktop, machine_.clock,
                            UsbInstallerMode::Install);
    }
  } else if (Contains(portName, "COM")) {
    settings.portKind = PortKind::Serial;
  } else if (Contains(portName, "LPT")) {
    settings.portKind = PortKind::Parallel;
  } else {
    Tell(wizard, SetupString(setup_text::kPortNotSupported));
    return false;
  }

  settings.driverFiles = ReadDriverFileList(settings.configuration, settings.printerName,
                                            settings.osFamily, settings.driverMode);
  settings.driverInfo = ReadDriverDefinition(settings.configuration, settings.printerName,
                                             settings.osFamily, settings.driverMode);
  settings.printerInfo = ReadPrinterDefinition(settings.configuration, settings.printerName,
                                               settings.osFamily, settings.driverMode);
  settings.printerInfo.portName = portName;

  if (settings.portKind == PortKind::Usb &&
      !CheckUsbPrinterId(wizard, selections.setupType, portName)) {
    return false;
  }

  AppendPortSuffix(settings);

  if (settings.portKind == PortKind::Usb) {
    if (Contains(portName, kFixedUsbModel)) {
      settings.usbPortName = std::string(kFixedUsbPortPrefix) + portName.back();
      settings.printerInfo.portName = settings.usbPortName;
    }
    RecordUsbPort(machine_, settings.configuration, settings.printerInfo.portName);
  }

  if (settings.osFamily == OsFamily::NT4 && settings.portKind == PortKind::Usb) {
    Tell(wizard, SetupString(setup_text::kNt4WithoutUsb));
    return false;
  }
  return true;
}

bool InstallCommand::CheckUsbPrinterId(Controls& wizard, SetupType setupType,
                                       const std::string& portName) {
  StandardMessageBox libraryMessages(machine_.desktop, applicationName_);
  const int32_t id = ReadUsbPrinterId(machine_.modules, libraryMessages);
  // With several printers attached the library has already asked for just
  // one; no ID is written into whichever printer would open first.
  if (id == kUsbSeveralDevices) return false;
  if (id == kUsbNoDevice) {
    if (setupType == SetupType::Typical) return true;
    Tell(wizard, SetupString(setup_text::kNoUsbDeviceAttached));
    return false;
  }

  const int32_t stored = UsbPortNumberFromId(id);
  const int32_t wanted =
      setupType == SetupType::Advanced ? UsbPortNumberOfName(portName) : kTypicalUsbPort;
  if (stored == wanted) return true;

  const int answer =
      machine_.desktop.MessageBox(wizard.Handle(), SetupString(setup_text::kChangePrinterName),
                                  applicationName_, kMbYesNo | kMbIconExclamation);
  if (answer != kIdYes) return false;
  if (WriteUsbPrinterId(machine_.modules, libraryMessages, static_cast<uint8_t>(wanted))) {
    return true;
  }
  if (setupType == SetupType::Advanced) Tell(wizard, setup_text::kSetPrinterIdFailed);
  return false;
}

void InstallCommand::AppendPortSuffix(InstallSettings& settings) {
  std::string& name = settings.printerInfo.printerName;
  switch (settings.portKind) {
    case PortKind::Usb: {
      const int32_t number = UsbPortNumberOfName(settings.portName);
      if (number >= 1 && number <= 4) name += "(U) " + std::to_string(number);
      break;
    }
    case PortKind::Serial:
      name += "(S)";
      break;
    case PortKind::Parallel:
      name += "(P)";
      break;
  }
}

void InstallCommand::Execute(Controls& wizard, InstallSettings& settings) {
  wizard.Minimize();
  wizard.SetTopmost(true);

  ProgressWindow progress(machine_.clock);
  progress.SetOsFamily(settings.osFamily);
  progress.completionStatus().Reset();
  installMessage_.clear();
  DispatchingJoinedThread worker(DispatchingJoinTraits{&machine_.threads});
  const bool started = StartInstall(machine_, settings, installMessage_,
                                    progress.completionStatus(), worker.receive()) == kErrorSuccess;
  if (!started) worker.release();  // a failed start hands no thread out
  if (!started && installMessage_.empty()) {
    installMessage_ = SetupString(setup_text::kFatalError);
  }
  // Not owned by the wizard: an owned window would be hidden with the
  // minimised wizard.
  machine_.dialogs.RunModal(IDD_PROGRESS, progress, 0);
  // On Windows 98 the window may close before the installation has ended;
  // the outcome and a restart wait for it, with the window's messages still
  // handled.
  worker.reset();

  Tell(wizard, installMessage_.empty() ? SetupString(setup_text::kDriverInstalled)
                                       : std::string_view(installMessage_));

  // Windows 98 always needs the restart; the NT family when a component in
  // use is replaced only then.
  if (settings.osFamily == OsFamily::Win98 || !settings.replacedAtRestart.empty()) {
    const int answer =
        machine_.desktop.MessageBox(wizard.Handle(), SetupString(setup_text::kRestartQuestion),
                                    applicationName_, kMbYesNo | kMbIconExclamation);
    if (answer == kIdYes && machine_.system.RestartComputer() != kErrorSuccess) {
      Tell(wizard, SetupString(setup_text::kExitWindowsError));
    }
  }
}

}  // namespace kv

#include "wizard/InstallCommand.h"

#include "common/MessagePresenter.h"
#include "common/OsFamily.h"
#include "common/PlatformHandles.h"
#include "common/SetupStrings.h"
#include "config/PortOption.h"
#include "install/DriverFileCopy.h"
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

// The wizard's side of an Install: boxes owned by the wizard's window, the
// progress window over the minimised wizard, the restart question.
class WizardConversation : public InstallConversation {
 public:
  WizardConversation(Machine& machine, Controls& wizard, std::string applicationName,
                     bool noRestart)
      : machine_(machine),
        wizard_(wizard),
        applicationName_(std::move(applicationName)),
        noRestart_(noRestart),
        libraryMessages_(machine.desktop, applicationName_),
        progress_(machine.clock) {}

  void Tell(std::string_view text) override {
    machine_.desktop.MessageBox(wizard_.Handle(), text, applicationName_, kMbOk);
  }
  void Warn(std::string_view text) override {
    machine_.desktop.MessageBox(0, text, applicationName_, kMbOk | kMbIconExclamation);
  }
  bool ConfirmUsbIdRewrite(std::string_view question) override {
    return machine_.desktop.MessageBox(wizard_.Handle(), question, applicationName_,
                                       kMbYesNo | kMbIconExclamation) == kIdYes;
  }
  MessagePresenter& LibraryMessages() override { return libraryMessages_; }

  CompletionStatus& BeginInstallation(OsFamily family) override {
    wizard_.Minimize();
    wizard_.SetTopmost(true);
    progress_.SetOsFamily(family);
    progress_.completionStatus().Reset();
    return progress_.completionStatus();
  }

  void AwaitInstallation(ThreadHandle worker, bool started) override {
    // Not owned by the wizard: an owned window would be hidden with the
    // minimised wizard.
    machine_.dialogs.RunModal(IDD_PROGRESS, progress_, 0);
    // On Windows 98 the window may close before the installation has ended;
    // the outcome and a restart wait for it, with the window's messages still
    // handled.
    DispatchingJoinedThread owned(started ? worker : 0, DispatchingJoinTraits{&machine_.threads});
  }

  RestartOutcome OfferRestart() override {
    if (noRestart_) return RestartOutcome::Pending;
    const int answer =
        machine_.desktop.MessageBox(wizard_.Handle(), SetupString(setup_text::kRestartQuestion),
                                    applicationName_, kMbYesNo | kMbIconExclamation);
    if (answer != kIdYes) return RestartOutcome::Pending;
    if (machine_.system.RestartComputer() == kErrorSuccess) return RestartOutcome::Requested;
    Tell(SetupString(setup_text::kExitWindowsError));
    return RestartOutcome::Pending;
  }

 private:
  Machine& machine_;
  Controls& wizard_;
  std::string applicationName_;
  bool noRestart_;
  StandardMessageBox libraryMessages_;
  ProgressWindow progress_;
};

void AppendPortSuffix(InstallSettings& settings) {
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

}  // namespace

bool DescribeInstallation(const WizardSelections& selections, const PortValues& port,
                          InstallSettings& settings) {
  settings.updateFlags = OutdatedComponents::None;
  settings.moduleIndex = selections.moduleIndex;
  settings.printerName = selections.printerName;
  settings.makeDefault = selections.makeDefault;
  settings.osFamily = selections.osFamily;
  settings.configuration.SetCurrentModule(static_cast<PrinterModule>(selections.moduleIndex));
  settings.usbPortName.clear();
  settings.portName = port.portName;
  settings.driverMode = port.raster != 0 ? DriverMode::Graphic : DriverMode::Standard;
  settings.serial = port.serial;

  const std::string& portName = settings.portName;
  bool supported = true;
  if (Contains(portName, "USB_")) {
    settings.portKind = PortKind::Usb;
  } else if (Contains(portName, "COM")) {
    settings.portKind = PortKind::Serial;
  } else if (Contains(portName, "LPT")) {
    settings.portKind = PortKind::Parallel;
  } else {
    supported = false;
  }

  settings.driverFiles = ReadDriverFileList(settings.configuration, settings.printerName,
                                            settings.osFamily, settings.driverMode);
  settings.driverInfo = ReadDriverDefinition(settings.configuration, settings.printerName,
                                             settings.osFamily, settings.driverMode);
  settings.printerInfo = ReadPrinterDefinition(settings.configuration, settings.printerName,
                                               settings.osFamily, settings.driverMode);
  settings.printerInfo.portName = portName;
  if (!supported) return false;

  AppendPortSuffix(settings);
  if (settings.portKind == PortKind::Usb && Contains(portName, kFixedUsbModel)) {
    settings.usbPortName = std::string(kFixedUsbPortPrefix) + portName.back();
    settings.printerInfo.portName = settings.usbPortName;
  }
  return true;
}

ExitCode EndOfInstall(const InstallResult& result) {
  if (result.outcome == InstallOutcome::Abandoned) {
    return result.declined ? ExitCode::kCancelled : ExitCode::kFailed;
  }
  if (!result.succeeded) {
    return result.mediumFileMissing ? ExitCode::kFileMissing : ExitCode::kFailed;
  }
  switch (result.restart) {
    case RestartOutcome::Requested:
      return ExitCode::kRestarting;
    case RestartOutcome::Pending:
      return ExitCode::kRestartNeeded;
    case RestartOutcome::NotNeeded:
      break;
  }
  return ExitCode::kSuccess;
}

InstallCommand::InstallCommand(Machine& machine, std::string applicationName)
    : machine_(machine), applicationName_(std::move(applicationName)) {}

InstallOutcome InstallCommand::Run(Controls& wizard, const WizardSelections& selections,
                                   const PortPage& port, const InstallCommandOptions& options,
                                   bool noRestart) {
  WizardConversation conversation(machine_, wizard, applicationName_, noRestart);
  return Run(conversation, selections, port.values(), options).outcome;
}

InstallResult InstallCommand::Run(InstallConversation& conversation,
                                  const WizardSelections& selections, const PortValues& port,
                                  const InstallCommandOptions& options) {
  result_ = InstallResult{};
  InstallSettings settings(machine_);
  if (!Prepare(conversation, selections, port, options, settings)) return result_;
  if (options.checksPassed) options.checksPassed(settings, result_);
  Execute(conversation, settings);
  return result_;
}

bool InstallCommand::Prepare(InstallConversation& conversation, const WizardSelections& selections,
                             const PortValues& port, const InstallCommandOptions& options,
                             InstallSettings& settings) {
  const bool supportedPort = DescribeInstallation(selections, port, settings);

  if (settings.printerName.empty()) {
    conversation.Tell(SetupString(setup_text::kSelectModuleFirst));
    return false;
  }
  if (settings.osFamily == OsFamily::Server2003 &&
      ReadPortOption(settings.configuration, static_cast<PrinterModule>(settings.moduleIndex),
                     settings.printerName, PortOption::System2003Supported) == 0) {
    conversation.Warn(SetupString(setup_text::kServer2003NotSupported));
    return false;
  }
  if (!supportedPort) {
    conversation.Tell(SetupString(setup_text::kPortNotSupported));
    return false;
  }
  const bool usb = settings.portKind == PortKind::Usb;
  // The running system decides, not the family chosen on the OS page.
  if (usb && options.installUsbDriver && IsUsbCapableSystem(GetOsFamily(machine_.system)) &&
      CompareUsbDriverVersion(machine_.files, machine_.versions) != 0) {
    conversation.Status(SetupString(setup_text::kRunningUsbDriverInstaller));
    RunUsbDriverInstaller(machine_.files, machine_.desktop, machine_.clock,
                          UsbInstallerMode::Install);
  }

  if (usb && !CheckUsbPrinterId(conversation, selections.setupType, settings.portName)) {
    return false;
  }
  if (usb) RecordUsbPort(machine_, settings.configuration, settings.printerInfo.portName);

  if (settings.osFamily == OsFamily::NT4 && usb) {
    conversation.Tell(SetupString(setup_text::kNt4WithoutUsb));
    return false;
  }
  return true;
}

bool InstallCommand::CheckUsbPrinterId(InstallConversation& conversation, SetupType setupType,
                                       const std::string& portName) {
  MessagePresenter& libraryMessages = conversation.LibraryMessages();
  const int32_t id = ReadUsbPrinterId(machine_.modules, libraryMessages);
  // With several printers attached the library has already asked for just
  // one; no ID is written into whichever printer would open first.
  if (id == kUsbSeveralDevices) return false;
  if (id == kUsbNoDevice) {
    if (setupType == SetupType::Typical) return true;
    conversation.Tell(SetupString(setup_text::kNoUsbDeviceAttached));
    return false;
  }

  const int32_t stored = UsbPortNumberFromId(id);
  const int32_t wanted =
      setupType == SetupType::Advanced ? UsbPortNumberOfName(portName) : kTypicalUsbPort;
  if (stored == wanted) return true;

  if (!conversation.ConfirmUsbIdRewrite(SetupString(setup_text::kChangePrinterName))) {
    result_.declined = true;
    return false;
  }
  result_.usbIdRewriteAccepted = true;
  if (WriteUsbPrinterId(machine_.modules, libraryMessages, static_cast<uint8_t>(wanted))) {
    return true;
  }
  if (setupType == SetupType::Advanced) conversation.Tell(setup_text::kSetPrinterIdFailed);
  return false;
}

void InstallCommand::Execute(InstallConversation& conversation, InstallSettings& settings) {
  result_.outcome = InstallOutcome::Ran;
  CompletionStatus& status = conversation.BeginInstallation(settings.osFamily);
  installMessage_.clear();
  ThreadHandle worker = 0;
  const bool started =
      StartInstall(machine_, settings, installMessage_, status, &worker) == kErrorSuccess;
  if (!started && installMessage_.empty()) {
    installMessage_ = SetupString(setup_text::kFatalError);
  }
  conversation.AwaitInstallation(worker, started);
  result_.succeeded = status.Read() == CompletionStatus::kSucceeded;
  result_.mediumFileMissing = !result_.succeeded && IsMissingSourceMessage(installMessage_);

  conversation.Tell(installMessage_.empty() ? SetupString(setup_text::kDriverInstalled)
                                            : std::string_view(installMessage_));

  // Windows 98 always needs the restart; the NT family when a component in
  // use is replaced only then.
  if (settings.osFamily == OsFamily::Win98 || !settings.replacedAtRestart.empty()) {
    result_.restart = conversation.OfferRestart();
  }
}

}  // namespace kv

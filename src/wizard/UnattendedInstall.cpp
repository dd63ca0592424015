#include "wizard/UnattendedInstall.h"

#include "common/Administrator.h"
#include "common/DeploymentTexts.h"
#include "common/MessagePresenter.h"
#include "common/OsFamily.h"
#include "common/PlatformHandles.h"
#include "common/SetupStrings.h"
#include "install/DriverFileCopy.h"
#include "install/InstalledPrinter.h"
#include "install/RunInstall.h"
#include "platform/Errors.h"
#include "wizard/InstallCommand.h"
#include "wizard/OsPage.h"
#include "wizard/WizardTexts.h"

namespace kv {
namespace {

namespace text = setup_text;

std::string Formatted(int id, std::initializer_list<std::string_view> values) {
  return FormatText(SetupString(id), values);
}

// The Install command without windows: its boxes go to the presenter, which
// logs them (question 143 answered as the file says), no progress window,
// no restart offered.
class PresenterConversation : public InstallConversation {
 public:
  PresenterConversation(Machine& machine, LoggedDesktop& presenter, DeploymentLog& log,
                        const std::string& applicationName, bool rewriteUsbId)
      : machine_(machine),
        presenter_(presenter),
        log_(log),
        applicationName_(applicationName),
        rewriteUsbId_(rewriteUsbId),
        libraryMessages_(machine.desktop, applicationName) {}

  void Tell(std::string_view message) override {
    machine_.desktop.MessageBox(0, message, applicationName_, kMbOk);
  }
  void Warn(std::string_view message) override {
    machine_.desktop.MessageBox(0, message, applicationName_, kMbOk | kMbIconExclamation);
  }
  bool ConfirmUsbIdRewrite(std::string_view question) override {
    presenter_.Answer(question, rewriteUsbId_ ? kIdYes : kIdNo);
    return machine_.desktop.MessageBox(0, question, applicationName_,
                                       kMbYesNo | kMbIconExclamation) == kIdYes;
  }
  MessagePresenter& LibraryMessages() override { return libraryMessages_; }
  CompletionStatus& BeginInstallation(OsFamily) override {
    std::string_view status = kInstallingText;
    while (!status.empty() && status.back() == ' ') status.remove_suffix(1);
    log_.Write(status);
    return status_;
  }
  void AwaitInstallation(ThreadHandle worker, bool started) override {
    JoinedThread owned(started ? worker : 0, JoinedThreadTraits{&machine_.threads});
  }
  RestartOutcome OfferRestart() override {
    log_.Write(SetupString(text::kRestartPending));
    return RestartOutcome::Pending;
  }
  void Status(std::string_view status) override { log_.Write(status); }

 private:
  Machine& machine_;
  LoggedDesktop& presenter_;
  DeploymentLog& log_;
  const std::string& applicationName_;
  bool rewriteUsbId_;
  StandardMessageBox libraryMessages_;
  CompletionStatus status_;
};

bool FileExists(Files& files, const std::string& path) {
  uint32_t attributes = 0;
  return files.GetAttributes(path, &attributes) == kErrorSuccess &&
         (attributes & kFileAttributeDirectory) == 0;
}

}  // namespace

UnattendedInstall::UnattendedInstall(Machine& machine, LoggedDesktop& presenter, DeploymentLog& log,
                                     std::string applicationName)
    : machine_(machine),
      presenter_(presenter),
      log_(log),
      applicationName_(std::move(applicationName)) {}

void UnattendedInstall::Tell(std::string_view message) {
  machine_.desktop.MessageBox(0, message, applicationName_, kMbOk);
}

ExitCode UnattendedInstall::Run(std::string_view answerPath) {
  const SetupConfiguration configuration(machine_);
  if (!FileExists(machine_.files, configuration.setupIniPath())) {
    log_.Write(Formatted(text::kMissingFromMedium, {configuration.setupIniPath()}));
    return ExitCode::kFileMissing;
  }
  AnswerFileReading reading = ReadAnswerFile(machine_, configuration, answerPath);
  if (!reading.choices) {
    log_.Write(Formatted(text::kAnswerFileRefused, {reading.refusal}));
    return ExitCode::kBadArguments;
  }
  choices_ = std::move(*reading.choices);
  const WizardSelections& s = choices_.selections;
  log_.Write(Formatted(text::kAnswersTaken,
                       {s.printerName, s.setupType == SetupType::Advanced ? "Advanced" : "Typical",
                        FamilyAnswerName(s.osFamily), choices_.port.portName}));

  if (NeedsAdministrator(GetOsFamily(machine_.system)) && !IsAdministrator(machine_.security)) {
    Tell(kAdministratorRequired);
    return ExitCode::kNotAdministrator;
  }
  return Install();
}

std::optional<ExitCode> UnattendedInstall::KeepInstalled(InstallSettings& settings) {
  const std::optional<std::string> printer = FindInstalledPrinter(
      machine_.spooler, settings.printerInfo.driverName, settings.printerInfo.portName);
  if (!printer) return std::nullopt;
  const std::string described =
      Formatted(text::kInstalledPrinter,
                {*printer, settings.printerInfo.driverName, settings.printerInfo.portName});
  if (TestComponents(machine_, settings) == OutdatedComponents::None) {
    log_.Write(Formatted(text::kAlreadyInstalled, {described}));
    return ExitCode::kSuccess;
  }

  log_.Write(Formatted(text::kUpdatingComponents, {described}));
  std::string message;
  CompletionStatus status;
  ThreadHandle worker = 0;
  const bool started = StartInstall(machine_, settings, message, status, &worker,
                                    InstallScope::ComponentsOnly) == kErrorSuccess;
  // Waits for the worker's end.
  JoinedThread(started ? worker : 0, JoinedThreadTraits{&machine_.threads}).reset();
  if (status.Read() != CompletionStatus::kSucceeded) {
    Tell(message.empty() ? SetupString(text::kFatalError) : std::string_view(message));
    return IsMissingSourceMessage(message) ? ExitCode::kFileMissing : ExitCode::kFailed;
  }
  if (!message.empty()) Tell(message);
  log_.Write(SetupString(text::kComponentsUpdated));
  if (settings.osFamily == OsFamily::Win98 || !settings.replacedAtRestart.empty()) {
    log_.Write(SetupString(text::kRestartPending));
    return ExitCode::kRestartNeeded;
  }
  return ExitCode::kSuccess;
}

ExitCode UnattendedInstall::Install() {
  if (!choices_.addDuplicate) {
    InstallSettings settings(machine_);
    DescribeInstallation(choices_.selections, choices_.port, settings);
    if (std::optional<ExitCode> end = KeepInstalled(settings)) return *end;
  }

  // What the OS page writes when the wizard opens.
  WriteCompatibilityMarks(machine_, choices_.preset);

  InstallCommandOptions options;
  options.installUsbDriver = choices_.installUsbDriver;
  if (!options.installUsbDriver) log_.Write(SetupString(text::kUsbDriverSkipped));
  PresenterConversation conversation(machine_, presenter_, log_, applicationName_,
                                     choices_.rewriteUsbId);
  InstallCommand command(machine_, applicationName_);
  return EndOfInstall(command.Run(conversation, choices_.selections, choices_.port, options));
}

}  // namespace kv

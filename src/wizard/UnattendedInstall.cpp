#include "wizard/UnattendedInstall.h"

#include "common/Administrator.h"
#include "common/MessagePresenter.h"
#include "common/OsFamily.h"
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

// The messages of the USB library, which the wizard shows in its standard box.
class LoggedMessages : public MessagePresenter {
 public:
  explicit LoggedMessages(LogLine& log) : log_(log) {}
  void Show(std::string_view text) override { log_("message: " + std::string(text) + " [OK]"); }

 private:
  LogLine& log_;
};

// The Install command without windows: its messages into the log, question
// 143 answered from the file, no progress window, no restart offered.
class LogConversation : public InstallConversation {
 public:
  LogConversation(Machine& machine, LogLine& log, bool rewriteUsbId)
      : machine_(machine), log_(log), rewriteUsbId_(rewriteUsbId), libraryMessages_(log) {}

  void Tell(std::string_view text) override { libraryMessages_.Show(text); }
  void Warn(std::string_view text) override { libraryMessages_.Show(text); }
  bool ConfirmUsbIdRewrite(std::string_view question) override {
    log_("question: " + std::string(question) + (rewriteUsbId_ ? " [Yes]" : " [No]") +
         " (RewriteUsbId)");
    return rewriteUsbId_;
  }
  MessagePresenter& LibraryMessages() override { return libraryMessages_; }
  CompletionStatus& BeginInstallation(OsFamily) override {
    log_(std::string(TrimmedInstallingText()));
    return status_;
  }
  void AwaitInstallation(ThreadHandle worker, bool started) override {
    if (started) machine_.threads.Join(worker);
  }
  RestartOutcome OfferRestart() override {
    log_("a restart of the computer is needed; none is made");
    return RestartOutcome::Pending;
  }

 private:
  static std::string_view TrimmedInstallingText() {
    std::string_view text = kInstallingText;
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
  }

  Machine& machine_;
  LogLine& log_;
  bool rewriteUsbId_;
  LoggedMessages libraryMessages_;
  CompletionStatus status_;
};

bool FileExists(Files& files, const std::string& path) {
  uint32_t attributes = 0;
  return files.GetAttributes(path, &attributes) == kErrorSuccess &&
         (attributes & kFileAttributeDirectory) == 0;
}

}  // namespace

UnattendedInstall::UnattendedInstall(Machine& machine, LogLine log)
    : machine_(machine), log_(std::move(log)) {}

SetupEnd UnattendedInstall::Run(std::string_view answerPath) {
  const SetupConfiguration configuration(machine_);
  if (!FileExists(machine_.files, configuration.setupIniPath())) {
    log_("missing from the medium: " + configuration.setupIniPath());
    return SetupEnd::MediumFileMissing;
  }
  AnswerFileReading reading = ReadAnswerFile(machine_, configuration, answerPath);
  if (!reading.choices) {
    log_("answer file refused: " + reading.refusal);
    return SetupEnd::BadOption;
  }
  choices_ = std::move(*reading.choices);
  const WizardSelections& s = choices_.selections;
  log_("answers: model " + s.printerName + ", " +
       (s.setupType == SetupType::Advanced ? "Advanced" : "Typical") + " setup, Windows " +
       std::string(FamilyAnswerName(s.osFamily)) + ", port " + choices_.port.portName);

  if (NeedsAdministrator(GetOsFamily(machine_.system)) && !IsAdministrator(machine_.security)) {
    log_("message: " + std::string(kAdministratorRequired) + " [OK]");
    return SetupEnd::NotAdministrator;
  }
  return Install();
}

std::optional<SetupEnd> UnattendedInstall::KeepInstalled(InstallSettings& settings) {
  const std::optional<std::string> printer = FindInstalledPrinter(
      machine_.spooler, settings.printerInfo.driverName, settings.printerInfo.portName);
  if (!printer) return std::nullopt;
  const std::string described = "\"" + *printer + "\" (driver " + settings.printerInfo.driverName +
                                " on " + settings.printerInfo.portName + ")";
  if (TestComponents(machine_, settings) == OutdatedComponents::None) {
    log_("already installed: " + described + "; nothing changed");
    return SetupEnd::AlreadyInstalled;
  }

  log_("installed already: " + described + "; updating its port monitor and print processor");
  std::string message;
  CompletionStatus status;
  ThreadHandle worker = 0;
  const bool started = StartInstall(machine_, settings, message, status, &worker,
                                    InstallScope::ComponentsOnly) == kErrorSuccess;
  if (started) machine_.threads.Join(worker);
  if (status.Read() != CompletionStatus::kSucceeded) {
    log_("message: " +
         (message.empty() ? std::string(SetupString(setup_text::kFatalError)) : message) + " [OK]");
    return IsMissingSourceMessage(message) ? SetupEnd::MediumFileMissing : SetupEnd::Failed;
  }
  log_("port monitor and print processor brought up to date");
  if (settings.osFamily == OsFamily::Win98) {
    log_("a restart of the computer is needed; none is made");
    return SetupEnd::RestartNeeded;
  }
  return SetupEnd::Installed;
}

SetupEnd UnattendedInstall::Install() {
  if (!choices_.addDuplicate) {
    InstallSettings settings(machine_);
    DescribeInstallation(choices_.selections, choices_.port, settings);
    if (std::optional<SetupEnd> end = KeepInstalled(settings)) return *end;
  }

  // What the OS page writes when the wizard opens.
  WriteCompatibilityMarks(machine_, choices_.preset);

  InstallCommandOptions options;
  options.installUsbDriver = choices_.installUsbDriver;
  if (!options.installUsbDriver) log_("UsbDriver=skip: the USB device driver is left as it is");
  LogConversation conversation(machine_, log_, choices_.rewriteUsbId);
  InstallCommand command(machine_, "setup");
  const InstallResult result =
      command.Run(conversation, choices_.selections, choices_.port, options);
  if (result.outcome == InstallOutcome::Abandoned) {
    return result.declined ? SetupEnd::Cancelled : SetupEnd::Failed;
  }
  if (!result.succeeded) {
    return result.mediumFileMissing ? SetupEnd::MediumFileMissing : SetupEnd::Failed;
  }
  return result.restart == RestartOutcome::Pending ? SetupEnd::RestartNeeded : SetupEnd::Installed;
}

}  // namespace kv

#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "common/ExitCode.h"
#include "common/MessagePresenter.h"
#include "install/CompletionStatus.h"
#include "install/InstallSettings.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/PortPage.h"
#include "wizard/WizardWindow.h"

namespace kv {

enum class InstallOutcome {
  // Nothing was started: the wizard stays on the port page, usable as it was.
  Abandoned,
  // The installation ran and its outcome was shown; the wizard must end.
  Ran
};

// The Windows 98 restart after an installation.
enum class RestartOutcome {
  NotNeeded,
  // Needed and not made: the user said No, or no one was asked, or the
  // request was refused.
  Pending,
  // The user said Yes and the system took the request.
  Requested
};

// What one press of Install came to, for the program's exit code.
struct InstallResult {
  InstallOutcome outcome = InstallOutcome::Abandoned;
  // Abandoned because question 143 was answered No.
  bool declined = false;
  // Ran: the installation reported success.
  bool succeeded = false;
  // Ran and failed because a file the medium should hold is not there.
  bool mediumFileMissing = false;
  RestartOutcome restart = RestartOutcome::NotNeeded;
  // Question 143 was answered Yes.
  bool usbIdRewriteAccepted = false;
};

// The exit code an Install's result comes to (after it ran, or abandoned
// when the run cannot go on).
ExitCode EndOfInstall(const InstallResult& result);

// What the Install command says and asks on its way: the wizard's message
// boxes and progress window, or an unattended run's log and answers.
class InstallConversation {
 public:
  virtual ~InstallConversation() = default;
  // A message for the user, OK only (owned by the wizard).
  virtual void Tell(std::string_view text) = 0;
  // An application-level warning with the exclamation icon.
  virtual void Warn(std::string_view text) = 0;
  // Question 143; true for Yes.
  virtual bool ConfirmUsbIdRewrite(std::string_view question) = 0;
  // Where the USB library's own messages go.
  virtual MessagePresenter& LibraryMessages() = 0;
  // Before the worker starts: the status the installation will set.
  virtual CompletionStatus& BeginInstallation(OsFamily family) = 0;
  // Returns once the worker (`started`) has ended.
  virtual void AwaitInstallation(ThreadHandle worker, bool started) = 0;
  // After a Windows 98 installation's outcome was told.
  virtual RestartOutcome OfferRestart() = 0;
  // A step the user would see only by its window (the USB driver installer).
  virtual void Status(std::string_view) {}
};

// How an Install is run beyond the pages' values.
struct InstallCommandOptions {
  // False leaves the USB device driver to whoever stages it.
  bool installUsbDriver = true;
  // Called once every check has passed, just before the installation starts.
  std::function<void(const InstallSettings&, const InstallResult&)> checksPassed;
};

// The Install command on the last page: turns the wizard's selections and
// the port page's values into the installation's settings, checks them,
// handles the USB particulars (device driver, the printer's stored port
// number, the port records), runs the installation on a worker thread behind
// the progress window and shows its outcome, with the restart question on
// Windows 98 and wherever a component in use is replaced when Windows
// restarts. Every press starts afresh from the pages' values, so a second
// press after an abandoned one behaves like the first.
class InstallCommand {
 public:
  InstallCommand(Machine& machine, std::string applicationName);

  // `wizard` is the wizard's window: messages are owned by it, and it is
  // minimised and kept on top while the installation runs. `noRestart`
  // leaves the restart question unasked.
  InstallOutcome Run(Controls& wizard, const WizardSelections& selections, const PortPage& port,
                     const InstallCommandOptions& options = {}, bool noRestart = false);
  // The same steps, speaking through `conversation`.
  InstallResult Run(InstallConversation& conversation, const WizardSelections& selections,
                    const PortValues& port, const InstallCommandOptions& options);

  // The installation's outcome text, as the installation left it.
  const std::string& installMessage() const { return installMessage_; }
  // What the last Run came to.
  const InstallResult& result() const { return result_; }

 private:
  // Fills `settings` from the selections and the port page; false abandons.
  bool Prepare(InstallConversation& conversation, const WizardSelections& selections,
               const PortValues& port, const InstallCommandOptions& options,
               InstallSettings& settings);
  // The printer's stored port number against the chosen USB port; false
  // abandons.
  bool CheckUsbPrinterId(InstallConversation& conversation, SetupType setupType,
                         const std::string& portName);
  void Execute(InstallConversation& conversation, InstallSettings& settings);

  Machine& machine_;
  std::string applicationName_;
  std::string installMessage_;
  InstallResult result_;
};

// The settings an Install fills from the selections and the port's values
// before any check: the port's kind (none fits: the port is not one the
// installation supports, false), the definitions read for the model, family
// and mode, the printer's name with its port suffix and its port (the fixed
// port of the "QTM-C7" models). Reads only.
bool DescribeInstallation(const WizardSelections& selections, const PortValues& port,
                          InstallSettings& settings);

}  // namespace kv

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/DeploymentLog.h"
#include "common/ExitCode.h"
#include "common/LoggedDesktop.h"
#include "install/InstallSettings.h"
#include "platform/Machine.h"
#include "wizard/AnswerFile.h"

namespace kv {

// The installation without windows: the answer file decides every choice the
// pages would have let the user make (refused whole before anything changes),
// then the Install command runs its steps in their order with the same
// installation on its worker thread. Every message the wizard would show goes
// through the presenter into the log; question 143 takes the file's
// RewriteUsbId; no restart is offered.
//
// Safe to run again: unless the file asks for a duplicate, a printer of the
// model's driver on the chosen port means the installation is there. With
// its monitor and processor current nothing changes; otherwise only those
// are brought up to date, as the installation would.
class UnattendedInstall {
 public:
  // `machine` is the run's, whose desktop is `presenter`.
  UnattendedInstall(Machine& machine, LoggedDesktop& presenter, DeploymentLog& log,
                    std::string applicationName);

  ExitCode Run(std::string_view answerPath);

  // The choices the answer file came to, once it was accepted.
  const UnattendedChoices& choices() const { return choices_; }

 private:
  ExitCode Install();
  // The printer is there: its components only. None when it is not there.
  std::optional<ExitCode> KeepInstalled(InstallSettings& settings);
  void Tell(std::string_view text);

  Machine& machine_;
  LoggedDesktop& presenter_;
  DeploymentLog& log_;
  std::string applicationName_;
  UnattendedChoices choices_;
};

}  // namespace kv

#pragma once

#include <string>
#include <string_view>

#include "common/DeploymentLog.h"
#include "common/ExitCode.h"
#include "common/LoggedDesktop.h"
#include "common/ProgramShell.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/ControlClasses.h"
#include "wizard/WizardWindow.h"

namespace kv {

// The setup program: one copy at a time, never beside the uninstaller, then
// the wizard run modally. The program ends when the wizard has closed.
class SetupApp {
 public:
  SetupApp(Machine& machine, ControlClasses& controlClasses);
  SetupApp(const SetupApp&) = delete;
  SetupApp& operator=(const SetupApp&) = delete;

  // For the next Run.
  void SetRunOptions(WizardRunOptions options) { runOptions_ = std::move(options); }

  // The wizard's result, or kIdCancel when the program did not get as far as
  // the wizard.
  int Run();

  // The installation without windows from an answer file, after the same
  // start-up checks (one copy, never beside the uninstaller). The machine
  // given at construction must be the run's, whose desktop is `presenter`.
  ExitCode RunUnattended(std::string_view answerPath, LoggedDesktop& presenter, DeploymentLog& log);

  // How the last run ended.
  ExitCode end() const { return end_; }

 private:
  Machine& machine_;
  ControlClasses& controlClasses_;
  // Holds the single-instance mutex until the program ends.
  ProgramShell shell_;
  WizardRunOptions runOptions_;
  ExitCode end_ = ExitCode::kCancelled;
};

}  // namespace kv

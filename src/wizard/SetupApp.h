#pragma once

#include <string>
#include <string_view>

#include "common/ProgramShell.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/ControlClasses.h"
#include "wizard/SetupEnd.h"
#include "wizard/UnattendedInstall.h"
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

  // The installation without windows from an answer file; `log` takes every
  // line the run would have shown or said.
  SetupEnd RunUnattended(std::string_view answerPath, LogLine log);

  // How the last run ended.
  SetupEnd end() const { return end_; }

 private:
  Machine& machine_;
  ControlClasses& controlClasses_;
  // Holds the single-instance mutex until the program ends.
  ProgramShell shell_;
  WizardRunOptions runOptions_;
  SetupEnd end_ = SetupEnd::Cancelled;
};

// How the wizard's installation ended.
SetupEnd EndOfInstall(const InstallResult& result);

}  // namespace kv

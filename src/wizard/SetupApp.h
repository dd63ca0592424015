#pragma once

#include <string>

#include "common/ProgramShell.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "wizard/ControlClasses.h"

namespace kv {

// The setup program: one copy at a time, never beside the uninstaller, then
// the wizard run modally. The program ends when the wizard has closed.
class SetupApp {
 public:
  SetupApp(Machine& machine, ControlClasses& controlClasses);
  SetupApp(const SetupApp&) = delete;
  SetupApp& operator=(const SetupApp&) = delete;

  // The wizard's result, or kIdCancel when the program did not get as far as
  // the wizard.
  int Run();

 private:
  Machine& machine_;
  ControlClasses& controlClasses_;
  // Holds the single-instance mutex until the program ends.
  ProgramShell shell_;
};

}  // namespace kv

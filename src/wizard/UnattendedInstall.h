#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "install/InstallSettings.h"
#include "platform/Machine.h"
#include "wizard/AnswerFile.h"
#include "wizard/SetupEnd.h"

namespace kv {

// One line for the log, as the run would have shown or said it.
using LogLine = std::function<void(std::string_view)>;

// The installation without windows: the answer file decides every choice the
// pages would have let the user make (refused whole before anything changes),
// then the Install command runs its steps in their order with the same
// installation on its worker thread. What the wizard would show goes to the
// log; question 143 takes the file's RewriteUsbId; no restart is offered.
//
// Safe to run again: unless the file asks for a duplicate, a printer of the
// model's driver on the chosen port means the installation is there. With
// its monitor and processor current nothing changes; otherwise only those
// are brought up to date, as the installation would.
class UnattendedInstall {
 public:
  UnattendedInstall(Machine& machine, LogLine log);

  SetupEnd Run(std::string_view answerPath);

  // The choices the answer file came to, once it was accepted.
  const UnattendedChoices& choices() const { return choices_; }

 private:
  SetupEnd Install();
  // The printer is there: its components only. None when it is not there.
  std::optional<SetupEnd> KeepInstalled(InstallSettings& settings);

  Machine& machine_;
  LogLine log_;
  UnattendedChoices choices_;
};

}  // namespace kv

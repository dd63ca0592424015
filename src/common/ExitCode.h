#pragma once

#include "common/DeploymentTexts.h"

namespace kv {

// How a run of either program ends, in the numbers of the Windows installer
// convention that deployment engines read. The README's exit-code table is
// this one.
enum class ExitCode : int {
  // Done; nothing more needed (also a silent install that found everything in
  // place).
  kSuccess = 0,
  // Done, and a restart is needed: after a Windows 98/Me installation, or for
  // a file left to be replaced or deleted when Windows next starts. A silent
  // run never restarts the computer itself.
  kRestartNeeded = 3010,
  // A run with windows whose user answered Yes to a restart that Windows then
  // began.
  kRestarting = 1641,
  // The user cancelled the wizard or answered No where the run could not go
  // on without Yes.
  kCancelled = 1602,
  // A step failed.
  kFailed = 1603,
  // The other program, or another copy of this one, is running.
  kAnotherRunning = 1618,
  // The account is no administrator.
  kNotAdministrator = 5,
  // A bad option or answer file; nothing was changed.
  kBadArguments = 87,
  // A file the run needs is missing from the medium.
  kFileMissing = 2,
};

// The result's words for the log's last line (deployment_text::kResult...).
int ExitCodeText(ExitCode code);

}  // namespace kv

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/DeploymentLog.h"
#include "common/ExitCode.h"
#include "platform/Controls.h"
#include "platform/Machine.h"
#include "uninstall/RemovalList.h"
#include "uninstall/RunningFamily.h"
#include "uninstall/UninstallIds.h"

namespace kv {

// What the removal runs of one window did, for the exit code. Failures are
// those of the latest run (a run that is tried again may succeed); the rest
// adds up over the window's life.
struct RemovalOutcome {
  bool ran = false;
  // The job check or a printer that could not be examined ended the run.
  bool stopped = false;
  // A status line said that something could not be removed or deleted.
  bool errorReported = false;
  bool removedAny = false;
  // A file in use was left for Windows to delete when it next starts.
  bool deletionAtRestart = false;
  // The user answered Yes to the restart and Windows began it.
  bool restarting = false;
};

// How a run with options wants the window to behave.
struct UninstallSettings {
  // Every status line is copied here; a log not asked for keeps nothing.
  DeploymentLog* log = nullptr;
  // False with /NORESTART and in a silent run: the restart dialog never opens.
  bool offerRestart = true;
};

// What the uninstaller's window keeps for its whole life: the inventory file,
// the running family and the removal list. The
// removal run on the worker thread and the user-interface thread take turns
// on it: the buttons stay disabled while a run works.
struct UninstallState {
  std::string iniPath;
  RunningFamily family;
  RemovalList list{IDC_REMOVAL_LIST};
  // The item being handled; most status lines name it.
  std::string currentName;
  UninstallSettings settings;
  RemovalOutcome outcome;
  // Set when the window's start-up refused to go on (not an administrator,
  // no Uninstall.ini): the exit code that says why.
  std::optional<ExitCode> startRefusal;
};

// Classifies the running Windows into `state` with the classification's side
// effects: the USB driver check box disabled where the removal cannot run,
// the compatibility mark written on Vista.
void ApplyRunningFamily(Machine& machine, Controls& controls, UninstallState& state);

// Appends a line to the status list and selects it, so that the list shows it;
// the log, when one is kept, gets it too.
void AppendStatus(Controls& controls, const UninstallState& state, std::string_view line);

// The first "%s" of a status text replaced by `name`.
std::string FormatStatus(int textId, std::string_view name);

// A status text followed by the error suffix with the number.
std::string WithErrorNumber(std::string text, uint32_t error);

}  // namespace kv

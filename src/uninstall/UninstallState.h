#pragma once

#include <cstdint>
#include <string>

#include "platform/Controls.h"
#include "platform/Machine.h"
#include "uninstall/RemovalList.h"
#include "uninstall/RunningFamily.h"
#include "uninstall/UninstallIds.h"

namespace kv {

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
};

// Classifies the running Windows into `state` with the classification's side
// effects: the USB driver check box disabled where the removal cannot run,
// the compatibility mark written on Vista.
void ApplyRunningFamily(Machine& machine, Controls& controls, UninstallState& state);

// Appends a line to the status list and selects it, so that the list shows it.
void AppendStatus(Controls& controls, std::string_view line);

// The first "%s" of a status text replaced by `name`.
std::string FormatStatus(int textId, std::string_view name);

// A status text followed by the error suffix with the number.
std::string WithErrorNumber(std::string text, uint32_t error);

}  // namespace kv

#pragma once

#include <string>

#include "platform/Controls.h"
#include "platform/Machine.h"

namespace kv {

// The uninstaller from start to end: one copy at a time, never beside a
// running setup, then the window until it closes.
void RunUninstallProgram(Machine& machine, Dialogs& dialogs);

}  // namespace kv

#pragma once

#include <string_view>

#include "platform/Controls.h"
#include "platform/Machine.h"

namespace kv {

// The uninstaller from start to end: one copy at a time, never beside a
// running setup, then the window until it closes; with /S, the same window's
// logic without a window. `commandLine` is the text after the program's name;
// without arguments the program runs as it always has. Returns the exit code
// (common/ExitCode.h).
int RunUninstallProgram(Machine& machine, Dialogs& dialogs, std::string_view commandLine = {});

}  // namespace kv

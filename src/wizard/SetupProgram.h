#pragma once

#include <string_view>

#include "platform/Machine.h"
#include "wizard/ControlClasses.h"

namespace kv {

// The setup program from start to end: `commandLine` is the text after the
// program's name. Without arguments the wizard runs exactly as it always
// has. /S installs without windows from /ANSWER=file; /RECORD=file writes the
// wizard's choices as an answer file; /LOG=, /NORESTART and /? as both
// programs take them. Returns the exit code (common/ExitCode.h).
int RunSetupProgram(Machine& machine, ControlClasses& controlClasses,
                    std::string_view commandLine = {});

}  // namespace kv

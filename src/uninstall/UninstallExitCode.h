#pragma once

#include "common/ExitCode.h"
#include "uninstall/UninstallState.h"

namespace kv {

// How the uninstaller ends, from what its window's start-up and removal runs
// did. A window closed without a run was cancelled. A run that stopped or
// reported a failure ends in failure (the latest run counts: a retry that
// went through succeeds). Then: the restart Windows began; a file left for
// Windows to delete at the next start; with windows but without the restart
// offer (/NORESTART), the restart the offer would have asked for.
ExitCode UninstallExitCode(const UninstallState& state, bool silent);

}  // namespace kv

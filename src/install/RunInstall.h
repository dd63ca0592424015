#pragma once

#include <string>

#include "install/CompletionStatus.h"
#include "install/InstallSettings.h"
#include "platform/Machine.h"

namespace kv {

// Installs the printer the settings describe: port monitor, print processor,
// one outdated component replaced, driver files, driver, printer, default
// printer, serial line settings. Asks nothing and shows nothing: the outcome
// is left in `message` (replaced by each failing step; on Windows 98 a
// success leaves it as it was) and, as the very last action, in `status`.
// Nothing done before a failure is undone. Each component file left for
// Windows to replace at its next start (settings.replacedAtRestart) adds a
// line to the outcome, after a success or a failure.
void RunInstall(Machine& machine, InstallSettings& settings, std::string& message,
                CompletionStatus& status);

// Starts RunInstall on a worker thread of the platform after setting the
// status to running; the caller joins the thread once the status is set.
// A thread that cannot be started fails the installation at once.
uint32_t StartInstall(Machine& machine, InstallSettings& settings, std::string& message,
                      CompletionStatus& status, ThreadHandle* thread);

}  // namespace kv

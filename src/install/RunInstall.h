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

// RunInstall's steps up to the replacement of an outdated component, for a
// printer that is installed already: nothing of the driver or the printer is
// touched. A copy failure left pending counts as a failure here, since no
// later check would catch it. Writes no success text; a component left for
// Windows to replace at its next start is said, as RunInstall says it.
void UpdateComponents(Machine& machine, InstallSettings& settings, std::string& message,
                      CompletionStatus& status);

enum class InstallScope { Everything, ComponentsOnly };

// Starts RunInstall (or UpdateComponents) on a worker thread of the platform
// after setting the status to running; the caller joins the thread once the
// status is set. A thread that cannot be started fails the installation at
// once.
uint32_t StartInstall(Machine& machine, InstallSettings& settings, std::string& message,
                      CompletionStatus& status, ThreadHandle* thread,
                      InstallScope scope = InstallScope::Everything);

}  // namespace kv

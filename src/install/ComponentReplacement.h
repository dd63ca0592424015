#pragma once

#include <cstdint>
#include <string>

#include "install/InstallSettings.h"
#include "platform/Machine.h"

namespace kv {

// Replaces the first outdated component of settings.updateFlags (serial
// monitor, USB monitor, print processor; a second one waits for a later
// installation) and records its new version. On the NT family the spooler is
// stopped meanwhile and always started again; a DLL that stays in use is
// replaced when Windows next starts (its name joins
// settings.replacedAtRestart), and a monitor registered under its "n" name
// goes back to its own. On Windows 98 a DLL in use is copied under an "n"
// name and registered under it. False when the installation must stop, with
// the reason in `message`; a copy that failed otherwise leaves its text in
// `message` for the caller's next check. A registration changes only after
// the copy it describes succeeded or was scheduled.
bool ReplaceOutdatedComponent(Machine& machine, InstallSettings& settings,
                              uint32_t processorVersion, std::string& message);

}  // namespace kv

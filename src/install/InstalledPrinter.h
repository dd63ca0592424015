#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "install/InstallSettings.h"
#include "install/StepResult.h"
#include "platform/Machine.h"

namespace kv {

// A printer the spooler has with `driverName` on `portName`, names compared
// without regard to ASCII case (a printer on several ports counts for each);
// none when there is none or the printers cannot be listed.
std::optional<std::string> FindInstalledPrinter(Spooler& spooler, std::string_view driverName,
                                                std::string_view portName);

// The components an installation of `settings` would install or replace
// (the port's monitor, the driver's print processor), found without changing
// anything; a missing one counts as outdated.
OutdatedComponents TestComponents(Machine& machine, InstallSettings& settings);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string_view>

#include "common/OsFamily.h"
#include "config/PrinterModule.h"
#include "config/SetupConfiguration.h"

namespace kv {

// The rules a model's ".PORT" options set for the wizard's moves, shared by
// the pages and the unattended installation so that both refuse alike.

// Whether the setup-type page lets the user choose Advanced for the model.
bool AdvancedSetupAllowed(const SetupConfiguration& configuration, PrinterModule module,
                          std::string_view modelName);

// The message that keeps the OS page when the model does not support the
// chosen family (setup_text::kServer2003NotSupported or kVistaNotSupported);
// 0 when the wizard may go on.
int FamilyRefusal(const SetupConfiguration& configuration, PrinterModule module,
                  std::string_view modelName, OsFamily family);

}  // namespace kv

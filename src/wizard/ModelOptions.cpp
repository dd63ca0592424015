#include "wizard/ModelOptions.h"

#include "common/SetupStrings.h"
#include "config/PortOption.h"

namespace kv {

bool AdvancedSetupAllowed(const SetupConfiguration& configuration, PrinterModule module,
                          std::string_view modelName) {
  return ReadPortOption(configuration, module, modelName, PortOption::AdvancedSetup) != 0;
}

int FamilyRefusal(const SetupConfiguration& configuration, PrinterModule module,
                  std::string_view modelName, OsFamily family) {
  // Both options are read whatever the family, as leaving the page does.
  const bool server2003 =
      ReadPortOption(configuration, module, modelName, PortOption::System2003Supported) != 0;
  const bool vista =
      ReadPortOption(configuration, module, modelName, PortOption::SystemVistaSupported) != 0;
  if (family == OsFamily::Server2003 && !server2003) return setup_text::kServer2003NotSupported;
  if (family == OsFamily::Vista && !vista) return setup_text::kVistaNotSupported;
  return 0;
}

}  // namespace kv

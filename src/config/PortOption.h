#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/PrinterModule.h"
#include "config/SetupConfiguration.h"

namespace kv {

// The wizard options of a model, keys of its "%s.PORT" section in the module
// file. All are numbers; the flags are on when not 0.
enum class PortOption {
  AdvancedSetup,
  System2003Supported,
  SystemVistaSupported,
  BaudRate,
  UsbSupported,
  LptDefault
};

// "AdvancedSetup", "System2003Supported", "SystemVistaSupported", "BaudRate",
// "USBSUPPORTED", "LPTDEFAULT".
std::string_view PortOptionKey(PortOption option);
// The model name followed by ".PORT", built in full.
std::string PortSectionName(std::string_view modelName);

// The option of the model in the file of the given module (not necessarily the
// current one); 0 when the file, section or key is missing.
int32_t ReadPortOption(const SetupConfiguration& configuration, PrinterModule module,
                       std::string_view modelName, PortOption option);

}  // namespace kv

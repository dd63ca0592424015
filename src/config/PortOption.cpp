#include "config/PortOption.h"

#include "config/DecimalNumber.h"

namespace kv {
namespace {

constexpr uint32_t kPortOptionReadLimit = 200;

}  // namespace

std::string_view PortOptionKey(PortOption option) {
  switch (option) {
    case PortOption::AdvancedSetup:
      return "AdvancedSetup";
    case PortOption::System2003Supported:
      return "System2003Supported";
    case PortOption::SystemVistaSupported:
      return "SystemVistaSupported";
    case PortOption::BaudRate:
      return "BaudRate";
    case PortOption::UsbSupported:
      return "USBSUPPORTED";
    case PortOption::LptDefault:
      return "LPTDEFAULT";
  }
  return {};
}

std::string PortSectionName(std::string_view modelName) {
  return std::string(modelName) + ".PORT";
}

int32_t ReadPortOption(const SetupConfiguration& configuration, PrinterModule module,
                       std::string_view modelName, PortOption option) {
  return ParseDecimalNumber(configuration.ReadModuleValue(
      module, PortSectionName(modelName), PortOptionKey(option), kPortOptionReadLimit));
}

}  // namespace kv

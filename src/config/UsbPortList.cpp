#include "config/UsbPortList.h"

#include "config/DecimalNumber.h"

namespace kv {
namespace {

constexpr std::string_view kUsbSection = "SUPPORTED-USB-DEVICE";
constexpr std::string_view kCountKey = "PRNCOUNT";
constexpr uint32_t kCountReadLimit = 200;
constexpr uint32_t kPortNameReadLimit = 30;

}  // namespace

int32_t ReadUsbPortCount(const SetupConfiguration& configuration) {
  return ParseDecimalNumber(configuration.ReadSetupValue(kUsbSection, kCountKey, kCountReadLimit));
}

std::string ReadUsbPortName(const SetupConfiguration& configuration, int32_t index) {
  return configuration.ReadSetupValue(kUsbSection, std::to_string(index), kPortNameReadLimit);
}

}  // namespace kv

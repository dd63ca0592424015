#include "config/DeviceList.h"

#include <utility>

#include "config/DecimalNumber.h"

namespace kv {
namespace {

constexpr std::string_view kDeviceSection = "DEVICENAME";
constexpr std::string_view kCountKey = "DEVICENUMBER";
constexpr std::string_view kDefaultKey = "DEFAULTNAME";
constexpr std::string_view kEntryKeyPrefix = "DEVICENAME";
constexpr uint32_t kCountReadLimit = 50;
constexpr uint32_t kDefaultReadLimit = 260;
constexpr uint32_t kEntryReadLimit = 200;

}  // namespace

DeviceEntry ClassifyDeviceEntry(std::string_view entry) {
  for (int32_t i = 0; i < kPrinterModuleCount; ++i) {
    auto module = static_cast<PrinterModule>(i);
    size_t at = entry.find(DeviceListSuffix(module));
    if (at != std::string_view::npos) return DeviceEntry{std::string(entry.substr(0, at)), module};
  }
  return {};
}

int32_t ReadDeviceCount(const SetupConfiguration& configuration) {
  return ParseDecimalNumber(
      configuration.ReadSetupValue(kDeviceSection, kCountKey, kCountReadLimit));
}

DeviceEntry ReadDeviceEntry(const SetupConfiguration& configuration, int32_t index) {
  std::string key = std::string(kEntryKeyPrefix) + std::to_string(index);
  return ClassifyDeviceEntry(configuration.ReadSetupValue(kDeviceSection, key, kEntryReadLimit));
}

DeviceEntry ReadDefaultDevice(const SetupConfiguration& configuration) {
  int32_t index = ParseDecimalNumber(
      configuration.ReadSetupValue(kDeviceSection, kDefaultKey, kDefaultReadLimit));
  return ReadDeviceEntry(configuration, index);
}

std::vector<DeviceEntry> ReadDeviceList(const SetupConfiguration& configuration) {
  std::vector<DeviceEntry> entries;
  const int32_t count = ReadDeviceCount(configuration);
  for (int64_t i = 1; i <= count; ++i) {
    DeviceEntry entry = ReadDeviceEntry(configuration, static_cast<int32_t>(i));
    if (entry.module) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace kv

#include "config/DeviceList.h"

#include <algorithm>
#include <cstdint>
#include <optional>
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

// The index of an entry key: "DEVICENAME" in any case, then a decimal index
// from 1 without leading zeros, the form in which entries are looked up. None
// for any other key.
std::optional<int32_t> EntryIndex(std::string_view keyName) {
  if (keyName.size() <= kEntryKeyPrefix.size() ||
      !ProfileNameEqual()(keyName.substr(0, kEntryKeyPrefix.size()), kEntryKeyPrefix)) {
    return std::nullopt;
  }
  const std::string_view digits = keyName.substr(kEntryKeyPrefix.size());
  if (digits.front() == '0' || digits.size() > 10) return std::nullopt;
  int64_t index = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + (c - '0');
  }
  if (index > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(index);
}

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
  const int32_t count = ReadDeviceCount(configuration);
  // Only entries the section holds can be in the list: walking its keys
  // rather than every number up to DEVICENUMBER gives the same list, and a
  // count typed wrong (two billion) costs no more than the right one.
  std::vector<int32_t> indexes;
  for (const std::string& name : configuration.ReadSetupKeyNames(kDeviceSection)) {
    std::optional<int32_t> index = EntryIndex(name);
    if (index && *index <= count) indexes.push_back(*index);
  }
  std::sort(indexes.begin(), indexes.end());
  std::vector<DeviceEntry> entries;
  for (int32_t index : indexes) {
    DeviceEntry entry = ReadDeviceEntry(configuration, index);
    if (entry.module) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace kv

#include "config/DriverSection.h"

namespace kv {

std::string DriverSectionName(std::string_view modelName, OsFamily family) {
  std::string_view suffix = SectionSuffix(family);
  if (suffix.empty()) return {};
  return std::string(modelName) + std::string(suffix);
}

std::string DriverKey(DriverMode mode, std::string_view keyWithoutPrefix) {
  std::string_view prefix = mode == DriverMode::Standard ? "STD" : "GDI";
  return std::string(prefix) + std::string(keyWithoutPrefix);
}

}  // namespace kv

#include "common/FileVersion.h"

#include <cstdio>

#include "platform/Errors.h"

namespace kv {

std::string GetFileVersionString(Versions& versions, std::string_view path) {
  std::string result(kNoFileVersion);
  uint32_t size = 0;
  if (versions.GetInfoSize(path, &size) != kErrorSuccess || size == 0) return result;
  std::string block;
  if (versions.GetInfo(path, size, &block) != kErrorSuccess) return result;

  std::string translations;
  if (!versions.QueryValue(block, "\\VarFileInfo\\Translation", &translations) ||
      translations.size() < 4) {
    return result;
  }
  auto word = [&](size_t at) {
    return static_cast<unsigned>(static_cast<uint8_t>(translations[at])) |
           (static_cast<unsigned>(static_cast<uint8_t>(translations[at + 1])) << 8);
  };
  char subBlock[64];
  std::snprintf(subBlock, sizeof subBlock, "\\StringFileInfo\\%04x%04x\\FileVersion", word(0),
                word(2));

  std::string value;
  if (!versions.QueryValue(block, subBlock, &value)) return result;
  // VerQueryValue's text ends at its terminator.
  if (auto end = value.find('\0'); end != std::string::npos) value.resize(end);
  if (!value.empty()) result = value;
  return result;
}

}  // namespace kv

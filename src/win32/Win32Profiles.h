#pragma once

#include "platform/Profiles.h"

namespace kv {

// INI files through kernel32's profile functions.
class Win32Profiles : public Profiles {
 public:
  std::string GetPrivateString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, uint32_t bufferChars,
                               std::string_view path) override;
  uint32_t WritePrivateString(std::string_view section, std::string_view key,
                              std::string_view value, std::string_view path) override;
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, uint32_t bufferChars) override;
  uint32_t WriteProfileString(std::string_view section, std::string_view key,
                              std::string_view value) override;
  uint32_t FlushProfile() override;
};

}  // namespace kv

#pragma once

#include "platform/Registry.h"

namespace kv {

// The registry through advapi32's ANSI functions. A process of this 32-bit
// program sees the 32-bit view on every Windows.
class Win32Registry : public Registry {
 public:
  uint32_t OpenKey(RegRoot root, std::string_view path, RegHandle* key) override;
  uint32_t CreateKey(RegRoot root, std::string_view path, RegHandle* key) override;
  uint32_t CloseKey(RegHandle key) override;
  uint32_t QueryValue(RegHandle key, std::string_view name, uint32_t* type,
                      std::string* data) override;
  uint32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                    std::string_view data) override;
  uint32_t DeleteValue(RegHandle key, std::string_view name) override;
  uint32_t EnumValue(RegHandle key, uint32_t index, std::string* name, uint32_t* type) override;
  uint32_t EnumKey(RegHandle key, uint32_t index, std::string* name) override;
  uint32_t DeleteKey(RegRoot root, std::string_view path) override;
};

}  // namespace kv

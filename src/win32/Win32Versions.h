#pragma once

#include "platform/Versions.h"

namespace kv {

// File version resources through version.dll.
class Win32Versions : public Versions {
 public:
  uint32_t GetInfoSize(std::string_view path, uint32_t* size) override;
  uint32_t GetInfo(std::string_view path, uint32_t size, std::string* block) override;
  bool QueryValue(const std::string& block, std::string_view subBlock, std::string* value) override;
};

}  // namespace kv

#pragma once

#include "platform/System.h"

namespace kv {

class Win32System : public System {
 public:
  bool GetVersion(OsVersionInfo* info) override;
  uint32_t EnableShutdownPrivilege() override;
  uint32_t RestartComputer() override;
};

}  // namespace kv

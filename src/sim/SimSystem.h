#pragma once

#include "platform/System.h"
#include "sim/Faults.h"

namespace kv::sim {

// The running Windows version and the restart requests made of it.
class SimSystem : public System {
 public:
  explicit SimSystem(Faults& faults) : faults_(faults) {}

  void SetVersion(uint32_t platformId, uint32_t major, uint32_t minor, uint32_t build = 0) {
    version_ = OsVersionInfo{major, minor, build, platformId, {}};
  }
  int restartRequests() const { return restartRequests_; }
  int privilegeRequests() const { return privilegeRequests_; }

  bool GetVersion(OsVersionInfo* info) override;
  uint32_t EnableShutdownPrivilege() override;
  uint32_t RestartComputer() override;

 private:
  Faults& faults_;
  OsVersionInfo version_{5, 1, 2600, kPlatformNt, "Service Pack 2"};
  int restartRequests_ = 0;
  int privilegeRequests_ = 0;
};

}  // namespace kv::sim

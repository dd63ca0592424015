#include "sim/SimSystem.h"

namespace kv::sim {

bool SimSystem::GetVersion(OsVersionInfo* info) {
  if (faults_.Check(Call::GetVersion)) return false;
  *info = version_;
  return true;
}

uint32_t SimSystem::EnableShutdownPrivilege() {
  if (uint32_t e = faults_.Check(Call::EnableShutdownPrivilege)) return e;
  // The 9x platform has no token functions.
  if (version_.platformId != kPlatformNt) return 120;
  ++privilegeRequests_;
  return 0;
}

uint32_t SimSystem::RestartComputer() {
  if (uint32_t e = faults_.Check(Call::RestartComputer)) return e;
  ++restartRequests_;
  return 0;
}

}  // namespace kv::sim

#include "common/Administrator.h"

#include "common/PlatformHandles.h"
#include "platform/Errors.h"

namespace kv {

bool IsAdministrator(Security& security) {
  TokenHandle token = 0;
  uint32_t error = security.OpenThreadToken(&token);
  if (error == kErrorNoToken) error = security.OpenProcessToken(&token);
  if (error != kErrorSuccess) return false;
  const OwnedToken holder(token, TokenTraits{&security});

  uint32_t needed = 0;
  if (security.QueryGroupsSize(holder.get(), &needed) != kErrorInsufficientBuffer) return false;
  std::vector<TokenGroup> groups;
  if (security.GetGroups(holder.get(), needed, &groups) != kErrorSuccess) return false;

  std::string administrators;
  if (security.BuildSid(kSecurityNtAuthority, kSecurityBuiltinDomainRid, kDomainAliasRidAdmins,
                        &administrators) != kErrorSuccess) {
    return false;
  }
  for (const auto& group : groups) {
    if (group.sid == administrators) return true;
  }
  return false;
}

}  // namespace kv

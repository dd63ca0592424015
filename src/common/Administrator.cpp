#include "common/Administrator.h"

#include "platform/Errors.h"

namespace kv {
namespace {

// Closes the token on every path.
class TokenHolder {
 public:
  TokenHolder(Security& security, TokenHandle token) : security_(security), token_(token) {}
  ~TokenHolder() { security_.CloseToken(token_); }
  TokenHolder(const TokenHolder&) = delete;
  TokenHolder& operator=(const TokenHolder&) = delete;
  TokenHandle get() const { return token_; }

 private:
  Security& security_;
  TokenHandle token_;
};

}  // namespace

bool IsAdministrator(Security& security) {
  TokenHandle token = 0;
  uint32_t error = security.OpenThreadToken(&token);
  if (error == kErrorNoToken) error = security.OpenProcessToken(&token);
  if (error != kErrorSuccess) return false;
  TokenHolder holder(security, token);

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

#pragma once

#include <map>
#include <vector>

#include "platform/Security.h"
#include "sim/Faults.h"

namespace kv::sim {

inline constexpr const char* kAdministratorsSid = "S-1-5-32-544";
inline constexpr const char* kUsersSid = "S-1-5-32-545";

// The token of the running program. By default the thread is not
// impersonating (its token open fails with kErrorNoToken), as for a program
// started normally.
class SimSecurity : public Security {
 public:
  explicit SimSecurity(Faults& faults);

  void SetGroups(std::vector<TokenGroup> groups) { groups_ = std::move(groups); }
  void SetImpersonating(bool impersonating) { impersonating_ = impersonating; }
  size_t OpenTokenCount() const { return openTokens_.size(); }

  uint32_t OpenThreadToken(TokenHandle* token) override;
  uint32_t OpenProcessToken(TokenHandle* token) override;
  uint32_t CloseToken(TokenHandle token) override;
  uint32_t QueryGroupsSize(TokenHandle token, uint32_t* needed) override;
  uint32_t GetGroups(TokenHandle token, uint32_t size, std::vector<TokenGroup>* groups) override;
  uint32_t BuildSid(const uint8_t (&authority)[6], uint32_t rid1, uint32_t rid2,
                    std::string* sid) override;

 private:
  uint32_t GroupsSize() const;

  Faults& faults_;
  std::vector<TokenGroup> groups_;
  bool impersonating_ = false;
  std::map<TokenHandle, bool> openTokens_;
  TokenHandle nextToken_ = 0x200;
};

}  // namespace kv::sim

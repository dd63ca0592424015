#pragma once

#include "platform/Security.h"

namespace kv {

// Access tokens and SIDs. The advapi32 functions are looked up at run time:
// the 9x platform has no security and this program must still load there;
// a missing function fails with 120 (not implemented).
class Win32Security : public Security {
 public:
  uint32_t OpenThreadToken(TokenHandle* token) override;
  uint32_t OpenProcessToken(TokenHandle* token) override;
  uint32_t CloseToken(TokenHandle token) override;
  uint32_t QueryGroupsSize(TokenHandle token, uint32_t* needed) override;
  uint32_t GetGroups(TokenHandle token, uint32_t size, std::vector<TokenGroup>* groups) override;
  uint32_t BuildSid(const uint8_t (&authority)[6], uint32_t rid1, uint32_t rid2,
                    std::string* sid) override;
};

}  // namespace kv

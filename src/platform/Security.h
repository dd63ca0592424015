#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

inline constexpr uint32_t kSeGroupMandatory = 0x01;
inline constexpr uint32_t kSeGroupEnabledByDefault = 0x02;
inline constexpr uint32_t kSeGroupEnabled = 0x04;
inline constexpr uint32_t kSeGroupUseForDenyOnly = 0x10;

// The parts of the local Administrators group's SID, S-1-5-32-544: the NT
// authority, the built-in domain and the administrators' alias.
inline constexpr uint8_t kSecurityNtAuthority[6] = {0, 0, 0, 0, 0, 5};
inline constexpr uint32_t kSecurityBuiltinDomainRid = 32;
inline constexpr uint32_t kDomainAliasRidAdmins = 544;

// One group of a token: its SID in the "S-1-5-32-544" form and its attributes.
struct TokenGroup {
  std::string sid;
  uint32_t attributes = 0;
};

using TokenHandle = uintptr_t;

// Access tokens. Results are Windows error numbers.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Security {
 public:
  virtual ~Security() = default;

  // The calling thread's token for TOKEN_QUERY (open-as-self false);
  // kErrorNoToken when the thread is not impersonating.
  virtual uint32_t OpenThreadToken(TokenHandle* token) = 0;
  virtual uint32_t OpenProcessToken(TokenHandle* token) = 0;
  virtual uint32_t CloseToken(TokenHandle token) = 0;
  // GetTokenInformation(TokenGroups) asked with no buffer: on Windows this
  // fails with kErrorInsufficientBuffer and sets the needed length.
  virtual uint32_t QueryGroupsSize(TokenHandle token, uint32_t* needed) = 0;
  // The groups, read into a buffer of `size` bytes.
  virtual uint32_t GetGroups(TokenHandle token, uint32_t size, std::vector<TokenGroup>* groups) = 0;
  // AllocateAndInitializeSid + its text form; the core compares texts as
  // EqualSid compares SIDs.
  virtual uint32_t BuildSid(const uint8_t (&authority)[6], uint32_t rid1, uint32_t rid2,
                            std::string* sid) = 0;
};

}  // namespace kv

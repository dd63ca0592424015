#include "sim/SimSecurity.h"

#include "platform/Errors.h"

namespace kv::sim {

SimSecurity::SimSecurity(Faults& faults) : faults_(faults) {
  groups_ = {{"S-1-1-0", kSeGroupMandatory | kSeGroupEnabled},
             {kAdministratorsSid, kSeGroupMandatory | kSeGroupEnabled},
             {kUsersSid, kSeGroupMandatory | kSeGroupEnabled}};
}

uint32_t SimSecurity::GroupsSize() const {
  // TOKEN_GROUPS: a count, then per group a SID pointer and attributes, then
  // the SIDs themselves (a 16-byte alias SID each).
  return static_cast<uint32_t>(4 + groups_.size() * (8 + 16));
}

uint32_t SimSecurity::OpenThreadToken(TokenHandle* token) {
  if (uint32_t e = faults_.Check(Call::OpenThreadToken)) return e;
  if (!impersonating_) return kErrorNoToken;
  *token = nextToken_++;
  openTokens_[*token] = true;
  return kErrorSuccess;
}

uint32_t SimSecurity::OpenProcessToken(TokenHandle* token) {
  if (uint32_t e = faults_.Check(Call::OpenProcessToken)) return e;
  *token = nextToken_++;
  openTokens_[*token] = false;
  return kErrorSuccess;
}

uint32_t SimSecurity::CloseToken(TokenHandle token) {
  return openTokens_.erase(token) ? kErrorSuccess : kErrorInvalidHandle;
}

uint32_t SimSecurity::QueryGroupsSize(TokenHandle token, uint32_t* needed) {
  if (uint32_t e = faults_.Check(Call::QueryGroupsSize)) return e;
  if (!openTokens_.count(token)) return kErrorInvalidHandle;
  *needed = GroupsSize();
  return kErrorInsufficientBuffer;
}

uint32_t SimSecurity::GetGroups(TokenHandle token, uint32_t size, std::vector<TokenGroup>* groups) {
  if (uint32_t e = faults_.Check(Call::GetGroups)) return e;
  if (!openTokens_.count(token)) return kErrorInvalidHandle;
  if (size < GroupsSize()) return kErrorInsufficientBuffer;
  *groups = groups_;
  return kErrorSuccess;
}

uint32_t SimSecurity::BuildSid(const uint8_t (&authority)[6], uint32_t rid1, uint32_t rid2,
                               std::string* sid) {
  if (uint32_t e = faults_.Check(Call::BuildSid)) return e;
  uint64_t value = 0;
  for (uint8_t byte : authority) value = (value << 8) | byte;
  *sid = "S-1-" + std::to_string(value) + "-" + std::to_string(rid1) + "-" + std::to_string(rid2);
  return kErrorSuccess;
}

}  // namespace kv::sim

#include <gtest/gtest.h>

#include <vector>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

TEST(SecurityContract, ProcessTokenGroupsAreReadInTwoCalls) {
  Security& security = ContractMachine().security;
  TokenHandle token = 0xdeadbeef;
  // The test thread impersonates no one.
  EXPECT_EQ(security.OpenThreadToken(&token), kErrorNoToken);
  EXPECT_EQ(token, 0xdeadbeefu);

  ASSERT_EQ(security.OpenProcessToken(&token), 0u);
  uint32_t needed = 0;
  EXPECT_EQ(security.QueryGroupsSize(token, &needed), kErrorInsufficientBuffer);
  ASSERT_GT(needed, 0u);
  std::vector<TokenGroup> groups;
  ASSERT_EQ(security.GetGroups(token, needed, &groups), 0u);
  ASSERT_FALSE(groups.empty());
  for (const auto& group : groups) EXPECT_EQ(group.sid.rfind("S-1-", 0), 0u) << group.sid;
  if (RunningOnWine()) {
    // Wine's user is always an administrator.
    bool admin = false;
    for (const auto& group : groups) admin = admin || group.sid == "S-1-5-32-544";
    EXPECT_TRUE(admin);
  }
  EXPECT_EQ(security.CloseToken(token), 0u);
}

TEST(SecurityContract, BuildsTheAdministratorsSid) {
  const uint8_t ntAuthority[6] = {0, 0, 0, 0, 0, 5};
  std::string sid;
  ASSERT_EQ(ContractMachine().security.BuildSid(ntAuthority, 32, 544, &sid), 0u);
  EXPECT_EQ(sid, "S-1-5-32-544");
}

}  // namespace
}  // namespace kv::contract

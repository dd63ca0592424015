#include <gtest/gtest.h>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

class ServicesContract : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(services.OpenManager(&manager), 0u);
    ASSERT_EQ(services.OpenService(manager, "Spooler",
                                   kServiceStart | kServiceStop | kServiceQueryStatus, &spooler),
              0u);
  }
  void TearDown() override {
    // Leave the spooler running, as the other cases expect.
    if (spooler != 0) {
      services.Start(spooler);
      AwaitState(kServiceRunning);
      services.CloseHandle(spooler);
    }
    if (manager != 0) services.CloseHandle(manager);
  }

  // Polls for up to 10 s; the service moves through pending states.
  bool AwaitState(uint32_t wanted) {
    for (int poll = 0; poll < 100; ++poll) {
      uint32_t state = 0;
      if (services.QueryState(spooler, &state) == 0 && state == wanted) return true;
      ContractMachine().clock.Sleep(100);
    }
    return false;
  }

  Services& services = ContractMachine().services;
  ScHandle manager = 0;
  ScHandle spooler = 0;
};

TEST_F(ServicesContract, SpoolerStopsAndStartsWithTheStateErrors) {
  uint32_t started = services.Start(spooler);
  EXPECT_TRUE(started == 0 || started == kErrorServiceAlreadyRunning) << started;
  ASSERT_TRUE(AwaitState(kServiceRunning));
  EXPECT_EQ(services.Start(spooler), kErrorServiceAlreadyRunning);

  EXPECT_EQ(services.Stop(spooler), 0u);
  ASSERT_TRUE(AwaitState(kServiceStopped));
  EXPECT_EQ(services.Stop(spooler), kErrorServiceNotActive);

  EXPECT_EQ(services.Start(spooler), 0u);
  EXPECT_TRUE(AwaitState(kServiceRunning));
}

TEST_F(ServicesContract, UnknownServiceDoesNotOpen) {
  ScHandle unknown = 0xdeadbeef;
  EXPECT_EQ(services.OpenService(manager, "NoSuchServiceKv", kServiceQueryStatus, &unknown),
            kErrorServiceDoesNotExist);
  EXPECT_EQ(unknown, 0xdeadbeefu);
}

TEST_F(ServicesContract, ServiceNamesIgnoreCase) {
  ScHandle other = 0;
  ASSERT_EQ(services.OpenService(manager, "SPOOLER", kServiceQueryStatus, &other), 0u);
  uint32_t state = 0;
  EXPECT_EQ(services.QueryState(other, &state), 0u);
  EXPECT_GE(state, kServiceStopped);
  EXPECT_LE(state, kServiceRunning);
  EXPECT_EQ(services.CloseHandle(other), 0u);
}

}  // namespace
}  // namespace kv::contract

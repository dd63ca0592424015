#include "common/SpoolerService.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

using Sleeps = std::vector<uint32_t>;

class SpoolerServiceTest : public ::testing::Test {
 protected:
  sim::SimService& spooler() { return sim.services().service("Spooler"); }
  Services& services() { return sim.machine().services; }
  Clock& clock() { return sim.machine().clock; }

  sim::SimMachine sim;
  std::string message = "untouched";
};

TEST_F(SpoolerServiceTest, StopRequestsStopAndWaits100ms) {
  StopSpooler(services(), clock());
  EXPECT_EQ(spooler().state, kServiceStopped);
  EXPECT_EQ(sim.clock().sleeps(), Sleeps{100});
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, StoppingAStoppedServiceIsSilent) {
  spooler().state = kServiceStopped;
  StopSpooler(services(), clock());
  EXPECT_EQ(spooler().state, kServiceStopped);
  EXPECT_EQ(sim.services().stopRequests(), 1);
  EXPECT_EQ(sim.clock().sleeps(), Sleeps{100});
}

TEST_F(SpoolerServiceTest, StartOfRunningServiceLeavesNoMessage) {
  StartSpooler(services(), message);
  EXPECT_EQ(message, "untouched");
  EXPECT_EQ(sim.services().startRequests(), 1);
}

TEST_F(SpoolerServiceTest, RefusedStartIsReportedWithItsError) {
  spooler().state = kServiceStopped;
  sim.FailNext(sim::Call::ScStart, 1058);
  StartSpooler(services(), message);
  EXPECT_EQ(message, "Start spool service error, error code = 1058");
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, WithoutRightsStopAndStartDoNothingAndWaitFailsAtOnce) {
  sim.services().SetManagerAccessDenied(true);
  spooler().state = kServiceStopped;
  StopSpooler(services(), clock());
  StartSpooler(services(), message);
  EXPECT_EQ(message, "untouched");
  EXPECT_EQ(spooler().state, kServiceStopped);
  EXPECT_TRUE(sim.clock().sleeps().empty()) << "no wait when the manager does not open";

  EXPECT_FALSE(WaitForSpoolerRunning(services(), clock(), message));
  EXPECT_EQ(message, "StartSpoolService error");
  EXPECT_TRUE(sim.clock().sleeps().empty()) << "nothing polled";
}

TEST_F(SpoolerServiceTest, ServiceWithoutStartRightIsNotStarted) {
  spooler().state = kServiceStopped;
  spooler().grantedAccess = kServiceQueryStatus;
  StartSpooler(services(), message);
  EXPECT_EQ(message, "untouched");
  EXPECT_EQ(sim.services().startRequests(), 0);
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, WaitReturnsAsSoonAsTheServiceRuns) {
  spooler().state = kServiceStopped;
  spooler().startPolls = 3;
  StartSpooler(services(), message);
  EXPECT_TRUE(WaitForSpoolerRunning(services(), clock(), message));
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{300, 300, 300}));
  EXPECT_EQ(message, "untouched");
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, RunningServiceNeedsNoWait) {
  EXPECT_TRUE(WaitForSpoolerRunning(services(), clock(), message));
  EXPECT_TRUE(sim.clock().sleeps().empty());
}

TEST_F(SpoolerServiceTest, SlowServiceFailsAfterTenPolls) {
  spooler().state = kServiceStopped;
  spooler().startPolls = 10;  // running only on the eleventh query
  StartSpooler(services(), message);
  EXPECT_FALSE(WaitForSpoolerRunning(services(), clock(), message));
  EXPECT_EQ(sim.clock().sleeps(), Sleeps(10, 300));
  EXPECT_EQ(message, "StartSpoolService error");
}

TEST_F(SpoolerServiceTest, ServiceThatCannotBeQueriedRunsOutThePolls) {
  spooler().grantedAccess = kServiceStop | kServiceStart;
  EXPECT_FALSE(WaitForSpoolerRunning(services(), clock(), message));
  EXPECT_EQ(sim.clock().sleeps(), Sleeps(10, 300));
  EXPECT_EQ(message, "StartSpoolService error");
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, RestartStopsWaitsTwoSecondsAndStarts) {
  std::vector<uint32_t> statesSeenWhileWaiting;
  sim.clock().OnSleep([&](uint64_t) { statesSeenWhileWaiting.push_back(spooler().state); });
  RestartSpooler(services(), clock());
  EXPECT_EQ(sim.clock().sleeps(), Sleeps{2000});
  EXPECT_EQ(statesSeenWhileWaiting, std::vector<uint32_t>{kServiceStopped});
  EXPECT_EQ(spooler().state, kServiceRunning);
  EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
}

TEST_F(SpoolerServiceTest, RestartOfStoppedServiceStillStartsIt) {
  spooler().state = kServiceStopped;
  RestartSpooler(services(), clock());
  EXPECT_EQ(spooler().state, kServiceRunning);
  EXPECT_EQ(sim.clock().sleeps(), Sleeps{2000});
}

}  // namespace
}  // namespace kv

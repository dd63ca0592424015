#include "common/DeploymentLog.h"

#include <gtest/gtest.h>

#include "common/DeploymentTexts.h"
#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

TEST(DeploymentLogTest, LineFormat) {
  struct Case {
    LocalTime time;
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {{2026, 3, 4, 5, 6, 7, 8},
       "Receipt has been deleted.",
       "2026-03-04 05:06:07.008\tuninstall 2.3.0.0\tReceipt has been deleted."},
      {{1999, 12, 31, 23, 59, 59, 999}, "", "1999-12-31 23:59:59.999\tuninstall 2.3.0.0\t"},
      // Every kind of line break becomes the two characters \n.
      {{2026, 1, 1, 0, 0, 0, 0},
       "one\ntwo\r\nthree\rfour\n",
       "2026-01-01 00:00:00.000\tuninstall 2.3.0.0\tone\\ntwo\\nthree\\nfour\\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DeploymentLog::FormatLine(c.time, "uninstall 2.3.0.0", c.text), c.expected);
  }
}

TEST(DeploymentLogTest, AppendsOneWholeLinePerWriteAtTheMachinesLocalTime) {
  sim::SimMachine sim;
  sim.files().AddDirectory("C:\\logs");
  sim.files().AddFile("C:\\logs\\fleet.log", "earlier run\r\n");
  sim.clock().SetStartTime({2026, 12, 31, 23, 59, 59, 998});
  {
    DeploymentLog log(sim.machine().files, sim.machine().clock, "setup", "2.3.0.0");
    ASSERT_EQ(log.Open("C:\\logs\\fleet.log"), kErrorSuccess);
    EXPECT_TRUE(log.active());
    log.Write("first");
    sim.clock().Sleep(5);
    log.Write("second\nline");
    // A write the file refuses is lost, not fatal.
    sim.FailNext(sim::Call::AppendToFile, kErrorAccessDenied);
    log.Write("lost");
    EXPECT_EQ(sim.files().OpenAppendCount(), 1u);
  }
  EXPECT_EQ(sim.files().OpenAppendCount(), 0u) << "closed with the log";
  EXPECT_EQ(sim.files().Find("C:\\logs\\fleet.log")->bytes,
            "earlier run\r\n"
            "2026-12-31 23:59:59.998\tsetup 2.3.0.0\tfirst\r\n"
            "2027-01-01 00:00:00.003\tsetup 2.3.0.0\tsecond\\nline\r\n");
}

TEST(DeploymentLogTest, NotAskedForOrNotOpenedKeepsNothing) {
  sim::SimMachine sim;
  DeploymentLog unused(sim.machine().files, sim.machine().clock, "setup", "2.3.0.0");
  unused.Write("nothing");
  EXPECT_FALSE(unused.active());

  DeploymentLog refused(sim.machine().files, sim.machine().clock, "setup", "2.3.0.0");
  EXPECT_EQ(refused.Open("C:\\no such folder\\x.log"), kErrorPathNotFound);
  EXPECT_FALSE(refused.active());
  refused.Write("nothing");
  EXPECT_FALSE(sim.files().Exists("C:\\no such folder\\x.log"));
  EXPECT_EQ(sim.files().OpenAppendCount(), 0u);
}

TEST(FormatTextTest, ReplacesPlaceholdersInOrder) {
  EXPECT_EQ(FormatText("%s failed: Windows error %d", {"DeleteFile", "5"}),
            "DeleteFile failed: Windows error 5");
  EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
  EXPECT_EQ(FormatText("100%", {"x"}), "100%");
  EXPECT_EQ(FormatText("%s", {"%s"}), "%s") << "values are not read again";
}

}  // namespace
}  // namespace kv

#include "uninstall/RunningFamily.h"

#include <gtest/gtest.h>

#include "platform/sim/SimMachine.h"

namespace kv {
namespace {

struct FamilyCase {
  uint32_t platform, major, minor;
  int family;
  bool usbDisabled;
  bool marks;
  const char* suffix;
};

TEST(RunningFamilyTest, ClassifiesEveryVersionWithItsCheckBoxRuleAndMark) {
  const FamilyCase cases[] = {
      {kPlatformWindows, 4, 0, 0, false, false, ".98"},  // Windows 95
      {kPlatformWindows, 4, 10, 0, true, false, ".98"},  // Windows 98
      {kPlatformWindows, 4, 90, 0, true, false, ".98"},  // Me
      {kPlatformNt, 3, 51, 0, false, false, ".98"},
      {kPlatformNt, 4, 0, 1, true, false, ".NT"},
      {kPlatformNt, 5, 0, 2, false, false, ".2K"},
      {kPlatformNt, 5, 1, 3, false, false, ".2K"},
      {kPlatformNt, 5, 2, 4, false, false, ".2003"},
      {kPlatformNt, 6, 0, 5, false, true, ".Vista"},
      {kPlatformNt, 6, 1, 0, false, false, ".98"},
      {kPlatformWin32s, 1, 0, -1, false, false, ".Vista"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << "." << c.minor);
    sim::Faults faults;
    sim::SimSystem system(faults);
    system.SetVersion(c.platform, c.major, c.minor);
    RunningFamily family = ClassifyRunningFamily(system);
    EXPECT_EQ(family.family, c.family);
    EXPECT_EQ(family.usbDriverRemovalDisabled, c.usbDisabled);
    EXPECT_EQ(family.marksCompatibility, c.marks);
    EXPECT_EQ(FamilySuffix(family.family), c.suffix);
  }
}

TEST(RunningFamilyTest, UnreadableVersionIsAnUnknownPlatform) {
  sim::Faults faults;
  sim::SimSystem system(faults);
  faults.FailNext(sim::Call::GetVersion, 1);
  EXPECT_EQ(ClassifyRunningFamily(system).family, kFamilyUnknownPlatform);
}

}  // namespace
}  // namespace kv

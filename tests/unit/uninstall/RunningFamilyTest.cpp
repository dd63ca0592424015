#include "uninstall/RunningFamily.h"

#include <gtest/gtest.h>

#include "sim/SimMachine.h"

namespace kv {
namespace {

struct FamilyCase {
  uint32_t platform, major, minor;
  std::optional<OsFamily> family;
  bool usbDisabled;
  bool marks;
  const char* suffix;
};

TEST(RunningFamilyTest, ClassifiesEveryVersionWithItsCheckBoxRuleAndMark) {
  const FamilyCase cases[] = {
      {kPlatformWindows, 4, 0, OsFamily::Win98, false, false, ".98"},  // Windows 95
      {kPlatformWindows, 4, 10, OsFamily::Win98, true, false, ".98"},  // Windows 98
      {kPlatformWindows, 4, 90, OsFamily::Win98, true, false, ".98"},  // Me
      {kPlatformNt, 3, 51, OsFamily::Win98, false, false, ".98"},
      {kPlatformNt, 4, 0, OsFamily::NT4, true, false, ".NT"},
      {kPlatformNt, 5, 0, OsFamily::Win2000, false, false, ".2K"},
      {kPlatformNt, 5, 1, OsFamily::WinXP, false, false, ".2K"},
      {kPlatformNt, 5, 2, OsFamily::Server2003, false, false, ".2003"},
      {kPlatformNt, 6, 0, OsFamily::Vista, false, true, ".Vista"},
      {kPlatformNt, 6, 1, OsFamily::Win98, false, false, ".98"},
      {kPlatformWin32s, 1, 0, std::nullopt, false, false, ".Vista"},
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
    EXPECT_EQ(UninstallSectionSuffix(family.family), c.suffix);
  }
}

TEST(RunningFamilyTest, UnreadableVersionIsAnUnknownPlatform) {
  sim::Faults faults;
  sim::SimSystem system(faults);
  faults.FailNext(sim::Call::GetVersion, 1);
  EXPECT_EQ(ClassifyRunningFamily(system).family, std::nullopt);
}

}  // namespace
}  // namespace kv

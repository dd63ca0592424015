#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "common/CompatibilityMarks.h"
#include "common/RegKey.h"
#include "common/SetupStrings.h"
#include "wizard/OsPage.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

constexpr const char* kUser = "S-1-5-21-1111111111-2222222222-3333333333-1000";

// A user listed in the protected storage key, as Windows XP keeps them.
void ListUser(SetupWorld& world) {
  CreateKey(world.sim.registry(), RegRoot::CurrentUser,
            std::string("Software\\Microsoft\\Protected Storage System Provider\\") + kUser);
}

// "current user" and "listed users" for the marks found in the registry.
std::vector<std::string> WrittenMarks(SetupWorld& world) {
  std::vector<std::string> marks;
  const auto marked = [&](RegRoot root, const std::string& path) {
    RegKey key(world.sim.registry());
    uint32_t value = 0;
    return key.Open(root, path) && key.ReadDword("C:\\Medium\\setup.exe", &value) && value == 1;
  };
  if (marked(RegRoot::CurrentUser, std::string(kCompatibilityPersistedKey))) {
    marks.push_back("current user");
  }
  if (marked(RegRoot::Users, std::string(kUser) + "\\" + std::string(kCompatibilityPersistedKey))) {
    marks.push_back("listed users");
  }
  return marks;
}

class OsPageTest : public WizardFixture {};

// The preset of every version: the button checked (0: none), the only button
// enabled, the family and the marks written.
TEST_F(OsPageTest, PresetsAndDisablesByTheRunningVersion) {
  struct Case {
    const char* name;
    sim::WindowsVersion version;
    int checked, enabled;
    OsFamily family;
    std::vector<std::string> marks;
  };
  const Case cases[] = {
      {"95", sim::WindowsVersion::Win95, 0, IDC_OS_WIN98, OsFamily::Win98, {}},
      {"98", sim::WindowsVersion::Win98, IDC_OS_WIN98, IDC_OS_WIN98, OsFamily::Win98, {}},
      {"Me", sim::WindowsVersion::WinMe, IDC_OS_WIN98, IDC_OS_WIN98, OsFamily::Win98, {}},
      {"NT 3.51", sim::WindowsVersion::NT351, 0, IDC_OS_WIN98, OsFamily::Win98, {}},
      {"NT 4.0", sim::WindowsVersion::NT4, IDC_OS_NT4, IDC_OS_NT4, OsFamily::NT4, {}},
      {"2000", sim::WindowsVersion::Win2000, IDC_OS_WIN2000, IDC_OS_WIN2000, OsFamily::Win2000, {}},
      {"XP",
       sim::WindowsVersion::WinXP,
       IDC_OS_WINXP,
       IDC_OS_WINXP,
       OsFamily::WinXP,
       {"listed users"}},
      {"2003",
       sim::WindowsVersion::Server2003,
       IDC_OS_SERVER2003,
       IDC_OS_SERVER2003,
       OsFamily::Server2003,
       {}},
      {"Vista",
       sim::WindowsVersion::Vista,
       IDC_OS_VISTA,
       IDC_OS_VISTA,
       OsFamily::Vista,
       {"current user"}},
      {"7", sim::WindowsVersion::Win7, 0, IDC_OS_WIN98, OsFamily::Win98, {}},
  };
  const int buttons[] = {IDC_OS_WIN98, IDC_OS_NT4,        IDC_OS_WIN2000,
                         IDC_OS_WINXP, IDC_OS_SERVER2003, IDC_OS_VISTA};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupWorld world;
    world.sim.UseWindows(c.version);
    ListUser(world);
    OsPage page(world.sim.machine(), "setup");
    auto dialog = world.dialogs.Open(IDD_OS_PAGE, page);
    for (int button : buttons) {
      EXPECT_EQ(dialog->Checked(button), button == c.checked) << button;
      EXPECT_EQ(dialog->Enabled(button), button == c.enabled) << button;
    }
    EXPECT_EQ(page.family(), c.family);
    EXPECT_EQ(WrittenMarks(world), c.marks);
    EXPECT_TRUE(world.MessageTexts().empty());
  }
}

TEST_F(OsPageTest, AnotherPlatformIsToldTheDriverDoesNotWorkAndGetsTheFirstButton) {
  sim.system().SetVersion(kPlatformWin32s, 3, 11);
  OsPage page(sim.machine(), "setup");
  auto dialog = dialogs.Open(IDD_OS_PAGE, page);
  EXPECT_EQ(MessageTexts(),
            std::vector<std::string>{std::string(SetupString(setup_text::kUnsupportedSystem))});
  EXPECT_EQ(page.family(), OsFamily::Win98);
  EXPECT_FALSE(dialog->Checked(IDC_OS_WIN98));
  EXPECT_TRUE(dialog->Enabled(IDC_OS_WIN98));
  EXPECT_FALSE(dialog->Enabled(IDC_OS_WINXP));
}

TEST_F(OsPageTest, TheEnabledButtonCannotChangeTheFamily) {
  OsPage page(sim.machine(), "setup");
  auto dialog = dialogs.Open(IDD_OS_PAGE, page);
  EXPECT_TRUE(dialog->Click(IDC_OS_WINXP));
  EXPECT_FALSE(dialog->Click(IDC_OS_VISTA));
  EXPECT_EQ(page.family(), OsFamily::WinXP);
  EXPECT_TRUE(dialog->Checked(IDC_OS_WINXP));
}

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "common/SetupStrings.h"
#include "wizard/SetupResourceIds.h"

namespace kv {
namespace {

// The user closes the wizard as soon as it is there.
void CloseWhenOpen(SetupWorld& world) {
  world.WhenWizardOpen([&world](sim::SimDialog& wizard) {
    world.wizardOpened = true;
    wizard.PressEscape();
  });
}

class SetupAppTest : public WizardFixture {
 protected:
  SetupAppTest() { CloseWhenOpen(*this); }
};

TEST_F(SetupAppTest, ASecondCopyBringsTheFirstToTheFrontAndEndsSilently) {
  sim.threads().HoldMutexElsewhere("setup");
  sim.desktop().AddWindow("Printer Driver Setup");

  EXPECT_EQ(RunSetup(), kIdCancel);

  EXPECT_FALSE(wizardOpened);
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_EQ(sim.desktop().activations(), std::vector<std::string>{"Printer Driver Setup"});
}

TEST_F(SetupAppTest, ASecondCopyDuringTheUninstallMessageFindsNoWizardAndEndsSilently) {
  sim.threads().HoldMutexElsewhere("setup");
  sim.desktop().AddWindow("Uninstall");

  RunSetup();

  EXPECT_FALSE(wizardOpened);
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_TRUE(sim.desktop().activations().empty());
}

TEST_F(SetupAppTest, TheMutexFollowsTheProgramFileName) {
  sim.threads().HoldMutexElsewhere("setup");
  sim.files().SetModuleFileName("C:\\Medium\\setup2.exe");

  RunSetup();

  EXPECT_TRUE(wizardOpened);
}

TEST_F(SetupAppTest, RefusesToRunBesideTheUninstaller) {
  sim.desktop().AddWindow("Uninstall");

  EXPECT_EQ(RunSetup(), kIdCancel);

  EXPECT_FALSE(wizardOpened);
  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  const sim::ShownMessageBox& box = sim.desktop().messageBoxes()[0];
  EXPECT_EQ(box.text, "Please close Uninstall program first!");
  EXPECT_EQ(box.caption, "setup");
  EXPECT_EQ(box.owner, 0u);
  EXPECT_EQ(box.style, kMbOk | kMbIconExclamation);
}

// The checks of the wizard's initialisation: which messages appear, in which
// order, and whether the user ever gets the wizard.
TEST_F(SetupAppTest, InitialisationChecksRunInOrderAndEachEndsTheWizard) {
  const std::string license(SetupString(setup_text::kCannotLoadLicense));
  const std::string bitmap(SetupString(setup_text::kCannotLoadLeftBitmap));
  const std::string admin = "You must be logged on the computer as an administrator!";
  struct Case {
    const char* name;
    sim::WindowsVersion version;
    bool licenseMissing, bitmapMissing, administrator;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {"all present", sim::WindowsVersion::WinXP, false, false, true, {}},
      {"licence missing", sim::WindowsVersion::WinXP, true, false, true, {license}},
      {"bitmap missing", sim::WindowsVersion::WinXP, false, true, true, {bitmap}},
      {"both missing", sim::WindowsVersion::WinXP, true, true, true, {license, bitmap}},
      {"licence missing, no administrator",
       sim::WindowsVersion::WinXP,
       true,
       false,
       false,
       {license, admin}},
      {"bitmap missing skips the administrator check",
       sim::WindowsVersion::Vista,
       false,
       true,
       false,
       {bitmap}},
      {"no administrator on 2000", sim::WindowsVersion::Win2000, false, false, false, {admin}},
      {"no administrator on Server 2003",
       sim::WindowsVersion::Server2003,
       false,
       false,
       false,
       {admin}},
      {"no check on 98", sim::WindowsVersion::Win98, false, false, false, {}},
      {"no check on NT 4.0", sim::WindowsVersion::NT4, false, false, false, {}},
      {"no check on an unrecognised version", sim::WindowsVersion::Win7, false, false, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupWorld test;
    CloseWhenOpen(test);
    test.sim.UseWindows(c.version);
    if (c.licenseMissing) test.RemoveMediumFile("License.txt");
    if (c.bitmapMissing) test.RemoveMediumFile("DRVCONFIG\\Left.bmp");
    if (!c.administrator) test.UseNonAdministrator();

    EXPECT_EQ(test.RunSetup(), kIdCancel);

    EXPECT_EQ(test.MessageTexts(), c.messages);
    EXPECT_EQ(test.wizardOpened, c.messages.empty());
    for (const sim::ShownMessageBox& box : test.sim.desktop().messageBoxes()) {
      EXPECT_NE(box.owner, 0u) << box.text;  // owned by the page or the wizard
      EXPECT_EQ(box.style, kMbOk) << box.text;
      EXPECT_EQ(box.caption, "setup");
    }
  }
}

TEST_F(SetupAppTest, TheLicenceMessageIsOwnedByItsPageAndTheOthersByTheWizard) {
  RemoveMediumFile("License.txt");
  RemoveMediumFile("DRVCONFIG\\Left.bmp");

  RunSetup();

  ASSERT_EQ(sim.desktop().messageBoxes().size(), 2u);
  EXPECT_NE(sim.desktop().messageBoxes()[0].owner, sim.desktop().messageBoxes()[1].owner);
}

}  // namespace
}  // namespace kv

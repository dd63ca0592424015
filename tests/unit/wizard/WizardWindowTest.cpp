#include <gtest/gtest.h>

#include "WizardFixture.h"
#include "common/SetupStrings.h"
#include "wizard/PortPage.h"
#include "wizard/SetupResourceIds.h"
#include "wizard/WizardWindow.h"

namespace kv {
namespace {

WizardWindow& Window(sim::SimDialog& wizard) {
  return dynamic_cast<WizardWindow&>(wizard.page());
}

class WizardWindowTest : public WizardFixture {
 protected:
  // Runs the program with `user` acting while the wizard is open, then
  // closes the wizard with Cancel if the user left it open.
  void Run(std::function<void(sim::SimDialog&)> user) {
    WhenWizardOpen([user = std::move(user)](sim::SimDialog& wizard) {
      user(wizard);
      if (!wizard.Ended()) wizard.Click(IDC_CANCEL);
    });
    result = RunSetup();
  }
  int result = 0;
};

TEST_F(WizardWindowTest, OpensOnTheLicenceWithItsMenuIconAndCaptions) {
  Run([](sim::SimDialog& wizard) {
    EXPECT_EQ(VisiblePage(wizard), IDD_LICENSE_PAGE);
    EXPECT_EQ(wizard.pages().size(), 5u);
    EXPECT_EQ(wizard.systemMenu(),
              (std::vector<std::pair<int, std::string>>{{16, "&About Printer Driver Setup..."}}));
    EXPECT_EQ(wizard.icon(), IDR_MAINFRAME);
    EXPECT_EQ(wizard.Text(IDC_BACK), "<<Back (&B)");
    EXPECT_EQ(wizard.Text(IDC_NEXT), "Next (&N)>>");
    EXPECT_EQ(wizard.Text(IDC_CANCEL), "Cancel (&C)");
    // Found through the current directory.
    EXPECT_EQ(wizard.bitmapPath(IDC_PICTURE), "C:\\Medium\\DRVCONFIG\\Left.bmp");
    EXPECT_FALSE(wizard.Enabled(IDC_BACK));
    EXPECT_FALSE(wizard.Enabled(IDC_NEXT));
    for (const auto& page : wizard.pages()) EXPECT_EQ(page->frameOf(), IDC_PAGE_FRAME);
  });
  EXPECT_EQ(result, kIdCancel);
}

// Every event of the walk and the buttons after it.
TEST_F(WizardWindowTest, ButtonsFollowEveryStepOfTheWalk) {
  enum class Act { Accept, Reject, Next, Back };
  struct Step {
    Act act;
    int page;
    bool back;
    const char* caption;
    bool next;
  };
  const Step steps[] = {
      {Act::Accept, IDD_LICENSE_PAGE, false, "Next (&N)>>", true},
      {Act::Reject, IDD_LICENSE_PAGE, false, "Next (&N)>>", false},
      {Act::Accept, IDD_LICENSE_PAGE, false, "Next (&N)>>", true},
      {Act::Next, IDD_MODULE_PAGE, true, "Next (&N)>>", true},
      {Act::Next, IDD_SETUP_TYPE_PAGE, true, "Next (&N)>>", true},
      {Act::Next, IDD_OS_PAGE, true, "Next (&N)>>", true},
      {Act::Next, IDD_PORT_PAGE, true, "Install (&I)", true},
      {Act::Back, IDD_OS_PAGE, true, "Next (&N)>>", true},
      {Act::Next, IDD_PORT_PAGE, true, "Install (&I)", true},
      {Act::Back, IDD_OS_PAGE, true, "Next (&N)>>", true},
      {Act::Back, IDD_SETUP_TYPE_PAGE, true, "Next (&N)>>", true},
      {Act::Back, IDD_MODULE_PAGE, true, "Next (&N)>>", true},
      {Act::Back, IDD_LICENSE_PAGE, false, "Next (&N)>>", true},
      {Act::Reject, IDD_LICENSE_PAGE, false, "Next (&N)>>", false},
  };
  Run([&](sim::SimDialog& wizard) {
    sim::SimDialog& license = Page(wizard, IDD_LICENSE_PAGE);
    int number = 0;
    for (const Step& step : steps) {
      SCOPED_TRACE(testing::Message() << "step " << ++number);
      switch (step.act) {
        case Act::Accept:
          ASSERT_TRUE(license.Click(IDC_ACCEPT));
          break;
        case Act::Reject:
          ASSERT_TRUE(license.Click(IDC_REJECT));
          break;
        case Act::Next:
          ASSERT_TRUE(wizard.Click(IDC_NEXT));
          break;
        case Act::Back:
          ASSERT_TRUE(wizard.Click(IDC_BACK));
          break;
      }
      EXPECT_EQ(VisiblePage(wizard), step.page);
      EXPECT_EQ(wizard.Enabled(IDC_BACK), step.back);
      EXPECT_EQ(wizard.Text(IDC_NEXT), step.caption);
      EXPECT_EQ(wizard.Enabled(IDC_NEXT), step.next);
      // Next keeps the focus on itself; Back moves it there on reaching page 0.
      if (step.act == Act::Next || (step.act == Act::Back && step.page == IDD_LICENSE_PAGE)) {
        EXPECT_EQ(wizard.Focus(), IDC_NEXT);
      }
    }
    EXPECT_FALSE(wizard.Ended());
  });
  EXPECT_EQ(result, kIdCancel);
}

TEST_F(WizardWindowTest, EnterOnTheLastPageIsTheInstallCommandWhichMayKeepThePage) {
  WriteConfigFile("setup_receipt.ini", "[QTM-C7S.PORT]\r\nAdvancedSetup=1\r\nUSBSUPPORTED=1\r\n");
  Run([this](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    Page(wizard, IDD_SETUP_TYPE_PAGE).Click(IDC_ADVANCED);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    ASSERT_EQ(VisiblePage(wizard), IDD_PORT_PAGE);
    ASSERT_TRUE(Page(wizard, IDD_PORT_PAGE).ChooseText(IDC_PORTS, "USB_QTM-C7S_2"));
    wizard.PressEnter();  // no USB printer attached: refused
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{std::string(SetupString(setup_text::kNoUsbDeviceAttached))});
    EXPECT_FALSE(wizard.Ended());
    EXPECT_EQ(VisiblePage(wizard), IDD_PORT_PAGE);
  });
}

TEST_F(WizardWindowTest, CancelEscapeAndTheCloseBoxEndTheWizardAtOnceOnAnyPage) {
  for (int pagesForward = 0; pagesForward < 5; ++pagesForward) {
    for (bool escape : {false, true}) {
      SCOPED_TRACE(testing::Message() << pagesForward << (escape ? " escape" : " cancel"));
      SetupWorld world;
      world.WhenWizardOpen([&](sim::SimDialog& wizard) {
        Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
        for (int i = 0; i < pagesForward; ++i) wizard.Click(IDC_NEXT);
        if (escape) {
          wizard.PressEscape();
        } else {
          wizard.Click(IDC_CANCEL);
        }
        EXPECT_TRUE(wizard.Ended());
      });
      EXPECT_EQ(world.RunSetup(), kIdCancel);
      EXPECT_TRUE(world.MessageTexts().empty());
    }
  }
}

TEST_F(WizardWindowTest, AModuleListWithoutModelsKeepsNextDisabledOnTheModulePage) {
  WriteSetupIni("[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME1=NoSuffix\r\n");
  Run([](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    wizard.Click(IDC_NEXT);
    EXPECT_EQ(VisiblePage(wizard), IDD_MODULE_PAGE);
    EXPECT_FALSE(wizard.Enabled(IDC_NEXT));
    EXPECT_FALSE(wizard.Click(IDC_NEXT));
  });
}

TEST_F(WizardWindowTest, AModelWithoutAdvancedSetupForcesTypicalAtEveryDeparture) {
  Run([](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);  // QTM-C7S, which has the Advanced setup
    sim::SimDialog& setupType = Page(wizard, IDD_SETUP_TYPE_PAGE);
    ASSERT_TRUE(setupType.Click(IDC_ADVANCED));
    EXPECT_EQ(setupType.Text(IDC_REMARK_1), SetupString(setup_text::kMultiUsbRemark));
    EXPECT_EQ(setupType.Text(IDC_REMARK_2), SetupString(setup_text::kDriverModeRemark));
    EXPECT_TRUE(setupType.Visible(IDC_REMARK_2));

    wizard.Click(IDC_BACK);
    ASSERT_TRUE(Page(wizard, IDD_MODULE_PAGE).Choose(IDC_RECEIPT_MODELS, 0));  // QTM-C7
    wizard.Click(IDC_NEXT);

    EXPECT_FALSE(setupType.Enabled(IDC_ADVANCED));
    EXPECT_TRUE(setupType.Checked(IDC_TYPICAL));
    EXPECT_FALSE(setupType.Checked(IDC_ADVANCED));
    EXPECT_EQ(setupType.Text(IDC_REMARK_1), SetupString(setup_text::kTypicalRemark));
    EXPECT_FALSE(setupType.Visible(IDC_REMARK_2));
    EXPECT_FALSE(setupType.Visible(IDC_REMARK_3));
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    EXPECT_EQ(Window(wizard).selections().setupType, SetupType::Typical);

    // Back to a model that has it: Advanced is offered again, Typical kept.
    for (int i = 0; i < 3; ++i) wizard.Click(IDC_BACK);
    Page(wizard, IDD_MODULE_PAGE).Choose(IDC_RECEIPT_MODELS, 1);  // QTM-C7S
    wizard.Click(IDC_NEXT);
    EXPECT_TRUE(setupType.Enabled(IDC_ADVANCED));
    EXPECT_TRUE(setupType.Checked(IDC_TYPICAL));
  });
}

TEST_F(WizardWindowTest, ReachingThePortPageTakesTheSelections) {
  sim.UseWindows(sim::WindowsVersion::Server2003);
  Run([](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    wizard.Click(IDC_NEXT);
    sim::SimDialog& module = Page(wizard, IDD_MODULE_PAGE);
    module.Click(IDC_EMBEDDED);
    module.Click(IDC_SET_DEFAULT);
    wizard.Click(IDC_NEXT);
    Page(wizard, IDD_SETUP_TYPE_PAGE).Click(IDC_ADVANCED);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    ASSERT_EQ(VisiblePage(wizard), IDD_PORT_PAGE);
    const WizardSelections& selections = Window(wizard).selections();
    EXPECT_EQ(selections.printerName, "QEP-E112");  // first of the sorted embedded list
    EXPECT_EQ(selections.moduleIndex, 3);
    EXPECT_EQ(selections.makeDefault, 1);
    EXPECT_EQ(selections.osFamily, OsFamily::Server2003);
    EXPECT_EQ(selections.setupType, SetupType::Advanced);
    EXPECT_EQ(selections.moduleConfigurationPath, "C:\\Medium\\DRVCONFIG\\setup_Embedded.ini");
  });
}

TEST_F(WizardWindowTest, TheOsPageRefusesAFamilyTheModelDoesNotSupport) {
  struct Case {
    sim::WindowsVersion version;
    int radio, model;  // on the module page
    int message;
  };
  const Case cases[] = {
      {sim::WindowsVersion::Server2003, IDC_TICKET, 0, 145},  // QTT-T680
      {sim::WindowsVersion::Vista, IDC_RECEIPT, 0, 149},      // QTM-C7
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    SetupWorld world;
    world.sim.UseWindows(c.version);
    world.WhenWizardOpen([&](sim::SimDialog& wizard) {
      Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
      wizard.Click(IDC_NEXT);
      sim::SimDialog& module = Page(wizard, IDD_MODULE_PAGE);
      module.Click(c.radio);
      module.Choose(c.radio == IDC_TICKET ? IDC_TICKET_MODELS : IDC_RECEIPT_MODELS, c.model);
      for (int i = 0; i < 3; ++i) wizard.Click(IDC_NEXT);

      EXPECT_EQ(VisiblePage(wizard), IDD_OS_PAGE);
      EXPECT_EQ(Window(wizard).currentPage(), 3);
      EXPECT_EQ(wizard.Text(IDC_NEXT), "Next (&N)>>");
      EXPECT_TRUE(wizard.Enabled(IDC_BACK));
      ASSERT_EQ(world.sim.desktop().messageBoxes().size(), 1u);
      const sim::ShownMessageBox& box = world.sim.desktop().messageBoxes()[0];
      EXPECT_EQ(box.text, SetupString(c.message));
      EXPECT_EQ(box.style, kMbOk | kMbIconExclamation);

      // Back and forward again: refused again; another model passes.
      wizard.Click(IDC_NEXT);
      EXPECT_EQ(VisiblePage(wizard), IDD_OS_PAGE);
      for (int i = 0; i < 2; ++i) wizard.Click(IDC_BACK);
      module.Click(IDC_RECEIPT);
      module.Choose(IDC_RECEIPT_MODELS, 2);  // QTM-B320 supports both
      for (int i = 0; i < 3; ++i) wizard.Click(IDC_NEXT);
      EXPECT_EQ(VisiblePage(wizard), IDD_PORT_PAGE);
      wizard.Click(IDC_CANCEL);
    });
    world.RunSetup();
    EXPECT_EQ(world.sim.desktop().messageBoxes().size(), 2u);
  }
}

TEST_F(WizardWindowTest, TheModelsBaudRateIsPresetOnceAndAgainAfterReturningToTheModulePage) {
  Run([](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).Click(IDC_ACCEPT);
    for (int i = 0; i < 4; ++i) wizard.Click(IDC_NEXT);
    sim::SimDialog& port = Page(wizard, IDD_PORT_PAGE);
    EXPECT_EQ(port.Selection(IDC_BAUD_RATE), 9);  // QTM-C7S: 115200
    EXPECT_EQ(dynamic_cast<PortPage&>(port.page()).serial().baudRate, 115200);
    EXPECT_FALSE(Window(wizard).baudDefaultPending());

    port.Select(IDC_BAUD_RATE, 0);
    wizard.Click(IDC_BACK);
    wizard.Click(IDC_BACK);
    wizard.Click(IDC_NEXT);
    wizard.Click(IDC_NEXT);
    EXPECT_EQ(port.Selection(IDC_BAUD_RATE), 0);  // the user's choice stays

    for (int i = 0; i < 3; ++i) wizard.Click(IDC_BACK);
    EXPECT_TRUE(Window(wizard).baudDefaultPending());
    Page(wizard, IDD_MODULE_PAGE).Choose(IDC_RECEIPT_MODELS, 2);  // QTM-B320: 38400
    for (int i = 0; i < 3; ++i) wizard.Click(IDC_NEXT);
    EXPECT_EQ(port.Selection(IDC_BAUD_RATE), 7);
    EXPECT_EQ(dynamic_cast<PortPage&>(port.page()).serial().baudRate, 38400);
  });
}

TEST_F(WizardWindowTest, BaudRatesMapToTheirRowsAndAnythingElseToThe38400Row) {
  const std::pair<int32_t, int> rows[] = {{110, 0},    {300, 1},   {1200, 2},  {2400, 3},
                                          {4800, 4},   {9600, 5},  {19200, 6}, {57600, 8},
                                          {115200, 9}, {38400, 7}, {0, 7},     {14400, 7}};
  for (const auto& [baud, row] : rows) EXPECT_EQ(BaudRateRow(baud), row) << baud;
}

TEST_F(WizardWindowTest, F1OpensTheHelpFileOnceAndThenBringsItsWindowToTheFront) {
  sim.files().AddFile(std::string(kMedium) + "\\Guide.CHM", "help");
  sim.desktop().OnShellExecute(
      [this](const sim::ShellStart&) { sim.desktop().AddWindow("Printer Driver Installer"); });
  Run([](sim::SimDialog& wizard) {
    Page(wizard, IDD_LICENSE_PAGE).PressF1();
    wizard.PressF1();
  });
  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  const sim::ShellStart& start = sim.desktop().shellStarts()[0];
  EXPECT_EQ(start.verb, "open");
  EXPECT_EQ(start.file, ".\\Guide.CHM");
  EXPECT_EQ(start.parameters, "");
  EXPECT_EQ(start.directory, "");
  EXPECT_EQ(start.show, 5);
  EXPECT_EQ(sim.desktop().activations(), std::vector<std::string>{"Printer Driver Installer"});
}

TEST_F(WizardWindowTest, TheSystemMenuOpensTheAboutBoxOwnedByTheWizard) {
  WindowHandle owner = 0;
  dialogs.WhenOpen(IDD_ABOUTBOX, [](sim::SimDialog& about) { about.PressEnter(); });
  Run([&](sim::SimDialog& wizard) {
    owner = wizard.Handle();
    EXPECT_TRUE(wizard.ChooseSystemMenu(16));
    EXPECT_FALSE(wizard.Ended());
  });
  const auto& runs = dialogs.modalRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1], std::make_pair(IDD_ABOUTBOX, owner));
}

}  // namespace
}  // namespace kv

#include "uninstall/UninstallWindow.h"

#include <gtest/gtest.h>

#include "common/CompatibilityMarks.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/UninstallProgram.h"
#include "unit/uninstall/UninstallFixture.h"

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;

class UninstallWindowTest : public UninstallFixture {};

TEST_F(UninstallWindowTest, OpensWithMenuIconTextsAndStatusLine) {
  InstallFamily();
  Open();
  EXPECT_FALSE(dialog->Ended());
  EXPECT_EQ(dialog->systemMenu(),
            (std::vector<std::pair<int, std::string>>{{IDM_ABOUT, "About Uninstall(&A)..."}}));
  EXPECT_EQ(dialog->icon(), IDI_PROGRAM);
  EXPECT_EQ(dialog->Text(IDC_INSTRUCTIONS),
            "Please select the printers to be uninstalled.You can specify multiple printers to "
            "uninstall.");
  EXPECT_EQ(status(), Lines{"Please select the printers you want to uninstall."});
  EXPECT_EQ(dialog->Selection(IDC_STATUS_LIST), 0);
  EXPECT_TRUE(dialog->Enabled(IDC_USB_DRIVER));
  EXPECT_FALSE(dialog->Checked(IDC_USB_DRIVER));
  EXPECT_TRUE(sim.desktop().messageBoxes().empty());

  sim.dialogs().WhenOpen(IDD_ABOUT, [](sim::SimDialog& about) { about.PressEnter(); });
  EXPECT_TRUE(dialog->ChooseSystemMenu(IDM_ABOUT));
  EXPECT_EQ(ModalRuns(), std::vector<int>{IDD_ABOUT});
}

// Each refusal at start-up: its message, its caption, whether the window
// closes.
struct InitRefusal {
  const char* name;
  std::function<void(sim::SimMachine&)> arrange;
  std::string text;
  std::string caption;
  bool closes;
};

class UninstallWindowInitTest : public UninstallWindowTest,
                                public ::testing::WithParamInterface<InitRefusal> {};

TEST_P(UninstallWindowInitTest, ReportsAndClosesOrGoesOn) {
  GetParam().arrange(sim);
  Open();
  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  const auto& box = sim.desktop().messageBoxes()[0];
  EXPECT_EQ(box.text, GetParam().text);
  EXPECT_EQ(box.caption, GetParam().caption);
  EXPECT_EQ(box.style, kMbOk) << "no icon";
  EXPECT_EQ(box.owner, dialog->Handle());
  EXPECT_EQ(dialog->Ended(), GetParam().closes);
  EXPECT_EQ(status().empty(), GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, UninstallWindowInitTest,
    ::testing::Values(
        InitRefusal{"NotAdministrator",
                    [](sim::SimMachine& m) {
                      m.security().SetGroups({{sim::kUsersSid, kSeGroupEnabled}});
                    },
                    "You must be logged on the computer as an administrator!", "Error", true},
        InitRefusal{"NoCurrentDirectory",
                    [](sim::SimMachine& m) {
                      m.FailNext(sim::Call::GetCurrentDirectory, kErrorAccessDenied);
                    },
                    "Get system Directory error!", "Error", true},
        InitRefusal{
            "NoSearch",
            [](sim::SimMachine& m) { m.FailNext(sim::Call::FindFiles, kErrorAccessDenied); },
            "Invalid File Handle.", "Error", true},
        InitRefusal{"NoInventoryFile",
                    [](sim::SimMachine& m) {
                      m.files().DeleteFile("C:\\medium\\Uninstall.ini");
                      m.files().AddDirectory("C:\\medium\\DRVCONFIG");
                    },
                    "Can't find file Uninstall.ini!", "Error", true},
        InitRefusal{"NoSpoolerLibrary",
                    [](sim::SimMachine& m) { m.modules().RemoveLibrary("winspool.drv"); },
                    "no Winspool lib  ", "Uninstall", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UninstallWindowTest, Windows98MakesNoAdministratorCheckAndVistaMarksItself) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  sim.security().SetGroups({{sim::kUsersSid, kSeGroupEnabled}});
  Open();
  EXPECT_FALSE(dialog->Ended());
  EXPECT_FALSE(dialog->Enabled(IDC_USB_DRIVER));

  sim::SimMachine vista;
  vista.UseWindows(sim::WindowsVersion::Vista);
  vista.files().AddDirectory(kMedium);
  vista.files().SetCurrentDirectory(kMedium);
  vista.files().SetModuleFileName("C:\\medium\\Uninstall.exe");
  vista.files().AddFile("C:\\medium\\Uninstall.ini", FamilyIni());
  AddUninstallLayouts(vista.dialogs());
  UninstallWindow vistaWindow(vista.machine(), vista.dialogs(), "Uninstall");
  auto vistaDialog = vista.dialogs().Open(IDD_UNINSTALL, vistaWindow);
  EXPECT_TRUE(vistaDialog->Enabled(IDC_USB_DRIVER));
  RegHandle key = 0;
  ASSERT_EQ(vista.registry().OpenKey(RegRoot::CurrentUser, kCompatibilityPersistedKey, &key), 0u);
  uint32_t type = 0;
  std::string data;
  EXPECT_EQ(vista.registry().QueryValue(key, "C:\\medium\\Uninstall.exe", &type, &data), 0u);
  EXPECT_EQ(type, kRegDword);
  vista.registry().CloseKey(key);
}

TEST_F(UninstallWindowTest, WindowCannotBeClosedWhileARemovalRuns) {
  InstallFamily();
  Open();
  Tick("KvRasterProc");
  int attempts = 0;
  sim.clock().OnSleep([&](uint64_t) {
    if (!window->removalRunning()) return;
    ++attempts;
    dialog->PressEscape();
    dialog->PressEnter();
    EXPECT_FALSE(dialog->Click(IDC_EXIT)) << "disabled";
    EXPECT_FALSE(dialog->Click(IDC_UNINSTALL)) << "disabled";
  });
  PressUninstall();
  EXPECT_GT(attempts, 0);
  EXPECT_FALSE(dialog->Ended());
  EXPECT_EQ(sim.threads().startedThreads(), 1) << "no second run";
  EXPECT_FALSE(window->removalRunning());
  dialog->PressEscape();
  EXPECT_TRUE(dialog->Ended()) << "closes once the run is done";
  EXPECT_EQ(dialog->result(), kIdCancel);
}

TEST_F(UninstallWindowTest, ARemovalThatCannotStartSaysSoAndLeavesTheButtonsEnabled) {
  InstallFamily();
  Open();
  Tick("KvRasterProc");
  sim.FailNext(sim::Call::StartThread, kErrorNotEnoughMemory);
  PressUninstall();
  ASSERT_FALSE(status().empty());
  EXPECT_EQ(status().back(),
            std::string(UninstallString(uninstall_text::kRemovalNotStarted)) + "    er=8");
  EXPECT_FALSE(window->removalRunning());
  for (int button : {IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT, IDC_REMOVAL_LIST}) {
    EXPECT_TRUE(dialog->Enabled(button)) << button;
  }
  // The next press runs the removal.
  PressUninstall();
  EXPECT_EQ(status().back(), std::string(UninstallString(uninstall_text::kSelectPrinters)));
  const Lines left = listed();
  EXPECT_EQ(std::count(left.begin(), left.end(), "KvRasterProc"), 0);
}

TEST_F(UninstallWindowTest, RestartAfterYesNeedsTheShutdownPrivilegeExceptOnWindows98) {
  struct Case {
    sim::WindowsVersion version;
    bool privilegeRefused;
    int privilegeRequests;
    int restarts;
  };
  for (const Case& c :
       {Case{sim::WindowsVersion::WinXP, false, 1, 1}, Case{sim::WindowsVersion::WinXP, true, 0, 0},
        Case{sim::WindowsVersion::Win98, false, 0, 1}}) {
    sim::SimMachine machine;
    machine.UseWindows(c.version);
    machine.FailAlways(sim::Call::ScOpenManager, 120);
    machine.files().AddDirectory(kMedium);
    machine.files().SetCurrentDirectory(kMedium);
    machine.files().AddFile("C:\\medium\\Uninstall.ini", FamilyIni());
    machine.files().AddFile(machine.files().systemDirectory() + "\\KVUSBMON.DLL", "monitor");
    ASSERT_EQ(machine.spooler().AddMonitor({"Korvant USB Monitor", std::nullopt, "KVUSBMON.DLL"}),
              0u);
    if (c.privilegeRefused) machine.FailNext(sim::Call::EnableShutdownPrivilege, 1300);
    AddUninstallLayouts(machine.dialogs());
    AnswerRestart(machine.dialogs(), kIdOk);
    UninstallWindow restartWindow(machine.machine(), machine.dialogs(), "Uninstall");
    auto restartDialog = machine.dialogs().Open(IDD_UNINSTALL, restartWindow);
    ASSERT_EQ(restartDialog->ItemCount(IDC_REMOVAL_LIST), 1);
    restartDialog->ClickItemCheck(IDC_REMOVAL_LIST, 0);
    restartDialog->Click(IDC_UNINSTALL);
    ASSERT_EQ(machine.dialogs().modalRuns().size(), 1u);
    EXPECT_EQ(machine.dialogs().modalRuns()[0].first, IDD_RESTART);
    EXPECT_EQ(machine.system().privilegeRequests(), c.privilegeRequests);
    EXPECT_EQ(machine.system().restartRequests(), c.restarts);
  }
}

TEST_F(UninstallWindowTest, HelpRaisesAnOpenHelpWindowElseOpensEnglishThenChinese) {
  Open();
  sim.desktop().AddWindow("Uninstall Help (Chinese)");
  dialog->PressF1();
  EXPECT_EQ(sim.desktop().activations(), Lines{"Uninstall Help (Chinese)"});
  EXPECT_TRUE(sim.desktop().shellStarts().empty());

  sim.desktop().RemoveWindow("Uninstall Help (Chinese)");
  sim.FailNext(sim::Call::ShellExecute, 2);
  dialog->PressF1();
  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  EXPECT_EQ(sim.desktop().shellStarts()[0].file, ".\\Uninstall_CN.CHM");
  EXPECT_EQ(sim.desktop().shellStarts()[0].verb, "open");
  EXPECT_EQ(sim.desktop().shellStarts()[0].show, kSwShowNormal);
}

class UninstallProgramTest : public UninstallFixture {};

TEST_F(UninstallProgramTest, SecondCopyRaisesTheFirstAndEnds) {
  sim.threads().HoldMutexElsewhere("Uninstall");
  sim.desktop().AddWindow("Uninstall");
  RunUninstallProgram(sim.machine(), sim.dialogs());
  EXPECT_EQ(sim.desktop().activations(), Lines{"Uninstall"});
  EXPECT_TRUE(sim.dialogs().modalRuns().empty());
  EXPECT_TRUE(sim.desktop().messageBoxes().empty());
}

TEST_F(UninstallProgramTest, MutexNameIsCaseSensitiveAndTheProgramsOwnName) {
  // Another case of the name is another mutex.
  sim.threads().HoldMutexElsewhere("UNINSTALL");
  sim.dialogs().WhenOpen(IDD_UNINSTALL, [](sim::SimDialog& window) { window.PressEscape(); });
  RunUninstallProgram(sim.machine(), sim.dialogs());
  EXPECT_EQ(sim.dialogs().modalRuns().size(), 1u);
  // Renamed, the program takes its new name.
  sim.files().SetModuleFileName("C:\\medium\\Remove.exe");
  sim.threads().HoldMutexElsewhere("Uninstall");
  RunUninstallProgram(sim.machine(), sim.dialogs());
  EXPECT_EQ(sim.dialogs().modalRuns(),
            (std::vector<std::pair<int, WindowHandle>>{{IDD_UNINSTALL, 0}, {IDD_UNINSTALL, 0}}));
  EXPECT_TRUE(sim.desktop().activations().empty());
}

TEST_F(UninstallProgramTest, RefusesToRunBesideSetup) {
  sim.desktop().AddWindow("Printer Driver Setup");
  RunUninstallProgram(sim.machine(), sim.dialogs());
  EXPECT_TRUE(sim.dialogs().modalRuns().empty());
  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  const auto& box = sim.desktop().messageBoxes()[0];
  EXPECT_EQ(box.text, "Please close Printer Driver Setup program first!");
  EXPECT_EQ(box.caption, "Uninstall");
  EXPECT_EQ(box.style, kMbOk | kMbIconExclamation);
  EXPECT_EQ(box.owner, 0u);
}

}  // namespace
}  // namespace kv::test

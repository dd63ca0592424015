#include <gtest/gtest.h>

#include <functional>

#include "common/ProgramIdentity.h"
#include "platform/Errors.h"
#include "support/LogLines.h"
#include "uninstall/UninstallProgram.h"
#include "unit/uninstall/UninstallFixture.h"

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;
using Arrange = std::function<void(UninstallWorld&)>;

constexpr const char* kLogFile = "C:\\logs\\uninstall.log";
const Lines kFamilyList = {"Receipt", "Label", "Korvant USB Monitor", "Korvant COM Monitor",
                           "KvRasterProc"};

// The family installed, the uninstaller started in the system folder as
// deployment engines start programs.
class StartedWorld : public UninstallWorld {
 public:
  StartedWorld() {
    EXPECT_EQ(InstallFamily(), "");
    sim.files().AddDirectory("C:\\logs");
    sim.files().SetCurrentDirectory(sim.files().systemDirectory());
  }

  int RunWith(const std::string& options) {
    return RunUninstallProgram(sim.machine(), sim.dialogs(), options + " /LOG=" + kLogFile);
  }
  Lines Log() { return LogTexts(sim.files(), kLogFile, "uninstall 0.0.0.0"); }
  Lines Boxes() {
    Lines texts;
    for (const auto& box : sim.desktop().messageBoxes()) texts.push_back(box.text);
    return texts;
  }
  Lines Family() {
    Lines names;
    for (const auto& printer : sim.spooler().printers()) {
      if (printer.info.printerName != "Office") names.push_back(printer.info.printerName);
    }
    for (const char* other : {"Korvant USB Monitor", "Korvant COM Monitor"}) {
      if (sim.spooler().FindMonitor(other)) names.push_back(other);
    }
    if (sim.spooler().FindProcessor("KvRasterProc")) names.push_back("KvRasterProc");
    return names;
  }
};

class UninstallOptionsTest : public ::testing::Test, public StartedWorld {};

TEST_F(UninstallOptionsTest, BadOptionsEndWith87AndChangeNothing) {
  struct Case {
    std::string options;
    std::string reason;
    Arrange arrange = [](UninstallWorld&) {};
  };
  const Case cases[] = {
      {"/S", "/S needs /ALL or at least one /ITEM."},
      {"/S /ALL /ITEM=Receipt", "/ALL and /ITEM cannot be given together."},
      {"/ALL", "/ALL is meaningful only with /S."},
      {"/ITEM=Receipt", "/ITEM is meaningful only with /S."},
      {"/S /ALL /USBDRIVER=maybe", "/USBDRIVER takes remove or keep, not maybe."},
      {"/S /ALL /Q", "Unknown option: /Q"},
      {"/S /ITEM", "The option /ITEM needs a value."},
      {"/S /ALL /NORESTART=1", "The option /NORESTART=1 takes no value."},
      {"/S /ITEM=Receipt /ITEM=\"No such printer\"",
       "Unknown item: \"No such printer\". The list shows: \"Receipt\", \"Label\", "
       "\"Korvant USB Monitor\", \"Korvant COM Monitor\", \"KvRasterProc\""},
      {"/S /ALL /USBDRIVER=remove", "The USB device driver cannot be removed on this Windows.",
       [](UninstallWorld& w) { w.sim.system().SetVersion(kPlatformNt, 4, 0); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.options);
    StartedWorld fresh;
    c.arrange(fresh);
    EXPECT_EQ(fresh.RunWith(c.options), 87);
    EXPECT_EQ(fresh.Family(), kFamilyList) << "nothing removed";
    EXPECT_TRUE(fresh.sim.desktop().shellStarts().empty());
    const bool silent = c.options.rfind("/S ", 0) == 0 || c.options == "/S";
    const Lines log = fresh.Log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log.front(), "Command line: " + c.options + " /LOG=" + kLogFile);
    EXPECT_EQ(log[log.size() - 2], silent ? c.reason : "Message: " + c.reason);
    EXPECT_EQ(log.back(), "Exit code 87: bad option or answer file");
    EXPECT_EQ(fresh.Boxes(), silent ? Lines{} : Lines{c.reason});
    EXPECT_TRUE(fresh.sim.dialogs().modalRuns().empty()) << "no window";
  }
}

TEST_F(UninstallOptionsTest, SilentRemovalOfEverythingLogsEveryLine) {
  sim.files().MarkInUse(ProcessorFile("KVRASPRC.DLL"));
  EXPECT_EQ(RunWith("/S /ALL /USBDRIVER=keep"), 3010);
  EXPECT_EQ(Family(), Lines{});
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(sim.dialogs().modalRuns().empty()) << "no window, no restart offer";
  EXPECT_TRUE(sim.desktop().shellStarts().empty()) << "the USB driver is kept";
  EXPECT_EQ(
      Log(),
      (Lines{std::string("Command line: /S /ALL /USBDRIVER=keep /LOG=") + kLogFile,
             "Please select the printers you want to uninstall.",
             "Deleting printer Receipt,please wait...", "Receipt has been deleted.",
             "Deleting Receipt's driver,please wait...", "The printer driver has been deleted.",
             "Deleting printer Label,please wait...", "Label has been deleted.",
             "Deleting Label's driver,please wait...", "The printer driver has been deleted.",
             "Deleting Korvant USB Monitor,please wait...", "Korvant USB Monitor has been deleted.",
             "Deleting Korvant COM Monitor,please wait...", "Korvant COM Monitor has been deleted.",
             "Deleting KvRasterProc,please wait...",
             "KVRASPRC.DLL will be deleted when Windows restarts.",
             "KvRasterProc has been deleted.", "Restart the computer to finish the removal.",
             "Exit code 3010: success, restart the computer to finish"}));
  std::string current;
  sim.machine().files.GetCurrentDirectory(&current);
  EXPECT_EQ(current, kMedium) << "the program's folder was made current";
}

TEST_F(UninstallOptionsTest, SilentOutcomesAndTheirExitCodes) {
  struct Case {
    const char* name;
    std::string options;
    Arrange arrange;
    int code;
    Lines removed;
    Lines logged;  // lines the log must hold, in order
  };
  const Case cases[] = {
      {"NamedItemsAsListedOrInAnotherCase",
       "/S /ITEM=Receipt /item=\"korvant usb monitor\"",
       [](UninstallWorld&) {},
       0,
       {"Receipt", "Korvant USB Monitor"},
       {"Receipt has been deleted.", "Korvant USB Monitor has been deleted.",
        "Exit code 0: success"}},
      {"QueuedJobsStopTheRun",
       "/S /ALL",
       [](UninstallWorld& w) { w.sim.spooler().SetJobCount("Office", 1); },
       1603,
       {},
       {"Please delete jobs in printer Office first.", "Exit code 1603: failed"}},
      {"AnErrorLineFailsTheRun",
       "/S /ITEM=Receipt",
       [](UninstallWorld& w) {
         w.sim.FailAlways(sim::Call::DeletePrinterDriverAndUnusedFiles, kErrorAccessDenied);
       },
       1603,
       {"Receipt"},
       {"Delete printer driver error.    er=5", "Exit code 1603: failed"}},
      {"NoWorkerThread",
       "/S /ALL",
       [](UninstallWorld& w) { w.sim.FailNext(sim::Call::StartThread, kErrorNotEnoughMemory); },
       1603,
       {},
       {"The removal could not be started.    er=8", "Exit code 1603: failed"}},
      {"UsbDriverRemovedOnRequest",
       "/S /ITEM=KvRasterProc /USBDRIVER=REMOVE",
       [](UninstallWorld&) {},
       0,
       {"KvRasterProc"},
       {"Deleting USB Device Driver", "USB Device Driver has been deleted",
        "Exit code 0: success"}},
      {"NotAnAdministrator",
       "/S /ALL",
       [](UninstallWorld& w) {
         w.sim.security().SetGroups({{sim::kUsersSid, kSeGroupEnabled}});
       },
       5,
       {},
       {"Message: You must be logged on the computer as an administrator!",
        "Exit code 5: not an administrator"}},
      {"NoInventoryFile",
       "/S /ALL",
       [](UninstallWorld& w) {
         w.sim.files().DeleteFile(std::string(kMedium) + "\\Uninstall.ini");
       },
       2,
       {},
       {"Message: Invalid File Handle.", "Exit code 2: a file is missing from the medium"}},
      {"SetupsWindowOpen",
       "/S /ALL",
       [](UninstallWorld& w) { w.sim.desktop().AddWindow("Printer Driver Setup"); },
       1618,
       {},
       {"Message: Please close Printer Driver Setup program first!",
        "Exit code 1618: another installation or removal is running"}},
      {"SetupRunningSilently",
       "/S /ALL",
       [](UninstallWorld& w) {
         w.sim.threads().HoldMutexElsewhere(std::string(kSetupRunningMutex));
       },
       1618,
       {},
       {"Exit code 1618: another installation or removal is running"}},
      {"AnotherCopy",
       "/S /ALL",
       [](UninstallWorld& w) { w.sim.threads().HoldMutexElsewhere("Uninstall"); },
       1618,
       {},
       {"Exit code 1618: another installation or removal is running"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartedWorld fresh;
    c.arrange(fresh);
    EXPECT_EQ(fresh.RunWith(c.options), c.code);
    Lines expected = kFamilyList;
    std::erase_if(expected, [&](const std::string& name) {
      return std::find(c.removed.begin(), c.removed.end(), name) != c.removed.end();
    });
    EXPECT_EQ(fresh.Family(), expected);
    EXPECT_TRUE(fresh.Boxes().empty());
    const Lines log = fresh.Log();
    auto at = log.begin();
    for (const std::string& line : c.logged) {
      at = std::find(at, log.end(), line);
      EXPECT_NE(at, log.end()) << "missing or out of order: " << line;
    }
  }
}

TEST_F(UninstallOptionsTest, SilentWithNothingInstalledSucceeds) {
  UninstallWorld empty;
  empty.sim.files().AddDirectory("C:\\logs");
  EXPECT_EQ(RunUninstallProgram(empty.sim.machine(), empty.sim.dialogs(),
                                std::string("/S /ALL /LOG=") + kLogFile),
            0);
  const Lines log = LogTexts(empty.sim.files(), kLogFile, "uninstall 0.0.0.0");
  EXPECT_EQ(log, (Lines{std::string("Command line: /S /ALL /LOG=") + kLogFile,
                        "Please select the printers you want to uninstall.",
                        "Nothing to remove: the list is empty.", "Exit code 0: success"}));
}

TEST_F(UninstallOptionsTest, ExitCodesOfTheRunWithTheWindow) {
  struct Case {
    const char* name;
    std::string options;
    std::function<void(sim::SimDialog&)> user;
    int restartAnswer;
    int code;
    size_t restartOffers;
  };
  const std::string kLogged = "/LOG=C:\\logs\\uninstall.log";
  auto removeAll = [](sim::SimDialog& window) {
    window.Click(IDC_SELECT_ALL);
    window.Click(IDC_UNINSTALL);
    window.PressEscape();
  };
  const Case cases[] = {
      {"ClosedWithoutARun", kLogged, [](sim::SimDialog& w) { w.PressEscape(); }, kIdCancel, 1602,
       0},
      {"RestartAccepted", kLogged, removeAll, kIdOk, 1641, 1},
      {"RestartDeclined", kLogged, removeAll, kIdCancel, 0, 1},
      {"NoRestartOption", "/NORESTART", removeAll, kIdOk, 3010, 0},
      // Without arguments the program ends with 0, as it always has.
      {"ClosedWithoutOptions", "", [](sim::SimDialog& w) { w.PressEscape(); }, kIdCancel, 0, 0},
      {"RestartAcceptedWithoutOptions", "", removeAll, kIdOk, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartedWorld fresh;
    // Started from the medium: without options nothing makes its folder current.
    fresh.sim.files().SetCurrentDirectory(kMedium);
    fresh.sim.dialogs().WhenOpen(IDD_UNINSTALL, c.user);
    AnswerRestart(fresh.sim.dialogs(), c.restartAnswer);
    EXPECT_EQ(RunUninstallProgram(fresh.sim.machine(), fresh.sim.dialogs(), c.options), c.code);
    size_t offers = 0;
    for (const auto& [templateId, owner] : fresh.sim.dialogs().modalRuns()) {
      offers += templateId == IDD_RESTART;
    }
    EXPECT_EQ(offers, c.restartOffers);
  }
  const Lines log = Log();
  EXPECT_TRUE(log.empty()) << "the fixture's own machine ran nothing";
}

TEST_F(UninstallOptionsTest, TheWindowsRunLogsItsLinesAndTheRestartAnswer) {
  sim.dialogs().WhenOpen(IDD_UNINSTALL, [](sim::SimDialog& window) {
    window.Click(IDC_SELECT_ALL);
    window.Click(IDC_UNINSTALL);
    window.PressEscape();
  });
  AnswerRestart(sim.dialogs(), kIdCancel);
  sim.spooler().SetJobCount("Office", 1);
  sim.files().SetCurrentDirectory(kMedium);
  EXPECT_EQ(RunWith(""), 1603);
  EXPECT_EQ(Log(),
            (Lines{std::string("Command line:  /LOG=") + kLogFile,
                   "Please select the printers you want to uninstall.",
                   "Please delete jobs in printer Office first.", "Exit code 1603: failed"}));
}

}  // namespace
}  // namespace kv::test

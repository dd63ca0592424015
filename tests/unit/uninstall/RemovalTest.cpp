#include "uninstall/Removal.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "unit/uninstall/UninstallFixture.h"

namespace kv::test {
namespace {

using Lines = std::vector<std::string>;
using Sleeps = std::vector<uint32_t>;

// Monitors in the spooler's order, which is the order they were added in.
const Lines kFamilyList = {"Receipt", "Label", "Korvant USB Monitor", "Korvant COM Monitor",
                           "KvRasterProc"};

class RemovalTest : public UninstallFixture {
 protected:
  void SetUp() override { InstallFamily(); }

  // The status lines after the one the window starts with.
  Lines RunLines() {
    Lines all = status();
    return Lines(all.begin() + 1, all.end());
  }
};

// The run is the worker's: its status lines and the restart question (on the
// worker, owned by the window) use only what a worker may call.
TEST_F(RemovalTest, RunsOnAWorkerWithTheRestartQuestionOnItAndCallsOnlyWorkerMethods) {
  ThreadHandle questionThread = 0;
  sim.dialogs().WhenOpen(IDD_RESTART, [&](sim::SimDialog& restart) {
    questionThread = sim.threads().current();
    restart.Click(kIdOk);
  });
  Open();
  EXPECT_TRUE(dialog->Click(IDC_SELECT_ALL));
  PressUninstall();

  EXPECT_EQ(sim.threads().startedThreads(), 1);
  EXPECT_NE(questionThread, 0u) << "the question runs on the worker";
  EXPECT_EQ(ModalRuns(), std::vector<int>{IDD_RESTART});
  EXPECT_EQ(sim.system().restartRequests(), 1);
  EXPECT_EQ(status().back(), "KvRasterProc has been deleted.");
  EXPECT_TRUE(listed().empty());
  EXPECT_EQ(sim.dialogs().refusedWorkerCalls(), std::vector<std::string>{});
}

TEST_F(RemovalTest, EverythingTickedGoesInListOrderWithEveryLineAndPause) {
  Lines restartQuestion;
  sim.dialogs().WhenOpen(IDD_RESTART, [&](sim::SimDialog& restart) {
    for (int id : {IDC_RESTART_TEXT1, IDC_RESTART_TEXT2, IDC_RESTART_TEXT3}) {
      restartQuestion.push_back(restart.Text(id));
    }
    restart.Click(kIdCancel);
  });
  Open();
  ASSERT_EQ(listed(), kFamilyList);
  EXPECT_TRUE(dialog->Click(IDC_SELECT_ALL));
  PressUninstall();

  EXPECT_EQ(
      RunLines(),
      (Lines{"Deleting printer Receipt,please wait...", "Receipt has been deleted.",
             "Deleting Receipt's driver,please wait...", "The printer driver has been deleted.",
             "Deleting printer Label,please wait...", "Label has been deleted.",
             "Deleting Label's driver,please wait...", "The printer driver has been deleted.",
             "Deleting Korvant USB Monitor,please wait...", "Korvant USB Monitor has been deleted.",
             "Deleting Korvant COM Monitor,please wait...", "Korvant COM Monitor has been deleted.",
             "Deleting KvRasterProc,please wait...", "KvRasterProc has been deleted."}));
  // Printer: item, delete, spooler restart, settle, driver. Monitor and
  // processor: item, spooler restart, settle.
  const Sleeps printer = {500, 100, 2000, 1000, 100, 1000};
  const Sleeps other = {500, 2000, 500};
  Sleeps expected;
  for (const auto* part : {&printer, &printer, &other, &other, &other}) {
    expected.insert(expected.end(), part->begin(), part->end());
  }
  EXPECT_EQ(sim.clock().sleeps(), expected);

  EXPECT_TRUE(listed().empty());
  EXPECT_EQ(status().back(), "KvRasterProc has been deleted.")
      << "no kSelectPrinters line for an empty list";
  EXPECT_TRUE(dialog->Enabled(IDC_EXIT));
  EXPECT_TRUE(dialog->Enabled(IDC_UNINSTALL));
  EXPECT_TRUE(dialog->Enabled(IDC_SELECT_ALL));
  EXPECT_FALSE(dialog->Enabled(IDC_REMOVAL_LIST)) << "an empty list stays disabled";

  // The family is gone with its files and USB records; the rest stays.
  EXPECT_EQ(sim.spooler().printers().size(), 1u);
  EXPECT_NE(sim.spooler().FindPrinter("Office"), nullptr);
  EXPECT_NE(sim.spooler().FindDriver("Generic Text"), nullptr);
  EXPECT_NE(sim.spooler().FindMonitor("Other Monitor"), nullptr);
  EXPECT_TRUE(sim.files().Exists(SystemFile("OTHERMON.DLL")));
  for (const char* name : {"Korvant QTM-200", "Korvant QLP-100"}) {
    EXPECT_EQ(sim.spooler().FindDriver(name), nullptr) << name;
  }
  EXPECT_EQ(sim.spooler().FindMonitor("Korvant USB Monitor"), nullptr);
  EXPECT_EQ(sim.spooler().FindProcessor("KvRasterProc"), nullptr);
  for (const char* dll : {"KVUSBMON.DLL", "KVUSBUI.DLL", "KVCOMMON.DLL", "KVCOMUI.DLL"}) {
    EXPECT_FALSE(sim.files().Exists(SystemFile(dll))) << dll;
  }
  EXPECT_FALSE(sim.files().Exists(ProcessorFile("KVRASPRC.DLL")));
  EXPECT_FALSE(KeyExists("SOFTWARE\\KORVANT\\PORTNAME"));
  EXPECT_FALSE(KeyExists("SOFTWARE\\KORVANT\\INSTALLPRINTER"));

  EXPECT_EQ(ModalRuns(), std::vector<int>{IDD_RESTART});
  EXPECT_EQ(restartQuestion, (Lines{"Restart computer so that the changes can take effect",
                                    " Click on \"Yes\" to restart immediately ",
                                    "Click on \"No\" to restart later"}));
  EXPECT_EQ(sim.system().restartRequests(), 0) << "answered No";
  EXPECT_EQ(sim.spooler().OpenPrinterCount(), 0u);
  EXPECT_EQ(sim.threads().startedThreads(), 1);
}

TEST_F(RemovalTest, NothingTickedOnlyPausesPerItemAndShowsNoRestartOffer) {
  Open();
  PressUninstall();
  EXPECT_EQ(RunLines(), Lines{"Please select the printers you want to uninstall."});
  EXPECT_EQ(sim.clock().sleeps(), Sleeps(kFamilyList.size(), 500));
  EXPECT_TRUE(ModalRuns().empty());
  for (int id : {IDC_REMOVAL_LIST, IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT}) {
    EXPECT_TRUE(dialog->Enabled(id)) << id;
  }
}

TEST_F(RemovalTest, UsbDriverRemovalRunsWhenTickedEvenWithNothingElse) {
  Open();
  ASSERT_TRUE(dialog->Click(IDC_USB_DRIVER));
  PressUninstall();
  EXPECT_EQ(RunLines(), (Lines{"Deleting USB Device Driver", "USB Device Driver has been deleted",
                               "Please select the printers you want to uninstall."}));
  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  EXPECT_EQ(sim.desktop().shellStarts()[0].file, "C:\\medium\\USBDrv\\Install.exe");
  EXPECT_EQ(sim.desktop().shellStarts()[0].parameters, "22");
}

TEST_F(RemovalTest, MonitorAloneTakesTheUsbRecordsAndItsFiles) {
  // The monitor is in use by Receipt: only the USB monitor of an unused port.
  AddMonitor("Korvant USB Monitor 2", "KVUSB2.DLL", "", {"USB_QLP_2"});
  Open();
  Tick("Korvant USB Monitor 2");
  PressUninstall();
  EXPECT_EQ(sim.spooler().FindMonitor("Korvant USB Monitor 2"), nullptr);
  EXPECT_FALSE(KeyExists("SOFTWARE\\KORVANT\\PORTNAME"));
  EXPECT_FALSE(KeyExists("SOFTWARE\\KORVANT\\INSTALLPRINTER"));
  EXPECT_NE(sim.spooler().FindPrinter("Receipt"), nullptr);
  EXPECT_EQ(ModalRuns(), std::vector<int>{IDD_RESTART}) << "something was removed";
}

TEST_F(RemovalTest, TwoConsecutivePrintersAreBothHandled) {
  Open();
  Tick("Receipt");
  Tick("Label");
  PressUninstall();
  EXPECT_EQ(sim.spooler().FindPrinter("Receipt"), nullptr);
  EXPECT_EQ(sim.spooler().FindPrinter("Label"), nullptr);
  EXPECT_EQ(listed(), (Lines{"Korvant USB Monitor", "Korvant COM Monitor", "KvRasterProc"}));
  EXPECT_EQ(status().back(), "Please select the printers you want to uninstall.");
  // Two printers, then three unticked items.
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 100, 2000, 1000, 100, 1000, 500, 100, 2000, 1000,
                                          100, 1000, 500, 500, 500}));
}

TEST_F(RemovalTest, PrinterWhoseNameHoldsAMonitorEntryIsRemovedAsAPrinter) {
  AddPrinter("Korvant USB Monitor copy", "Korvant QTM-200", "LPT2:");
  Open();
  Tick("Korvant USB Monitor copy");
  PressUninstall();
  EXPECT_EQ(sim.spooler().FindPrinter("Korvant USB Monitor copy"), nullptr);
  EXPECT_NE(sim.spooler().FindMonitor("Korvant USB Monitor"), nullptr);
  EXPECT_TRUE(KeyExists("SOFTWARE\\KORVANT\\PORTNAME"));
}

TEST_F(RemovalTest, Nt4KeepsTheDriverOfARemovedPrinter) {
  sim.UseWindows(sim::WindowsVersion::NT4);
  AddDriver("Korvant QTM-300");
  AddPrinter("NT Receipt", "Korvant QTM-300", "LPT2:");
  Open();
  EXPECT_FALSE(dialog->Enabled(IDC_USB_DRIVER));
  Tick("NT Receipt");
  PressUninstall();
  EXPECT_EQ(sim.spooler().FindPrinter("NT Receipt"), nullptr);
  EXPECT_NE(sim.spooler().FindDriver("Korvant QTM-300"), nullptr);
  EXPECT_EQ(RunLines()[1], "NT Receipt has been deleted.");
  EXPECT_EQ(RunLines()[2], "Please select the printers you want to uninstall.");
  // Two unticked items, the printer without a driver step, the rest.
  Sleeps expected = {500, 500, 500, 100, 2000, 1000, 1000};
  expected.resize(expected.size() + listed().size() - 2, 500);
  EXPECT_EQ(sim.clock().sleeps(), expected);
}

TEST_F(RemovalTest, OnWindows98TheSpoolerIsNotRestartedAndOnlyOneSecondFollowsAPrinter) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  // Windows 98 has no service control manager.
  sim.FailAlways(sim::Call::ScOpenManager, 120);
  // No printer on a maker's serial port, which would keep every monitor.
  ASSERT_EQ(sim.spooler().DeletePrinter("Label"), 0u);
  AddDriver("Korvant QLP-900");
  AddPrinter("Label 98", "Korvant QLP-900", "LPT2:");
  AddMonitor("Korvant USB Monitor 98", "KVUSB98.DLL", "", {"USB_98"});
  Open();
  ASSERT_FALSE(dialog->Enabled(IDC_USB_DRIVER));
  Tick("Label 98");
  Tick("Korvant USB Monitor 98");
  PressUninstall();
  EXPECT_EQ(sim.spooler().FindPrinter("Label 98"), nullptr);
  EXPECT_NE(sim.spooler().FindDriver("Korvant QLP-900"), nullptr);
  EXPECT_EQ(sim.spooler().FindMonitor("Korvant USB Monitor 98"), nullptr);
  // Label 98 (printer: 100 after the deletion, 1000 settle, 1000 for the
  // driver), the USB monitor (500 settle); every item 500 first.
  const Sleeps& sleeps = sim.clock().sleeps();
  EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 2000u), 0) << "no spooler restart pause";
  EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 1000u), 2);
  EXPECT_EQ(std::count(sleeps.begin(), sleeps.end(), 100u), 1);
}

TEST_F(RemovalTest, OnWindows98AMonitorStaysWhileAPrinterUsesAMakersSerialPort) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  sim.FailAlways(sim::Call::ScOpenManager, 120);
  Open();
  Tick("Korvant USB Monitor");
  PressUninstall();
  EXPECT_EQ(RunLines(),
            (Lines{"Deleting Korvant USB Monitor,please wait...",
                   "Korvant USB Monitor can't be deleted,please delete jobs in printer first.",
                   "Korvant USB Monitor is using,can't be deleted.",
                   "Please select the printers you want to uninstall."}));
  EXPECT_NE(sim.spooler().FindMonitor("Korvant USB Monitor"), nullptr);
  EXPECT_TRUE(KeyExists("SOFTWARE\\KORVANT\\PORTNAME"));
}

// What each refusal or left-over file leaves: its lines, the ticked items
// still listed, the restart offer that follows any removal, and the files
// Windows will delete when it next starts.
struct Refusal {
  const char* name;
  std::function<void(sim::SimMachine&)> arrange;  // for the run, after the ticks
  Lines ticked;
  Lines lines;
  Lines stillListed;
  bool restartOffered;
  Lines pendingRemovals = {};
  std::function<void(UninstallFixture&)> before = nullptr;  // before the window opens
  bool restarted = false;
};

class RemovalRefusalTest : public RemovalTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RemovalRefusalTest, IsReportedAndTheRestartFollowsAnyRemoval) {
  const Refusal& refusal = GetParam();
  if (refusal.before) refusal.before(*this);
  Open();
  for (const auto& name : refusal.ticked) Tick(name);
  // The USB step shows whether the run went to its end.
  if (dialog->Enabled(IDC_USB_DRIVER)) {
    ASSERT_TRUE(dialog->Click(IDC_USB_DRIVER));
  }
  refusal.arrange(sim);
  PressUninstall();
  EXPECT_EQ(RunLines(), refusal.lines);
  Lines stillListed;
  for (const auto& name : listed()) {
    if (std::find(refusal.ticked.begin(), refusal.ticked.end(), name) != refusal.ticked.end()) {
      stillListed.push_back(name);
    }
  }
  EXPECT_EQ(stillListed, refusal.stillListed);
  EXPECT_EQ(ModalRuns(),
            refusal.restartOffered ? std::vector<int>{IDD_RESTART} : std::vector<int>{});
  EXPECT_EQ(sim.system().restartRequests(), refusal.restarted ? 1 : 0);
  EXPECT_EQ(PendingRemovals(), refusal.pendingRemovals);
  EXPECT_EQ(sim.spooler().OpenPrinterCount(), 0u);
  EXPECT_FALSE(dialog->Ended());
  for (int id : {IDC_UNINSTALL, IDC_SELECT_ALL, IDC_EXIT, IDC_REMOVAL_LIST}) {
    EXPECT_TRUE(dialog->Enabled(id)) << id;
  }
}

const Lines kProcessorRemoved = {"Deleting KvRasterProc,please wait...",
                                 "KvRasterProc has been deleted."};
const Lines kUsbRemoved = {"Deleting USB Device Driver", "USB Device Driver has been deleted"};
const char* const kSelect = "Please select the printers you want to uninstall.";

// The lines of these parts, one after the other.
Lines Joined(std::initializer_list<Lines> parts) {
  Lines lines;
  for (const auto& part : parts) lines.insert(lines.end(), part.begin(), part.end());
  return lines;
}

void Nothing(sim::SimMachine&) {}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RemovalRefusalTest,
    ::testing::Values(
        Refusal{"QueuedJobOnAnUnlistedPrinter",
                [](sim::SimMachine& m) { m.spooler().SetJobCount("Office", 2); },
                {"Receipt", "KvRasterProc"},
                Lines{"Please delete jobs in printer Office first."},
                {"Receipt", "KvRasterProc"},
                false},
        Refusal{"PrinterThatDoesNotOpenEndsTheRun",
                [](sim::SimMachine& m) {
                  // The job check opens every printer; the run's open fails.
                  m.clock().OnSleep([&m, armed = true](uint64_t) mutable {
                    if (armed) m.FailNext(sim::Call::OpenPrinter, kErrorAccessDenied);
                    armed = false;
                  });
                },
                {"Receipt", "KvRasterProc"},
                Lines{"Open Receipt printer error.", kSelect},
                {"Receipt", "KvRasterProc"},
                false},
        Refusal{"MonitorInUse",
                Nothing,
                {"Korvant USB Monitor", "KvRasterProc"},
                Joined({{"Deleting Korvant USB Monitor,please wait...",
                         "Korvant USB Monitor is using,can't be deleted."},
                        kProcessorRemoved,
                        kUsbRemoved,
                        {kSelect}}),
                {"Korvant USB Monitor"},
                true},
        Refusal{"DriverInUse",
                [](sim::SimMachine& m) {
                  m.FailNext(sim::Call::DeletePrinterDriverAndUnusedFiles,
                             kErrorPrinterDriverInUse);
                },
                {"Receipt", "KvRasterProc"},
                Joined({{"Deleting printer Receipt,please wait...", "Receipt has been deleted.",
                         "Deleting Receipt's driver,please wait...",
                         "The driver is using,can't be deleted."},
                        kProcessorRemoved,
                        kUsbRemoved,
                        {kSelect}}),
                {},
                true},
        // The refusal ends the run before the USB step, yet Receipt is gone.
        Refusal{
            "QueuedJobAfterARemovalStillOffersTheRestart",
            [](sim::SimMachine& m) {
              m.clock().OnSleep([&m](uint64_t) {
                if (!m.spooler().FindPrinter("Receipt")) m.spooler().SetJobCount("Label", 1);
              });
            },
            {"Receipt", "Label", "KvRasterProc"},
            Lines{"Deleting printer Receipt,please wait...", "Receipt has been deleted.",
                  "Deleting Receipt's driver,please wait...",
                  "The printer driver has been deleted.", "Deleting printer Label,please wait...",
                  "Label can't be deleted,please delete jobs in printer first.", kSelect},
            {"Label", "KvRasterProc"},
            true},
        Refusal{"MonitorDllHeldOpenOnXpIsDeletedAtRestart",
                Nothing,
                {"Label", "Korvant COM Monitor"},
                Joined({{"Deleting printer Label,please wait...", "Label has been deleted.",
                         "Deleting Label's driver,please wait...",
                         "The printer driver has been deleted.",
                         "Deleting Korvant COM Monitor,please wait...",
                         "KVCOMMON.DLL will be deleted when Windows restarts.",
                         "Korvant COM Monitor has been deleted."},
                        kUsbRemoved,
                        {kSelect}}),
                {},
                true,
                {"\\??\\C:\\WINDOWS\\system32\\KVCOMMON.DLL"},
                [](UninstallFixture& f) { f.sim.files().MarkInUse(f.SystemFile("KVCOMMON.DLL")); }},
        // Windows 98 keeps the line already in WININIT.INI and the section after.
        Refusal{"MonitorDllHeldOpenOnWindows98IsDeletedAtRestart",
                Nothing,
                {"Korvant COM Monitor"},
                Lines{"Deleting Korvant COM Monitor,please wait...",
                      "KVCOMMON.DLL will be deleted when Windows restarts.",
                      "Korvant COM Monitor has been deleted.", kSelect},
                {},
                true,
                {"[rename]", "NUL=C:\\WINDOWS\\TEMP\\SETUP.TMP",
                 "NUL=C:\\WINDOWS\\SYSTEM\\KVCOMMON.DLL", "[CombineVxDs]", "x=1"},
                [](UninstallFixture& f) {
                  f.sim.UseWindows(sim::WindowsVersion::Win98);
                  f.sim.FailAlways(sim::Call::ScOpenManager, 120);
                  // A printer on a maker's serial port would keep the monitor.
                  ASSERT_EQ(f.sim.spooler().DeletePrinter("Label"), 0u);
                  f.sim.files().AddFile(f.SystemFile("KVCOMMON.DLL"), "monitor").inUse = true;
                  f.sim.files().AddFile(f.SystemFile("KVCOMUI.DLL"), "monitor ui");
                  f.sim.files().AddFile("C:\\WINDOWS\\WININIT.INI",
                                        "[rename]\r\nNUL=C:\\WINDOWS\\TEMP\\SETUP.TMP\r\n"
                                        "[CombineVxDs]\r\nx=1\r\n");
                  AnswerRestart(f.sim.dialogs(), kIdOk);
                },
                true},
        Refusal{
            "FileThatCannotBeLeftForTheRestartIsReported",
            [](sim::SimMachine& m) { m.FailNext(sim::Call::DeleteAtRestart, 1314); },
            {"KvRasterProc"},
            Joined({{kProcessorRemoved[0], "Delete file KVRASPRC.DLL error.    er=1314",
                     kProcessorRemoved[1]},
                    kUsbRemoved,
                    {kSelect}}),
            {},
            true,
            {},
            [](UninstallFixture& f) { f.sim.files().MarkInUse(f.ProcessorFile("KVRASPRC.DLL")); }},
        Refusal{"RestartThatFailsIsReportedAndTheWindowStays",
                [](sim::SimMachine& m) {
                  m.FailNext(sim::Call::EnableShutdownPrivilege, kErrorNotAllAssigned);
                },
                {"KvRasterProc"},
                Joined({kProcessorRemoved,
                        kUsbRemoved,
                        {"Can't restart the computer,please restart it yourself.    er=1300",
                         kSelect}}),
                {},
                true,
                {},
                [](UninstallFixture& f) { AnswerRestart(f.sim.dialogs(), kIdOk); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A 64-bit program's spooler keeps the processor under "Windows x64": it is
// listed and removed from there.
class SixtyFourBitRemovalTest : public RemovalTest {
 protected:
  void SetUp() override {
    sim.UseSixtyFourBitProgram();
    RemovalTest::SetUp();
  }
};

TEST_F(SixtyFourBitRemovalTest, ProcessorIsListedAndRemovedFromTheProgramsEnvironment) {
  ASSERT_TRUE(
      KeyExists("SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows x64\\"
                "Print Processors\\KvRasterProc"));
  Open();
  ASSERT_EQ(listed(), kFamilyList);
  EXPECT_TRUE(dialog->Click(IDC_SELECT_ALL));
  PressUninstall();
  EXPECT_EQ(status().back(), "KvRasterProc has been deleted.");
  EXPECT_EQ(sim.spooler().FindProcessor("KvRasterProc"), nullptr);
  EXPECT_FALSE(sim.files().Exists(ProcessorFile("KVRASPRC.DLL")));
}

}  // namespace
}  // namespace kv::test

#include "install/RunInstall.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <tuple>

#include "common/SetupStrings.h"
#include "platform/Errors.h"
#include "unit/install/SampleMediumFixture.h"

namespace kv {
namespace {

using Sleeps = std::vector<uint32_t>;
using sim::Call;
using sim::WindowsVersion;

constexpr const char* kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
constexpr const char* kProcessorKey =
    "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\Windows NT x86\\Print "
    "Processors\\KvRasterProc";

class RunInstallTest : public SampleMediumFixture {
 public:
  void Run() { RunInstall(sim.machine(), *settings, message, status); }
  bool SpoolerRuns() { return sim.services().service("Spooler").state == kServiceRunning; }
  // 0xdeadbeef when the value is missing or not a DWORD.
  uint32_t Dword(const std::string& key, const std::string& name) {
    const sim::SimValue* value = sim.registry().ValueAt(RegRoot::LocalMachine, key, name);
    if (!value || value->type != kRegDword || value->data.size() != 4) return 0xdeadbeef;
    uint32_t result = 0;
    for (int i = 3; i >= 0; --i) result = result << 8 | static_cast<uint8_t>(value->data[i]);
    return result;
  }
  // The text of a string value without its terminator; "absent" when missing.
  std::string String(const std::string& key, const std::string& name) {
    const sim::SimValue* value = sim.registry().ValueAt(RegRoot::LocalMachine, key, name);
    if (!value) return "absent";
    return value->data.substr(0, value->data.find('\0'));
  }
  // The renames recorded for the next start.
  std::vector<PendingRename> Pending() {
    std::vector<PendingRename> renames;
    EXPECT_EQ(sim.files().ReadPendingRenames(&renames), 0u);
    return renames;
  }
  // A temporary file of a replacement in the component directories that no
  // replacement at the next start uses.
  bool TemporaryFilesLeft() {
    const std::vector<PendingRename> renames = Pending();
    for (const std::string& directory :
         {sim.files().systemDirectory(), sim.spooler().ProcessorDirectory()}) {
      std::vector<FoundFile> found;
      if (sim.files().FindFiles(directory + "\\*.TMP", &found) != 0) continue;
      for (const FoundFile& file : found) {
        const std::string path = sim::LowerAscii(directory + "\\" + file.name);
        if (std::none_of(renames.begin(), renames.end(), [&](const PendingRename& r) {
              return sim::LowerAscii(r.source) == path;
            })) {
          return true;
        }
      }
    }
    return false;
  }
  void ExpectNothingLeftOpen() {
    EXPECT_EQ(sim.registry().OpenHandleCount(), 0u);
    EXPECT_EQ(sim.services().OpenHandleCount(), 0u);
  }
};

TEST_F(RunInstallTest, SerialInstallOnXpLeavesMonitorDriverPrinterAndLineSettings) {
  UseWindows(WindowsVersion::WinXP);
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
  Select("QTM-B320", OsFamily::WinXP, "KVCOM3:");
  Run();

  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded);
  EXPECT_EQ(message, SetupString(setup_text::kDriverInstalled));
  EXPECT_EQ(settings->printerName, "QTM-B320(S)");
  const sim::SimPrinter* printer = sim.spooler().FindPrinter("QTM-B320(S)");
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->info.portName, "KVCOM3:");
  EXPECT_EQ(printer->info.driverName, "Korvant QTM-B320");
  ASSERT_NE(sim.spooler().FindDriver("Korvant QTM-B320"), nullptr);
  ASSERT_NE(sim.spooler().FindMonitor(kSerialMonitor), nullptr);
  EXPECT_EQ(Dword(std::string(kMonitorsKey) + kSerialMonitor, "DriverVersion"), 3u);
  EXPECT_TRUE(sim.files().Exists(sim.files().systemDirectory() + "\\KVCOMMON.DLL"));
  for (const char* file : {"KVPUI.DLL", "KVB320.GPD", "KVPDRV.DLL", "KVPDRV.HLP", "KVRES.DLL",
                           "KVOEMUI.DLL", "KVOEMUNI.DLL", "KVOEM.INI"}) {
    EXPECT_TRUE(sim.files().Exists(sim.spooler().DriverDirectory() + "\\" + file)) << file;
  }
  EXPECT_EQ(String(kPortsKey, "COM3:"), "9600,n,8,1,p");
  EXPECT_EQ(settings->serial.parity, 'n') << "lowered in place";
  EXPECT_EQ(sim.clock().sleeps(), Sleeps{100});
  EXPECT_TRUE(sim.spooler().defaultPrinter().empty());
  ExpectNothingLeftOpen();
}

TEST_F(RunInstallTest, ParallelInstallOn2000BecomesDefaultWithoutAnyMonitor) {
  UseWindows(WindowsVersion::Win2000);
  Select("QTM-B320", OsFamily::Win2000, "LPT1:").makeDefault = 1;
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded);
  EXPECT_EQ(message, SetupString(setup_text::kDriverInstalled));
  EXPECT_EQ(sim.spooler().FindMonitor(kSerialMonitor), nullptr);
  EXPECT_EQ(sim.spooler().defaultPrinter(), "QTM-B320(P)");
}

TEST_F(RunInstallTest, UsbInstallOnXpRecordsPortAndAsksForRepower) {
  UseWindows(WindowsVersion::WinXP);
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\PRINTERPORT");
  sim.registry().SetDwordAt(RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\PRINTERPORT",
                            "USB_QTM-B320_1", 255);
  Select("QTM-B320", OsFamily::WinXP, "USB_QTM-B320_1");
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded);
  EXPECT_EQ(message, SetupString(setup_text::kDriverInstalledRepower));
  ASSERT_NE(sim.spooler().FindMonitor(kUsbMonitor), nullptr);
  EXPECT_EQ(Dword("SOFTWARE\\KORVANT\\PRINTERPORT", "USB_QTM-B320_1"), 0u);
  ASSERT_NE(sim.spooler().FindPrinter("QTM-B320(U) 1"), nullptr);
}

struct FamilyPauses {
  WindowsVersion windows;
  OsFamily family;
  Sleeps sleeps;
};

class ReplacementPauses : public RunInstallTest,
                          public ::testing::WithParamInterface<FamilyPauses> {};

// 100 first; the stop's 100 and 500; the pause between the two starts; 1000
// before the running check.
INSTANTIATE_TEST_SUITE_P(
    PerFamily, ReplacementPauses,
    ::testing::Values(
        FamilyPauses{WindowsVersion::NT4, OsFamily::NT4, {100, 100, 500, 1000, 1000}},
        FamilyPauses{WindowsVersion::Win2000, OsFamily::Win2000, {100, 100, 500, 1000, 1000}},
        FamilyPauses{WindowsVersion::WinXP, OsFamily::WinXP, {100, 100, 500, 2500, 1000}},
        FamilyPauses{WindowsVersion::Server2003, OsFamily::Server2003, {100, 100, 500, 2500, 1000}},
        FamilyPauses{WindowsVersion::Vista, OsFamily::Vista, {100, 100, 500, 1000}}));

TEST_P(ReplacementPauses, OutdatedMonitorIsReplacedAndRegisteredAndTheSpoolerRunsAfter) {
  UseWindows(GetParam().windows);
  InstallOldMonitor(kSerialMonitor, "KVCOMMON.DLL", 2);
  Select("QTM-B320", GetParam().family, "KVCOM1:");
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded) << message;
  EXPECT_EQ(sim.clock().sleeps(), GetParam().sleeps);
  EXPECT_EQ(Dword(std::string(kMonitorsKey) + kSerialMonitor, "DriverVersion"), 3u);
  EXPECT_EQ(String(std::string(kMonitorsKey) + kSerialMonitor, "Driver"), "KVCOMMON.DLL");
  EXPECT_TRUE(SpoolerRuns());
  ExpectNothingLeftOpen();
}

// What a failing step leaves: status 1, its message, and the spooler running.
class FailingStep;
struct FailureRow {
  const char* name;
  const char* port;
  DriverMode mode;
  std::function<void(FailingStep&)> arrange;
  std::function<std::string(FailingStep&)> expected;
};

class FailingStep : public RunInstallTest, public ::testing::WithParamInterface<FailureRow> {
 public:
  void OutdatedProcessor() { InstallOldProcessor(kProcessorKey, 1); }
  std::string MediumFile(const char* name) { return std::string(kMedium) + "\\winnt\\" + name; }
};

// A text whose "%s" is a file name.
std::string Named(int textId, std::string_view fileName) {
  std::string text(SetupString(textId));
  text.replace(text.find("%s"), 2, fileName);
  return text;
}

const FailureRow kFailureRows[] = {
    {"MonitorRegistration", "KVCOM1:", DriverMode::Standard,
     [](FailingStep& t) { t.sim.FailNext(Call::AddMonitor, 5); },
     [](FailingStep&) {
       return std::string(SetupString(setup_text::kAddMonitorError)) + " Erro code is:5";
     }},
    {"ProcessorRegistration", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) { t.sim.FailNext(Call::AddPrintProcessor, 5); },
     [](FailingStep&) { return std::string(SetupString(setup_text::kAddProcessorError)); }},
    {"ProcessorDirectory", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) {
       t.OutdatedProcessor();
       t.sim.FailNext(Call::GetPrintProcessorDirectory, 5);
     },
     [](FailingStep&) { return std::string(SetupString(setup_text::kNoProcessorDirectory)); }},
    {"CurrentDirectoryWhileStopped", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) {
       t.OutdatedProcessor();
       t.sim.FailNext(Call::GetCurrentDirectory, 5);
     },
     [](FailingStep&) { return std::string(SetupString(setup_text::kNoCurrentDirectory)); }},
    {"ProcessorCopyWhileStopped", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) {
       t.OutdatedProcessor();
       t.sim.files().DeleteFile(t.MediumFile("KVRASPRC.DLL"));
     },
     [](FailingStep& t) {
       return std::string(SetupString(setup_text::kCopyError)) + t.MediumFile("KVRASPRC.DLL");
     }},
    {"HeldProcessorNotScheduled", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) {
       t.OutdatedProcessor();
       t.sim.files().MarkInUse(t.sim.spooler().ProcessorDirectory() + "\\KVRASPRC.DLL");
       t.sim.FailNext(Call::ReplaceAtRestart, kErrorAccessDenied);
     },
     [](FailingStep&) {
       return Named(setup_text::kCannotReplaceAtRestart, "KVRASPRC.DLL") + "  er = 5";
     }},
    {"HeldMonitorWithoutTemporaryFile", "KVCOM1:", DriverMode::Standard,
     [](FailingStep& t) {
       t.InstallOldMonitor(FailingStep::kSerialMonitor, "KVCOMMON.DLL", 2);
       t.sim.files().MarkInUse(t.sim.files().systemDirectory() + "\\KVCOMMON.DLL");
       t.sim.FailNext(Call::CreateTempFile, kErrorAccessDenied);
     },
     [](FailingStep&) {
       return Named(setup_text::kCannotReplaceAtRestart, "KVCOMMON.DLL") + "  er = 5";
     }},
    {"SpoolerDoesNotComeBack", "LPT1:", DriverMode::Graphic,
     [](FailingStep& t) {
       t.OutdatedProcessor();
       t.sim.FailAlways(Call::ScStart, 1058);
     },
     [](FailingStep&) { return std::string("Start spool service error, error code = 1058"); }},
    {"PortEnumeration", "USB_QTM-B320_1", DriverMode::Standard,
     [](FailingStep& t) { t.sim.FailAlways(Call::EnumPorts, 8); },
     [](FailingStep&) { return std::string(SetupString(setup_text::kOutOfMemory)); }},
    {"RequiredFileNotConfigured", "LPT1:", DriverMode::Standard,
     [](FailingStep& t) { t.settings->driverFiles.helpFile.clear(); },
     [](FailingStep&) { return std::string(SetupString(setup_text::kDriverFilesLost)); }},
    {"DriverFileMissingFromMedium", "LPT1:", DriverMode::Standard,
     [](FailingStep& t) { t.sim.files().DeleteFile(t.MediumFile("KVPDRV.DLL")); },
     [](FailingStep& t) {
       return std::string(SetupString(setup_text::kCopyError)) + "KVPDRV.DLL  er = 2" +
              t.MediumFile("KVPDRV.DLL");
     }},
    {"DriverRegistration", "LPT1:", DriverMode::Standard,
     [](FailingStep& t) { t.sim.FailNext(Call::AddPrinterDriver, 5); },
     [](FailingStep&) {
       return std::string(SetupString(setup_text::kAddDriverError)) + "   er = 5";
     }},
    {"PrinterRegistration", "LPT1:", DriverMode::Standard,
     [](FailingStep& t) { t.sim.FailNext(Call::AddPrinter, 5); },
     [](FailingStep&) {
       return std::string(SetupString(setup_text::kAddPrinterError)) + "er = 5";
     }},
    {"SecondPrinterOnTheSameUsbPort", "USB_QTM-B320_1", DriverMode::Standard,
     [](FailingStep& t) {
       t.Run();  // the first printer on the port
       t.Select("QTM-B320", OsFamily::WinXP, "USB_QTM-B320_1");
       t.status.Reset();
       t.message.clear();
     },
     [](FailingStep&) { return std::string(SetupString(setup_text::kPortFull)); }},
};

INSTANTIATE_TEST_SUITE_P(Rows, FailingStep, ::testing::ValuesIn(kFailureRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(FailingStep, EndsWithItsMessageStatusFailedAndTheSpoolerRunning) {
  UseWindows(WindowsVersion::WinXP);
  Select("QTM-B320", OsFamily::WinXP, GetParam().port, GetParam().mode);
  GetParam().arrange(*this);
  Run();
  sim.faults().Clear(Call::ScStart);
  EXPECT_EQ(status.Read(), CompletionStatus::kFailed);
  EXPECT_EQ(message, GetParam().expected(*this));
  if (std::string(GetParam().name) != "SpoolerDoesNotComeBack") {
    EXPECT_TRUE(SpoolerRuns());
  }
  EXPECT_FALSE(TemporaryFilesLeft());
  ExpectNothingLeftOpen();
}

TEST_F(RunInstallTest, OutdatedMonitorAndProcessorTogetherReplaceOnlyTheMonitorThisRun) {
  UseWindows(WindowsVersion::WinXP);
  InstallOldMonitor(kSerialMonitor, "KVCOMMON.DLL", 2);
  InstallOldProcessor(kProcessorKey, 1);
  Select("QTM-B320", OsFamily::WinXP, "KVCOM1:", DriverMode::Graphic);
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded) << message;
  EXPECT_EQ(settings->updateFlags,
            OutdatedComponents::SerialMonitor | OutdatedComponents::PrintProcessor);
  EXPECT_EQ(Dword(std::string(kMonitorsKey) + kSerialMonitor, "DriverVersion"), 3u);
  EXPECT_EQ(Dword(kProcessorKey, "DriverVersion"), 1u) << "left for the next installation";
}

TEST_F(RunInstallTest, FirstStartRefusedButSpoolerRunningAfterwardsIsNoFailure) {
  UseWindows(WindowsVersion::WinXP);
  InstallOldMonitor(kSerialMonitor, "KVCOMMON.DLL", 2);
  Select("QTM-B320", OsFamily::WinXP, "KVCOM1:");
  sim.FailNext(Call::ScStart, 1061);
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded) << message;
  EXPECT_EQ(message, SetupString(setup_text::kDriverInstalled));
}

TEST_F(RunInstallTest, Win98UsbMonitorInUseIsCopiedAndRegisteredUnderItsNName) {
  UseWindows(WindowsVersion::Win98);
  InstallOldMonitor(kUsbMonitor, "KVUSBMON.DLL", 2);
  sim.files().MarkInUse(sim.files().systemDirectory() + "\\KVUSBMON.DLL");
  Select("QTM-B320", OsFamily::Win98, "USB_QTM-B320_1");
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded) << message;
  EXPECT_TRUE(message.empty()) << "Windows 98 success leaves the message as it was";
  EXPECT_EQ(String(std::string(kMonitorsKey) + kUsbMonitor, "Driver"), "nKVUSBMON.DLL");
  EXPECT_EQ(Dword(std::string(kMonitorsKey) + kUsbMonitor, "DriverVersion"), 3u);
  EXPECT_TRUE(sim.files().Exists(sim.files().systemDirectory() + "\\nKVUSBMON.DLL"));
  EXPECT_TRUE(sim.files().Exists(sim.spooler().DriverDirectory() + "\\DMCOLOR.DLL"))
      << "QTM-B320 needs the colour library on Windows 98";
}

TEST_F(RunInstallTest, Win98MonitorInUseUnderBothNamesIsFatal) {
  UseWindows(WindowsVersion::Win98);
  InstallOldMonitor(kUsbMonitor, "KVUSBMON.DLL", 2);
  for (const char* name : {"\\KVUSBMON.DLL", "\\nKVUSBMON.DLL"}) {
    sim.files().AddFile(sim.files().systemDirectory() + name, "old");
    sim.files().MarkInUse(sim.files().systemDirectory() + name);
  }
  Select("QTM-B320", OsFamily::Win98, "USB_QTM-B320_1");
  Run();
  EXPECT_EQ(status.Read(), CompletionStatus::kFailed);
  EXPECT_EQ(message, SetupString(setup_text::kFatalError));
  EXPECT_EQ(Dword(std::string(kMonitorsKey) + kUsbMonitor, "DriverVersion"), 2u);
}

TEST_F(RunInstallTest, WorkerLeavesTheStatusRunningUntilItHasRun) {
  UseWindows(WindowsVersion::WinXP);
  Select("QTM-B320", OsFamily::WinXP, "LPT1:");
  sim.threads().SetDeferred(true);
  ThreadHandle thread = 0;
  ASSERT_EQ(StartInstall(sim.machine(), *settings, message, status, &thread), 0u);
  EXPECT_EQ(status.Read(), CompletionStatus::kRunning);
  EXPECT_EQ(sim.spooler().FindPrinter("QTM-B320(P)"), nullptr);
  sim.threads().RunPending();
  EXPECT_EQ(status.Read(), CompletionStatus::kSucceeded);
  EXPECT_EQ(sim.machine().threads.Join(thread), 0u);
  EXPECT_EQ(sim.threads().OpenThreadCount(), 0u);
}

// Every platform call failed once in turn, in runs that reach them all: an
// outdated monitor replaced, one still held that is replaced at restart, and
// the installation after that one, before the restart (with the default
// printer and serial settings each time). The run ends with a status, a
// failure says why, the spooler runs and nothing stays open.
enum class Scenario { Outdated, Held, HeldAgain };

class FaultSweep : public RunInstallTest,
                   public ::testing::WithParamInterface<std::tuple<Scenario, int>> {};

INSTANTIATE_TEST_SUITE_P(EveryCall, FaultSweep,
                         ::testing::Combine(::testing::Values(Scenario::Outdated, Scenario::Held,
                                                              Scenario::HeldAgain),
                                            ::testing::Range(0, static_cast<int>(Call::kCount))));

TEST_P(FaultSweep, OneFailedCallEndsTheRunCleanly) {
  const auto [scenario, callNumber] = GetParam();
  const auto call = static_cast<Call>(callNumber);
  UseWindows(WindowsVersion::WinXP);
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kPortsKey);
  InstallOldMonitor(kSerialMonitor, "KVCOMMON.DLL", 2);
  const std::string success(SetupString(setup_text::kDriverInstalled));
  const std::string said = success + "\n" + Named(setup_text::kReplacedAtRestart, "KVCOMMON.DLL");
  if (scenario != Scenario::Outdated) {
    sim.files().MarkInUse(sim.files().systemDirectory() + "\\KVCOMMON.DLL");
  }
  if (scenario == Scenario::HeldAgain) {
    Select("QTM-B320", OsFamily::WinXP, "KVCOM2:");
    Run();
    ASSERT_EQ(message, said);
    status.Reset();
    message.clear();
  }
  Select("QTM-B320", OsFamily::WinXP, "KVCOM1:").makeDefault = 1;
  sim.FailNext(call, kErrorInvalidParameter);
  Run();
  ASSERT_TRUE(status.Finished());
  if (status.Read() == CompletionStatus::kFailed) {
    EXPECT_FALSE(message.empty());
    EXPECT_NE(message, success);
    EXPECT_NE(message, said);
  } else {
    // The line is said exactly when the replacement waits for the restart,
    // unless the record of the next start could not be read.
    EXPECT_TRUE(message == success || message == said) << message;
    const std::string target = sim::LowerAscii(sim.files().systemDirectory() + "\\KVCOMMON.DLL");
    const std::vector<PendingRename> renames = Pending();
    const bool pending = std::any_of(renames.begin(), renames.end(), [&](const PendingRename& r) {
      return sim::LowerAscii(r.target) == target;
    });
    const bool unread = scenario == Scenario::HeldAgain &&
                        (call == Call::ReadPendingRenames || call == Call::GetSystemDirectory);
    if (!unread) {
      EXPECT_EQ(message == said, pending);
    }
  }
  EXPECT_FALSE(status.Finish(true)) << "the status is set once";
  EXPECT_TRUE(SpoolerRuns());
  EXPECT_FALSE(TemporaryFilesLeft());
  // A refused close leaves its own handle open; every other one is closed.
  if (call != Call::RegCloseKey && call != Call::ScCloseHandle) ExpectNothingLeftOpen();
}

}  // namespace
}  // namespace kv

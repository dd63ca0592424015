#include <gtest/gtest.h>

#include <regex>

#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "uninstall/Removal.h"
#include "unit/uninstall/UninstallFixture.h"

namespace kv::test {
namespace {

// Every line a removal may write, as patterns: the string table's texts with
// %s standing for any name, and the fixed texts.
std::vector<std::regex> StatusPatterns() {
  std::vector<std::regex> patterns;
  auto escaped = [](std::string_view text) {
    static const std::regex special(R"([.^$|()\[\]{}*+?\\])");
    std::string plain = std::regex_replace(std::string(text), special, R"(\$&)");
    return std::regex_replace(plain, std::regex("%s"), ".+");
  };
  for (int id = uninstall_text::kSelectPrinters; id <= uninstall_text::kRemovalNotStarted; ++id) {
    std::string pattern = escaped(UninstallString(id));
    if (id == uninstall_text::kDeleteDriverError || id == uninstall_text::kDeleteFileError ||
        id == uninstall_text::kRestartError || id == uninstall_text::kRemovalNotStarted) {
      pattern += "    er=[0-9]+";
    }
    patterns.emplace_back(pattern);
  }
  for (auto text : {uninstall_text::kNoSystemDirectory, uninstall_text::kDeletingUsbDriver,
                    uninstall_text::kUsbDriverDeleted}) {
    patterns.emplace_back(escaped(text));
  }
  return patterns;
}

// The first entry is the run without a fault.
const std::optional<sim::Call> kRemovalCalls[] = {
    std::nullopt,
    sim::Call::EnumPrinters,
    sim::Call::OpenPrinter,
    sim::Call::QueryPrinter,
    sim::Call::DeleteOpenPrinter,
    sim::Call::ClosePrinter,
    sim::Call::DeletePrinterDriverAndUnusedFiles,
    sim::Call::DeleteMonitor,
    sim::Call::DeletePrintProcessor,
    sim::Call::GetSystemDirectory,
    sim::Call::GetPrintProcessorDirectory,
    sim::Call::DeleteFile,
    sim::Call::DeleteAtRestart,
    sim::Call::RegDeleteKey,
    sim::Call::ScOpenManager,
    sim::Call::ScOpenService,
    sim::Call::ScStop,
    sim::Call::ScStart,
    sim::Call::ScCloseHandle,
    sim::Call::GetCurrentDirectory,
    sim::Call::ShellExecute,
    sim::Call::FindTopLevelWindow,
    sim::Call::GetVersion,
    sim::Call::EnableShutdownPrivilege,
    sim::Call::RestartComputer,
    sim::Call::RegCreateKey,
    sim::Call::StartThread,
};

class RemovalFaultSweepTest : public UninstallFixture {};

TEST_F(RemovalFaultSweepTest, EachCallFailedOnceLeavesASoundRun) {
  const auto patterns = StatusPatterns();
  std::vector<std::string> baseline;
  int changedRuns = 0;
  for (std::optional<sim::Call> fault : kRemovalCalls) {
    const sim::Call call = fault.value_or(sim::Call::kCount);
    SCOPED_TRACE(testing::Message() << "call " << static_cast<int>(call));
    // A fresh machine per call, arranged as the other tests arrange it.
    struct Run : UninstallFixture {
      void TestBody() override {}
    } run;
    run.InstallFamily();
    run.AddDriver("Korvant QTM-300");
    run.AddPrinter("Second Receipt", "Korvant QTM-300", "USB_QTM_1");
    // A DLL that another program holds: left for Windows to delete.
    run.sim.files().MarkInUse(run.SystemFile("KVCOMUI.DLL"));
    run.Open();
    ASSERT_FALSE(run.dialog->Ended());
    const auto before = run.listed();
    run.dialog->Click(IDC_SELECT_ALL);
    run.dialog->Click(IDC_USB_DRIVER);
    AnswerRestart(run.sim.dialogs(), kIdOk);
    // Armed when the run starts, so that the fault lands in the run itself.
    run.sim.clock().OnSleep([&run, call, armed = true](uint64_t) mutable {
      if (armed && call != sim::Call::kCount) run.sim.FailNext(call, kErrorAccessDenied);
      armed = false;
    });
    if (call == sim::Call::StartThread) run.sim.FailNext(call, kErrorNotEnoughMemory);
    run.PressUninstall();

    const auto lines = run.status();
    for (size_t i = 1; i < lines.size(); ++i) {
      const std::string& line = lines[i];
      EXPECT_TRUE(std::any_of(patterns.begin(), patterns.end(),
                              [&](const std::regex& p) { return std::regex_match(line, p); }))
          << "unexpected line: " << line;
    }
    for (uint32_t pause : run.sim.clock().sleeps()) {
      EXPECT_TRUE(pause == 100 || pause == 500 || pause == 1000 || pause == 2000) << pause;
    }
    // What was not listed is untouched.
    EXPECT_NE(run.sim.spooler().FindPrinter("Office"), nullptr);
    EXPECT_NE(run.sim.spooler().FindDriver("Generic Text"), nullptr);
    EXPECT_NE(run.sim.spooler().FindMonitor("Other Monitor"), nullptr);
    EXPECT_TRUE(run.sim.files().Exists(run.SystemFile("OTHERMON.DLL")));
    // An item still listed is still installed, with its files.
    for (const auto& name : run.listed()) {
      EXPECT_NE(std::find(before.begin(), before.end(), name), before.end()) << name;
      bool installed = run.sim.spooler().FindPrinter(name) || run.sim.spooler().FindMonitor(name) ||
                       run.sim.spooler().FindProcessor(name);
      EXPECT_TRUE(installed) << name << " listed but gone";
    }
    EXPECT_EQ(run.sim.spooler().OpenPrinterCount(), 0u);
    EXPECT_FALSE(run.window->removalRunning());
    EXPECT_TRUE(run.dialog->Enabled(IDC_EXIT));
    EXPECT_TRUE(run.dialog->Enabled(IDC_UNINSTALL));
    if (!fault) baseline = run.status();
    if (run.status() != baseline) ++changedRuns;
  }
  // Most faults show in the status list; a sweep that injected nothing would not.
  EXPECT_GT(changedRuns, 5);
}

}  // namespace
}  // namespace kv::test

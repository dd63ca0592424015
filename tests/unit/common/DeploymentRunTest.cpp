#include "common/DeploymentRun.h"

#include <gtest/gtest.h>

#include "common/ProgramShell.h"
#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "sim/SimMachine.h"
#include "support/LogLines.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kLog = "C:\\logs\\run.log";
constexpr OptionRule kProgramOptions[] = {{"ALL"}};

// The uninstaller on a medium in C:\Medium, started in the system folder as
// deployment engines start programs.
class StartedMachine : public sim::SimMachine {
 public:
  StartedMachine() {
    files().AddDirectory("C:\\Medium");
    files().AddDirectory("C:\\logs");
    files().AddDirectory("C:\\WINDOWS\\system32");
    files().SetModuleFileName("C:\\Medium\\Uninstall.exe");
    files().SetCurrentDirectory("C:\\WINDOWS\\system32");
  }
  std::string CurrentDirectory() {
    std::string directory;
    machine().files.GetCurrentDirectory(&directory);
    return directory;
  }
  Lines LogLines() { return test::LogTexts(files(), kLog, "uninstall 0.0.0.0"); }
  Lines Boxes() {
    Lines texts;
    for (const auto& box : desktop().messageBoxes()) texts.push_back(box.text);
    return texts;
  }
};

class DeploymentRunTest : public ::testing::Test {
 protected:
  std::string CurrentDirectory() { return sim.CurrentDirectory(); }
  Lines LogLines() { return sim.LogLines(); }
  Lines Boxes() { return sim.Boxes(); }

  StartedMachine sim;
};

TEST_F(DeploymentRunTest, WithoutArgumentsNothingHappens) {
  for (const char* line : {"", "  \t "}) {
    DeploymentRun run(sim.machine(), kUninstallProgram, line, kProgramOptions);
    EXPECT_EQ(run.Begin(), std::nullopt);
    EXPECT_FALSE(run.withOptions());
    EXPECT_FALSE(run.silent());
    EXPECT_EQ(&run.machine().desktop, &sim.machine().desktop) << "the plain desktop";
    EXPECT_EQ(run.Finish(ExitCode::kSuccess), 0);
  }
  EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\system32");
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(sim.files().OpenAppendCount(), 0u);
}

TEST_F(DeploymentRunTest, OptionsMakeTheProgramsFolderCurrentAndFrameTheLog) {
  sim.files().AddVersionedFile("C:\\Medium\\Uninstall.exe", "2.3.0.0");
  {
    DeploymentRun run(sim.machine(), kUninstallProgram, "/s /log=..\\..\\logs\\run.log /ALL",
                      kProgramOptions);
    EXPECT_EQ(run.Begin(), std::nullopt);
    EXPECT_TRUE(run.silent());
    EXPECT_FALSE(run.noRestart());
    EXPECT_TRUE(run.commandLine().Has("ALL"));
    EXPECT_EQ(CurrentDirectory(), "C:\\Medium");
    run.machine().desktop.MessageBox(0, "Shown?", "Uninstall", kMbOk);
    run.LogFailure("DeleteFile C:\\x.dll", kErrorAccessDenied);
    EXPECT_EQ(run.Finish(ExitCode::kRestartNeeded), 3010);
  }
  EXPECT_TRUE(Boxes().empty()) << "silent";
  // The relative log path meant the folder the program was started in.
  EXPECT_EQ(test::LogTexts(sim.files(), kLog, "uninstall 2.3.0.0"),
            (Lines{"Command line: /s /log=..\\..\\logs\\run.log /ALL", "Message: Shown?",
                   "DeleteFile C:\\x.dll failed: Windows error 5",
                   "Exit code 3010: success, restart the computer to finish"}));
}

TEST_F(DeploymentRunTest, AProgramInTheRootKeepsItsBackslash) {
  sim.files().SetModuleFileName("D:\\Uninstall.exe");
  sim.files().AddDirectory("D:\\");
  DeploymentRun run(sim.machine(), kUninstallProgram, "/ALL", kProgramOptions);
  EXPECT_EQ(run.Begin(), std::nullopt);
  EXPECT_EQ(CurrentDirectory(), "D:\\");
}

TEST_F(DeploymentRunTest, AFolderThatCannotBeMadeCurrentIsLoggedAndTheRunGoesOn) {
  sim.FailNext(sim::Call::ChangeCurrentDirectory, kErrorAccessDenied);
  DeploymentRun run(sim.machine(), kUninstallProgram, "/LOG=C:\\logs\\run.log", kProgramOptions);
  EXPECT_EQ(run.Begin(), std::nullopt);
  EXPECT_EQ(CurrentDirectory(), "C:\\WINDOWS\\system32");
  EXPECT_EQ(LogLines().back(),
            "The program's folder C:\\Medium cannot be made current: Windows error 5");
}

TEST_F(DeploymentRunTest, RefusalsEndWith87BeforeAnythingChanges) {
  struct Case {
    const char* line;
    const char* reason;
    bool silent;
  };
  const Case cases[] = {
      {"/ALL /X /LOG=C:\\logs\\run.log", "Unknown option: /X", false},
      {"/S /ALL=1 /LOG=C:\\logs\\run.log", "The option /ALL=1 takes no value.", true},
      {"/S /S /LOG=C:\\logs\\run.log", "The option /S is given more than once.", true},
      {"ALL /LOG=C:\\logs\\run.log", "Not an option: ALL (options begin with / or -)", false},
      {"/S /LOG", "The option /LOG needs a value.", true},
      {"/LOG=C:\\missing\\run.log",
       "The log file C:\\missing\\run.log cannot be opened: "
       "Windows error 3.",
       false},
  };
  for (const Case& c : cases) {
    StartedMachine sim;
    SCOPED_TRACE(c.line);
    DeploymentRun run(sim.machine(), kUninstallProgram, c.line, kProgramOptions);
    EXPECT_EQ(run.Begin(), ExitCode::kBadArguments);
    EXPECT_EQ(run.Finish(ExitCode::kBadArguments), 87);
    EXPECT_EQ(sim.CurrentDirectory(), "C:\\WINDOWS\\system32");
    if (c.silent) {
      EXPECT_TRUE(sim.Boxes().empty());
    } else {
      EXPECT_EQ(sim.Boxes(), Lines{c.reason});
      EXPECT_EQ(sim.desktop().messageBoxes()[0].caption, "Uninstall");
    }
    const bool logged = std::string(c.line).find(kLog) != std::string::npos;
    const std::string shown = c.silent ? c.reason : std::string("Message: ") + c.reason;
    EXPECT_EQ(sim.LogLines(), logged ? (Lines{std::string("Command line: ") + c.line, shown,
                                              "Exit code 87: bad option or answer file"})
                                     : Lines{});
  }
}

TEST_F(DeploymentRunTest, UsageInABoxOrInTheLog) {
  {
    DeploymentRun run(sim.machine(), kUninstallProgram, "/?", kProgramOptions);
    EXPECT_EQ(run.Begin(), ExitCode::kSuccess);
  }
  EXPECT_EQ(Boxes(), Lines{std::string(UninstallString(uninstall_text::kUsage))});
  {
    DeploymentRun run(sim.machine(), kUninstallProgram, "-? /S /LOG=C:\\logs\\run.log",
                      kProgramOptions);
    EXPECT_EQ(run.Begin(), ExitCode::kSuccess);
    run.Finish(ExitCode::kSuccess);
  }
  EXPECT_EQ(Boxes().size(), 1u);
  std::string usage = std::string(UninstallString(uninstall_text::kUsage));
  for (size_t at; (at = usage.find('\n')) != std::string::npos;) usage.replace(at, 1, "\\n");
  EXPECT_EQ(LogLines(),
            (Lines{"Command line: -? /S /LOG=C:\\logs\\run.log", usage, "Exit code 0: success"}));
}

TEST_F(DeploymentRunTest, EveryBoxIsLoggedWithItsAnswer) {
  {
    DeploymentRun run(sim.machine(), kUninstallProgram, "/LOG=C:\\logs\\run.log", kProgramOptions);
    ASSERT_EQ(run.Begin(), std::nullopt);
    sim.desktop().ScriptAnswer(kIdYes);
    EXPECT_EQ(run.machine().desktop.MessageBox(0, "Restart?", "x", kMbYesNo), kIdYes);
    EXPECT_EQ(run.machine().desktop.MessageBox(0, "Done\nreally", "x", kMbOk), kIdOk);
  }
  EXPECT_EQ(Boxes(), (Lines{"Restart?", "Done\nreally"}));
  {
    DeploymentRun run(sim.machine(), kUninstallProgram, "/S /LOG=C:\\logs\\run.log",
                      kProgramOptions);
    ASSERT_EQ(run.Begin(), std::nullopt);
    run.presenter().Answer("Rewrite?", kIdYes);
    Desktop& desktop = run.machine().desktop;
    EXPECT_EQ(desktop.MessageBox(0, "Rewrite?", "x", kMbYesNo | kMbIconExclamation), kIdYes);
    EXPECT_EQ(desktop.MessageBox(0, "Restart?", "x", kMbYesNo), kIdNo) << "changes nothing";
    EXPECT_EQ(desktop.MessageBox(0, "Go on?", "x", kMbOkCancel), kIdCancel);
    EXPECT_EQ(desktop.MessageBox(0, "Failed.", "x", kMbOk), kIdOk);
  }
  EXPECT_EQ(Boxes().size(), 2u) << "the silent run showed none";
  EXPECT_EQ(LogLines(),
            (Lines{"Command line: /LOG=C:\\logs\\run.log", "Question: Restart? Answer: Yes",
                   "Message: Done\\nreally", "Command line: /S /LOG=C:\\logs\\run.log",
                   "Question: Rewrite? Answer: Yes", "Question: Restart? Answer: No",
                   "Question: Go on? Answer: Cancel", "Message: Failed."}));
}

TEST(ProgramShellRunningMutexTest, EachProgramHoldsItsOwnAndTestsTheOthers) {
  sim::SimMachine sim;
  {
    sim.files().SetModuleFileName("C:\\Medium\\Uninstall.exe");
    ProgramShell shell(sim.machine(), kUninstallProgram);
    EXPECT_TRUE(shell.StartAlone());
    EXPECT_TRUE(sim.threads().MutexHeld(std::string(kUninstallRunningMutex)));
    EXPECT_FALSE(sim.threads().MutexHeld(std::string(kSetupRunningMutex)))
        << "testing the other's mutex creates nothing";

    // A silent setup started now finds the uninstaller through its mutex.
    sim.files().SetModuleFileName("C:\\Medium\\setup.exe");
    ProgramShell setup(sim.machine(), kSetupProgram);
    EXPECT_FALSE(setup.StartAlone());
    ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
    EXPECT_EQ(sim.desktop().messageBoxes()[0].text, "Please close Uninstall program first!");
  }
  EXPECT_FALSE(sim.threads().MutexHeld(std::string(kUninstallRunningMutex)));
  EXPECT_FALSE(sim.threads().MutexHeld(std::string(kSetupRunningMutex)));
}

}  // namespace
}  // namespace kv

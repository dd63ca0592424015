#include "install/DriverFileCopy.h"

#include "platform/Errors.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

using DriverFileCopyTest = InstallFixture;

TEST_F(DriverFileCopyTest, CopiesFromTheFamilysDirectoryAndClearsTheTargetsAttributes) {
  AddMediumFile("winnt", "kvdrv.dll");
  sim.files().AddFile(InDrivers("kvdrv.dll"), "old").attributes = kFileAttributeReadOnly;
  EXPECT_EQ(CopyDriverFile(machine(), "kvdrv.dll", CopyTarget::DriverDirectory, OsFamily::WinXP,
                           false, message),
            CopyOutcome::Copied);
  EXPECT_EQ(sim.files().Find(InDrivers("kvdrv.dll"))->bytes, "bytes of kvdrv.dll");
  EXPECT_TRUE(message.empty());
}

TEST_F(DriverFileCopyTest, MissingConfigurationValueCopiesNothingSilently) {
  message = "earlier";
  EXPECT_EQ(
      CopyDriverFile(machine(), "0", CopyTarget::SystemDirectory, OsFamily::WinXP, false, message),
      CopyOutcome::Skipped);
  EXPECT_EQ(message, "earlier");
}

TEST_F(DriverFileCopyTest, FailedCopyNamesTargetErrorAndSource) {
  EXPECT_EQ(CopyDriverFile(machine(), "missing.dll", CopyTarget::DriverDirectory,
                           OsFamily::Server2003, false, message),
            CopyOutcome::Failed);
  EXPECT_EQ(message, "Copy driver files errormissing.dll  er = 2C:\\Medium\\win2003\\missing.dll");
  // No version directory is created: the copy into one that is missing (the
  // 9x driver directory has none) fails with path not found.
  sim.UseWindows(sim::WindowsVersion::Win98);
  AddMediumFile("winnt", "font.ttf");
  CopyDriverFile(machine(), "font.ttf", CopyTarget::DriverVersion3Directory, OsFamily::NT4, false,
                 message);
  EXPECT_EQ(message, "Copy driver files errorfont.ttf  er = 3C:\\Medium\\winnt\\font.ttf");
}

TEST_F(DriverFileCopyTest, TargetInUseIsReturnedWithoutMessageAndRenameKeepsLongNames) {
  const std::string longName = "kvmonitor-longer-than-eighteen.dll";
  AddMediumFile("winnt", longName);
  sim.files().AddFile(InSystem(longName));
  sim.files().MarkInUse(InSystem(longName));
  EXPECT_EQ(CopyDriverFile(machine(), longName, CopyTarget::SystemDirectory, OsFamily::WinXP, false,
                           message),
            CopyOutcome::InUse);
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(CopyDriverFile(machine(), longName, CopyTarget::SystemDirectory, OsFamily::WinXP, true,
                           message),
            CopyOutcome::Copied);
  EXPECT_TRUE(sim.files().Exists(InSystem("n" + longName)));
}

TEST_F(DriverFileCopyTest, NamesWithDirectoryPartsAreRefusedBeforeAnyUse) {
  for (const char* name : {"..\\evil.dll", "sub/evil.dll", "C:evil.dll", ".", ".."}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(CopyDriverFile(machine(), name, CopyTarget::SystemDirectory, OsFamily::WinXP, false,
                             message),
              CopyOutcome::Failed);
    EXPECT_EQ(message, std::string("Copy driver files error") + name +
                           "  er = 123C:\\Medium\\winnt\\" + name);
  }
}

TEST_F(DriverFileCopyTest, UnavailableDirectoriesHaveTheirOwnMessages) {
  struct Case {
    sim::Call call;
    CopyTarget target;
    const char* text;
  };
  for (const Case& c : {Case{sim::Call::GetPrinterDriverDirectory, CopyTarget::DriverDirectory,
                             "Cannot get printer driver directory"},
                        Case{sim::Call::GetPrintProcessorDirectory, CopyTarget::ProcessorDirectory,
                             "Cannot get printer processor directory"},
                        Case{sim::Call::GetSystemDirectory, CopyTarget::SystemDirectory,
                             "Cannot get system directory"},
                        Case{sim::Call::GetCurrentDirectory, CopyTarget::SystemDirectory,
                             "Cannot get current system directory"}}) {
    sim.FailNext(c.call, kErrorNotEnoughMemory);
    EXPECT_EQ(CopyDriverFile(machine(), "a.dll", c.target, OsFamily::WinXP, false, message),
              CopyOutcome::Failed);
    EXPECT_EQ(message, c.text);
  }
}

}  // namespace
}  // namespace kv

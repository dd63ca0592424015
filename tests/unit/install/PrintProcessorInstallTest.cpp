#include "install/PrintProcessorInstall.h"

#include "platform/Errors.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

constexpr ComponentCheck kProcessorOutdated{false, OutdatedComponents::PrintProcessor};

class PrintProcessorInstallTest : public InstallFixture {
 protected:
  PrintProcessorInstallTest() {
    WriteSetupIni("[ProcessorVersion]\r\nDriverVersion=6\r\n");
    AddMediumFile("winnt", "kvproc.dll");
  }
  ComponentCheck Install(std::string_view name, std::string_view dll = "kvproc.dll") {
    return InstallPrintProcessor(machine(), OsFamily::WinXP, name, dll, message);
  }
  std::string Key(std::string_view name) {
    return PrintProcessorKeyPath(sim.spooler(), OsFamily::WinXP, name);
  }
};

TEST_F(PrintProcessorInstallTest, NewProcessorIsCopiedRegisteredVersionedAndWaitedFor) {
  EXPECT_EQ(Install("KVProc"), kComponentsCurrent);
  EXPECT_NE(sim.spooler().FindProcessor("KVProc"), nullptr);
  EXPECT_EQ(sim.registry().DwordAt(RegRoot::LocalMachine, Key("KVProc"), "DriverVersion"), 6u);
  EXPECT_EQ(sim.clock().sleeps(), std::vector<uint32_t>{200});
  EXPECT_TRUE(message.empty());
}

TEST_F(PrintProcessorInstallTest, VersionIsRecordedUnderTheProgramsOwnEnvironment) {
  const std::string processors = "SYSTEM\\CurrentControlSet\\Control\\Print\\Environments\\";
  EXPECT_EQ(Key("KVProc"), processors + "Windows NT x86\\Print Processors\\KVProc");
  sim.UseSixtyFourBitProgram();
  EXPECT_EQ(Install("KVProc"), kComponentsCurrent);
  EXPECT_EQ(
      sim.registry().DwordAt(RegRoot::LocalMachine,
                             processors + "Windows x64\\Print Processors\\KVProc", "DriverVersion"),
      6u);
  EXPECT_EQ(Install("KVProc"), kComponentsCurrent) << "found again where it was recorded";
}

TEST_F(PrintProcessorInstallTest, OnlyTheExactSystemNameIsLeftAlone) {
  sim.FailAlways(sim::Call::RegOpenKey, kErrorAccessDenied);
  EXPECT_EQ(Install("WinPrint"), kComponentsCurrent);
  sim.faults().Clear(sim::Call::RegOpenKey);
  // The system spooler knows "winprint" by any case and refuses it.
  EXPECT_EQ(Install("winprint"), kComponentFailed);
  EXPECT_EQ(message, "Add printer processor error\nFatal error, try rebooting the system.");
}

TEST_F(PrintProcessorInstallTest, InstalledProcessorIsOnlyCompared) {
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, Key("Old"));
  EXPECT_EQ(Install("Old"), kProcessorOutdated) << "no version";
  sim.registry().SetDwordAt(RegRoot::LocalMachine, Key("Old"), "DriverVersion", 5);
  EXPECT_EQ(Install("Old"), kProcessorOutdated);
  sim.registry().SetDwordAt(RegRoot::LocalMachine, Key("Old"), "DriverVersion", 0xfffffff0u);
  EXPECT_EQ(Install("Old"), kComponentsCurrent);
  EXPECT_EQ(sim.spooler().FindProcessor("Old"), nullptr);
}

}  // namespace
}  // namespace kv

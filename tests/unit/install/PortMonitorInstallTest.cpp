#include "install/PortMonitorInstall.h"

#include "platform/Errors.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

constexpr ComponentCheck kUsbOutdated{false, OutdatedComponents::UsbMonitor};

class PortMonitorInstallTest : public InstallFixture {
 protected:
  PortMonitorInstallTest() {
    std::string ini;
    for (const char* suffix : {".98", ".NT", ".XP"}) {
      ini += std::string("[COMMON-MONITOR") + suffix +
             "]\r\nCOMMONitorPName=KV COM\r\nCOMMONitorPDLLName=kvcom.dll\r\n"
             "COMMONitorPUIDLLName=kvcomui.dll\r\nCOMMONitorVersion=6\r\n"
             "USBMONitorPName=KV USB\r\nUSBMONitorPDLLName=kvusb.dll\r\n"
             "USBMONitorPUIDLLName=kvusbui.dll\r\nUSBMONitorVersion=6\r\n";
    }
    WriteSetupIni(ini);
    for (const char* name : {"kvcom.dll", "kvcomui.dll", "kvusb.dll", "kvusbui.dll"}) {
      AddMediumFile("winnt", name);
    }
  }

  ComponentCheck Install(OsFamily family, std::string_view port) {
    return InstallPortMonitors(machine(), configuration, PrinterModule::Receipt, family, port,
                               message);
  }
  std::optional<uint32_t> InstalledVersion(const char* monitor) {
    return sim.registry().DwordAt(RegRoot::LocalMachine, std::string(kMonitorsKey) + monitor,
                                  "DriverVersion");
  }

  SetupConfiguration configuration{machine()};
};

TEST_F(PortMonitorInstallTest, SerialPortInstallsTheComMonitorWithItsVersion) {
  EXPECT_EQ(Install(OsFamily::WinXP, "COM1:"), kComponentsCurrent);
  ASSERT_NE(sim.spooler().FindMonitor("KV COM"), nullptr);
  EXPECT_EQ(sim.spooler().FindMonitor("KV COM")->dllName, "kvcom.dll");
  EXPECT_TRUE(sim.files().Exists(InSystem("kvcomui.dll")));
  EXPECT_EQ(InstalledVersion("KV COM"), 6u);
  EXPECT_EQ(sim.spooler().FindMonitor("KV USB"), nullptr);
  EXPECT_TRUE(message.empty());
}

TEST_F(PortMonitorInstallTest, PortsAndFamiliesWithoutAMonitorTouchNothing) {
  sim.FailAlways(sim::Call::RegOpenKey, kErrorAccessDenied);  // any access would show
  EXPECT_EQ(Install(OsFamily::WinXP, "LPT1:"), kComponentsCurrent);
  sim.faults().Clear(sim::Call::RegOpenKey);
  EXPECT_EQ(Install(OsFamily::Win98, "KVCOM1:"), kComponentsCurrent);
  EXPECT_EQ(Install(OsFamily::NT4, "USB_KV-80_1"), kComponentsCurrent);
  EXPECT_TRUE(sim.spooler().printers().empty());
  EXPECT_EQ(sim.spooler().FindMonitor("KV COM"), nullptr);
  EXPECT_EQ(sim.spooler().FindMonitor("KV USB"), nullptr);
}

TEST_F(PortMonitorInstallTest, InstalledVersionsCompareUnsigned) {
  struct Case {
    std::optional<uint32_t> installed;
    ComponentCheck result;
  };
  for (const Case& c :
       {Case{5, kUsbOutdated}, Case{6, kComponentsCurrent}, Case{7, kComponentsCurrent},
        Case{0x80000000u, kComponentsCurrent}, Case{std::nullopt, kUsbOutdated}}) {
    const std::string key = std::string(kMonitorsKey) + "KV USB";
    sim.registry().DeleteKeyTree(RegRoot::LocalMachine, key);
    sim.registry().CreateKeyPath(RegRoot::LocalMachine, key);
    if (c.installed)
      sim.registry().SetDwordAt(RegRoot::LocalMachine, key, "DriverVersion", *c.installed);
    EXPECT_EQ(Install(OsFamily::WinXP, "USB_KV-80_1"), c.result);
  }
  EXPECT_FALSE(sim.files().Exists(InSystem("kvusb.dll"))) << "an installed monitor is not copied";
}

TEST_F(PortMonitorInstallTest, DllInUseIsInstalledUnderItsNName) {
  sim.files().AddFile(InSystem("kvcom.dll"));
  sim.files().MarkInUse(InSystem("kvcom.dll"));
  EXPECT_EQ(Install(OsFamily::WinXP, "KVCOM2:"), kComponentsCurrent);
  ASSERT_NE(sim.spooler().FindMonitor("KV COM"), nullptr);
  EXPECT_EQ(sim.spooler().FindMonitor("KV COM")->dllName, "nkvcom.dll");
}

TEST_F(PortMonitorInstallTest, OnlyTheComMonitorsCopyMessagesAreKept) {
  sim.files().DeleteFile("C:\\Medium\\winnt\\kvusbui.dll");
  EXPECT_EQ(Install(OsFamily::WinXP, "USB_KV-80_1"), kComponentsCurrent);
  EXPECT_TRUE(message.empty());
  sim.files().DeleteFile("C:\\Medium\\winnt\\kvcomui.dll");
  EXPECT_EQ(Install(OsFamily::WinXP, "COM1:"), kComponentsCurrent);
  EXPECT_EQ(message, "Copy driver files errorkvcomui.dll  er = 2C:\\Medium\\winnt\\kvcomui.dll");
}

TEST_F(PortMonitorInstallTest, MonitorDllWithDirectoryPartsIsNeverRegistered) {
  WriteSetupIni(
      "[COMMON-MONITOR.XP]\r\nCOMMONitorPName=KV COM\r\nCOMMONitorPDLLName=..\\kvcom.dll\r\n");
  SetupConfiguration fresh(machine());
  EXPECT_EQ(InstallPortMonitors(machine(), fresh, PrinterModule::Receipt, OsFamily::WinXP,
                                "COM1:", message),
            kComponentFailed);
  EXPECT_EQ(message,
            "Copy driver files error..\\kvcom.dll  er = 123C:\\Medium\\winnt\\..\\kvcom.dll");
  EXPECT_EQ(sim.spooler().FindMonitor("KV COM"), nullptr);
}

}  // namespace
}  // namespace kv

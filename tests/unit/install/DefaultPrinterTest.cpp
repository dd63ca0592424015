#include "install/DefaultPrinter.h"

#include "install/SpoolerOperations.h"
#include "platform/Errors.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

class DefaultPrinterTest : public InstallFixture {
 protected:
  void AddPrinterOn(sim::WindowsVersion version) {
    sim.UseWindows(version);
    for (const char* name : {"kv.dll", "kv.gpd", "kvui.dll"}) sim.files().AddFile(InDrivers(name));
    DriverInfo3 driver;
    driver.name = "KV Driver";
    driver.driverPath = "kv.dll";
    driver.dataFile = "kv.gpd";
    driver.configFile = "kvui.dll";
    ASSERT_TRUE(InstallPrinterDriver(machine(), driver, message)) << message;
    PrinterInfo2 printer;
    printer.printerName = "KV-80(P)";
    printer.portName = "LPT1:";
    printer.driverName = "KV Driver";
    printer.printProcessor = "WinPrint";
    ASSERT_TRUE(InstallPrinter(machine(), printer, false, message)) << message;
  }
};

TEST_F(DefaultPrinterTest, EachPlatformSetsTheDefaultItsOwnWay) {
  AddPrinterOn(sim::WindowsVersion::Win98);
  EXPECT_TRUE(MakeDefaultPrinter(machine(), "KV-80(P)"));
  EXPECT_EQ(sim.spooler().defaultPrinter(), "KV-80(P)");
  EXPECT_EQ(sim.desktop().broadcasts(), std::vector<std::string>{"windows"});
  EXPECT_EQ(sim.desktop().broadcastTimeouts(), std::vector<uint32_t>{1000});
}

TEST_F(DefaultPrinterTest, NtBeforeFiveWritesTheProfilesDeviceEntry) {
  AddPrinterOn(sim::WindowsVersion::NT4);
  sim.spooler().SetHasSetDefaultPrinter(false);
  EXPECT_TRUE(MakeDefaultPrinter(machine(), "KV-80(P)"));
  EXPECT_EQ(machine().profiles.GetProfileString("windows", "device", "", 260),
            "KV-80(P),KV Driver,LPT1:");
  EXPECT_EQ(sim.desktop().broadcasts(), std::vector<std::string>{""});
}

TEST_F(DefaultPrinterTest, FiveAndLaterNeedSetDefaultPrinter) {
  AddPrinterOn(sim::WindowsVersion::WinXP);
  EXPECT_FALSE(MakeDefaultPrinter(machine(), ""));
  EXPECT_TRUE(MakeDefaultPrinter(machine(), "KV-80(P)"));
  EXPECT_EQ(sim.spooler().defaultPrinter(), "KV-80(P)");
  sim.spooler().SetHasSetDefaultPrinter(false);
  EXPECT_FALSE(MakeDefaultPrinter(machine(), "KV-80(P)"));
  EXPECT_EQ(sim.desktop().broadcasts(), std::vector<std::string>{""}) << "no broadcast on failure";
}

}  // namespace
}  // namespace kv

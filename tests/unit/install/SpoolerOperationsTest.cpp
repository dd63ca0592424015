#include "install/SpoolerOperations.h"

#include "platform/Errors.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

class SpoolerOperationsTest : public InstallFixture {
 protected:
  SpoolerOperationsTest() {
    for (const char* name : {"kv.dll", "kv.gpd", "kvui.dll"}) sim.files().AddFile(InDrivers(name));
    driver.version = 3;
    driver.name = "KV Driver";
    driver.driverPath = "kv.dll";
    driver.dataFile = "kv.gpd";
    driver.configFile = "kvui.dll";
    printer.printerName = "KV-80(S)";
    printer.portName = "COM1:";
    printer.driverName = "KV Driver";
    printer.printProcessor = "WinPrint";
  }

  DriverInfo3 driver;
  PrinterInfo2 printer;
};

TEST_F(SpoolerOperationsTest, SecondPrinterOfTheSameNameTakesTheLowestFreeNumber) {
  ASSERT_TRUE(InstallPrinterDriver(machine(), driver, message));
  PrinterInfo2 first = printer;
  ASSERT_TRUE(InstallPrinter(machine(), first, false, message));
  PrinterInfo2 taken = printer;
  taken.printerName = "KV-80(S)(2)";
  ASSERT_TRUE(InstallPrinter(machine(), taken, false, message));
  for (const char* expected : {"KV-80(S)(1)", "KV-80(S)(3)"}) {
    PrinterInfo2 next = printer;
    EXPECT_TRUE(InstallPrinter(machine(), next, false, message));
    EXPECT_EQ(next.printerName, expected);
    EXPECT_NE(sim.spooler().FindPrinter(expected), nullptr);
  }
  EXPECT_TRUE(message.empty());
}

TEST_F(SpoolerOperationsTest, UsbPortOrAllNumbersTakenRefuseWithTheSamePortMessage) {
  ASSERT_TRUE(InstallPrinterDriver(machine(), driver, message));
  PrinterInfo2 base = printer;
  ASSERT_TRUE(InstallPrinter(machine(), base, false, message));
  PrinterInfo2 usb = printer;
  EXPECT_FALSE(InstallPrinter(machine(), usb, true, message));
  EXPECT_EQ(message, "Maximum count of printers using the same port has been reached");
  EXPECT_TRUE(usb.printerName.empty());

  for (int n = 1; n <= kMaxPrinterNameNumber; ++n) {
    PrinterInfo2 numbered = printer;
    ASSERT_TRUE(InstallPrinter(machine(), numbered, false, message));
  }
  message.clear();
  PrinterInfo2 full = printer;
  EXPECT_FALSE(InstallPrinter(machine(), full, false, message));
  EXPECT_EQ(message, "Maximum count of printers using the same port has been reached");
  EXPECT_TRUE(full.printerName.empty());
  EXPECT_EQ(sim.spooler().printers().size(), 99u);
}

TEST_F(SpoolerOperationsTest, OtherRefusalsCarryTheirErrorNumbers) {
  EXPECT_FALSE(InstallPrinter(machine(), printer, false, message));
  EXPECT_EQ(message, "Add printer errorer = 1797");  // no such driver
  EXPECT_TRUE(printer.printerName.empty());

  driver.dataFile = "absent.gpd";
  EXPECT_FALSE(InstallPrinterDriver(machine(), driver, message));
  EXPECT_EQ(message, "Add printer driver error   er = 2");

  sim.FailNext(sim::Call::AddMonitor, kErrorPrintMonitorAlreadyInstalled);
  message.clear();
  EXPECT_TRUE(
      InstallMonitor(machine(), {"KV COM", std::nullopt, "kvcom.dll"}, OsFamily::WinXP, message));
  sim.FailNext(sim::Call::AddMonitor, kErrorAlreadyExists);
  EXPECT_TRUE(
      InstallMonitor(machine(), {"KV COM", std::nullopt, "kvcom.dll"}, OsFamily::WinXP, message));
  EXPECT_TRUE(message.empty());
  EXPECT_FALSE(
      InstallMonitor(machine(), {"KV COM", std::nullopt, "kvcom.dll"}, OsFamily::WinXP, message));
  EXPECT_EQ(message, "Add monitor error! Erro code is:126");  // DLL not in the system directory
}

TEST_F(SpoolerOperationsTest, ProcessorRegistrationPassesTheSpoolersError) {
  for (uint32_t error : {kErrorSuccess, 87u, 183u, 3005u, kErrorRpcServerUnavailable}) {
    sim.files().AddFile(sim.spooler().ProcessorDirectory() + "\\kvproc.dll");
    if (error != kErrorSuccess) sim.FailNext(sim::Call::AddPrintProcessor, error);
    EXPECT_EQ(RegisterPrintProcessor(machine(), "KV Processor " + std::to_string(error),
                                     "kvproc.dll", OsFamily::WinXP),
              error);
  }
}

}  // namespace
}  // namespace kv

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv::sim {
namespace {

// The simulated spooler must answer as Windows does, since the core's error
// handling is written against these answers.
class SimSpoolerTest : public ::testing::Test {
 protected:
  SimSpoolerTest() {
    std::string system = sim.files().systemDirectory();
    sim.files().AddFile(system + "\\kvcom.dll", "MZ");
    sim.spooler().SetMonitorPorts("kvcom.dll", [] {
      return std::vector<std::string>{"KVCOM1:", "KVCOM2:"};
    });
    std::string drivers = sim.spooler().DriverDirectory();
    for (const char* name : {"drv.dll", "drv.gpd", "drvui.dll"}) {
      sim.files().AddFile(drivers + "\\" + name, "MZ");
    }
  }

  DriverInfo3 Driver() {
    DriverInfo3 info;
    info.version = 3;
    info.name = "QTM-B320 Receipt";
    info.driverPath = "drv.dll";
    info.dataFile = "drv.gpd";
    info.configFile = "drvui.dll";
    return info;
  }

  PrinterInfo2 Printer(const std::string& name, const std::string& port) {
    PrinterInfo2 info;
    info.printerName = name;
    info.portName = port;
    info.driverName = "QTM-B320 Receipt";
    info.printProcessor = "WinPrint";
    return info;
  }

  SimMachine sim;
  Spooler& spooler = sim.machine().spooler;
};

TEST_F(SimSpoolerTest, MonitorAddWritesItsKeyAndProvidesPorts) {
  EXPECT_EQ(spooler.AddMonitor({"KV COM Port", std::nullopt, "kvcom.dll"}), 0u);
  EXPECT_EQ(sim.registry().StringAt(RegRoot::LocalMachine,
                                    std::string(kMonitorsKey) + "\\KV COM Port", "Driver"),
            "kvcom.dll");
  std::vector<std::string> ports;
  ASSERT_EQ(spooler.EnumPorts(&ports), 0u);
  EXPECT_NE(std::find(ports.begin(), ports.end(), "KVCOM2:"), ports.end());
  EXPECT_EQ(spooler.AddMonitor({"kv com port", std::nullopt, "kvcom.dll"}),
            kErrorPrintMonitorAlreadyInstalled);
  EXPECT_EQ(spooler.AddMonitor({"Other", std::nullopt, "missing.dll"}), kErrorModNotFound);
  EXPECT_EQ(spooler.AddMonitor({"Other", std::string("Windows 4.0"), "kvcom.dll"}),
            kErrorInvalidEnvironment);
}

TEST_F(SimSpoolerTest, PrinterAddChecksNameDriverProcessorAndPort) {
  ASSERT_EQ(spooler.AddPrinterDriver(Driver()), 0u);
  EXPECT_TRUE(sim.files().Exists(sim.spooler().DriverDirectory() + "\\3\\drv.dll"));
  EXPECT_EQ(spooler.AddPrinter(Printer("P(S)", "KVCOM1:")), kErrorUnknownPort);
  ASSERT_EQ(spooler.AddMonitor({"KV COM Port", std::nullopt, "kvcom.dll"}), 0u);
  EXPECT_EQ(spooler.AddPrinter(Printer("P(S)", "KVCOM1:")), 0u);
  EXPECT_EQ(spooler.AddPrinter(Printer("p(s)", "KVCOM1:")), kErrorPrinterAlreadyExists);
  PrinterInfo2 unknownDriver = Printer("Q", "LPT1:");
  unknownDriver.driverName = "0";
  EXPECT_EQ(spooler.AddPrinter(unknownDriver), kErrorUnknownPrinterDriver);
  PrinterInfo2 unknownProcessor = Printer("Q", "LPT1:");
  unknownProcessor.printProcessor = "KVPrint";
  EXPECT_EQ(spooler.AddPrinter(unknownProcessor), kErrorUnknownPrintProcessor);
}

TEST_F(SimSpoolerTest, DriverFilesAnotherDriverUsesStayWhereTheSpoolerDeletesFiles) {
  DriverInfo3 other = Driver();
  other.name = "QTM-B320 Label";
  other.dataFile = "label.gpd";
  ASSERT_EQ(spooler.AddPrinterDriver(Driver()), 0u);
  for (const char* name : {"drv.dll", "label.gpd", "drvui.dll"}) {
    sim.files().AddFile(sim.spooler().DriverDirectory() + "\\" + name, "MZ");
  }
  ASSERT_EQ(spooler.AddPrinterDriver(other), 0u);
  const std::string directory = sim.spooler().DriverDirectory() + "\\3\\";
  ASSERT_EQ(spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, "QTM-B320 Receipt"), 0u);
  EXPECT_FALSE(sim.files().Exists(directory + "drv.gpd"));
  EXPECT_TRUE(sim.files().Exists(directory + "drv.dll")) << "the label driver's too";
  EXPECT_TRUE(sim.files().Exists(directory + "drvui.dll"));
  EXPECT_EQ(spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, "QTM-B320 Receipt"),
            kErrorUnknownPrinterDriver);

  // NT 4.0's spooler has no call that deletes files: only the record goes.
  sim.UseWindows(WindowsVersion::NT4);
  ASSERT_EQ(spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, "QTM-B320 Label"), 0u);
  EXPECT_TRUE(sim.files().Exists(directory + "label.gpd"));
}

TEST_F(SimSpoolerTest, ComponentsInUseAreNotDeleted) {
  ASSERT_EQ(spooler.AddPrinterDriver(Driver()), 0u);
  ASSERT_EQ(spooler.AddMonitor({"KV COM Port", std::nullopt, "kvcom.dll"}), 0u);
  ASSERT_EQ(spooler.AddPrinter(Printer("P(S)", "KVCOM1:")), 0u);
  EXPECT_EQ(spooler.DeleteMonitor(std::nullopt, "KV COM Port"), kErrorPrintMonitorInUse);
  EXPECT_EQ(spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, "QTM-B320 Receipt"),
            kErrorPrinterDriverInUse);
  ASSERT_EQ(spooler.DeletePrinter("P(S)"), 0u);
  EXPECT_EQ(spooler.DeletePrinter("P(S)"), kErrorInvalidPrinterName);
  EXPECT_EQ(spooler.DeletePrinterDriverAndUnusedFiles(std::nullopt, "QTM-B320 Receipt"), 0u);
  EXPECT_FALSE(sim.files().Exists(sim.spooler().DriverDirectory() + "\\3\\drv.dll"));
  EXPECT_EQ(spooler.DeleteMonitor(std::nullopt, "KV COM Port"), 0u);
  EXPECT_FALSE(
      sim.registry().KeyExists(RegRoot::LocalMachine, std::string(kMonitorsKey) + "\\KV COM Port"));
  EXPECT_EQ(spooler.DeleteMonitor(std::nullopt, "KV COM Port"), kErrorUnknownPrintMonitor);
}

TEST_F(SimSpoolerTest, RunningSpoolerHoldsMonitorDllUntilStopped) {
  std::string dll = sim.files().systemDirectory() + "\\kvcom.dll";
  sim.files().AddFile("C:\\medium\\kvcom.dll", "new");
  ASSERT_EQ(spooler.AddMonitor({"KV COM Port", std::nullopt, "kvcom.dll"}), 0u);
  Files& files = sim.machine().files;
  EXPECT_EQ(files.CopyFile("C:\\medium\\kvcom.dll", dll, false), kErrorSharingViolation);
  sim.services().service("Spooler").state = kServiceRunning;
  ScHandle manager = 0, service = 0;
  ASSERT_EQ(sim.services().OpenManager(&manager), 0u);
  ASSERT_EQ(sim.services().OpenService(manager, "Spooler", kServiceStop, &service), 0u);
  ASSERT_EQ(sim.services().Stop(service), 0u);
  EXPECT_EQ(files.CopyFile("C:\\medium\\kvcom.dll", dll, false), 0u);
  std::vector<std::string> ports;
  EXPECT_EQ(spooler.EnumPorts(&ports), kErrorSpoolerUnavailable);
  sim.services().CloseHandle(service);
  sim.services().CloseHandle(manager);
}

TEST_F(SimSpoolerTest, DefaultPrinterFollowsVersionAndDeletion) {
  ASSERT_EQ(spooler.AddPrinterDriver(Driver()), 0u);
  ASSERT_EQ(spooler.AddPrinter(Printer("P(P)", "LPT1:")), 0u);
  EXPECT_EQ(spooler.SetDefaultPrinter("Missing"), kErrorInvalidPrinterName);
  EXPECT_EQ(spooler.SetDefaultPrinter("p(p)"), 0u);
  EXPECT_EQ(sim.spooler().defaultPrinter(), "P(P)");
  Profiles& profiles = sim.machine().profiles;
  EXPECT_EQ(profiles.GetProfileString("windows", "device", "", 260), "P(P),winspool,LPT1:");
  ASSERT_EQ(spooler.DeletePrinter("P(P)"), 0u);
  EXPECT_EQ(sim.spooler().defaultPrinter(), "");
  EXPECT_EQ(profiles.GetProfileString("windows", "device", "none", 260), "");

  sim.UseWindows(WindowsVersion::NT4);
  EXPECT_EQ(spooler.SetDefaultPrinter("P(P)"), kErrorProcNotFound);
}

TEST_F(SimSpoolerTest, NinetyFiveSpoolerUsesItsEnvironmentAndSystemDirectory) {
  sim.UseWindows(WindowsVersion::Win98);
  std::string directory;
  ASSERT_EQ(spooler.GetPrinterDriverDirectory(&directory), 0u);
  EXPECT_EQ(directory, "C:\\WINDOWS\\SYSTEM");
  sim.files().AddFile(directory + "\\kvcom.dll", "MZ");
  EXPECT_EQ(spooler.AddMonitor({"KV COM Port", std::string("Windows 4.0"), "kvcom.dll"}), 0u);
  sim.services().service("Spooler").state = kServiceStopped;
  std::vector<std::string> monitors;
  EXPECT_EQ(spooler.EnumMonitors(&monitors), 0u) << "no spooler service on the 9x platform";
}

TEST_F(SimSpoolerTest, InjectedFailuresOnceAndAlways) {
  std::vector<std::string> ports;
  sim.FailNext(Call::EnumPorts, kErrorNotEnoughMemory);
  EXPECT_EQ(spooler.EnumPorts(&ports), kErrorNotEnoughMemory);
  EXPECT_EQ(spooler.EnumPorts(&ports), 0u);
  sim.FailAlways(Call::EnumPorts, kErrorAccessDenied);
  EXPECT_EQ(spooler.EnumPorts(&ports), kErrorAccessDenied);
  EXPECT_EQ(spooler.EnumPorts(&ports), kErrorAccessDenied);
  sim.faults().Clear(Call::EnumPorts);
  EXPECT_EQ(spooler.EnumPorts(&ports), 0u);
}

}  // namespace
}  // namespace kv::sim

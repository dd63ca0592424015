#include "usb/UsbDriverInstaller.h"

#include <gtest/gtest.h>

#include "sim/SimMachine.h"
#include "sim/SimUsbLibrary.h"
#include "usb/UsbDriverFiles.h"

namespace kv {
namespace {

using Sleeps = std::vector<uint32_t>;

constexpr char kInstalledDriver[] = "C:\\WINDOWS\\system32\\drivers\\bulkusb.sys";
constexpr char kInstalledInf[] = "C:\\WINDOWS\\inf\\bulkusb.inf";

class UsbDriverInstallerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.files().SetModuleFileName("D:\\medium\\setup.exe");
    sim.files().SetCurrentDirectory("E:\\disk");
    sim.files().AddVersionedFile("D:\\medium\\USBDRV\\bulkusb.sys", "1.0.0.3");
  }
  void Run(UsbInstallerMode mode) {
    RunUsbDriverInstaller(sim.machine().files, sim.machine().desktop, sim.machine().clock, mode);
  }
  uint32_t Attributes(const char* path) { return sim.files().Find(path)->attributes; }

  sim::SimMachine sim;
  sim::SimUsbDriverInstaller installer{sim};
};

TEST_F(UsbDriverInstallerTest, InstallStartsTheInstallerBesideTheProgramAndWaitsForItsWindow) {
  installer.PlaceIn("D:\\medium");
  installer.SetWindowSleeps(3);
  Run(UsbInstallerMode::Install);

  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  const auto& start = sim.desktop().shellStarts()[0];
  EXPECT_EQ(start.verb, "open");
  EXPECT_EQ(start.file, "D:\\medium\\USBDrv\\Install.exe");
  EXPECT_EQ(start.parameters, "2");
  EXPECT_EQ(start.directory, "");
  EXPECT_EQ(start.show, kSwShowNormal);

  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 1000, 1000, 1000, 2000}));
  EXPECT_FALSE(installer.running());
  EXPECT_EQ(CompareUsbDriverVersion(sim.machine().files, sim.machine().versions), 0);
  EXPECT_TRUE(sim.files().Exists(kInstalledInf));
}

TEST_F(UsbDriverInstallerTest, WindowGoneAtTheFirstLookEndsWithTheFixedWaits) {
  installer.PlaceIn("D:\\medium");
  installer.SetWindowSleeps(1);
  Run(UsbInstallerMode::Install);
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 1000, 2000}));
  EXPECT_TRUE(IsUsbDriverInstalled(sim.machine().files, sim.machine().versions));
}

TEST_F(UsbDriverInstallerTest, CallerWaitsAsLongAsTheWindowStaysOpen) {
  installer.PlaceIn("D:\\medium");
  installer.SetWindowSleeps(40);
  Run(UsbInstallerMode::Install);
  Sleeps expected{500};
  expected.insert(expected.end(), 39, 1000);
  expected.insert(expected.end(), {1000, 2000});
  EXPECT_EQ(sim.clock().sleeps(), expected);
  EXPECT_EQ(sim.clock().NowMs(), 500u + 39000u + 3000u);
}

TEST_F(UsbDriverInstallerTest, MissingInstallerOnlyShortensTheWait) {
  Run(UsbInstallerMode::Install);
  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  EXPECT_EQ(sim.desktop().shellStarts()[0].result, 2u) << "the shell finds no file";
  EXPECT_TRUE(installer.runs().empty());
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 1000, 2000}));
  EXPECT_FALSE(sim.files().Exists(kInstalledDriver));
}

TEST_F(UsbDriverInstallerTest, InstallUnprotectsTheInstalledDriverSoItCanBeReplaced) {
  installer.PlaceIn("D:\\medium");
  sim.files().AddVersionedFile(kInstalledDriver, "1.0.0.2");
  sim.files().Find(kInstalledDriver)->attributes =
      kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;
  sim.files().AddFile(kInstalledInf).attributes = kFileAttributeReadOnly;
  Run(UsbInstallerMode::Install);
  EXPECT_EQ(Attributes(kInstalledDriver), kFileAttributeArchive);
  EXPECT_EQ(Attributes(kInstalledInf), kFileAttributeArchive);
  EXPECT_EQ(CompareUsbDriverVersion(sim.machine().files, sim.machine().versions), 0)
      << "the installer replaced the old driver";
}

TEST_F(UsbDriverInstallerTest, RemoveStartsTheInstallerUnderTheCurrentDirectory) {
  installer.PlaceIn("E:\\disk");
  installer.SetWindowSleeps(3);
  sim.files().AddVersionedFile(kInstalledDriver, "1.0.0.3");
  sim.files().AddFile(kInstalledInf);
  Run(UsbInstallerMode::Remove);

  ASSERT_EQ(sim.desktop().shellStarts().size(), 1u);
  const auto& start = sim.desktop().shellStarts()[0];
  EXPECT_EQ(start.verb, "open");
  EXPECT_EQ(start.file, "E:\\disk\\USBDrv\\Install.exe");
  EXPECT_EQ(start.parameters, "22");
  EXPECT_EQ(start.directory, "");
  EXPECT_EQ(start.show, kSwShowNormal);

  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 1000, 1000, 500, 1000}));
  EXPECT_FALSE(sim.files().Exists(kInstalledDriver));
  EXPECT_FALSE(sim.files().Exists(kInstalledInf));
}

TEST_F(UsbDriverInstallerTest, RemoveLeavesTheDriverAttributesAlone) {
  sim.files().AddVersionedFile(kInstalledDriver, "1.0.0.3");
  sim.files().Find(kInstalledDriver)->attributes = kFileAttributeReadOnly;
  Run(UsbInstallerMode::Remove);
  EXPECT_EQ(Attributes(kInstalledDriver), kFileAttributeReadOnly);
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 500, 1000}));
}

TEST_F(UsbDriverInstallerTest, WithoutTheProgramsNameNothingIsStartedButTheWaitsRun) {
  sim.FailNext(sim::Call::GetModuleFileName, 1);
  Run(UsbInstallerMode::Install);
  EXPECT_TRUE(sim.desktop().shellStarts().empty());
  EXPECT_EQ(sim.clock().sleeps(), (Sleeps{500, 1000, 2000}));
}

}  // namespace
}  // namespace kv

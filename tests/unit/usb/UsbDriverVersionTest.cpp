#include <gtest/gtest.h>

#include "sim/SimMachine.h"
#include "usb/UsbDriverFiles.h"

namespace kv {
namespace {

constexpr char kShipped[] = "D:\\medium\\USBDRV\\bulkusb.sys";
constexpr char kInstalled[] = "C:\\WINDOWS\\system32\\drivers\\bulkusb.sys";

class UsbDriverVersionTest : public ::testing::Test {
 protected:
  void SetUp() override { sim.files().SetModuleFileName("D:\\medium\\setup.exe"); }

  int Compare() { return CompareUsbDriverVersion(sim.machine().files, sim.machine().versions); }
  bool Installed() { return IsUsbDriverInstalled(sim.machine().files, sim.machine().versions); }

  sim::SimMachine sim;
};

TEST(UsbDriverVersionNumberTest, ReadsEverySecondCharacterUpToTheFirstNonDigit) {
  EXPECT_EQ(UsbDriverVersionNumber("1.0.0.3"), 1003);
  EXPECT_EQ(UsbDriverVersionNumber("0.0.0.0"), 0);
  EXPECT_EQ(UsbDriverVersionNumber("1.0.0.3.9"), 1003) << "four digits at most";
  EXPECT_EQ(UsbDriverVersionNumber("10.0.0.1"), 1) << "the '.' at position 2 ends the number";
  EXPECT_EQ(UsbDriverVersionNumber(" 5, 1, 2600, 0"), 0);
  EXPECT_EQ(UsbDriverVersionNumber("9x2.3"), 923);
}

TEST(UsbDriverVersionNumberTest, ShortTextsYieldTheDigitsTheyHave) {
  EXPECT_EQ(UsbDriverVersionNumber(""), 0);
  EXPECT_EQ(UsbDriverVersionNumber("1"), 1);
  EXPECT_EQ(UsbDriverVersionNumber("1."), 1);
  EXPECT_EQ(UsbDriverVersionNumber("1.2"), 12);
  EXPECT_EQ(UsbDriverVersionNumber("1.2.3"), 123);
  EXPECT_EQ(UsbDriverVersionNumber("1.2.3."), 123);
  // A view into a longer buffer must stop at the view's end.
  std::string_view cut = std::string_view("1.2.3.4").substr(0, 3);
  EXPECT_EQ(UsbDriverVersionNumber(cut), 12);
}

TEST_F(UsbDriverVersionTest, MissingInstalledDriverGivesMinusOne) {
  sim.files().AddVersionedFile(kShipped, "1.0.0.3");
  EXPECT_EQ(Compare(), -1);
  EXPECT_FALSE(Installed());
  // A driver file without a version resource counts as missing.
  sim.files().AddFile(kInstalled, "MZ");
  EXPECT_EQ(Compare(), -1);
  EXPECT_FALSE(Installed());
}

TEST_F(UsbDriverVersionTest, OlderInstalledDriverGivesOne) {
  sim.files().AddVersionedFile(kShipped, "1.0.0.3");
  sim.files().AddVersionedFile(kInstalled, "1.0.0.2");
  EXPECT_EQ(Compare(), 1);
  EXPECT_TRUE(Installed());
}

TEST_F(UsbDriverVersionTest, SameOrNewerInstalledDriverGivesZero) {
  sim.files().AddVersionedFile(kShipped, "1.0.0.3");
  sim.files().AddVersionedFile(kInstalled, "1.0.0.3");
  EXPECT_EQ(Compare(), 0);
  sim.files().AddVersionedFile(kInstalled, "1.0.0.4");
  EXPECT_EQ(Compare(), 0);
  // Texts that differ but read as the same number are not older.
  sim.files().AddVersionedFile(kInstalled, "1.0.0.3 (build)");
  EXPECT_EQ(Compare(), 0);
}

TEST_F(UsbDriverVersionTest, BothMissingAreEqualTexts) {
  EXPECT_EQ(Compare(), 0);
}

TEST_F(UsbDriverVersionTest, MissingShippedCopyNeverAsksForAnInstallation) {
  sim.files().AddVersionedFile(kInstalled, "1.0.0.3");
  EXPECT_EQ(Compare(), 0);
  sim.FailNext(sim::Call::GetModuleFileName, 1);
  sim.files().AddVersionedFile(kShipped, "1.0.0.9");
  EXPECT_EQ(Compare(), 0) << "without the program's own name the shipped copy is not found";
}

TEST_F(UsbDriverVersionTest, ShortInstalledVersionComparesByItsDigits) {
  sim.files().AddVersionedFile(kShipped, "1.0.0.3");
  sim.files().AddVersionedFile(kInstalled, "1");
  EXPECT_EQ(Compare(), 1);
  sim.files().AddVersionedFile(kShipped, "1");
  sim.files().AddVersionedFile(kInstalled, "2");
  EXPECT_EQ(Compare(), 0);
}

TEST_F(UsbDriverVersionTest, InstalledDriverIsLookedForUnderTheWindowsDirectory) {
  sim.files().SetWindowsDirectory("E:\\WINNT", "E:\\WINNT\\system32");
  sim.files().AddVersionedFile(kShipped, "1.0.0.3");
  sim.files().AddVersionedFile(kInstalled, "1.0.0.3");
  EXPECT_EQ(Compare(), -1) << "C:\\WINDOWS is not the Windows directory any more";
  sim.files().AddVersionedFile("E:\\WINNT\\system32\\drivers\\bulkusb.sys", "1.0.0.3");
  EXPECT_EQ(Compare(), 0);
  EXPECT_TRUE(Installed());
}

}  // namespace
}  // namespace kv

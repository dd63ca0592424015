#include <gtest/gtest.h>

#include "common/Administrator.h"
#include "common/FileVersion.h"
#include "common/OsFamily.h"
#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

using sim::WindowsVersion;

struct VersionCase {
  uint32_t platform, major, minor;
  OsFamily expected;
};

TEST(OsFamilyTest, ClassifiesEveryVersionAndFallsBackToWin98) {
  const VersionCase cases[] = {
      {kPlatformWindows, 4, 0, OsFamily::Win98},   // Windows 95
      {kPlatformWindows, 4, 10, OsFamily::Win98},  // Windows 98
      {kPlatformWindows, 4, 90, OsFamily::Win98},  // Me
      {kPlatformNt, 3, 51, OsFamily::Win98},
      {kPlatformNt, 4, 0, OsFamily::NT4},
      {kPlatformNt, 4, 1, OsFamily::Win98},
      {kPlatformNt, 5, 0, OsFamily::Win2000},
      {kPlatformNt, 5, 1, OsFamily::WinXP},
      {kPlatformNt, 5, 2, OsFamily::Server2003},  // also XP x64
      {kPlatformNt, 5, 3, OsFamily::Win98},
      {kPlatformNt, 6, 0, OsFamily::Vista},
      {kPlatformNt, 6, 1, OsFamily::Win98},  // Windows 7
      {kPlatformNt, 10, 0, OsFamily::Win98},
      {kPlatformWin32s, 5, 1, OsFamily::Win98},
  };
  for (const auto& c : cases) {
    sim::SimMachine sim;
    sim.system().SetVersion(c.platform, c.major, c.minor);
    EXPECT_EQ(GetOsFamily(sim.machine().system), c.expected)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
  }
}

TEST(OsFamilyTest, FailedVersionQueryGivesWin98) {
  sim::SimMachine sim;
  sim.FailNext(sim::Call::GetVersion, 1);
  EXPECT_EQ(GetOsFamily(sim.machine().system), OsFamily::Win98);
}

TEST(OsFamilyTest, SuffixesAndDriverDirectories) {
  EXPECT_EQ(SectionSuffix(OsFamily::Win98), ".98");
  EXPECT_EQ(SectionSuffix(OsFamily::WinXP), ".XP");
  EXPECT_EQ(SectionSuffix(OsFamily::Vista), ".Vista");
  EXPECT_EQ(SectionSuffix(static_cast<OsFamily>(6)), "");
  EXPECT_EQ(DriverDirectoryName(OsFamily::NT4), "\\winnt\\");
  EXPECT_EQ(DriverDirectoryName(OsFamily::WinXP), "\\winnt\\");
  EXPECT_EQ(DriverDirectoryName(OsFamily::Server2003), "\\win2003\\");
  EXPECT_EQ(DriverDirectoryName(static_cast<OsFamily>(-1)), "");
  // Uninstall.ini names XP's sections as Windows 2000's, and everything
  // unknown as Vista's.
  EXPECT_EQ(UninstallSectionSuffix(OsFamily::WinXP), ".2K");
  EXPECT_EQ(UninstallSectionSuffix(OsFamily::NT4), ".NT");
  EXPECT_EQ(UninstallSectionSuffix(std::nullopt), ".Vista");
  EXPECT_EQ(UninstallSectionSuffix(static_cast<OsFamily>(6)), ".Vista");
}

class AdministratorTest : public ::testing::Test {
 protected:
  bool Check() { return IsAdministrator(sim.machine().security); }
  sim::SimMachine sim;
};

TEST_F(AdministratorTest, MemberOfAdministratorsThroughTheProcessToken) {
  EXPECT_TRUE(Check());
  EXPECT_EQ(sim.security().OpenTokenCount(), 0u) << "the token is closed";
}

TEST_F(AdministratorTest, PresenceCountsEvenWhenDenyOnlyOrDisabled) {
  sim.security().SetGroups(
      {{"S-1-1-0", kSeGroupEnabled}, {sim::kAdministratorsSid, kSeGroupUseForDenyOnly}});
  EXPECT_TRUE(Check());
  sim.security().SetGroups({{sim::kAdministratorsSid, 0}});
  EXPECT_TRUE(Check());
}

TEST_F(AdministratorTest, OrdinaryUserIsNotAnAdministrator) {
  sim.security().SetGroups({{"S-1-1-0", kSeGroupEnabled},
                            {sim::kUsersSid, kSeGroupEnabled},
                            {"S-1-5-32-5440", kSeGroupEnabled}});
  EXPECT_FALSE(Check());
}

TEST_F(AdministratorTest, ImpersonatingThreadUsesItsOwnToken) {
  sim.security().SetImpersonating(true);
  sim.FailAlways(sim::Call::OpenProcessToken, kErrorAccessDenied);
  EXPECT_TRUE(Check());
  EXPECT_EQ(sim.security().OpenTokenCount(), 0u);
}

TEST_F(AdministratorTest, EveryFailureGivesFalseAndReleasesTheToken) {
  sim.FailNext(sim::Call::OpenThreadToken, kErrorAccessDenied);
  EXPECT_FALSE(Check()) << "a thread-token failure other than 1008 is final";
  sim.FailNext(sim::Call::OpenProcessToken, kErrorAccessDenied);
  EXPECT_FALSE(Check());
  sim.FailNext(sim::Call::QueryGroupsSize, kErrorAccessDenied);
  EXPECT_FALSE(Check()) << "the size query must fail with 122 exactly";
  sim.FailNext(sim::Call::GetGroups, kErrorAccessDenied);
  EXPECT_FALSE(Check());
  sim.FailNext(sim::Call::BuildSid, kErrorNotEnoughMemory);
  EXPECT_FALSE(Check());
  EXPECT_EQ(sim.security().OpenTokenCount(), 0u);
  EXPECT_TRUE(Check());
}

class FileVersionTest : public ::testing::Test {
 protected:
  std::string Version(const std::string& path) {
    return GetFileVersionString(sim.machine().versions, path);
  }
  sim::SimMachine sim;
};

TEST_F(FileVersionTest, ReadsTheFirstTranslationsTextExactly) {
  sim.files().AddVersionedFile("C:\\medium\\USBDrv\\bulkusb.sys", "1.0.0.3");
  EXPECT_EQ(Version("C:\\medium\\USBDrv\\bulkusb.sys"), "1.0.0.3");
  sim.files().AddVersionedFile("C:\\a.dll", " 5, 1, 2600, 0 ");
  EXPECT_EQ(Version("C:\\a.dll"), " 5, 1, 2600, 0 ") << "no trimming or reformatting";
}

TEST_F(FileVersionTest, MissingPiecesGiveZeroVersion) {
  EXPECT_EQ(Version("C:\\WINDOWS\\system32\\drivers\\bulkusb.sys"), "0.0.0.0");
  EXPECT_EQ(Version("C:\\nowhere\\bulkusb.sys"), "0.0.0.0");
  sim.files().AddFile("C:\\plain.txt", "text");
  EXPECT_EQ(Version("C:\\plain.txt"), "0.0.0.0");

  sim::SimFile& noTranslation = sim.files().AddFile("C:\\notrans.dll", "MZ");
  noTranslation.version = sim::VersionResource{{}, {{"040904b0", {{"FileVersion", "1.2.3.4"}}}}};
  EXPECT_EQ(Version("C:\\notrans.dll"), "0.0.0.0");

  sim.files().AddVersionedFile("C:\\empty.dll", "");
  EXPECT_EQ(Version("C:\\empty.dll"), "0.0.0.0");
}

TEST_F(FileVersionTest, OnlyTheFirstTranslationIsConsulted) {
  sim::SimFile& file = sim.files().AddFile("C:\\multi.dll", "MZ");
  file.version = sim::VersionResource{{{0x0804, 0x04b0}, {0x0409, 0x04b0}},
                                      {{"040904b0", {{"FileVersion", "1.0.0.1"}}}}};
  EXPECT_EQ(Version("C:\\multi.dll"), "0.0.0.0");
  file.version->stringTables["080404b0"]["FileVersion"] = "2.0.0.0";
  EXPECT_EQ(Version("C:\\multi.dll"), "2.0.0.0");
}

TEST_F(FileVersionTest, FailedResourceReadGivesZeroVersion) {
  sim.files().AddVersionedFile("C:\\a.dll", "1.0.0.3");
  sim.FailNext(sim::Call::VersionGetInfo, kErrorNotEnoughMemory);
  EXPECT_EQ(Version("C:\\a.dll"), "0.0.0.0");
  EXPECT_EQ(Version("C:\\a.dll"), "1.0.0.3");
}

}  // namespace
}  // namespace kv

#include "install/LegacyFiles.h"

#include "common/CompatibilityMarks.h"
#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

class LegacyFilesTest : public InstallFixture {
 protected:
  LegacyFilesTest() {
    for (const char* name : {"ICONLIB.DLL", "UNIDRV.DLL"}) AddMediumFile("win98", name);
    for (const char* name : {"STDNAMES.GPD", "UNIRES.DLL"}) AddMediumFile("winnt", name);
  }
};

TEST_F(LegacyFilesTest, Win98TakesUnidrvFromTheBackupIntoTheSystemElseFromTheMedium) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  sim.files().AddDirectory("C:\\WINDOWS\\Sysbckup");
  sim.files().AddFile("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL", "backup");
  StageLegacyFiles(machine(), OsFamily::Win98, false, message);
  EXPECT_EQ(sim.files().Find(InSystem("UNIDRV.DLL"))->bytes, "backup");
  EXPECT_TRUE(message.empty());

  sim.files().DeleteFile(InSystem("UNIDRV.DLL"));
  sim.files().DeleteFile("C:\\WINDOWS\\Sysbckup\\UNIDRV.DLL");
  // On 98 the driver directory is the system directory: the bytes tell the source.
  StageLegacyFiles(machine(), OsFamily::Win98, false, message);
  EXPECT_EQ(sim.files().Find(InDrivers("UNIDRV.DLL"))->bytes, "bytes of UNIDRV.DLL");
  EXPECT_TRUE(sim.files().Exists(InDrivers("ICONLIB.DLL")));
}

TEST_F(LegacyFilesTest, UniversalDriverFilesOnlyFrom2000OnAndSilently) {
  StageLegacyFiles(machine(), OsFamily::NT4, true, message);
  EXPECT_FALSE(sim.files().Exists(InDrivers("UNIRES.DLL")));
  StageLegacyFiles(machine(), OsFamily::WinXP, false, message);
  EXPECT_FALSE(sim.files().Exists(InDrivers("UNIRES.DLL")));
  StageLegacyFiles(machine(), OsFamily::WinXP, true, message);
  EXPECT_TRUE(sim.files().Exists(InDrivers("STDNAMES.GPD")));
  EXPECT_TRUE(sim.files().Exists(InDrivers("UNIRES.DLL")));
  EXPECT_TRUE(message.empty()) << "TTFSUB.GPD is missing without a word";
}

TEST_F(LegacyFilesTest, CompatibilityMarksForTheUserAndListedProfiles) {
  MarkCompatibilityPersisted(machine());
  EXPECT_EQ(sim.registry().DwordAt(RegRoot::CurrentUser, kCompatibilityPersistedKey,
                                   "C:\\Medium\\setup.exe"),
            1u);
  const std::string storage = "Software\\Microsoft\\Protected Storage System Provider\\";
  const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1003";
  for (std::string name : {user, user + "_Classes", std::string(30, 'x')}) {
    sim.registry().CreateKeyPath(RegRoot::CurrentUser, storage + name);
  }
  MarkCompatibilityPersistedForUsers(machine());
  EXPECT_EQ(
      sim.registry().DwordAt(RegRoot::Users, user + "\\" + std::string(kCompatibilityPersistedKey),
                             "C:\\Medium\\setup.exe"),
      1u);
  EXPECT_FALSE(sim.registry().KeyExists(RegRoot::Users, user + "_Classes"));
  EXPECT_FALSE(sim.registry().KeyExists(RegRoot::Users, std::string(30, 'x')));
  EXPECT_EQ(sim.registry().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace kv

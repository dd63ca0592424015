#include "uninstall/UninstallIni.h"

#include <gtest/gtest.h>

#include "common/UninstallStrings.h"
#include "platform/Errors.h"
#include "sim/SimMachine.h"
#include "unit/uninstall/UninstallFixture.h"

namespace kv::test {
namespace {

class LocateUninstallIniTest : public ::testing::Test {
 protected:
  LocateUninstallIniTest() {
    sim.files().AddDirectory("C:\\medium\\DRVCONFIG");
    sim.files().SetCurrentDirectory("C:\\medium");
  }
  sim::SimFile& Add(const std::string& path, uint32_t attributes) {
    sim::SimFile& file = sim.files().AddFile(path, "[KVPRINTER]\n");
    file.attributes = attributes;
    return file;
  }
  uint32_t AttributesOf(const std::string& path) { return sim.files().Find(path)->attributes; }
  // The message of a search that must fail; "found" when it does not.
  std::string Failure() {
    std::string failure;
    return LocateUninstallIni(sim.files(), &path, failure) ? "found" : failure;
  }

  sim::SimMachine sim;
  std::string path = "untouched";
  std::string message;
};

constexpr uint32_t kProtected =
    kFileAttributeReadOnly | kFileAttributeHidden | kFileAttributeSystem;

TEST_F(LocateUninstallIniTest, CurrentDirectoryWinsOverDrvconfigAndOnlyTheFileUsedIsUnprotected) {
  Add("C:\\medium\\AUTORUN.INF", kProtected);
  Add("C:\\medium\\uninstall.INI", kProtected);
  Add("C:\\medium\\DRVCONFIG\\Uninstall.ini", kProtected);
  EXPECT_TRUE(LocateUninstallIni(sim.files(), &path, message));
  EXPECT_EQ(path, "C:\\medium\\Uninstall.ini");
  EXPECT_EQ(AttributesOf("C:\\medium\\uninstall.INI"), kFileAttributeArchive);
  EXPECT_EQ(AttributesOf("C:\\medium\\AUTORUN.INF"), kProtected);
  EXPECT_EQ(AttributesOf("C:\\medium\\DRVCONFIG\\Uninstall.ini"), kProtected);
}

TEST_F(LocateUninstallIniTest, BackupCopyNeitherEndsTheSearchNorHidesTheDrvconfigFile) {
  Add("C:\\medium\\Uninstall.ini.bak", kProtected);
  Add("C:\\medium\\DRVCONFIG\\Uninstall.ini", kFileAttributeReadOnly);
  EXPECT_TRUE(LocateUninstallIni(sim.files(), &path, message));
  EXPECT_EQ(path, "C:\\medium\\DRVCONFIG\\Uninstall.ini");
  EXPECT_EQ(AttributesOf("C:\\medium\\Uninstall.ini.bak"), kProtected);
  EXPECT_EQ(AttributesOf("C:\\medium\\DRVCONFIG\\Uninstall.ini"), kFileAttributeArchive);
}

TEST_F(LocateUninstallIniTest, FailuresGiveTheirMessageNumbersAndLeaveThePath) {
  Add("C:\\medium\\readme.txt", 0);
  EXPECT_EQ(Failure(), UninstallString(uninstall_text::kNoUninstallIni)) << "in neither directory";
  sim.FailNext(sim::Call::GetCurrentDirectory, kErrorAccessDenied);
  EXPECT_EQ(Failure(), UninstallString(uninstall_text::kNoCurrentDirectory));
  sim.FailNext(sim::Call::FindFiles, kErrorAccessDenied);
  EXPECT_EQ(Failure(), UninstallString(uninstall_text::kSearchFailed));
  sim.files().SetCurrentDirectory("C:\\empty");
  sim.files().AddDirectory("C:\\empty");
  EXPECT_EQ(Failure(), UninstallString(uninstall_text::kSearchFailed)) << "no DRVCONFIG to search";
  EXPECT_EQ(path, "untouched");
}

class UninstallIniTest : public UninstallFixture {
 protected:
  UninstallIni Ini(std::optional<OsFamily> family = OsFamily::WinXP) {
    return UninstallIni(sim.machine().profiles, std::string(kMedium) + "\\Uninstall.ini", family);
  }
};

TEST_F(UninstallIniTest, NameTestsAreCaseSensitiveSubstringTests) {
  UninstallIni ini = Ini();
  EXPECT_TRUE(ini.MatchesPrinterList("Korvant QTM-200 (USB)"));
  EXPECT_FALSE(ini.MatchesPrinterList("korvant qtm-200"));
  EXPECT_TRUE(ini.MatchesMonitorList("Korvant COM Monitor"));
  EXPECT_FALSE(ini.MatchesMonitorList("Local Port"));
  EXPECT_TRUE(ini.MatchesProcessorList("KvRasterProc"));
  EXPECT_FALSE(Ini(OsFamily::Win98).MatchesProcessorList("KvRasterProc"))
      << "never on the 9x family";
}

TEST_F(UninstallIniTest, MissingOrEmptyEntriesAndBadCountsMatchNothing) {
  WriteIni(
      "[KVPRINTER]\nPRINTERNUM=3\nPRINTERNAME1=\n"
      "[KVMONITOR]\nMonitorNUM=many\nMONITORNAME1=Port\n"
      "[KVPROC]\nPROCNUM=-1\nPROCNAME1=Proc\n");
  UninstallIni ini = Ini();
  EXPECT_FALSE(ini.MatchesPrinterList("Printer 100"));
  EXPECT_FALSE(ini.MatchesPrinterList(""));
  EXPECT_FALSE(ini.MatchesMonitorList("Port 10"));
  EXPECT_FALSE(ini.MatchesProcessorList("Proc 10"));
}

TEST_F(UninstallIniTest, ValuesAreCutTo29CharactersAndEntriesStopAtNine) {
  WriteIni(
      "[KVPRINTER]\nPRINTERNUM=12\nPRINTERNAME9=Nine\nPRINTERNAME:=Ten\n"
      "[KVMONITOR]\nMonitorNUM=1\nMONITORNAME1=Monitor name of thirty-one chars\n");
  UninstallIni ini = Ini();
  EXPECT_TRUE(ini.MatchesPrinterList("Model Nine"));
  EXPECT_FALSE(ini.MatchesPrinterList("Model Ten"));
  EXPECT_TRUE(ini.MatchesMonitorList("Monitor name of thirty-one cha"));
}

TEST_F(UninstallIniTest, DllNamesComeFromTheFamilySectionAndOnlyAsBareFileNames) {
  WriteIni(
      "[VeryLongMonitorNameWithoutAnySpacesAtAll.2K]\nMonitorPDLLName=LONG.DLL\n"
      "MonitorPUIDLLName=0\n"
      "[PortMonitor.Vista]\nMonitorPDLLName=..\\WIN.INI\nMonitorPUIDLLName=C:X.DLL\n"
      "[Proc One.2003]\nProcessorDllName=PROC1.DLL\n"
      "[Proc One.98]\nProcessorDllName=\n");
  EXPECT_EQ(Ini(OsFamily::Win2000).MonitorDll("Very Long Monitor Name Without Any Spaces At All"),
            "LONG.DLL");
  EXPECT_EQ(Ini(OsFamily::WinXP).MonitorUiDll("Very Long Monitor Name Without Any Spaces At All"),
            "");
  EXPECT_EQ(Ini(std::nullopt).MonitorDll("Port Monitor"), "") << "a path is refused";
  EXPECT_EQ(Ini(OsFamily::Vista).MonitorUiDll("Port Monitor"), "");
  EXPECT_EQ(Ini(OsFamily::Server2003).ProcessorDll("Proc One"), "PROC1.DLL") << "spaces kept";
  EXPECT_EQ(Ini(OsFamily::Win98).ProcessorDll("Proc One"), "");
  EXPECT_EQ(Ini(OsFamily::NT4).ProcessorDll("Proc One"), "") << "missing section";
}

class FillRemovalListTest : public UninstallFixture {};

TEST_F(FillRemovalListTest, ListsPrintersByDriverThenMonitorsThenProcessors) {
  InstallFamily();
  AddDriver("Generic QTM");
  AddPrinter("Korvant QTM-200 lookalike", "Generic QTM", "LPT2:");
  Open();
  EXPECT_EQ(listed(), (std::vector<std::string>{"Receipt", "Label", "Korvant USB Monitor",
                                                "Korvant COM Monitor", "KvRasterProc"}));
  EXPECT_EQ(dialog->ListViewStyles(IDC_REMOVAL_LIST),
            kLvsExCheckBoxes | kLvsExGridLines | kLvsExTrackSelect | kLvsExFullRowSelect);
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(dialog->ItemChecked(IDC_REMOVAL_LIST, i));
  EXPECT_EQ(sim.spooler().OpenPrinterCount(), 0u);

  EXPECT_TRUE(dialog->Click(IDC_SELECT_ALL));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(dialog->ItemChecked(IDC_REMOVAL_LIST, i));
}

TEST_F(FillRemovalListTest, FailedEnumerationsAndUnreadablePrintersContributeNothing) {
  InstallFamily();
  sim.FailNext(sim::Call::OpenPrinter, kErrorAccessDenied);  // Receipt
  sim.FailNext(sim::Call::EnumMonitors, kErrorAccessDenied);
  Open();
  EXPECT_EQ(listed(), (std::vector<std::string>{"Label", "KvRasterProc"}));
}

TEST_F(FillRemovalListTest, Windows98ListsNoProcessor) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  InstallFamily();
  Open();
  EXPECT_EQ(listed(), (std::vector<std::string>{"Receipt", "Label", "Korvant USB Monitor",
                                                "Korvant COM Monitor"}));
}

}  // namespace
}  // namespace kv::test

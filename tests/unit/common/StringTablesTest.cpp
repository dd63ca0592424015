#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <span>
#include <sstream>
#include <string>

#include "common/SetupStrings.h"
#include "common/UninstallStrings.h"

namespace kv {
namespace {

// The generated resource table read back the way the resource compiler reads
// it: "" is a quote and \n a line break.
std::map<int, std::string> ReadResourceTable(const std::string& name) {
  std::ifstream file(std::string(KV_GENERATED_DIR) + "/" + name);
  EXPECT_TRUE(file) << name;
  std::map<int, std::string> table;
  const std::regex entry(R"re(^  ([0-9]+), "(.*)"$)re");
  std::string line;
  while (std::getline(file, line)) {
    std::smatch match;
    if (!std::regex_match(line, match, entry)) continue;
    std::string text;
    const std::string raw = match[2];
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') {
        text += '"';
        ++i;
      } else if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
        text += '\n';
        ++i;
      } else {
        text += raw[i];
      }
    }
    table[std::stoi(match[1])] = text;
  }
  return table;
}

// Every name with its number and text: the one place besides the string lists
// where the numbers stand, so that a renumbered or reworded text shows here.
struct NamedText {
  int name;
  int number;
  std::string_view text;
};

constexpr NamedText kSetupTexts[] = {
    {setup_text::kAbout, 101, "&About Printer Driver Setup..."},
    {setup_text::kNoSystemDirectory, 102, "Cannot get system directory"},
    {setup_text::kPortFull, 103, "Maximum count of printers using the same port has been reached"},
    {setup_text::kOutOfMemory, 104, "Printer installer could not allocate sufficient memory"},
    {setup_text::kNoCurrentDirectory, 107, "Cannot get current system directory"},
    {setup_text::kNoDriverDirectory, 108, "Cannot get printer driver directory"},
    {setup_text::kNoProcessorDirectory, 109, "Cannot get printer processor directory"},
    {setup_text::kSelectModuleFirst, 112, "You must select a printer module first!"},
    {setup_text::kNt4WithoutUsb, 113, "WindowsNT4 and earlier editions do not support USB ports"},
    {setup_text::kRestartQuestion, 114,
     "Restart the computer so that the changes can take effect\nClick on \"Yes\" to restart the "
     "computer immediately\nClick on \"No\" to restart the computer later"},
    {setup_text::kUnsupportedSystem, 115,
     "This driver doesn't work on this system.\nPlease click \"Cancel\" button to cancel this "
     "program."},
    {setup_text::kAddPrinterError, 116, "Add printer error"},
    {setup_text::kAddDriverError, 118, "Add printer driver error"},
    {setup_text::kAddMonitorError, 119, "Add monitor error!"},
    {setup_text::kCopyError, 122, "Copy driver files error"},
    {setup_text::kAddProcessorError, 123,
     "Add printer processor error\nFatal error, try rebooting the system."},
    {setup_text::kExitWindowsError, 127, "Exit windows error"},
    {setup_text::kDriverInstalled, 131, "Successfully installed printer driver"},
    {setup_text::kDriverInstalledRepower, 133,
     "Successfully installed printer driver\nPlease repower the printer"},
    {setup_text::kPressF1, 134, "Press \"F1\" for help"},
    {setup_text::kTypicalRemark, 135, "Install default printer driver"},
    {setup_text::kMultiUsbRemark, 136, "Support multi-USB printer"},
    {setup_text::kDriverModeRemark, 137, "Support driver mode selection"},
    {setup_text::kNoUsbDeviceAttached, 139, "No USB device attached"},
    {setup_text::kPortNotSupported, 140, "No support installation for this port"},
    {setup_text::kFatalError, 141, "Fatal error, try rebooting the system"},
    {setup_text::kDriverFilesLost, 142, "Lost of driver files, can't continue"},
    {setup_text::kChangePrinterName, 143,
     "This application will change printer name\nthe name will be matching with interface name\nIf "
     "continue, click on \"Yes\"\nOtherwise click on \"No\""},
    {setup_text::kConnectOnePrinter, 144, "Connect just one USB printer to host"},
    {setup_text::kServer2003NotSupported, 145, "This printer not support WINDOWS SEVER 2003"},
    {setup_text::kCannotLoadLeftBitmap, 146, "Can't load file Left.bmp!"},
    {setup_text::kCannotLoadLicense, 147, "Can't load file License.txt!"},
    {setup_text::kUsbHintConnect, 148, "1:Please connect USB cable to printer and power on it"},
    {setup_text::kVistaNotSupported, 149, "This printer not support Windows Vista"},
    {setup_text::kUsbHintCancelPopup, 151, "2:Please cancel USB device driver pop-up installation"},
    {setup_text::kUsbHintPressInstall, 152, "3:Please press the \"Install(I)\" button to continue"},
    {setup_text::kReplacedAtRestart, 153, "%s will be replaced when Windows restarts."},
    {setup_text::kCannotReplaceAtRestart, 154,
     "%s is in use and cannot be replaced when Windows restarts"},
};

constexpr NamedText kUninstallTexts[] = {
    {uninstall_text::kAbout, 101, "About Uninstall(&A)..."},
    {uninstall_text::kNotAdministrator, 102,
     "You must be logged on the computer as an administrator!"},
    {uninstall_text::kNoCurrentDirectory, 103, "Get system Directory error!"},
    {uninstall_text::kSearchFailed, 104, "Invalid File Handle."},
    {uninstall_text::kNoUninstallIni, 105, "Can't find file Uninstall.ini!"},
    {uninstall_text::kSelectPrinters, 107, "Please select the printers you want to uninstall."},
    {uninstall_text::kInstructions, 108,
     "Please select the printers to be uninstalled.You can specify multiple printers to "
     "uninstall."},
    {uninstall_text::kDeleting, 109, "Deleting %s,please wait..."},
    {uninstall_text::kInUse, 110, "%s is using,can't be deleted."},
    {uninstall_text::kUninstallError, 111, "Uninstall %s error."},
    {uninstall_text::kDeleted, 112, "%s has been deleted."},
    {uninstall_text::kOpenPrinterError, 113, "Open %s printer error."},
    {uninstall_text::kDeletingPrinter, 114, "Deleting printer %s,please wait..."},
    {uninstall_text::kGetPrinterInfoError, 115, "Get printer info error"},
    {uninstall_text::kAllocateMemoryError, 116, "Allocate memory error"},
    {uninstall_text::kPrinterHasJobs, 117,
     "%s can't be deleted,please delete jobs in printer first."},
    {uninstall_text::kDeletePrinterError, 118, "Delete printer error."},
    {uninstall_text::kDriverInUse, 119, "The driver is using,can't be deleted."},
    {uninstall_text::kDriverDeleted, 120, "The printer driver has been deleted."},
    {uninstall_text::kDeleteDriverError, 121, "Delete printer driver error."},
    {uninstall_text::kDeletingDriver, 122, "Deleting %s's driver,please wait..."},
    {uninstall_text::kDeleteJobsFirst, 123, "Please delete jobs in printer %s first."},
    {uninstall_text::kDeletedAtRestart, 124, "%s will be deleted when Windows restarts."},
    {uninstall_text::kDeleteFileError, 125, "Delete file %s error."},
    {uninstall_text::kRestartError, 126, "Can't restart the computer,please restart it yourself."},
    {uninstall_text::kRemovalNotStarted, 127, "The removal could not be started."},
};

TEST(StringTablesTest, EveryNameHasItsNumberAndTextInTheCodeAndTheResource) {
  struct Program {
    std::string resource;
    std::string_view (*lookup)(int);
    std::span<const NamedText> texts;
  };
  for (const Program& program :
       {Program{"SetupStrings.rc", SetupString, kSetupTexts},
        Program{"UninstallStrings.rc", UninstallString, kUninstallTexts}}) {
    const auto resource = ReadResourceTable(program.resource);
    EXPECT_EQ(resource.size(), program.texts.size()) << program.resource;
    std::set<int> numbers;
    for (const NamedText& named : program.texts) {
      EXPECT_EQ(named.name, named.number) << named.text;
      EXPECT_EQ(program.lookup(named.name), named.text) << named.number;
      EXPECT_EQ(resource.contains(named.number) ? resource.at(named.number) : "<missing>",
                named.text)
          << program.resource << " " << named.number;
      numbers.insert(named.number);
    }
    // A number the lists lack has no text in the code either.
    for (int id = 0; id < 200; ++id) {
      if (!numbers.contains(id)) {
        EXPECT_TRUE(program.lookup(id).empty()) << id;
      }
    }
  }
}

}  // namespace
}  // namespace kv

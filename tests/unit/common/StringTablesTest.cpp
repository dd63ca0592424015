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
    {setup_text::kCommandLine, 200, "Command line: %s"},
    {setup_text::kExitCode, 201, "Exit code %d: %s"},
    {setup_text::kUnknownOption, 202, "Unknown option: %s"},
    {setup_text::kValueMissing, 203, "The option %s needs a value."},
    {setup_text::kValueNotExpected, 204, "The option %s takes no value."},
    {setup_text::kNotAnOption, 205, "Not an option: %s (options begin with / or -)"},
    {setup_text::kOptionRepeated, 206, "The option %s is given more than once."},
    {setup_text::kLogNotOpened, 207, "The log file %s cannot be opened: Windows error %d."},
    {setup_text::kMessage, 208, "Message: %s"},
    {setup_text::kQuestion, 209, "Question: %s Answer: %s"},
    {setup_text::kPlatformFailure, 210, "%s failed: Windows error %d"},
    {setup_text::kAnswerYes, 211, "Yes"},
    {setup_text::kAnswerNo, 212, "No"},
    {setup_text::kAnswerOk, 213, "OK"},
    {setup_text::kAnswerCancel, 214, "Cancel"},
    {setup_text::kFolderNotCurrent, 215,
     "The program's folder %s cannot be made current: Windows error %d"},
    {setup_text::kResultSuccess, 220, "success"},
    {setup_text::kResultRestartNeeded, 221, "success, restart the computer to finish"},
    {setup_text::kResultRestarting, 222, "success, the computer restarts"},
    {setup_text::kResultCancelled, 223, "cancelled"},
    {setup_text::kResultFailed, 224, "failed"},
    {setup_text::kResultAnotherRunning, 225, "another installation or removal is running"},
    {setup_text::kResultNotAdministrator, 226, "not an administrator"},
    {setup_text::kResultBadArguments, 227, "bad option or answer file"},
    {setup_text::kResultFileMissing, 228, "a file is missing from the medium"},
    {setup_text::kUsage, 230,
     "setup [/S /ANSWER=file] [/RECORD=file] [/LOG=file] [/NORESTART] [/?]\n\n/S: installs without "
     "a window or a question, as the answer file says\n/ANSWER=file: the answer file of a silent "
     "installation\n/RECORD=file: runs the wizard and writes the answer file of the choices "
     "made\n/LOG=file: appends a log of the run to the file\n/NORESTART: never restarts the "
     "computer; exit code 3010 asks for a restart\n/?: shows this text\n\nOptions are not "
     "case-sensitive, may begin with / or -, and take = or : before a value; quote paths with "
     "spaces."},
    {setup_text::kSilentNeedsAnswers, 231,
     "/S needs /ANSWER=file: the answer file says what to install."},
    {setup_text::kAnswersOnlySilent, 232, "/ANSWER=file is read only with /S."},
    {setup_text::kRecordNotSilent, 233,
     "/RECORD=file records the wizard's choices: it cannot be given with /S."},
    {setup_text::kAnswerFileRefused, 234, "The answer file is refused: %s"},
    {setup_text::kAnswerFileUnreadable, 235, "the answer file %s cannot be read: Windows error %d"},
    {setup_text::kAnswerFileNoSection, 236, "the answer file %s has no [Install] section"},
    {setup_text::kAnswerUnknownKey, 237, "unknown key %s"},
    {setup_text::kAnswerLineWithoutValue, 238, "the line %s has no '='"},
    {setup_text::kAnswerMissing, 239, "%s is missing"},
    {setup_text::kAnswerNotOneOf, 240, "%s=%s is not one of %s"},
    {setup_text::kAnswerLicenceNotAccepted, 241,
     "AcceptLicence=%s: the licence is accepted only by yes"},
    {setup_text::kAnswerModelNotListed, 242, "Model=%s is not a model the module page lists"},
    {setup_text::kAnswerTypicalOnly, 243, "SetupType=Advanced: %s offers only the Typical setup"},
    {setup_text::kAnswerNoWindowsPreset, 244,
     "Windows=auto: the OS page presets no family on this version of Windows; name the one it "
     "offers (Windows=%s)"},
    {setup_text::kAnswerWindowsNotOffered, 245,
     "Windows=%s: the OS page offers only Windows=%s on this system"},
    {setup_text::kAnswerWindowsRefused, 246, "Windows=%s: %s"},
    {setup_text::kAnswerPortNotListed, 247, "Port=%s is not one the port page lists: %s"},
    {setup_text::kAnswerPortRefused, 248, "Port=%s: %s"},
    {setup_text::kAnswerDriverNotAllowed, 249,
     "Driver=%s: the port page allows only %s for this port and setup type"},
    {setup_text::kAnswerSerialOnly, 250, "%s=%s applies only to a serial port, not to %s"},
    {setup_text::kAnswerUsbOnly, 251, "%s=%s applies only to a USB port, not to %s"},
    {setup_text::kAnswersTaken, 252, "Answers: model %s, %s setup, Windows %s, port %s"},
    {setup_text::kAlreadyInstalled, 253, "Already installed: %s; nothing was changed"},
    {setup_text::kUpdatingComponents, 254,
     "Installed already: %s; its port monitor and print processor are brought up to date, no "
     "printer is added"},
    {setup_text::kComponentsUpdated, 255, "The port monitor and print processor are up to date"},
    {setup_text::kRestartPending, 256,
     "A restart of the computer is needed to finish; none is made"},
    {setup_text::kUsbDriverSkipped, 257, "UsbDriver=skip: the USB device driver is left as it is"},
    {setup_text::kMissingFromMedium, 258, "Missing from the medium: %s"},
    {setup_text::kAnswerFileNotWritten, 259,
     "The answer file %s cannot be written: Windows error %d"},
    {setup_text::kAnswerFileWritten, 260, "Answer file written: %s"},
    {setup_text::kInstalledPrinter, 261, "\"%s\" (driver %s on %s)"},
    {setup_text::kRunningUsbDriverInstaller, 262,
     "The USB device driver installer runs; its window is waited for"},
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
    {uninstall_text::kCommandLine, 200, "Command line: %s"},
    {uninstall_text::kExitCode, 201, "Exit code %d: %s"},
    {uninstall_text::kUnknownOption, 202, "Unknown option: %s"},
    {uninstall_text::kValueMissing, 203, "The option %s needs a value."},
    {uninstall_text::kValueNotExpected, 204, "The option %s takes no value."},
    {uninstall_text::kNotAnOption, 205, "Not an option: %s (options begin with / or -)"},
    {uninstall_text::kOptionRepeated, 206, "The option %s is given more than once."},
    {uninstall_text::kLogNotOpened, 207, "The log file %s cannot be opened: Windows error %d."},
    {uninstall_text::kMessage, 208, "Message: %s"},
    {uninstall_text::kQuestion, 209, "Question: %s Answer: %s"},
    {uninstall_text::kPlatformFailure, 210, "%s failed: Windows error %d"},
    {uninstall_text::kAnswerYes, 211, "Yes"},
    {uninstall_text::kAnswerNo, 212, "No"},
    {uninstall_text::kAnswerOk, 213, "OK"},
    {uninstall_text::kAnswerCancel, 214, "Cancel"},
    {uninstall_text::kFolderNotCurrent, 215,
     "The program's folder %s cannot be made current: Windows error %d"},
    {uninstall_text::kResultSuccess, 220, "success"},
    {uninstall_text::kResultRestartNeeded, 221, "success, restart the computer to finish"},
    {uninstall_text::kResultRestarting, 222, "success, the computer restarts"},
    {uninstall_text::kResultCancelled, 223, "cancelled"},
    {uninstall_text::kResultFailed, 224, "failed"},
    {uninstall_text::kResultAnotherRunning, 225, "another installation or removal is running"},
    {uninstall_text::kResultNotAdministrator, 226, "not an administrator"},
    {uninstall_text::kResultBadArguments, 227, "bad option or answer file"},
    {uninstall_text::kResultFileMissing, 228, "a file is missing from the medium"},
    {uninstall_text::kUsage, 230,
     "Uninstall [/S /ALL | /S /ITEM=\"name\" ...] [/USBDRIVER=remove|keep] [/LOG=file] "
     "[/NORESTART] [/?]\n\n/S: removes without a window or a question\n/ALL: removes everything "
     "the list shows (with /S)\n/ITEM=\"name\": removes this entry of the list; may be given more "
     "than once (with /S)\n/USBDRIVER=remove|keep: removes the USB device driver too, or keeps it "
     "(the default)\n/LOG=file: appends a log of the run to the file\n/NORESTART: never restarts "
     "the computer; exit code 3010 asks for a restart\n/?: shows this text\n\nOptions are not "
     "case-sensitive, may begin with / or -, and take = or : before a value; quote names with "
     "spaces."},
    {uninstall_text::kSilentNeedsItems, 231, "/S needs /ALL or at least one /ITEM."},
    {uninstall_text::kAllWithItems, 232, "/ALL and /ITEM cannot be given together."},
    {uninstall_text::kOnlyWhenSilent, 233, "%s is meaningful only with /S."},
    {uninstall_text::kBadUsbDriverValue, 234, "/USBDRIVER takes remove or keep, not %s."},
    {uninstall_text::kUnknownItem, 235, "Unknown item: %s. The list shows: %s"},
    {uninstall_text::kNothingToRemove, 236, "Nothing to remove: the list is empty."},
    {uninstall_text::kRestartToFinish, 237, "Restart the computer to finish the removal."},
    {uninstall_text::kUsbDriverNotRemovable, 238,
     "The USB device driver cannot be removed on this Windows."},
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
    for (int id = 0; id < 1000; ++id) {
      if (!numbers.contains(id)) {
        EXPECT_TRUE(program.lookup(id).empty()) << id;
      }
    }
  }
}

TEST(StringTablesTest, TheTextsOfRunsWithOptionsAreTheSameInBothPrograms) {
  int shared = 0;
  for (int id = 200; id < 230; ++id) {
    EXPECT_EQ(SetupString(id), UninstallString(id)) << id;
    shared += !SetupString(id).empty();
  }
  EXPECT_EQ(shared, 25);
}

}  // namespace
}  // namespace kv

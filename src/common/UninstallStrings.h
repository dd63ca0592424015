#pragma once

#include <string_view>

namespace kv {

// The uninstall program's string table: the text of a number, empty for a
// number the table lacks. Every text the program shows comes from here.
std::string_view UninstallString(int id);

// The numbers the uninstall program's code asks for.
namespace uninstall_text {
inline constexpr int kAbout = 101;
inline constexpr int kNotAdministrator = 102;
inline constexpr int kNoCurrentDirectory = 103;
inline constexpr int kSearchFailed = 104;
inline constexpr int kNoUninstallIni = 105;
inline constexpr int kSelectPrinters = 107;
inline constexpr int kInstructions = 108;
inline constexpr int kDeleting = 109;
inline constexpr int kInUse = 110;
inline constexpr int kUninstallError = 111;
inline constexpr int kDeleted = 112;
inline constexpr int kOpenPrinterError = 113;
inline constexpr int kDeletingPrinter = 114;
inline constexpr int kGetPrinterInfoError = 115;
inline constexpr int kAllocateMemoryError = 116;
inline constexpr int kPrinterHasJobs = 117;
inline constexpr int kDeletePrinterError = 118;
inline constexpr int kDriverInUse = 119;
inline constexpr int kDriverDeleted = 120;
inline constexpr int kDeleteDriverError = 121;
inline constexpr int kDeletingDriver = 122;
inline constexpr int kDeleteJobsFirst = 123;
// A file in use, given to Windows to delete when it next starts.
inline constexpr int kDeletedAtRestart = 124;
// Followed by kErrorSuffix, as are 121, 126 and 127.
inline constexpr int kDeleteFileError = 125;
inline constexpr int kRestartError = 126;
// The worker that removes the ticked items could not be started.
inline constexpr int kRemovalNotStarted = 127;

// Texts the program shows that have no number in its string table.
inline constexpr std::string_view kCloseSetupFirst =
    "Please close Printer Driver Setup program first!";
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kNoWinspoolLibrary = "no Winspool lib  ";
inline constexpr std::string_view kNoSystemDirectory = "Get system Directory error.";
inline constexpr std::string_view kDeletingUsbDriver = "Deleting USB Device Driver";
inline constexpr std::string_view kUsbDriverDeleted = "USB Device Driver has been deleted";
inline constexpr std::string_view kErrorSuffix = "    er=%d";
}  // namespace uninstall_text

}  // namespace kv

#pragma once

#include <string_view>

namespace kv {

// The uninstall program's string table: the text of a number, empty for a
// number the table lacks. Every text the program shows comes from here.
std::string_view UninstallString(int id);

// The numbers of the table's texts, by name (declared in UninstallStrings.def).
namespace uninstall_text {
#define KV_STRING(name, number, text) inline constexpr int name = number;
#include "common/UninstallStrings.def"
#undef KV_STRING

// Texts the program shows that have no number in its string table.
inline constexpr std::string_view kCloseSetupFirst =
    "Please close Printer Driver Setup program first!";
inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kNoWinspoolLibrary = "no Winspool lib  ";
inline constexpr std::string_view kNoSystemDirectory = "Get system Directory error.";
inline constexpr std::string_view kDeletingUsbDriver = "Deleting USB Device Driver";
inline constexpr std::string_view kUsbDriverDeleted = "USB Device Driver has been deleted";
inline constexpr std::string_view kErrorSuffix = "    er=%d";
// The restart dialog's caption, which names its question in the log.
inline constexpr std::string_view kRestartDialogCaption = "Restart Computer";
}  // namespace uninstall_text

}  // namespace kv

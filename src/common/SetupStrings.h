#pragma once

#include <string_view>

namespace kv {

// The setup program's string table: the text of a number, empty for a number
// the table lacks (as LoadString leaves the buffer empty). Every text the
// program shows comes from here.
std::string_view SetupString(int id);

// The numbers of the table's texts, by name (declared in SetupStrings.def).
namespace setup_text {
#define KV_STRING(name, number, text) inline constexpr int name = number;
#include "common/SetupStrings.def"
#undef KV_STRING

// Texts the program shows that have no number in its string table.
inline constexpr std::string_view kCloseUninstallFirst = "Please close Uninstall program first!";
inline constexpr std::string_view kCannotLoadUsbLibrary = "Can not load KvUsbInt.dll";
inline constexpr std::string_view kOpenFunctionError = "open function error";
inline constexpr std::string_view kGetDeviceIdError = "Get Device ID error";
inline constexpr std::string_view kUsbDeviceNotFound = "Can not find USB device.";
inline constexpr std::string_view kWriteIdError = "write ID error";
inline constexpr std::string_view kSetPrinterIdFailed = "Failed to set Printer ID!";
}  // namespace setup_text

}  // namespace kv

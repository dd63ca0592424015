#pragma once

#include <string_view>

namespace kv {

// The keys under HKEY_LOCAL_MACHINE that tie USB port names to numbers:
// setup writes PORTNAME and PRINTERPORT and reads INSTALLPRINTER; the
// uninstaller deletes PORTNAME and INSTALLPRINTER.
inline constexpr std::string_view kUsbPortNameKey = "SOFTWARE\\KORVANT\\PORTNAME\\";
inline constexpr std::string_view kUsbPrinterPortKey = "SOFTWARE\\KORVANT\\PRINTERPORT\\";
inline constexpr std::string_view kInstalledPrintersKey = "SOFTWARE\\KORVANT\\INSTALLPRINTER\\";

}  // namespace kv

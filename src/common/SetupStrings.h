#pragma once

#include <string_view>

namespace kv {

// The setup program's string table: the text of a number, empty for a number
// the table lacks (as LoadString leaves the buffer empty). Every text the
// program shows comes from here.
std::string_view SetupString(int id);

// The numbers the setup program's code asks for.
namespace setup_text {
inline constexpr int kAbout = 101;
inline constexpr int kNoSystemDirectory = 102;
inline constexpr int kPortFull = 103;
inline constexpr int kOutOfMemory = 104;
inline constexpr int kNoCurrentDirectory = 107;
inline constexpr int kNoDriverDirectory = 108;
inline constexpr int kNoProcessorDirectory = 109;
inline constexpr int kSelectModuleFirst = 112;
inline constexpr int kNt4WithoutUsb = 113;
inline constexpr int kRestartQuestion = 114;
inline constexpr int kUnsupportedSystem = 115;
inline constexpr int kAddPrinterError = 116;
inline constexpr int kAddDriverError = 118;
inline constexpr int kAddMonitorError = 119;
inline constexpr int kCopyError = 122;
inline constexpr int kAddProcessorError = 123;
inline constexpr int kExitWindowsError = 127;
inline constexpr int kDriverInstalled = 131;
inline constexpr int kDriverInstalledRepower = 133;
inline constexpr int kPressF1 = 134;
inline constexpr int kTypicalRemark = 135;
inline constexpr int kMultiUsbRemark = 136;
inline constexpr int kDriverModeRemark = 137;
inline constexpr int kNoUsbDeviceAttached = 139;
inline constexpr int kPortNotSupported = 140;
inline constexpr int kFatalError = 141;
inline constexpr int kDriverFilesLost = 142;
inline constexpr int kChangePrinterName = 143;
inline constexpr int kConnectOnePrinter = 144;
inline constexpr int kServer2003NotSupported = 145;
inline constexpr int kCannotLoadLeftBitmap = 146;
inline constexpr int kCannotLoadLicense = 147;
inline constexpr int kUsbHintConnect = 148;
inline constexpr int kVistaNotSupported = 149;
inline constexpr int kUsbHintCancelPopup = 151;
inline constexpr int kUsbHintPressInstall = 152;
// "%s" is a component's file name.
inline constexpr int kReplacedAtRestart = 153;
inline constexpr int kCannotReplaceAtRestart = 154;

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

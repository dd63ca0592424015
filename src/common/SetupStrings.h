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
// 200 to 229: deployment_text (common/DeploymentTexts.h).
inline constexpr int kUsage = 230;
// The setup program's own texts of runs with options.
inline constexpr int kSilentNeedsAnswers = 231;
inline constexpr int kAnswersOnlySilent = 232;
inline constexpr int kRecordNotSilent = 233;
inline constexpr int kAnswerFileRefused = 234;
inline constexpr int kAnswerFileUnreadable = 235;
inline constexpr int kAnswerFileNoSection = 236;
inline constexpr int kAnswerUnknownKey = 237;
inline constexpr int kAnswerLineWithoutValue = 238;
inline constexpr int kAnswerMissing = 239;
inline constexpr int kAnswerNotOneOf = 240;
inline constexpr int kAnswerLicenceNotAccepted = 241;
inline constexpr int kAnswerModelNotListed = 242;
inline constexpr int kAnswerTypicalOnly = 243;
inline constexpr int kAnswerNoWindowsPreset = 244;
inline constexpr int kAnswerWindowsNotOffered = 245;
inline constexpr int kAnswerWindowsRefused = 246;
inline constexpr int kAnswerPortNotListed = 247;
inline constexpr int kAnswerPortRefused = 248;
inline constexpr int kAnswerDriverNotAllowed = 249;
inline constexpr int kAnswerSerialOnly = 250;
inline constexpr int kAnswerUsbOnly = 251;
inline constexpr int kAnswersTaken = 252;
inline constexpr int kAlreadyInstalled = 253;
inline constexpr int kUpdatingComponents = 254;
inline constexpr int kComponentsUpdated = 255;
inline constexpr int kRestartPending = 256;
inline constexpr int kUsbDriverSkipped = 257;
inline constexpr int kMissingFromMedium = 258;
inline constexpr int kAnswerFileNotWritten = 259;
inline constexpr int kAnswerFileWritten = 260;
inline constexpr int kInstalledPrinter = 261;
inline constexpr int kRunningUsbDriverInstaller = 262;

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

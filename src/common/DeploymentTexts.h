#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kv {

// A program's string table (SetupString, UninstallString).
using TextLookup = std::string_view (*)(int id);

// The texts of runs with options. Both programs' string lists carry them under
// the same numbers, 200 to 229, so that the code both share can name them.
namespace deployment_text {
inline constexpr int kCommandLine = 200;
inline constexpr int kExitCode = 201;
inline constexpr int kUnknownOption = 202;
inline constexpr int kValueMissing = 203;
inline constexpr int kValueNotExpected = 204;
inline constexpr int kNotAnOption = 205;
inline constexpr int kOptionRepeated = 206;
inline constexpr int kLogNotOpened = 207;
inline constexpr int kMessage = 208;
inline constexpr int kQuestion = 209;
inline constexpr int kPlatformFailure = 210;
inline constexpr int kAnswerYes = 211;
inline constexpr int kAnswerNo = 212;
inline constexpr int kAnswerOk = 213;
inline constexpr int kAnswerCancel = 214;
inline constexpr int kFolderNotCurrent = 215;
// The results of the exit-code table, in its order.
inline constexpr int kResultSuccess = 220;
inline constexpr int kResultRestartNeeded = 221;
inline constexpr int kResultRestarting = 222;
inline constexpr int kResultCancelled = 223;
inline constexpr int kResultFailed = 224;
inline constexpr int kResultAnotherRunning = 225;
inline constexpr int kResultNotAdministrator = 226;
inline constexpr int kResultBadArguments = 227;
inline constexpr int kResultFileMissing = 228;
}  // namespace deployment_text

// `text` with its "%s" and "%d" placeholders replaced in order by `values`;
// placeholders beyond the values stay as they are.
std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace kv

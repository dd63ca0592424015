#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "common/SetupStrings.h"
#include "common/UninstallStrings.h"

namespace kv {

// A program's string table (SetupString, UninstallString).
using TextLookup = std::string_view (*)(int id);

// The texts of runs with options. Both programs' string lists declare them
// under the same names and numbers (200 to 229), so that the code both share
// can name them and look them up in either program's table.
namespace deployment_text {
#define KV_SHARED_TEXT(name)                               \
  static_assert(setup_text::name == uninstall_text::name); \
  inline constexpr int name = setup_text::name;
KV_SHARED_TEXT(kCommandLine)
KV_SHARED_TEXT(kExitCode)
KV_SHARED_TEXT(kUnknownOption)
KV_SHARED_TEXT(kValueMissing)
KV_SHARED_TEXT(kValueNotExpected)
KV_SHARED_TEXT(kNotAnOption)
KV_SHARED_TEXT(kOptionRepeated)
KV_SHARED_TEXT(kLogNotOpened)
KV_SHARED_TEXT(kMessage)
KV_SHARED_TEXT(kQuestion)
KV_SHARED_TEXT(kPlatformFailure)
KV_SHARED_TEXT(kAnswerYes)
KV_SHARED_TEXT(kAnswerNo)
KV_SHARED_TEXT(kAnswerOk)
KV_SHARED_TEXT(kAnswerCancel)
KV_SHARED_TEXT(kFolderNotCurrent)
KV_SHARED_TEXT(kResultSuccess)
KV_SHARED_TEXT(kResultRestartNeeded)
KV_SHARED_TEXT(kResultRestarting)
KV_SHARED_TEXT(kResultCancelled)
KV_SHARED_TEXT(kResultFailed)
KV_SHARED_TEXT(kResultAnotherRunning)
KV_SHARED_TEXT(kResultNotAdministrator)
KV_SHARED_TEXT(kResultBadArguments)
KV_SHARED_TEXT(kResultFileMissing)
#undef KV_SHARED_TEXT
}  // namespace deployment_text

// `text` with its "%s" and "%d" placeholders replaced in order by `values`;
// placeholders beyond the values stay as they are.
std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace kv

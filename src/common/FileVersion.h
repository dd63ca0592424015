#pragma once

#include <string>
#include <string_view>

#include "platform/Versions.h"

namespace kv {

inline constexpr std::string_view kNoFileVersion = "0.0.0.0";

// The FileVersion text of the file's first version translation, exactly as
// stored; "0.0.0.0" when the file, the resource, the translation or the
// value is missing or empty.
std::string GetFileVersionString(Versions& versions, std::string_view path);

}  // namespace kv

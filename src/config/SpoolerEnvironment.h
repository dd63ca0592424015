#pragma once

#include <optional>
#include <string>

#include "common/OsFamily.h"

namespace kv {

inline constexpr const char* kWindows40Environment = "Windows 4.0";

// The environment the spooler records of a family name: "Windows 4.0" for
// Win98, none (the spooler's local environment) for every other family.
std::optional<std::string> SpoolerEnvironment(OsFamily family);

}  // namespace kv

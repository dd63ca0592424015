#pragma once

#include <string_view>

namespace kv {

// A configured file name whose first character is '0' (the default "0" of a
// missing key included) names no file: it is neither copied nor listed.
bool NamesNoFile(std::string_view fileName);

}  // namespace kv

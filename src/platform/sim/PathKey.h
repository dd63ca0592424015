#pragma once

#include <string>
#include <string_view>

namespace kv::sim {

// Windows names compare without regard to ASCII case; the simulated machine
// keys its maps by the lower-cased name.
std::string LowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A path's key: lower case, '/' as '\', no trailing backslash.
std::string PathKey(std::string_view path);
// The directory part of a path (up to, not including, the last backslash).
std::string ParentPath(std::string_view path);
// The name after the last backslash.
std::string LeafName(std::string_view path);

}  // namespace kv::sim

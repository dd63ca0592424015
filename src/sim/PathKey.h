#pragma once

#include <string>
#include <string_view>

namespace kv::sim {

// Windows names compare without regard to ASCII case; the simulated machine
// keys its maps by the lower-cased name.
std::string LowerAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The full path that Windows makes of a path, as GetFullPathNameA does: '/'
// reads as '\'; a relative path starts at the current directory, one that
// starts with '\' at the root of its drive, and "X:name" at the current
// directory when X is its drive, else at X's root; runs of backslashes count
// as one, "." names the directory itself and ".." its parent (never above the
// root). The result is "X:\" for a root and has no trailing backslash
// otherwise. A UNC path ("\\server\share\...") keeps its leading pair.
std::string FullPath(std::string_view path, std::string_view currentDirectory);

// A path's key: lower case, '/' as '\', no trailing backslash.
std::string PathKey(std::string_view path);
// The directory part of a path (up to, not including, the last backslash);
// "X:\" for a file at the root of drive X.
std::string ParentPath(std::string_view path);
// The name after the last backslash.
std::string LeafName(std::string_view path);

}  // namespace kv::sim

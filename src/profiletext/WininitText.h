#pragma once

#include <string>
#include <string_view>

namespace kv {

// WININIT.INI, which the 9x platform works through before it starts and then
// renames: "NUL=<path>" in its [rename] section deletes the file. The keys
// repeat, so the profile functions (first key wins, a write replaces it)
// cannot add such a line.
//
// The text with "NUL=<shortPath>" added at the end of the [rename] section
// (made at the end of the text when there is none), every line already there
// kept as it was. A text that has the line already comes back unchanged.
// Lines added end in CR LF, as the rest of the system's profiles do.
std::string WithPendingRemoval(std::string_view wininit, std::string_view shortPath);

}  // namespace kv

#pragma once

#include <map>
#include <string>
#include <vector>

#include "sim/SimDialogs.h"

namespace kv {

// The dialog templates of a resource script, as the in-memory model takes
// them: ids resolved through the #defines of the given headers, styles read
// for what page logic depends on (visible, enabled, group, automatic, sorted,
// default, read-only). Reads the subset of the script language that the
// program's scripts use; anything else in a dialog fails the read.
std::vector<sim::DialogLayout> ReadDialogLayouts(const std::string& scriptPath,
                                                 const std::vector<std::string>& headerPaths);

// "#define NAME number" lines of a header.
std::map<std::string, int> ReadDefines(const std::string& headerPath);

}  // namespace kv

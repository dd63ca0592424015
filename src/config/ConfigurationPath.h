#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"

namespace kv {

// The running program's directory: its full file name up to and including the
// last backslash; empty when the name has no backslash or cannot be had.
std::string ProgramDirectory(Files& files);

// A configuration file beside the program, e.g. "DRVCONFIG\setup.ini". The
// files are found through the program's location, never the current directory.
// The path is built in full, however long the program's own name is.
std::string ConfigurationFilePath(Files& files, std::string_view relativeName);

}  // namespace kv

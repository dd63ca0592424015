#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/OsFamily.h"
#include "platform/Machine.h"

namespace kv {

// A component DLL still in use while the spooler is stopped (another program
// has it loaded) is replaced when Windows next starts, as Windows' own
// installers replace files in use.

// Copies the medium's `fileName` into `directory` under a temporary name and
// has Windows move it over directory\fileName at its next start; the
// temporary file lies beside the target because that rename cannot cross
// volumes. False when either step fails, with a message that names the file
// and the error (a failed copy gives the copy's own text); the temporary file
// is removed again.
bool ReplaceAtNextStart(Machine& machine, std::string_view fileName, const std::string& directory,
                        OsFamily family, std::string& message);

// True when one of the renames Windows has recorded for its next start
// (Files::ReadPendingRenames) goes onto `path`.
bool ReplacementPending(const std::vector<PendingRename>& renames, std::string_view path);

// The line an installation's outcome gets for each file replaced at restart.
std::string ReplacedAtRestartLine(std::string_view fileName);

}  // namespace kv

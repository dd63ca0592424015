#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "install/StepResult.h"
#include "platform/Machine.h"

namespace kv {

// Where CopyDriverFile puts a file (the numbers the install procedure passes).
enum class CopyTarget : int32_t {
  DriverDirectory = 66000,
  ProcessorDirectory = 66001,
  SystemDirectory = 66002,
  DriverVersion3Directory = 999,  // the driver directory's "3" subdirectory
};

// The target directory's path; false with its own message (102, 108 or
// 109) when the system does not tell it.
bool FindCopyTargetDirectory(Machine& machine, CopyTarget target, std::string* path,
                             std::string& message);

// The text of a copy that failed: string 122, the target's name, "  er = "
// and the error, the source path, without separators.
std::string CopyFailureMessage(std::string_view targetName, uint32_t error,
                               std::string_view source);

// Windows compares file names and paths without regard to the case of
// letters.
bool SameFileName(std::string_view a, std::string_view b);

// A configured file name names a file of the medium's OS directory and of the
// target directory only: no directory parts, no drive, not "." or "..".
bool IsBareFileName(std::string_view fileName);

// The message for a configured file name that is not bare: it is refused
// before any use, with the invalid-name error.
std::string RefusedFileNameMessage(Files& files, std::string_view fileName, OsFamily family);

// Copies a file of the medium's OS directory (found from the current
// directory) into the target directory, overwriting; with `rename` the copy is
// named "n" + the name. A target in use (sharing violation or access denied)
// and a name beginning with "0" leave `message` alone; every other failure
// replaces it.
CopyOutcome CopyDriverFile(Machine& machine, std::string_view fileName, CopyTarget target,
                           OsFamily family, bool rename, std::string& message);

}  // namespace kv

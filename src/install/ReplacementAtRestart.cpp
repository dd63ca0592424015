#include "install/ReplacementAtRestart.h"

#include "common/SetupStrings.h"
#include "install/DriverFileCopy.h"
#include "platform/Errors.h"

namespace kv {
namespace {

// The first three characters of the temporary file's name.
constexpr std::string_view kTemporaryPrefix = "kvn";

std::string WithFileName(int textId, std::string_view fileName) {
  std::string text(SetupString(textId));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, fileName);
  return text;
}

std::string CannotReplaceMessage(std::string_view fileName, uint32_t error) {
  return WithFileName(setup_text::kCannotReplaceAtRestart, fileName) +
         "  er = " + std::to_string(error);
}

}  // namespace

bool ReplaceAtNextStart(Machine& machine, std::string_view fileName, const std::string& directory,
                        OsFamily family, std::string& message) {
  std::string current;
  if (machine.files.GetCurrentDirectory(&current) != kErrorSuccess) {
    message = SetupString(setup_text::kNoCurrentDirectory);
    return false;
  }
  const std::string source =
      current + std::string(DriverDirectoryName(family)) + std::string(fileName);
  std::string temporary;
  if (uint32_t error = machine.files.CreateTempFile(directory, kTemporaryPrefix, &temporary)) {
    message = CannotReplaceMessage(fileName, error);
    return false;
  }
  if (uint32_t error = machine.files.CopyFile(source, temporary, false)) {
    machine.files.DeleteFile(temporary);
    message = CopyFailureMessage(fileName, error, source);
    return false;
  }
  if (uint32_t error =
          machine.files.ReplaceAtRestart(temporary, directory + "\\" + std::string(fileName))) {
    machine.files.DeleteFile(temporary);
    message = CannotReplaceMessage(fileName, error);
    return false;
  }
  return true;
}

bool ReplacementPending(const std::vector<PendingRename>& renames, std::string_view path) {
  for (const PendingRename& rename : renames) {
    if (!rename.target.empty() && SameFileName(rename.target, path)) return true;
  }
  return false;
}

std::string ReplacedAtRestartLine(std::string_view fileName) {
  return WithFileName(setup_text::kReplacedAtRestart, fileName);
}

}  // namespace kv

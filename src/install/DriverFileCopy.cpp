#include "install/DriverFileCopy.h"

#include "common/SetupStrings.h"
#include "platform/Errors.h"

namespace kv {

bool FindCopyTargetDirectory(Machine& machine, CopyTarget target, std::string* path,
                             std::string& message) {
  int failureText = setup_text::kNoDriverDirectory;
  uint32_t error = kErrorSuccess;
  switch (target) {
    case CopyTarget::DriverDirectory:
    case CopyTarget::DriverVersion3Directory:
      error = machine.spooler.GetPrinterDriverDirectory(path);
      if (target == CopyTarget::DriverVersion3Directory) *path += "\\3";
      break;
    case CopyTarget::ProcessorDirectory:
      failureText = setup_text::kNoProcessorDirectory;
      error = machine.spooler.GetPrintProcessorDirectory(path);
      break;
    case CopyTarget::SystemDirectory:
      failureText = setup_text::kNoSystemDirectory;
      error = machine.files.GetSystemDirectory(path);
      break;
    default:
      // Not a target the installation uses: nothing is copied anywhere.
      error = kErrorInvalidParameter;
      break;
  }
  if (error == kErrorSuccess) return true;
  message = SetupString(failureText);
  return false;
}

std::string CopyFailureMessage(std::string_view targetName, uint32_t error,
                               std::string_view source) {
  std::string message(SetupString(setup_text::kCopyError));
  message += targetName;
  message += "  er = " + std::to_string(error);
  message += source;
  return message;
}

bool SameFileName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool IsBareFileName(std::string_view fileName) {
  if (fileName == "." || fileName == "..") return false;
  return fileName.find_first_of("\\/:") == std::string_view::npos;
}

std::string RefusedFileNameMessage(Files& files, std::string_view fileName, OsFamily family) {
  std::string current;
  files.GetCurrentDirectory(&current);
  std::string source = current + std::string(DriverDirectoryName(family)) + std::string(fileName);
  return CopyFailureMessage(fileName, kErrorInvalidName, source);
}

CopyOutcome CopyDriverFile(Machine& machine, std::string_view fileName, CopyTarget target,
                           OsFamily family, bool rename, std::string& message) {
  if (!fileName.empty() && fileName.front() == '0') return CopyOutcome::Skipped;
  if (!IsBareFileName(fileName)) {
    message = RefusedFileNameMessage(machine.files, fileName, family);
    return CopyOutcome::Failed;
  }

  std::string directory;
  if (!FindCopyTargetDirectory(machine, target, &directory, message)) return CopyOutcome::Failed;
  std::string current;
  if (machine.files.GetCurrentDirectory(&current) != kErrorSuccess) {
    message = SetupString(setup_text::kNoCurrentDirectory);
    return CopyOutcome::Failed;
  }
  const std::string source =
      current + std::string(DriverDirectoryName(family)) + std::string(fileName);
  const std::string targetName = (rename ? "n" : "") + std::string(fileName);
  const std::string targetPath = directory + "\\" + targetName;

  // A read-only or hidden copy left by an earlier installation would refuse
  // the overwrite; a target that does not exist yet makes this fail, harmlessly.
  machine.files.SetAttributes(targetPath, kFileAttributeArchive);
  const uint32_t error = machine.files.CopyFile(source, targetPath, false);
  if (error == kErrorSuccess) return CopyOutcome::Copied;
  if (error == kErrorSharingViolation || error == kErrorAccessDenied) return CopyOutcome::InUse;
  message = CopyFailureMessage(targetName, error, source);
  return CopyOutcome::Failed;
}

}  // namespace kv

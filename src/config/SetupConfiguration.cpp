#include "config/SetupConfiguration.h"

#include <utility>

#include "config/ConfigurationPath.h"
#include "platform/Errors.h"

namespace kv {
namespace {

bool IsKnownModule(PrinterModule module) {
  auto value = static_cast<int32_t>(module);
  return value >= 0 && value < kPrinterModuleCount;
}

}  // namespace

SetupConfiguration::SetupConfiguration(Machine& machine) : files_(machine.files) {
  const std::string directory = ProgramDirectory(machine.files);
  setupIniPath_ = directory + std::string(kSetupIniName);
  for (int32_t i = 0; i < kPrinterModuleCount; ++i) {
    modulePaths_[i] = directory + std::string(ModuleFileName(static_cast<PrinterModule>(i)));
  }
}

std::string SetupConfiguration::ModuleFilePath(PrinterModule module) const {
  if (!IsKnownModule(module)) return {};
  return modulePaths_[static_cast<size_t>(module)];
}

std::string SetupConfiguration::ReadSetupValue(std::string_view section, std::string_view key,
                                               uint32_t readLimit) const {
  return ReadValue(setupIniPath_, section, key, readLimit);
}

std::string SetupConfiguration::ReadModuleValue(PrinterModule module, std::string_view section,
                                                std::string_view key, uint32_t readLimit) const {
  return ReadValue(ModuleFilePath(module), section, key, readLimit);
}

std::vector<std::string> SetupConfiguration::ReadSetupKeyNames(std::string_view section) const {
  std::vector<std::string> names;
  if (const ProfileReader* reader = FileReader(setupIniPath_)) {
    for (std::string_view name : reader->KeyNames(section)) names.emplace_back(name);
  }
  return names;
}

std::string SetupConfiguration::ReadValue(const std::string& path, std::string_view section,
                                          std::string_view key, uint32_t readLimit) const {
  // No file selected (a module outside 0 to 3) reads like a missing file.
  const ProfileReader* reader = path.empty() ? nullptr : FileReader(path);
  if (!reader) return ProfileReader().Read(section, key, kMissingValue, readLimit);
  return reader->Read(section, key, kMissingValue, readLimit);
}

const ProfileReader* SetupConfiguration::FileReader(const std::string& path) const {
  auto known = readers_.find(path);
  if (known != readers_.end()) return &known->second;
  std::string bytes;
  const uint32_t result = files_.ReadWholeFile(path, &bytes);
  if (result == kErrorSuccess)
    return &readers_.emplace(path, ProfileReader(std::move(bytes))).first->second;
  if (result == kErrorFileNotFound || result == kErrorPathNotFound) {
    return &readers_.emplace(path, ProfileReader()).first->second;
  }
  // A sharing violation or a drive not ready may pass: nothing is kept, so
  // the next request reads the file again.
  return nullptr;
}

}  // namespace kv

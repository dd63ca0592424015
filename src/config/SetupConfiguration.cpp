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

std::string SetupConfiguration::ReadValue(const std::string& path, std::string_view section,
                                          std::string_view key, uint32_t readLimit) const {
  // No file selected (a module outside 0 to 3) reads like a missing file.
  if (path.empty()) {
    if (readLimit == 0) return {};
    return std::string(kMissingValue.substr(0, readLimit - 1));
  }
  return FileReader(path).Read(section, key, kMissingValue, readLimit);
}

const ProfileReader& SetupConfiguration::FileReader(const std::string& path) const {
  auto known = readers_.find(path);
  if (known != readers_.end()) return known->second;
  std::string bytes;
  ProfileReader reader;
  if (files_.ReadWholeFile(path, &bytes) == kErrorSuccess) reader = ProfileReader(bytes);
  return readers_.emplace(path, std::move(reader)).first->second;
}

}  // namespace kv

#include "config/UniversalDriverFiles.h"

namespace kv {
namespace {

constexpr uint32_t kFlagReadLimit = 5;

}  // namespace

bool NeedsUniversalDriverFiles(const SetupConfiguration& configuration, std::string_view modelName,
                               OsFamily family, DriverMode mode) {
  std::string flag = configuration.ReadCurrentModuleValue(
      DriverSectionName(modelName, family), DriverKey(mode, "2KDDKDEV"), kFlagReadLimit);
  return !flag.empty() && flag.front() == '1';
}

}  // namespace kv

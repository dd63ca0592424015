#include "config/DriverDefinition.h"

#include "common/SpoolerEnvironment.h"
#include "config/DecimalNumber.h"
#include "config/FileNameValue.h"
#include "config/ReadLimits.h"
#include "config/UniversalDriverFiles.h"

namespace kv {
namespace {

constexpr uint32_t kDependentFlagReadLimit = 10;

bool UsesUniversalDriver(OsFamily family) {
  auto value = static_cast<int32_t>(family);
  return value >= static_cast<int32_t>(OsFamily::Win2000) &&
         value <= static_cast<int32_t>(OsFamily::Vista);
}

}  // namespace

uint32_t DriverStructureVersion(OsFamily family) {
  switch (family) {
    case OsFamily::Win98:
      return 0;
    case OsFamily::NT4:
      return 2;
    case OsFamily::Win2000:
    case OsFamily::WinXP:
    case OsFamily::Server2003:
    case OsFamily::Vista:
      return 3;
  }
  return 0;
}

DriverDefinition ReadDriverDefinition(const SetupConfiguration& configuration,
                                      std::string_view modelName, OsFamily family,
                                      DriverMode mode) {
  const std::string section = DriverSectionName(modelName, family);
  auto read = [&](std::string_view key, uint32_t limit) {
    return configuration.ReadCurrentModuleValue(section, DriverKey(mode, key), limit);
  };

  DriverDefinition driver;
  driver.version = DriverStructureVersion(family);
  driver.name = read("DriverName", kNameReadLimit);
  driver.environment = SpoolerEnvironment(family);
  driver.driverPath = read("DriverPath", kFileReadLimit);
  driver.dataFile = read("DataFile", kFileReadLimit);
  driver.configFile = read("ConfigFile", kFileReadLimit);
  driver.helpFile = read("HelpFile", kFileReadLimit);
  const std::string optionalFiles[] = {
      read("DataFileDLLName", kFileReadLimit),
      read("DataOemuiDLL", kFileReadLimit),
      read("DataOemuniDLL", kFileReadLimit),
      read("DataOemuniini", kFileReadLimit),
  };

  // The dependent list follows the GDI key whatever the mode.
  const int32_t dependentFlag = ParseDecimalNumber(configuration.ReadCurrentModuleValue(
      section, DriverKey(DriverMode::Graphic, "2KDDKDEV"), kDependentFlagReadLimit));
  if (dependentFlag != 0 && UsesUniversalDriver(family)) {
    driver.dependentFiles = {driver.dataFile, std::string(kTtfSubFile), std::string(kUniResFile),
                             std::string(kStdNamesFile)};
    for (const std::string& file : optionalFiles) {
      // An empty name would end the spooler's zero-separated list early and
      // drop the names after it, so it is left out like a "0" name.
      if (!file.empty() && !NamesNoFile(file)) driver.dependentFiles.push_back(file);
    }
  }
  return driver;
}

}  // namespace kv

#include "config/DriverFileList.h"

#include "config/ReadLimits.h"

namespace kv {

DriverFileList ReadDriverFileList(const SetupConfiguration& configuration,
                                  std::string_view modelName, OsFamily family, DriverMode mode) {
  const std::string section = DriverSectionName(modelName, family);
  auto read = [&](std::string_view key) {
    return configuration.ReadCurrentModuleValue(section, DriverKey(mode, key), kFileReadLimit);
  };
  DriverFileList files;
  files.driverPath = read("DriverPath");
  files.dataFile = read("DataFile");
  files.configFile = read("ConfigFile");
  files.helpFile = read("HelpFile");
  files.processorDLLName = read("ProcessorDLLName");
  files.dataFileDLLName = read("DataFileDLLName");
  files.dataOemuniDLL = read("DataOemuniDLL");
  files.dataOemuniini = read("DataOemuniini");
  files.dataOemuiDLL = read("DataOemuiDLL");
  files.controlFontFile =
      configuration.ReadCurrentModuleValue(section, "ControlFontFile", kFileReadLimit);
  return files;
}

}  // namespace kv

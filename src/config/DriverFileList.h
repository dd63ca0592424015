#pragma once

#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "config/DriverSection.h"
#include "config/SetupConfiguration.h"

namespace kv {

// The driver files an installation copies from the medium's driver directory,
// named by their keys (without the mode prefix). Each is a bare file name cut
// to 199 characters; "0" or any name beginning with '0' means no file.
struct DriverFileList {
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::string processorDLLName;
  std::string dataFileDLLName;  // dependent file 1
  std::string dataOemuniDLL;    // dependent file 2
  std::string dataOemuniini;    // dependent file 3
  std::string dataOemuiDLL;     // dependent file 4
  std::string controlFontFile;  // no mode prefix; goes to the version-3 directory
};

DriverFileList ReadDriverFileList(const SetupConfiguration& configuration,
                                  std::string_view modelName, OsFamily family, DriverMode mode);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/OsFamily.h"

namespace kv::bench {

// One configuration value as the readers ask for it: file, section, key and
// read limit. Lists of them let one timing run the same reads through the
// project's reader and through the system's profile functions.
struct KeyRead {
  bool moduleFile = false;  // the model's module file, else setup.ini
  std::string section;
  std::string key;
  uint32_t readLimit = 0;
};

// DEVICENUMBER and DEVICENAME1 to DEVICENAME<modelCount>.
std::vector<KeyRead> DeviceListReads(int modelCount);
// Every value the Install command and the install procedure read for one
// model, family and the standard driver: port options, driver, printer, file
// list, universal driver flag, monitors and processor.
std::vector<KeyRead> ModelDefinitionReads(const std::string& model, OsFamily family);

}  // namespace kv::bench

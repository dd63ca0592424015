#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "config/PrinterModule.h"
#include "platform/Machine.h"
#include "profiletext/ProfileReader.h"

namespace kv {

inline constexpr std::string_view kSetupIniName = "DRVCONFIG\\setup.ini";
// What every configuration read yields for a missing file, section or key.
inline constexpr std::string_view kMissingValue = "0";

// The way to the configuration files of the medium: the paths of setup.ini and
// of the four module files, built once from the program's location, and the
// module whose file the driver readers use. Reading never fails: whatever is
// missing reads as "0".
//
// A read limit counts the terminator, as the profile functions' buffer length
// does: a value longer than limit - 1 characters is cut to that length.
//
// Each file is read and parsed once, at its first value, and kept for the
// object's lifetime (the medium does not change while the program runs); a
// file that cannot be read parses as empty. Reading is not synchronised: the
// object is used by one thread at a time.
class SetupConfiguration {
 public:
  explicit SetupConfiguration(Machine& machine);

  const std::string& setupIniPath() const { return setupIniPath_; }
  // Empty for a module outside 0 to 3.
  std::string ModuleFilePath(PrinterModule module) const;

  PrinterModule currentModule() const { return currentModule_; }
  void SetCurrentModule(PrinterModule module) { currentModule_ = module; }

  std::string ReadSetupValue(std::string_view section, std::string_view key,
                             uint32_t readLimit) const;
  std::string ReadModuleValue(PrinterModule module, std::string_view section, std::string_view key,
                              uint32_t readLimit) const;
  std::string ReadCurrentModuleValue(std::string_view section, std::string_view key,
                                     uint32_t readLimit) const {
    return ReadModuleValue(currentModule_, section, key, readLimit);
  }

 private:
  std::string ReadValue(const std::string& path, std::string_view section, std::string_view key,
                        uint32_t readLimit) const;

  const ProfileReader& FileReader(const std::string& path) const;

  Files& files_;
  // Parsed files by path.
  mutable std::map<std::string, ProfileReader, std::less<>> readers_;
  std::string setupIniPath_;
  std::array<std::string, kPrinterModuleCount> modulePaths_;
  PrinterModule currentModule_ = PrinterModule::Receipt;
};

}  // namespace kv

#pragma once

#include <map>
#include <string>

#include "platform/Profiles.h"
#include "profiletext/ProfileReader.h"
#include "sim/Faults.h"
#include "sim/SimFiles.h"

namespace kv::sim {

// Profile (INI) files kept as text in the simulated file system, read the way
// GetPrivateProfileStringA reads them. A bare file name means the Windows
// directory; the user's profile is win.ini there.
class SimProfiles : public Profiles {
 public:
  SimProfiles(Faults& faults, SimFiles& files) : faults_(faults), files_(files) {}

  std::string GetPrivateString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, uint32_t bufferChars,
                               std::string_view path) override;
  uint32_t WritePrivateString(std::string_view section, std::string_view key,
                              std::string_view value, std::string_view path) override;
  std::string GetProfileString(std::string_view section, std::string_view key,
                               std::string_view defaultValue, uint32_t bufferChars) override;
  uint32_t WriteProfileString(std::string_view section, std::string_view key,
                              std::string_view value) override;
  uint32_t FlushProfile() override;

  int flushes() const { return flushes_; }

 private:
  std::string ResolvePath(std::string_view path) const;

  // A file as last parsed; read again once its bytes differ.
  struct ParsedFile {
    std::string bytes;
    ProfileReader reader;
  };

  Faults& faults_;
  SimFiles& files_;
  int flushes_ = 0;
  // Windows keeps the profile files it reads in memory too; by path key.
  std::map<std::string, ParsedFile> parsed_;
};

}  // namespace kv::sim

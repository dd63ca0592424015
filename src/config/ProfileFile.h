#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "profiletext/ProfileReader.h"

namespace kv {

// An INI file the program is handed (not one of the medium's), read once and
// then read as the profile functions read it (ProfileReader).
class ProfileFile {
 public:
  // Reads the file; its Windows error number, 0 when it was read.
  uint32_t Load(Files& files, std::string_view path);

  // The names of the section's keys as the file writes them, lines without
  // '=' included; none when the section is missing.
  std::vector<std::string> KeyNames(std::string_view section) const;
  // The key's value as GetPrivateProfileStringA gives it with a buffer of
  // `bufferChars`; none when the key is missing or its line has no '='.
  std::optional<std::string> Value(std::string_view section, std::string_view key,
                                   uint32_t bufferChars) const;

 private:
  ProfileReader reader_;
};

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// INI files through the platform's profile functions. A read behaves as
// GetPrivateProfileStringA with a buffer of `bufferChars` characters: names
// ignore case, blanks and one pair of enclosing quotes are removed, a missing
// file, section or key gives the default, and the result holds at most
// bufferChars - 1 characters.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Profiles {
 public:
  virtual ~Profiles() = default;

  virtual std::string GetPrivateString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, uint32_t bufferChars,
                                       std::string_view path) = 0;
  virtual uint32_t WritePrivateString(std::string_view section, std::string_view key,
                                      std::string_view value, std::string_view path) = 0;
  // The user's profile (win.ini on the 9x platform, mapped on NT).
  virtual std::string GetProfileString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue, uint32_t bufferChars) = 0;
  virtual uint32_t WriteProfileString(std::string_view section, std::string_view key,
                                      std::string_view value) = 0;
  // Writes the cached user profile out: WriteProfileStringA with all three
  // arguments null, which adds nothing to the file.
  virtual uint32_t FlushProfile() = 0;
};

}  // namespace kv

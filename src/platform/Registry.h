#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

enum class RegRoot { LocalMachine, CurrentUser, Users };

// Registry value types (the Windows numbers).
inline constexpr uint32_t kRegNone = 0;
inline constexpr uint32_t kRegSz = 1;
inline constexpr uint32_t kRegExpandSz = 2;
inline constexpr uint32_t kRegBinary = 3;
inline constexpr uint32_t kRegDword = 4;
inline constexpr uint32_t kRegMultiSz = 7;

// An open key as the platform hands it out; 0 is no key.
using RegHandle = uintptr_t;

// The registry as the core sees it: the 32-bit view, keys opened with full
// access. Results are Windows error numbers (0 = success); on failure every
// out-parameter is left untouched. Key and value names ignore case.
// Paths are relative to the root: one that starts with a backslash is refused
// (161); backslashes doubled inside a path or trailing it are ignored.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Registry {
 public:
  virtual ~Registry() = default;

  virtual uint32_t OpenKey(RegRoot root, std::string_view path, RegHandle* key) = 0;
  // Creates every missing key of the path; an existing key is opened.
  virtual uint32_t CreateKey(RegRoot root, std::string_view path, RegHandle* key) = 0;
  virtual uint32_t CloseKey(RegHandle key) = 0;

  // The whole value: its type and its bytes (a REG_SZ keeps its terminator as
  // stored). Size limits are the caller's business.
  virtual uint32_t QueryValue(RegHandle key, std::string_view name, uint32_t* type,
                              std::string* data) = 0;
  virtual uint32_t SetValue(RegHandle key, std::string_view name, uint32_t type,
                            std::string_view data) = 0;
  virtual uint32_t DeleteValue(RegHandle key, std::string_view name) = 0;

  // Index-based enumeration, as RegEnumValueA/RegEnumKeyA: 259 past the end.
  virtual uint32_t EnumValue(RegHandle key, uint32_t index, std::string* name, uint32_t* type) = 0;
  virtual uint32_t EnumKey(RegHandle key, uint32_t index, std::string* name) = 0;

  // Deletes a key. NT refuses a key that has subkeys (5); Windows 95, 98 and
  // Me delete its subkeys with it.
  virtual uint32_t DeleteKey(RegRoot root, std::string_view path) = 0;
};

}  // namespace kv

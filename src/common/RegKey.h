#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/PlatformHandles.h"
#include "platform/Registry.h"

namespace kv {

// One open registry key, closed when the object goes. Operations report
// success as a boolean and keep the platform's last error; on a closed object
// every operation fails (EnumValue: a non-zero result), so a run of writes
// after a failed Open does nothing.
class RegKey {
 public:
  explicit RegKey(Registry& registry) : registry_(registry), key_(RegKeyTraits{&registry}) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  bool Open(RegRoot root, std::string_view path);
  // The close's outcome; false when no key was open.
  bool Close();
  bool IsOpen() const { return key_.valid(); }

  // The value's bytes, when they fit in `size` bytes (else 234, more data).
  bool QueryValue(std::string_view name, std::string* buffer, uint32_t size);
  // Reads at most four bytes over *value, as RegQueryValueExA fills a DWORD.
  bool ReadDword(std::string_view name, uint32_t* value, uint32_t* lastError = nullptr);
  bool SetValue(std::string_view name, std::string_view data, uint32_t type);
  bool WriteDword(std::string_view name, uint32_t value, uint32_t* lastError = nullptr);
  // REG_SZ with its terminating zero.
  bool WriteString(std::string_view name, std::string_view text, uint32_t* lastError = nullptr);
  // The value name at `index`; *nameLength is the capacity in characters on
  // entry (terminator included) and the name's length on return. 0 when a
  // value was returned.
  uint32_t EnumValue(uint32_t index, std::string* name, uint32_t* nameLength, uint32_t* type);

  // The subkey name at `index`, 259 past the end.
  uint32_t EnumKey(uint32_t index, std::string* name);

  uint32_t lastError() const { return lastError_; }

 private:
  Registry& registry_;
  OwnedRegKey key_;
  uint32_t lastError_ = 0;
};

// Creates the key (and its missing parents); an existing key counts as
// success. The caller opens it afterwards with RegKey::Open.
bool CreateKey(Registry& registry, RegRoot root, std::string_view path);

}  // namespace kv

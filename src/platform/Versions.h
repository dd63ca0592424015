#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// File version resources, as version.dll exposes them. The block is opaque to
// the core: it is only handed back to QueryValue.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Versions {
 public:
  virtual ~Versions() = default;

  // The size of the version resource; 0 and the error when there is none.
  virtual uint32_t GetInfoSize(std::string_view path, uint32_t* size) = 0;
  virtual uint32_t GetInfo(std::string_view path, uint32_t size, std::string* block) = 0;
  // VerQueryValueA: "\VarFileInfo\Translation" gives the raw translation array
  // (pairs of 16-bit little-endian language and code page); a
  // "\StringFileInfo\llllcccc\Name" path gives the text without its terminator.
  // False when the block has no such entry.
  virtual bool QueryValue(const std::string& block, std::string_view subBlock,
                          std::string* value) = 0;
};

}  // namespace kv

#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

namespace kv {

using ModuleHandle = uintptr_t;
using ProcHandle = uintptr_t;

// One argument of a call into a dynamically loaded function: a 32-bit value or
// the address of a buffer that the function reads or fills.
using ProcArg = std::variant<int32_t, std::span<uint8_t>>;

// Libraries loaded by name at run time (LoadLibraryA, GetProcAddress,
// FreeLibrary). Calls go through the platform because a function's address
// and calling convention only mean something there: every function bound this
// way is __stdcall with 32-bit arguments and a 32-bit result.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Modules {
 public:
  virtual ~Modules() = default;

  virtual uint32_t Load(std::string_view name, ModuleHandle* module) = 0;
  virtual uint32_t Lookup(ModuleHandle module, std::string_view procName, ProcHandle* proc) = 0;
  virtual int32_t Call(ProcHandle proc, std::span<const ProcArg> args) = 0;
  virtual uint32_t Free(ModuleHandle module) = 0;
};

}  // namespace kv

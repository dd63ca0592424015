#pragma once

#include "platform/Modules.h"

namespace kv {

class Win32Modules : public Modules {
 public:
  uint32_t Load(std::string_view name, ModuleHandle* module) override;
  uint32_t Lookup(ModuleHandle module, std::string_view procName, ProcHandle* proc) override;
  // Functions of up to four arguments; any other count is not called and
  // gives 0.
  int32_t Call(ProcHandle proc, std::span<const ProcArg> args) override;
  uint32_t Free(ModuleHandle module) override;
};

}  // namespace kv

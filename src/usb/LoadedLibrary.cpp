#include "usb/LoadedLibrary.h"

#include "platform/Errors.h"

namespace kv {

LoadedLibrary::LoadedLibrary(Modules& modules, std::string_view name)
    : modules_(modules), module_(ModuleTraits{&modules}) {
  ModuleHandle module = 0;
  if (modules_.Load(name, &module) == kErrorSuccess) module_.reset(module);
}

std::optional<ProcHandle> LoadedLibrary::Find(std::string_view procName) {
  if (!module_) return std::nullopt;
  ProcHandle proc = 0;
  if (modules_.Lookup(module_.get(), procName, &proc) != kErrorSuccess) return std::nullopt;
  return proc;
}

}  // namespace kv

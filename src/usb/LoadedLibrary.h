#pragma once

#include <optional>
#include <string_view>

#include "platform/Modules.h"

namespace kv {

// One load of a library by name, undone when the object goes.
class LoadedLibrary {
 public:
  LoadedLibrary(Modules& modules, std::string_view name);
  ~LoadedLibrary();
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  bool loaded() const { return module_.has_value(); }
  // The named export, or nothing when the library lacks it.
  std::optional<ProcHandle> Find(std::string_view procName);

 private:
  Modules& modules_;
  std::optional<ModuleHandle> module_;
};

}  // namespace kv

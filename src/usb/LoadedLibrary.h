#pragma once

#include <optional>
#include <string_view>

#include "common/PlatformHandles.h"
#include "platform/Modules.h"

namespace kv {

// One load of a library by name, undone when the object goes.
class LoadedLibrary {
 public:
  LoadedLibrary(Modules& modules, std::string_view name);

  bool loaded() const { return module_.valid(); }
  // The named export, or nothing when the library lacks it.
  std::optional<ProcHandle> Find(std::string_view procName);

 private:
  Modules& modules_;
  OwnedModule module_;
};

}  // namespace kv

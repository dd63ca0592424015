#pragma once

#include <optional>

#include "common/OsFamily.h"
#include "platform/System.h"

namespace kv {

// What the uninstaller makes of the running Windows.
struct RunningFamily {
  // None for a platform of neither line (or a version that cannot be read).
  std::optional<OsFamily> family;
  // Windows 98, Me and NT 4.0 cannot take the USB device driver removal.
  bool usbDriverRemovalDisabled = false;
  // Vista: the program marks itself for the compatibility assistant.
  bool marksCompatibility = false;
};

RunningFamily ClassifyRunningFamily(System& system);

}  // namespace kv

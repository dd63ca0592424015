#pragma once

#include <string_view>

#include "platform/System.h"

namespace kv {

// The uninstaller's classification of the running Windows: the OsFamily
// numbers 0 (9x line and every unlisted version) to 5 (Vista), and -1 for a
// platform of neither line.
struct RunningFamily {
  int family = -1;
  // Windows 98, Me and NT 4.0 cannot take the USB device driver removal.
  bool usbDriverRemovalDisabled = false;
  // Vista: the program marks itself for the compatibility assistant.
  bool marksCompatibility = false;
};

inline constexpr int kFamilyUnknownPlatform = -1;
inline constexpr int kFamilyWin98 = 0;
inline constexpr int kFamilyNT4 = 1;

// A version that cannot be read counts as an unknown platform.
RunningFamily ClassifyRunningFamily(System& system);

// The configuration section suffix of a family: ".98", ".NT", ".2K" for both
// 2000 and XP, ".2003", and ".Vista" for Vista and every other value.
std::string_view FamilySuffix(int family);

}  // namespace kv

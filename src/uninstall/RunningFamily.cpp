#include "uninstall/RunningFamily.h"

namespace kv {

RunningFamily ClassifyRunningFamily(System& system) {
  OsVersionInfo version;
  if (!system.GetVersion(&version)) return {};
  RunningFamily result;
  if (version.platformId == kPlatformWindows) {
    result.family = kFamilyWin98;
    result.usbDriverRemovalDisabled = version.minorVersion > 0;  // 98 and Me, not 95
    return result;
  }
  if (version.platformId != kPlatformNt) return result;
  const uint32_t major = version.majorVersion, minor = version.minorVersion;
  if (major == 4 && minor == 0) {
    result.family = kFamilyNT4;
    result.usbDriverRemovalDisabled = true;
  } else if (major == 5 && minor <= 2) {
    result.family = 2 + static_cast<int>(minor);
  } else if (major == 6 && minor == 0) {
    result.family = 5;
    result.marksCompatibility = true;
  } else {
    result.family = kFamilyWin98;
  }
  return result;
}

std::string_view FamilySuffix(int family) {
  switch (family) {
    case 0:
      return ".98";
    case 1:
      return ".NT";
    case 2:
    case 3:
      return ".2K";
    case 4:
      return ".2003";
    default:
      return ".Vista";
  }
}

}  // namespace kv

#include "common/OsFamily.h"

namespace kv {

OsFamily GetOsFamily(System& system) {
  OsVersionInfo version;
  if (!system.GetVersion(&version)) return OsFamily::Win98;
  if (version.platformId != kPlatformNt) return OsFamily::Win98;
  switch (version.majorVersion) {
    case 4:
      return version.minorVersion == 0 ? OsFamily::NT4 : OsFamily::Win98;
    case 5:
      switch (version.minorVersion) {
        case 0:
          return OsFamily::Win2000;
        case 1:
          return OsFamily::WinXP;
        case 2:
          return OsFamily::Server2003;
        default:
          return OsFamily::Win98;
      }
    case 6:
      return version.minorVersion == 0 ? OsFamily::Vista : OsFamily::Win98;
    default:
      return OsFamily::Win98;
  }
}

std::string_view SectionSuffix(OsFamily family) {
  switch (family) {
    case OsFamily::Win98:
      return ".98";
    case OsFamily::NT4:
      return ".NT";
    case OsFamily::Win2000:
      return ".2K";
    case OsFamily::WinXP:
      return ".XP";
    case OsFamily::Server2003:
      return ".2003";
    case OsFamily::Vista:
      return ".Vista";
  }
  return {};
}

std::string_view DriverDirectoryName(OsFamily family) {
  switch (family) {
    case OsFamily::Win98:
      return "\\win98\\";
    case OsFamily::NT4:
    case OsFamily::Win2000:
    case OsFamily::WinXP:
      return "\\winnt\\";
    case OsFamily::Server2003:
      return "\\win2003\\";
    case OsFamily::Vista:
      return "\\Vista\\";
  }
  return {};
}

bool UsesNinetyFiveEnvironment(OsFamily family) {
  return family == OsFamily::Win98;
}

}  // namespace kv

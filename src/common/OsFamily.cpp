#include "common/OsFamily.h"

#include <array>

namespace kv {
namespace {

// What each family is called in the medium's files, in family order.
struct FamilyNames {
  std::string_view sectionSuffix;
  std::string_view uninstallSectionSuffix;
  std::string_view driverDirectory;
};
constexpr std::array<FamilyNames, 6> kFamilyNames = {{
    {".98", ".98", "\\win98\\"},
    {".NT", ".NT", "\\winnt\\"},
    {".2K", ".2K", "\\winnt\\"},
    {".XP", ".2K", "\\winnt\\"},
    {".2003", ".2003", "\\win2003\\"},
    {".Vista", ".Vista", "\\Vista\\"},
}};

const FamilyNames* NamesOf(OsFamily family) {
  const auto index = static_cast<size_t>(family);
  return index < kFamilyNames.size() ? &kFamilyNames[index] : nullptr;
}

// The NT versions the programs know.
struct NtVersion {
  uint32_t major, minor;
  OsFamily family;
};
constexpr NtVersion kNtVersions[] = {
    {4, 0, OsFamily::NT4},        {5, 0, OsFamily::Win2000}, {5, 1, OsFamily::WinXP},
    {5, 2, OsFamily::Server2003}, {6, 0, OsFamily::Vista},
};

}  // namespace

WindowsClass ClassifyWindows(const OsVersionInfo& version) {
  WindowsClass result;
  if (version.platformId == kPlatformWindows) {
    result.unknownPlatform = false;
    result.listed = version.minorVersion != 0;
  } else if (version.platformId == kPlatformNt) {
    result.unknownPlatform = false;
    for (const NtVersion& known : kNtVersions) {
      if (version.majorVersion == known.major && version.minorVersion == known.minor) {
        result.family = known.family;
        result.listed = true;
      }
    }
  }
  return result;
}

OsVersionInfo RunningVersion(System& system) {
  OsVersionInfo version;
  if (!system.GetVersion(&version)) version = OsVersionInfo{};
  return version;
}

WindowsClass ClassifyRunningWindows(System& system) {
  return ClassifyWindows(RunningVersion(system));
}

OsFamily GetOsFamily(System& system) {
  return ClassifyRunningWindows(system).family;
}

std::string_view SectionSuffix(OsFamily family) {
  const FamilyNames* names = NamesOf(family);
  return names ? names->sectionSuffix : std::string_view();
}

std::string_view UninstallSectionSuffix(std::optional<OsFamily> family) {
  const FamilyNames* names = family ? NamesOf(*family) : nullptr;
  return names ? names->uninstallSectionSuffix : kFamilyNames.back().uninstallSectionSuffix;
}

std::string_view DriverDirectoryName(OsFamily family) {
  const FamilyNames* names = NamesOf(family);
  return names ? names->driverDirectory : std::string_view();
}

bool NeedsAdministrator(OsFamily family) {
  return family >= OsFamily::Win2000 && family <= OsFamily::Vista;
}

bool UsesNinetyFiveEnvironment(OsFamily family) {
  return family == OsFamily::Win98;
}

}  // namespace kv

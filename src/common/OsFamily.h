#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/System.h"

namespace kv {

// The Windows family the programs select their data by. Kept and passed as a
// plain 32-bit number; 0 also stands for every system not recognised.
enum class OsFamily : int32_t {
  Win98 = 0,
  NT4 = 1,
  Win2000 = 2,
  WinXP = 3,
  Server2003 = 4,
  Vista = 5
};

// The running Windows as both programs classify it, from GetVersionExA's
// answer (a zeroed one when the query fails).
struct WindowsClass {
  // Neither the 9x nor the NT line (Win32s, or a version that cannot be read).
  bool unknownPlatform = true;
  // Win98 also for every version not listed below.
  OsFamily family = OsFamily::Win98;
  // One of the versions the programs know: 98 and Me (9x, minor version not
  // 0), NT 4.0, 5.0, 5.1, 5.2 and 6.0. Windows 95 and later NT versions are not.
  bool listed = false;
};

// GetVersionExA's answer; a zeroed one (platform unknown) when it fails.
OsVersionInfo RunningVersion(System& system);

WindowsClass ClassifyWindows(const OsVersionInfo& version);
WindowsClass ClassifyRunningWindows(System& system);

// The family of the running Windows; Win98 for every system not recognised.
OsFamily GetOsFamily(System& system);

// The setup configuration's section suffix: ".98", ".NT", ".2K", ".XP",
// ".2003", ".Vista"; empty outside 0 to 5.
std::string_view SectionSuffix(OsFamily family);
// Uninstall.ini's section suffix, which names XP's sections ".2K" like
// Windows 2000's; ".Vista" for Vista, for an unknown platform (no family) and
// for every value outside 0 to 5.
std::string_view UninstallSectionSuffix(std::optional<OsFamily> family);
// "\win98\", "\winnt\", "\win2003\", "\Vista\"; empty outside 0 to 5.
std::string_view DriverDirectoryName(OsFamily family);
// Windows 2000 to Vista, where both programs need an administrator.
bool NeedsAdministrator(OsFamily family);
// True for Win98, whose spooler records name the "Windows 4.0" environment;
// the other families leave it out (the local environment).
bool UsesNinetyFiveEnvironment(OsFamily family);

}  // namespace kv

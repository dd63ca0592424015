#pragma once

#include <cstdint>
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

OsFamily GetOsFamily(System& system);

// ".98", ".NT", ".2K", ".XP", ".2003", ".Vista"; empty outside 0 to 5.
std::string_view SectionSuffix(OsFamily family);
// "\win98\", "\winnt\", "\win2003\", "\Vista\"; empty outside 0 to 5.
std::string_view DriverDirectoryName(OsFamily family);
// True for Win98, whose spooler records name the "Windows 4.0" environment;
// the other families leave it out (the local environment).
bool UsesNinetyFiveEnvironment(OsFamily family);

}  // namespace kv

#pragma once

#include <string_view>

#include "common/OsFamily.h"
#include "config/DriverSection.h"
#include "config/SetupConfiguration.h"

namespace kv {

// The universal printer driver's support files some drivers need beside their
// own (Windows 2000 and later).
inline constexpr std::string_view kTtfSubFile = "TTFSUB.GPD";
inline constexpr std::string_view kUniResFile = "UNIRES.DLL";
inline constexpr std::string_view kStdNamesFile = "STDNAMES.GPD";

// Whether the installation copies the support files: the mode's own
// "2KDDKDEV" key ("STD2KDDKDEV" or "GDI2KDDKDEV") begins with '1', so "1" and
// "10" are on and "2" is off. The driver definition's dependent list follows a
// different test (see ReadDriverDefinition).
bool NeedsUniversalDriverFiles(const SetupConfiguration& configuration, std::string_view modelName,
                               OsFamily family, DriverMode mode);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"

namespace kv {

// Which of the two key sets of a driver section is read: the standard driver's
// keys begin with "STD", the raster graphic driver's with "GDI".
enum class DriverMode : int32_t { Standard = 0, Graphic = 1 };

// The model's driver section for a family: the model name followed by ".98",
// ".NT", ".2K", ".XP", ".2003" or ".Vista", built in full; empty for a family
// outside 0 to 5.
std::string DriverSectionName(std::string_view modelName, OsFamily family);
// The key of the mode's set: "STD" or "GDI" followed by the rest of the name.
std::string DriverKey(DriverMode mode, std::string_view keyWithoutPrefix);

}  // namespace kv

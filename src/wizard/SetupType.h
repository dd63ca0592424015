#pragma once

#include <cstdint>

namespace kv {

// Typical installs the default driver; Advanced offers the four USB ports and
// the raster driver mode. Kept as a plain 32-bit number.
enum class SetupType : int32_t { Advanced = 0, Typical = 1 };

}  // namespace kv

#pragma once

#include <cstdint>

namespace kv {

// The read limits most configuration keys share (terminator included): driver,
// monitor and processor names are cut to 49 characters, file names to 199.
inline constexpr uint32_t kNameReadLimit = 50;
inline constexpr uint32_t kFileReadLimit = 200;

}  // namespace kv

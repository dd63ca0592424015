#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// A configuration number, converted the way atoi converts it: leading white
// space skipped, an optional sign, then decimal digits up to the first other
// character; no digits gives 0. "0x10" is 0 and "3.9" is 3. A value beyond the
// 32-bit range is held at its nearest end rather than wrapping.
int32_t ParseDecimalNumber(std::string_view text);

}  // namespace kv

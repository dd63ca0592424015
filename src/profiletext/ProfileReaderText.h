#pragma once

#include <string>
#include <string_view>

namespace kv {

// The text of a profile file from its bytes, in the program's 8-bit code page.
// A UTF-16 file (little or big endian, with its byte-order mark) is narrowed:
// characters without a single-byte form become '?', as the ANSI conversion
// makes them. A UTF-8 byte-order mark is dropped and the rest taken as it is.
// Any other file is taken byte for byte.
std::string ProfileTextFromBytes(std::string_view bytes);

}  // namespace kv

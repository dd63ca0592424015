#pragma once

#include <algorithm>
#include <string_view>

namespace kv {

// Two texts equal but for the case of ASCII letters, as Windows compares
// option names, port names and the like; other bytes compare as they are.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace kv

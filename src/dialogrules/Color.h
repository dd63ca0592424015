#pragma once

#include <cstdint>

namespace kv {

// A colour as COLORREF (0x00BBGGRR), or a system colour: kSystemColor | its
// COLOR_ index, resolved when drawn.
using Color = uint32_t;
inline constexpr Color kSystemColor = 0x80000000u;
inline constexpr Color kColorWindow = kSystemColor | 5;
inline constexpr Color kColorWindowText = kSystemColor | 8;
inline constexpr Color kColorButtonFace = kSystemColor | 15;
constexpr Color Rgb(uint8_t red, uint8_t green, uint8_t blue) {
  return red | (green << 8) | (static_cast<uint32_t>(blue) << 16);
}

// The COLORREF a colour is drawn with: itself, or the machine's system colour
// `systemColor(index)` (GetSysColor) for a system colour.
template <typename SystemColorLookup>
uint32_t ResolveColor(Color color, SystemColorLookup systemColor) {
  if ((color & kSystemColor) == 0) return color;
  return systemColor(static_cast<int>(color & ~kSystemColor));
}

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>

namespace kv::test {

// The bytes of a bitmap file of `width` x `height` pixels (negative height:
// top-down) at 24 bits: BITMAPFILEHEADER, BITMAPINFOHEADER and grey rows, each
// padded to four bytes.
inline std::string BitmapBytes(int32_t width, int32_t height) {
  auto put = [](std::string& out, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
  };
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) / 4 * 4;
  const uint32_t bitsSize = rowBytes * static_cast<uint32_t>(height < 0 ? -height : height);
  std::string file = "BM";
  put(file, 54 + bitsSize, 4);  // file size
  put(file, 0, 4);              // reserved
  put(file, 54, 4);             // offset of the bits
  put(file, 40, 4);             // biSize
  put(file, static_cast<uint32_t>(width), 4);
  put(file, static_cast<uint32_t>(height), 4);
  put(file, 1, 2);   // planes
  put(file, 24, 2);  // bit count
  put(file, 0, 4);   // BI_RGB
  put(file, bitsSize, 4);
  put(file, 2835, 4);  // 72 dpi
  put(file, 2835, 4);
  put(file, 0, 4);  // colours used
  put(file, 0, 4);  // colours important
  file.append(bitsSize, '\x7f');
  return file;
}

}  // namespace kv::test

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv::walk {

// Writes 8-bit RGB rows (top row first, 3 bytes a pixel) as a PNG file with
// stored (uncompressed) deflate blocks. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace kv::walk

#include "profiletext/ProfileReaderText.h"

namespace kv {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

std::string NarrowUtf16(std::string_view bytes, bool littleEndian) {
  std::string text;
  text.reserve(bytes.size() / 2);
  // An odd last byte is half a character and is dropped.
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    unsigned first = static_cast<unsigned char>(bytes[i]);
    unsigned second = static_cast<unsigned char>(bytes[i + 1]);
    unsigned unit = littleEndian ? (second << 8 | first) : (first << 8 | second);
    bool singleByte = unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF);
    text.push_back(singleByte ? static_cast<char>(unit) : '?');
  }
  return text;
}

}  // namespace

std::string ProfileTextFromBytes(std::string_view bytes) {
  // Windows itself does not know the UTF-8 mark: it takes it as part of the
  // first line, so that a section header there is never found. Such a file
  // is read as its editor meant it instead.
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    return std::string(bytes.substr(kUtf8Mark.size()));
  }
  if (bytes.substr(0, 2) == kUtf16LittleEndianMark) return NarrowUtf16(bytes.substr(2), true);
  if (bytes.substr(0, 2) == kUtf16BigEndianMark) return NarrowUtf16(bytes.substr(2), false);
  return std::string(bytes);
}

}  // namespace kv

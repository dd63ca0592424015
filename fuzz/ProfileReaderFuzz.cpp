// libFuzzer target for the configuration reader: any bytes are a profile file.
// The reader must neither crash nor read outside its input, and its results
// must keep the rules every caller relies on. Names to look up are taken from
// the input's own header and key lines, so that found values are exercised.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profiletext/ProfileReader.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

// Candidate section and key names: "[name]" and "name=" of the first lines.
void CollectNames(std::string_view text, std::vector<std::string_view>* sections,
                  std::vector<std::string_view>* keys) {
  constexpr size_t kMaxNames = 8;
  size_t start = 0;
  while (start < text.size() && sections->size() + keys->size() < 2 * kMaxNames) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    size_t open = line.find('[');
    size_t close = line.rfind(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open) {
      if (sections->size() < kMaxNames)
        sections->push_back(line.substr(open + 1, close - open - 1));
      continue;
    }
    size_t equals = line.find('=');
    if (keys->size() < kMaxNames) keys->push_back(line.substr(0, equals));
  }
}

void CheckRead(const kv::ProfileReader& reader, std::string_view section, std::string_view key) {
  const std::string whole = reader.Read(section, key, "0", 1u << 20);
  for (uint32_t size : {0u, 1u, 2u, 5u, 10u, 30u, 50u, 200u, 260u}) {
    const std::string cut = reader.Read(section, key, "0", size);
    // Never more than the buffer holds, and always the start of the whole value.
    Check(size == 0 ? cut.empty() : cut.size() <= size - 1);
    Check(whole.compare(0, cut.size(), cut) == 0);
  }
  // Names ignore case.
  Check(reader.Read(UpperAscii(section), UpperAscii(key), "0", 1u << 20) == whole);
  // A value found starts without blanks and reads as itself less one pair of
  // enclosing quotes.
  if (auto raw = reader.Find(section, key)) {
    Check(raw->empty() || (raw->front() != ' ' && raw->front() != '\t'));
    Check(whole.size() == raw->size() || whole.size() + 2 == raw->size());
  } else {
    Check(whole == "0");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  kv::ProfileReader reader(bytes);
  std::vector<std::string_view> sections = {"", "S", "DEVICENAME"};
  std::vector<std::string_view> keys = {"", "K", "DEVICENUMBER"};
  CollectNames(bytes, &sections, &keys);
  for (std::string_view section : sections) {
    for (std::string_view key : keys) CheckRead(reader, section, key);
  }
  // A moved reader still points at its own text.
  kv::ProfileReader moved = std::move(reader);
  for (std::string_view section : sections) {
    for (std::string_view key : keys) CheckRead(moved, section, key);
  }
  return 0;
}

// libFuzzer target for the configuration reader: any bytes are a profile file.
// The reader must neither crash nor read outside its input, its results must
// keep the rules every caller relies on, and every value it finds must be the
// one a plain scan of the whole text finds (the reader finds its sections
// first and parses their keys on demand). Names to look up are taken from the
// input's own header and key lines, so that found values are exercised.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profiletext/ProfileReader.h"
#include "profiletext/ProfileReaderText.h"

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

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view UpToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// The value of a key as a line-by-line scan of the whole text reads it: the
// first section of the name, in it the first line of the key's name; none for
// a line without '='.
std::optional<std::string_view> ScanForValue(std::string_view text, std::string_view section,
                                             std::string_view key) {
  const kv::ProfileNameEqual equal;
  section = Trim(UpToZero(section));
  key = Trim(UpToZero(key));
  bool inSection = section.empty();  // lines before the first header
  bool sectionSeen = inSection;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(start, end - start));
    start = end + 1;
    if (line.empty()) continue;
    const size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos) {
      const std::string_view name = UpToZero(Trim(line.substr(1, close - 1)));
      inSection = !sectionSeen && equal(name, section);
      sectionSeen |= inSection;
      continue;
    }
    if (!inSection) continue;
    const size_t equals = line.find('=');
    const std::string_view name = UpToZero(Trim(line.substr(0, equals)));
    if (!equal(name, key)) continue;
    if (equals == std::string_view::npos) return std::nullopt;
    return UpToZero(Trim(line.substr(equals + 1)));
  }
  return std::nullopt;
}

void CheckRead(const kv::ProfileReader& reader, std::string_view text, std::string_view section,
               std::string_view key) {
  Check(reader.Find(section, key) == ScanForValue(text, section, key));
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

// Every key the reader lists for a section is found as the scan finds it,
// and no two listed names are equal.
void CheckKeyNames(const kv::ProfileReader& reader, std::string_view text,
                   std::string_view section) {
  const std::vector<std::string_view> names = reader.KeyNames(section);
  for (size_t i = 0; i < names.size(); ++i) {
    Check(reader.Find(section, names[i]) == ScanForValue(text, section, names[i]));
    for (size_t j = i + 1; j < names.size(); ++j)
      Check(!kv::ProfileNameEqual()(names[i], names[j]));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = kv::ProfileTextFromBytes(bytes);
  kv::ProfileReader reader{std::string(bytes)};
  std::vector<std::string_view> sections = {"", "S", "DEVICENAME"};
  std::vector<std::string_view> keys = {"", "K", "DEVICENUMBER"};
  CollectNames(bytes, &sections, &keys);
  // Sections are parsed at their first request: the last ones first here,
  // then all again in file order from a moved reader.
  for (size_t i = sections.size(); i-- > 0;) {
    for (std::string_view key : keys) CheckRead(reader, text, sections[i], key);
  }
  kv::ProfileReader moved = std::move(reader);
  for (std::string_view section : sections) {
    for (std::string_view key : keys) CheckRead(moved, text, section, key);
    CheckKeyNames(moved, text, section);
  }
  return 0;
}

#include "profiletext/ProfileReader.h"

#include <cstring>
#include <utility>

#include "profiletext/ProfileReaderText.h"

namespace kv {
namespace {

char FoldCase(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The blanks the profile functions trim: white space and the end-of-file mark
// (Ctrl+Z) that old editors leave at the end of a file.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

// The profile functions handle names and values as zero-terminated strings:
// whatever follows a zero byte is not seen.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// A requested name as the profile functions compare it.
std::string_view RequestedName(std::string_view name) {
  return TrimProfileBlanks(UpToZero(name));
}

std::string CutToBuffer(std::string_view text, uint32_t bufferChars) {
  if (bufferChars == 0) return {};
  return std::string(text.substr(0, bufferChars - 1));
}

// Line ends: CR, LF or any run of them.
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}

// Where the line holding `from` ends: its first CR or LF, or the end of text.
size_t LineEnd(std::string_view text, size_t from) {
  while (from < text.size() && !IsLineEnd(text[from])) ++from;
  return from;
}

// A section header line: '[' first on the line and its last ']'.
struct HeaderLine {
  size_t start = std::string_view::npos;  // where the line begins; npos: none
  size_t end = 0;                         // its CR or LF, or the end of text
  std::string_view name;
  explicit operator bool() const { return start != std::string_view::npos; }
};

// The first '[' at or after `from`, or the end of the text. This is the one
// scan over every byte of a file, so it tests a word of bytes at a time: the
// C library's memchr is a byte loop on some systems (Wine's msvcrt).
size_t FindBracket(std::string_view text, size_t from) {
  constexpr size_t kOnes = ~size_t{0} / 0xFF;  // 0x01 in every byte
  constexpr size_t kHighBits = kOnes << 7;
  constexpr size_t kBrackets = kOnes * static_cast<unsigned char>('[');
  // Nonzero when a byte of the word is '[': that byte of x is zero.
  auto hasBracket = [](size_t word) {
    const size_t x = word ^ kBrackets;
    return (x - kOnes) & ~x & kHighBits;
  };
  const char* data = text.data();
  size_t at = from;
  constexpr size_t kStep = 2 * sizeof(size_t);
  while (text.size() - at >= kStep) {
    size_t first = 0;
    size_t second = 0;
    std::memcpy(&first, data + at, sizeof first);
    std::memcpy(&second, data + at + sizeof first, sizeof second);
    if (hasBracket(first) | hasBracket(second)) break;
    at += kStep;
  }
  while (at < text.size() && data[at] != '[') ++at;
  return at;
}

// The first header line at or after `from`, the start of a line. Only the
// '[' characters are visited; each line holding one is looked at once.
HeaderLine FindHeaderLine(std::string_view text, size_t from) {
  while (from < text.size()) {
    const size_t open = FindBracket(text, from);
    if (open == text.size()) break;
    size_t start = open;
    while (start > from && IsBlank(text[start - 1]) && !IsLineEnd(text[start - 1])) --start;
    const size_t end = LineEnd(text, open);
    if (start == from || IsLineEnd(text[start - 1])) {
      // Without its ']' the line is a key line.
      if (const auto name = ProfileHeaderName(text.substr(open, end - open))) {
        return HeaderLine{start, end, *name};
      }
    }
    from = end + 1;
  }
  return {};
}

}  // namespace

std::string_view TrimProfileBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::string_view> ProfileHeaderName(std::string_view line) {
  line = TrimProfileBlanks(line);
  const size_t close = line.rfind(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos) return std::nullopt;
  return UpToZero(TrimProfileBlanks(line.substr(1, close - 1)));
}

size_t ProfileNameHash::operator()(std::string_view name) const noexcept {
  // FNV-1a over the folded characters.
  size_t hash = 2166136261u;
  for (char c : name) {
    hash ^= static_cast<unsigned char>(FoldCase(c));
    hash *= 16777619u;
  }
  return hash;
}

bool ProfileNameEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

ProfileReader::ProfileReader() : text_(std::make_unique<const std::string>()) {}

ProfileReader::ProfileReader(std::string fileBytes)
    : text_(std::make_unique<const std::string>(ProfileTextFromBytes(std::move(fileBytes)))) {
  IndexSections();
}

void ProfileReader::IndexSections() {
  const std::string_view text = *text_;
  // Lines before the first section header belong to a section without name.
  Section* current = &sections_[std::string_view()];
  size_t linesStart = 0;
  size_t position = 0;
  for (;;) {
    const HeaderLine header = FindHeaderLine(text, position);
    const size_t linesEnd = header ? header.start : text.size();
    if (current) current->lines = text.substr(linesStart, linesEnd - linesStart);
    if (!header) break;
    // A section named again is ignored with all its keys, yet its header
    // still ends the section before it.
    auto [at, added] = sections_.try_emplace(header.name);
    current = added ? &at->second : nullptr;
    linesStart = header.end;
    position = header.end + 1;
  }
}

ProfileReader::Keys ProfileReader::ParseKeys(std::string_view lines) {
  Keys keys;
  keys.reserve(32);  // a driver section holds 27 keys
  size_t position = 0;
  while (position < lines.size()) {
    const size_t end = LineEnd(lines, position);
    const std::string_view line = TrimProfileBlanks(lines.substr(position, end - position));
    position = end + 1;
    if (line.empty()) continue;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      // A line without '=' has no value, yet it hides a later key line of
      // the same name.
      keys.try_emplace(UpToZero(line), std::nullopt);
      continue;
    }
    const std::string_view name = UpToZero(TrimProfileBlanks(line.substr(0, equals)));
    const std::string_view value = UpToZero(TrimProfileBlanks(line.substr(equals + 1)));
    keys.try_emplace(name, value);  // the first of equal keys wins
  }
  return keys;
}

const ProfileReader::Keys* ProfileReader::SectionKeys(std::string_view section) const {
  auto at = sections_.find(RequestedName(section));
  if (at == sections_.end()) return nullptr;
  const Section& found = at->second;
  if (!found.keys) found.keys = ParseKeys(found.lines);
  return &*found.keys;
}

std::optional<std::string_view> ProfileReader::Find(std::string_view section,
                                                    std::string_view key) const {
  const Keys* keys = SectionKeys(section);
  if (!keys) return std::nullopt;
  auto keyAt = keys->find(RequestedName(key));
  if (keyAt == keys->end()) return std::nullopt;
  return keyAt->second;  // none for a line without '='
}

std::vector<std::string_view> ProfileReader::KeyNames(std::string_view section) const {
  std::vector<std::string_view> names;
  if (const Keys* keys = SectionKeys(section)) {
    names.reserve(keys->size());
    for (const auto& key : *keys) names.push_back(key.first);
  }
  return names;
}

std::string ProfileReader::Read(std::string_view section, std::string_view key,
                                std::string_view defaultValue, uint32_t bufferChars) const {
  std::optional<std::string_view> value = Find(section, key);
  if (!value) {
    std::string_view fallback = UpToZero(defaultValue);
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    value = fallback;  // then taken like a value found in the file
  }
  std::string_view text = *value;
  // One pair of equal quotes comes off first, then the rest is cut to the
  // buffer. (Wine drops one character too many when the unquoted value is
  // exactly one character shorter than the buffer.)
  if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return CutToBuffer(text, bufferChars);
}

}  // namespace kv

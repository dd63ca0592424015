#include "profiletext/ProfileReader.h"

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

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The profile functions handle names and values as zero-terminated strings:
// whatever follows a zero byte is not seen.
std::string_view UpToZero(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// A requested name as the profile functions compare it.
std::string_view RequestedName(std::string_view name) {
  return Trim(UpToZero(name));
}

std::string CutToBuffer(std::string_view text, uint32_t bufferChars) {
  if (bufferChars == 0) return {};
  return std::string(text.substr(0, bufferChars - 1));
}

}  // namespace

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

ProfileReader::ProfileReader(std::string_view fileBytes)
    : text_(std::make_unique<const std::string>(ProfileTextFromBytes(fileBytes))) {
  Parse();
}

void ProfileReader::Parse() {
  const std::string_view text = *text_;
  // Lines before the first section header belong to a section without name.
  Keys* keys = &sections_[std::string_view()];
  size_t position = 0;
  while (position < text.size()) {
    size_t end = text.find_first_of("\r\n", position);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trim(text.substr(position, end - position));
    position = end + 1;
    if (line.empty()) continue;

    if (line.front() == '[') {
      size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        std::string_view name = UpToZero(Trim(line.substr(1, close - 1)));
        // A section named again is ignored with all its keys.
        auto [at, added] = sections_.try_emplace(name);
        keys = added ? &at->second : nullptr;
        if (keys) keys->reserve(32);  // a driver section holds 27 keys
        continue;
      }
      // Without its ']' the line is read as a key line.
    }
    if (!keys) continue;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      // A line without '=' has no value, yet it hides a later key line of
      // the same name.
      keys->try_emplace(UpToZero(line), std::nullopt);
      continue;
    }
    std::string_view name = UpToZero(Trim(line.substr(0, equals)));
    std::string_view value = UpToZero(Trim(line.substr(equals + 1)));
    keys->try_emplace(name, value);  // the first of equal keys wins
  }
}

std::optional<std::string_view> ProfileReader::Find(std::string_view section,
                                                    std::string_view key) const {
  auto sectionAt = sections_.find(RequestedName(section));
  if (sectionAt == sections_.end()) return std::nullopt;
  auto keyAt = sectionAt->second.find(RequestedName(key));
  if (keyAt == sectionAt->second.end()) return std::nullopt;
  return keyAt->second;  // none for a line without '=
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

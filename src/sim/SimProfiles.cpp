#include "sim/SimProfiles.h"

#include <optional>
#include <vector>

#include "platform/Errors.h"
#include "profiletext/ProfileReader.h"
#include "profiletext/ProfileReaderText.h"
#include "sim/PathKey.h"

namespace kv::sim {
namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return lines;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

}  // namespace

std::string SimProfiles::ResolvePath(std::string_view path) const {
  // A bare file name is one in the Windows directory; any other path
  // resolves as file paths do.
  if (path.find_first_of("\\/") != std::string_view::npos) return files_.FullPath(path);
  return files_.windowsDirectory() + "\\" + std::string(path);
}

std::string SimProfiles::GetPrivateString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue, uint32_t bufferChars,
                                          std::string_view path) {
  // The configuration reader models GetPrivateProfileStringA, and the Wine
  // comparison holds it to the real function; the simulated machine reads
  // the same way rather than keeping a second model.
  const std::string fullPath = ResolvePath(path);
  const SimFile* file = files_.Find(fullPath);
  if (!file) return ProfileReader().Read(section, key, defaultValue, bufferChars);
  auto [at, added] = parsed_.try_emplace(PathKey(fullPath));
  ParsedFile& parsed = at->second;
  if (added || parsed.bytes != file->bytes) {
    parsed.bytes = file->bytes;
    parsed.reader = ProfileReader(file->bytes);
  }
  return parsed.reader.Read(section, key, defaultValue, bufferChars);
}

uint32_t SimProfiles::WritePrivateString(std::string_view section, std::string_view key,
                                         std::string_view value, std::string_view path) {
  if (uint32_t e = faults_.Check(Call::WritePrivateProfileString)) return e;
  std::string fullPath = ResolvePath(path);
  SimFile* file = files_.Find(fullPath);
  if (!file) {
    if (!files_.DirectoryExists(ParentPath(fullPath))) return kErrorPathNotFound;
    file = &files_.AddFile(fullPath);
  }
  const std::string oldText = ProfileTextFromBytes(file->bytes);
  std::vector<std::string> lines;
  for (std::string_view line : SplitLines(oldText)) lines.emplace_back(line);
  std::string entry = std::string(key) + "=" + std::string(value);
  bool inSection = false;
  size_t insertAt = lines.size();
  bool found = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (auto name = SectionName(lines[i])) {
      if (inSection) break;
      inSection = EqualsIgnoreCase(*name, section);
      if (inSection) insertAt = i + 1;
      continue;
    }
    if (!inSection) continue;
    if (!Trim(lines[i]).empty()) insertAt = i + 1;
    size_t equals = lines[i].find('=');
    if (equals != std::string::npos && EqualsIgnoreCase(Trim(lines[i].substr(0, equals)), key)) {
      lines[i] = entry;
      found = true;
      break;
    }
  }
  if (!found) {
    // The walk stops inside the section whenever the file has it.
    if (!inSection) {
      lines.push_back("[" + std::string(section) + "]");
      insertAt = lines.size();
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  }
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  file->bytes = std::move(text);
  return kErrorSuccess;
}

std::string SimProfiles::GetProfileString(std::string_view section, std::string_view key,
                                          std::string_view defaultValue, uint32_t bufferChars) {
  return GetPrivateString(section, key, defaultValue, bufferChars, "win.ini");
}

uint32_t SimProfiles::WriteProfileString(std::string_view section, std::string_view key,
                                         std::string_view value) {
  if (uint32_t e = faults_.Check(Call::WriteProfileString)) return e;
  return WritePrivateString(section, key, value, "win.ini");
}

uint32_t SimProfiles::FlushProfile() {
  if (uint32_t e = faults_.Check(Call::WriteProfileString)) return e;
  ++flushes_;
  return kErrorSuccess;
}

}  // namespace kv::sim

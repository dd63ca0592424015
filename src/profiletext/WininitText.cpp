#include "profiletext/WininitText.h"

#include <vector>

#include "profiletext/ProfileReader.h"

namespace kv {
namespace {

constexpr std::string_view kBlanks = " \t\v\f\x1A";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

struct Line {
  std::string_view text;  // without its line end
  size_t end = 0;         // offset just past its line end
};

std::vector<Line> SplitLines(std::string_view text) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) stop = text.size();
    size_t next = stop;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    lines.push_back({text.substr(start, stop - start), next});
    start = next;
  }
  return lines;
}

// The section a header line opens, as the profile functions read headers.
bool IsHeader(std::string_view line, std::string_view* name) {
  line = Trimmed(line);
  const size_t close = line.rfind(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos) return false;
  *name = Trimmed(line.substr(1, close - 1));
  return true;
}

}  // namespace

std::string WithPendingRemoval(std::string_view wininit, std::string_view shortPath) {
  const std::string entry = "NUL=" + std::string(shortPath);
  const ProfileNameEqual sameName;
  const std::vector<Line> lines = SplitLines(wininit);
  bool inRename = false;
  // Offset after the last non-blank line of the [rename] section.
  size_t insertAt = std::string_view::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view section;
    if (IsHeader(lines[i].text, &section)) {
      if (inRename) break;  // a later [rename] is ignored, as a repeated section is
      inRename = sameName(section, "rename");
      if (inRename) insertAt = lines[i].end;
      continue;
    }
    if (!inRename || Trimmed(lines[i].text).empty()) continue;
    insertAt = lines[i].end;
    const std::string_view line = Trimmed(lines[i].text);
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos && sameName(Trimmed(line.substr(0, equals)), "NUL") &&
        sameName(Trimmed(line.substr(equals + 1)), shortPath)) {
      return std::string(wininit);
    }
  }

  std::string result(wininit);
  const bool endsLine = result.empty() || result.back() == '\n' || result.back() == '\r';
  if (insertAt == std::string_view::npos) {
    if (!endsLine) result += "\r\n";
    result += "[rename]\r\n" + entry + "\r\n";
    return result;
  }
  // The section's last line may be the text's last, without a line end.
  if (insertAt == result.size() && !endsLine) {
    result += "\r\n" + entry + "\r\n";
  } else {
    result.insert(insertAt, entry + "\r\n");
  }
  return result;
}

}  // namespace kv

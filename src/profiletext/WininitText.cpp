#include "profiletext/WininitText.h"

#include <vector>

#include "profiletext/ProfileReader.h"

namespace kv {
namespace {

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

}  // namespace

std::string WithPendingRemoval(std::string_view wininit, std::string_view shortPath) {
  const std::string entry = "NUL=" + std::string(shortPath);
  const ProfileNameEqual sameName;
  const std::vector<Line> lines = SplitLines(wininit);
  bool inRename = false;
  // Offset after the last non-blank line of the [rename] section.
  size_t insertAt = std::string_view::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (const auto section = ProfileHeaderName(lines[i].text)) {
      if (inRename) break;  // a later [rename] is ignored, as a repeated section is
      inRename = sameName(*section, "rename");
      if (inRename) insertAt = lines[i].end;
      continue;
    }
    if (!inRename || TrimProfileBlanks(lines[i].text).empty()) continue;
    insertAt = lines[i].end;
    const std::string_view line = TrimProfileBlanks(lines[i].text);
    const size_t equals = line.find('=');
    if (equals != std::string_view::npos &&
        sameName(TrimProfileBlanks(line.substr(0, equals)), "NUL") &&
        sameName(TrimProfileBlanks(line.substr(equals + 1)), shortPath)) {
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

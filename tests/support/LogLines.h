#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "sim/SimFiles.h"

namespace kv::test {

// The texts of a deployment log's lines (the third field), each line's time
// stamp and program field checked on the way: `program` and the version the
// simulated program file carries ("0.0.0.0" unless the test gave it one).
inline std::vector<std::string> LogTexts(const sim::SimFiles& files, const std::string& path,
                                         const std::string& programAndVersion) {
  std::vector<std::string> texts;
  const sim::SimFile* log = files.Find(path);
  if (!log) return texts;
  const std::regex line(R"((\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3})\t([^\t]*)\t(.*))");
  std::string_view rest = log->bytes;
  while (!rest.empty()) {
    const size_t end = rest.find("\r\n");
    EXPECT_NE(end, std::string_view::npos) << "lines end in CR LF";
    const std::string text(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 2);
    std::smatch parts;
    if (!std::regex_match(text, parts, line)) {
      ADD_FAILURE() << "not a log line: " << text;
      continue;
    }
    EXPECT_EQ(parts[2], programAndVersion) << text;
    texts.push_back(parts[3]);
  }
  return texts;
}

}  // namespace kv::test

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "common/SetupStrings.h"
#include "common/UninstallStrings.h"

namespace kv {
namespace {

// The generated resource table read back the way the resource compiler reads
// it: "" is a quote and \n a line break.
std::map<int, std::string> ReadResourceTable(const std::string& name) {
  std::ifstream file(std::string(KV_GENERATED_DIR) + "/" + name);
  EXPECT_TRUE(file) << name;
  std::map<int, std::string> table;
  const std::regex entry(R"re(^  ([0-9]+), "(.*)"$)re");
  std::string line;
  while (std::getline(file, line)) {
    std::smatch match;
    if (!std::regex_match(line, match, entry)) continue;
    std::string text;
    const std::string raw = match[2];
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '"' && i + 1 < raw.size() && raw[i + 1] == '"') {
        text += '"';
        ++i;
      } else if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'n') {
        text += '\n';
        ++i;
      } else {
        text += raw[i];
      }
    }
    table[std::stoi(match[1])] = text;
  }
  return table;
}

TEST(StringTablesTest, ResourceTablesHoldTheCodesTextsAndNoOthers) {
  struct Program {
    std::string resource;
    std::string_view (*lookup)(int);
    size_t count;
  };
  for (const Program& program : {Program{"SetupStrings.rc", SetupString, 38},
                                 Program{"UninstallStrings.rc", UninstallString, 26}}) {
    const auto table = ReadResourceTable(program.resource);
    EXPECT_EQ(table.size(), program.count) << program.resource;
    for (const auto& [id, text] : table) EXPECT_EQ(program.lookup(id), text) << id;
    for (int id = 0; id < 200; ++id) {
      if (!table.contains(id)) {
        EXPECT_TRUE(program.lookup(id).empty()) << id;
      }
    }
  }
}

TEST(StringTablesTest, TextsKeepQuotesLineBreaksAndSpelling) {
  EXPECT_EQ(SetupString(setup_text::kPressF1), "Press \"F1\" for help");
  EXPECT_EQ(SetupString(setup_text::kDriverInstalledRepower),
            "Successfully installed printer driver\nPlease repower the printer");
  EXPECT_EQ(SetupString(setup_text::kServer2003NotSupported),
            "This printer not support WINDOWS SEVER 2003");
  EXPECT_EQ(SetupString(setup_text::kPortFull),
            "Maximum count of printers using the same port has been reached");
  EXPECT_EQ(UninstallString(uninstall_text::kAbout), "About Uninstall(&A)...");
  EXPECT_EQ(UninstallString(uninstall_text::kDeleteJobsFirst),
            "Please delete jobs in printer %s first.");
}

}  // namespace
}  // namespace kv

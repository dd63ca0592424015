#include "profiletext/WininitText.h"

#include <gtest/gtest.h>

#include <string>

namespace kv {
namespace {

struct WininitCase {
  const char* name;
  std::string before;
  std::string after;
};

class WininitTextTest : public ::testing::TestWithParam<WininitCase> {};

TEST_P(WininitTextTest, AddsTheRemovalAndKeepsEveryLine) {
  EXPECT_EQ(WithPendingRemoval(GetParam().before, "C:\\WINDOWS\\SYSTEM\\KVCOMMON.DLL"),
            GetParam().after);
}

const std::string kLine = "NUL=C:\\WINDOWS\\SYSTEM\\KVCOMMON.DLL\r\n";

INSTANTIATE_TEST_SUITE_P(
    Texts, WininitTextTest,
    ::testing::Values(
        WininitCase{"NoFile", "", "[rename]\r\n" + kLine},
        WininitCase{"OtherSectionOnly", "[CombineVxDs]\r\nx=1\r\n",
                    "[CombineVxDs]\r\nx=1\r\n[rename]\r\n" + kLine},
        WininitCase{"OtherSectionWithoutLastLineEnd", "[CombineVxDs]\r\nx=1",
                    "[CombineVxDs]\r\nx=1\r\n[rename]\r\n" + kLine},
        // Keys repeat in this section; the profile functions would replace the first.
        WininitCase{"RenameSectionKeepsItsLinesAndTheNextSection",
                    "[rename]\r\nNUL=C:\\TEMP\\A.TMP\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\n\r\n"
                    "[CombineVxDs]\r\nx=1\r\n",
                    "[rename]\r\nNUL=C:\\TEMP\\A.TMP\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\n" + kLine +
                        "\r\n[CombineVxDs]\r\nx=1\r\n"},
        WininitCase{"HeaderNamedInOtherCaseAndBlanks", "  [ Rename ]\nNUL=C:\\TEMP\\A.TMP\n",
                    "  [ Rename ]\nNUL=C:\\TEMP\\A.TMP\n" + kLine},
        WininitCase{"EmptyRenameSectionAtTheEnd", "[rename]", "[rename]\r\n" + kLine},
        WininitCase{"RenameLastLineWithoutLineEnd", "[rename]\r\nNUL=C:\\TEMP\\A.TMP",
                    "[rename]\r\nNUL=C:\\TEMP\\A.TMP\r\n" + kLine},
        WininitCase{"LineThereAlready", "[rename]\r\n nul = c:\\windows\\system\\kvcommon.dll\r\n",
                    "[rename]\r\n nul = c:\\windows\\system\\kvcommon.dll\r\n"},
        // A name that only begins like the section's, and a line of another
        // section that names the file: neither counts.
        WininitCase{"SimilarNames", "[renamed]\r\n" + kLine,
                    "[renamed]\r\n" + kLine + "[rename]\r\n" + kLine}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv

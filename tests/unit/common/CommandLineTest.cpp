#include "common/CommandLine.h"

#include <gtest/gtest.h>

#include "common/UninstallStrings.h"

namespace kv {
namespace {

using Arguments = std::vector<std::string>;

TEST(SplitCommandLineTest, FollowsWindowsRules) {
  struct Case {
    const char* line;
    Arguments expected;
  };
  const Case cases[] = {
      {"", {}},
      {" \t ", {}},
      {"/S /ALL", {"/S", "/ALL"}},
      {"  /S\t\t/ALL  ", {"/S", "/ALL"}},
      {R"(/ITEM="Korvant QTM-200 (U) 1")", {"/ITEM=Korvant QTM-200 (U) 1"}},
      {R"("/LOG=C:\My logs\run.log" /S)", {R"(/LOG=C:\My logs\run.log)", "/S"}},
      {R"(/LOG="C:\Program Files\x.log")", {R"(/LOG=C:\Program Files\x.log)"}},
      // Backslashes are literal unless a quote follows them.
      {R"(/LOG=C:\logs\ /S)", {R"(/LOG=C:\logs\)", "/S"}},
      {R"(a\\\\"b c" d)", {R"(a\\b c)", "d"}},
      {R"(a\"b)", {R"(a"b)"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      // Two quotes inside a quoted part: one literal quote.
      {R"("a""b" c)", {R"(a"b)", "c"}},
      {R"("")", {""}},
      // An unclosed quote runs to the end.
      {R"(/ITEM="Label (S))", {"/ITEM=Label (S)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

constexpr OptionRule kRules[] = {
    {"S"},
    {"LOG", OptionValue::kRequired},
    {"ITEM", OptionValue::kRequired, true},
    {"?"},
};

std::string Options(const CommandLine& read) {
  std::string shown;
  for (const auto& option : read.options) {
    shown += "[" + option.name + (option.hasValue ? "=" + option.value : "") + "]";
  }
  return shown;
}

TEST(ReadCommandLineTest, OptionsInOrderOrTheFirstRefusal) {
  struct Case {
    const char* line;
    const char* options;
    const char* refusal;
  };
  const Case cases[] = {
      {"/S /LOG=a.log", "[S][LOG=a.log]", ""},
      {"-s -log:a.log", "[S][LOG=a.log]", ""},
      {"/s /Log=C:\\x.log", "[S][LOG=C:\\x.log]", ""},
      // The first = or : separates, so a value may hold either.
      {"/LOG:C:\\x=y.log", "[LOG=C:\\x=y.log]", ""},
      {"/ITEM=a /ITEM:b /item=\"c d\"", "[ITEM=a][ITEM=b][ITEM=c d]", ""},
      {"/?", "[?]", ""},
      {"/X /S", "[S]", "Unknown option: /X"},
      {"/SILENT", "", "Unknown option: /SILENT"},
      {"/LOG", "", "The option /LOG needs a value."},
      {"/LOG=", "", "The option /LOG= needs a value."},
      {"/S=yes", "", "The option /S=yes takes no value."},
      {"/S:", "", "The option /S: takes no value."},
      {"S", "", "Not an option: S (options begin with / or -)"},
      {"/", "", "Not an option: / (options begin with / or -)"},
      {"\"\"", "", "Not an option:  (options begin with / or -)"},
      {"/LOG=a /log=b", "[LOG=a]", "The option /LOG is given more than once."},
      // Only the first refusal is given; the good options are all listed.
      {"/X /Y /S", "[S]", "Unknown option: /X"},
  };
  for (const Case& c : cases) {
    const CommandLine read = ReadCommandLine(c.line, kRules, UninstallString);
    EXPECT_EQ(Options(read), c.options) << c.line;
    EXPECT_EQ(read.refusal, c.refusal) << c.line;
    EXPECT_EQ(read.refused(), *c.refusal != '\0') << c.line;
  }
}

TEST(ReadCommandLineTest, ValuesAreReadByTheRulesName) {
  const CommandLine read =
      ReadCommandLine("/item=a /S /ITEM=b /log=x /LOG=y", kRules, UninstallString);
  EXPECT_TRUE(read.Has("S"));
  EXPECT_FALSE(read.Has("?"));
  EXPECT_EQ(read.Values("ITEM"), (Arguments{"a", "b"}));
  EXPECT_EQ(read.Value("LOG"), "x") << "the repeated /LOG was refused, not kept";
  EXPECT_EQ(read.Value("?"), "");
}

}  // namespace
}  // namespace kv

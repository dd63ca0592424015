#include <gtest/gtest.h>

#include <string>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

constexpr const char* kIni =
    "[Setup]\r\n"
    "  Spaced Key  =  value with blanks  \r\n"
    "Quoted=\"quoted value\"\r\n"
    "Single='single'\r\n"
    "Unbalanced=\"open'\r\n"
    "Equals=a=b\r\n"
    "Empty=\r\n"
    "Long=abcdefghij\r\n"
    "Comment=value ; not a comment\r\n"
    "Twice=first\r\n"
    "Twice=second\r\n"
    "[  Other Section  ]\r\n"
    "Key=other\r\n";

class ProfilesContract : public ::testing::Test {
 protected:
  void SetUp() override { ArrangeFile(path, kIni); }

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view fallback = "default", uint32_t chars = 200) {
    return profiles.GetPrivateString(section, key, fallback, chars, path);
  }

  Profiles& profiles = ContractMachine().profiles;
  std::string dir = NewScratchDirectory();
  std::string path = dir + "\\setup.ini";
};

TEST_F(ProfilesContract, NamesIgnoreCaseAndBlanksAreTrimmed) {
  EXPECT_EQ(Read("SETUP", "spaced key"), "value with blanks");
  EXPECT_EQ(Read("other section", "KEY"), "other");
  EXPECT_EQ(Read("setup", "equals"), "a=b");  // everything after the first '='
  EXPECT_EQ(Read("setup", "comment"), "value ; not a comment");
  EXPECT_EQ(Read("setup", "twice"), "first");
}

TEST_F(ProfilesContract, OnePairOfMatchingQuotesIsRemoved) {
  EXPECT_EQ(Read("Setup", "Quoted"), "quoted value");
  EXPECT_EQ(Read("Setup", "Single"), "single");
  EXPECT_EQ(Read("Setup", "Unbalanced"), "\"open'");
}

TEST_F(ProfilesContract, MissingEntriesGiveTheDefault) {
  EXPECT_EQ(Read("Setup", "Missing"), "default");
  EXPECT_EQ(Read("Missing", "Quoted"), "default");
  EXPECT_EQ(profiles.GetPrivateString("Setup", "Quoted", "default", 200, dir + "\\none.ini"),
            "default");
  EXPECT_EQ(Read("Setup", "Missing", "0  "), "0");  // trailing blanks of the default go
  EXPECT_EQ(Read("Setup", "Empty"), "");            // present but empty is not missing
}

TEST_F(ProfilesContract, ResultIsCutToTheBufferLessOne) {
  EXPECT_EQ(Read("Setup", "Long", "default", 5), "abcd");
  EXPECT_EQ(Read("Setup", "Long", "default", 11), "abcdefghij");
  EXPECT_EQ(Read("Setup", "Missing", "defaultvalue", 4), "def");
}

TEST_F(ProfilesContract, WrittenValuesReadBack) {
  ASSERT_EQ(profiles.WritePrivateString("New Section", "Port", "KVCOM1:", path), 0u);
  ASSERT_EQ(profiles.WritePrivateString("setup", "long", "short", path), 0u);
  EXPECT_EQ(Read("new section", "port"), "KVCOM1:");
  EXPECT_EQ(Read("Setup", "Long"), "short");
  EXPECT_EQ(Read("Setup", "Quoted"), "quoted value");
}

TEST_F(ProfilesContract, FlushKeepsWhatWasWrittenAndAddsNoEmptySection) {
  ASSERT_EQ(profiles.WriteProfileString("KvContract", "COM9:", "9600,n,8,1,p"), 0u);
  profiles.FlushProfile();  // Wine answers FALSE, Windows TRUE: the result is not used
  EXPECT_EQ(profiles.GetProfileString("KvContract", "COM9:", "", 100), "9600,n,8,1,p");
  Files& files = ContractMachine().files;
  std::string windows;
  std::string winIni;
  ASSERT_EQ(files.GetWindowsDirectory(&windows), 0u);
  ASSERT_EQ(files.ReadWholeFile(windows + "\\win.ini", &winIni), 0u);
  EXPECT_NE(winIni.find("COM9:=9600,n,8,1,p"), std::string::npos);
  EXPECT_EQ(winIni.find("[]"), std::string::npos);
  EXPECT_EQ(winIni.find("\r\n=\r\n"), std::string::npos);
}

}  // namespace
}  // namespace kv::contract

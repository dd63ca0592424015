#include "profiletext/ProfileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kv {
namespace {

using namespace std::string_literals;

std::string Read(std::string_view file, std::string_view section, std::string_view key,
                 uint32_t bufferChars = 200) {
  return ProfileReader(file).Read(section, key, "0", bufferChars);
}

TEST(ProfileReaderTest, NamesIgnoreCaseAndSurroundingBlanks) {
  const std::string file = "[Sec Tion]\r\nKey Name=v\r\n";
  EXPECT_EQ(Read(file, "SEC TION", "key name"), "v");
  EXPECT_EQ(Read(file, "  sec tion\t", " KEY NAME "), "v");
  EXPECT_EQ(Read(file, "Sec  Tion", "Key Name"), "0") << "inner blanks count";
  EXPECT_EQ(Read("[  S\t]\r\nK=v\r\n", "S", "K"), "v") << "blanks inside the brackets";
  EXPECT_EQ(Read("   [S]  trailing text\r\nK=v\r\n", "S", "K"), "v");
  // The header ends at the line's last ']'.
  EXPECT_EQ(Read("[a]b]\r\nK=v\r\n", "a]b", "K"), "v");
  EXPECT_EQ(Read("[a]b]\r\nK=v\r\n", "a", "K"), "0");
  // Only ASCII letters fold: other bytes depend on the code page.
  EXPECT_EQ(Read("[\xC9]\r\nK=v\r\n", "\xE9", "K"), "0");
}

TEST(ProfileReaderTest, ValueIsEverythingAfterTheFirstEqualsTrimmed) {
  EXPECT_EQ(Read("[S]\r\n  K  =  a = b  \r\n", "S", "K"), "a = b");
  EXPECT_EQ(Read("[S]\r\n\tK\t=\tv\v\f\x1A\r\n", "S", "K"), "v");
  EXPECT_EQ(Read("[S]\r\nK=a ; b # c\r\n", "S", "K"), "a ; b # c") << "no inline comments";
  EXPECT_EQ(Read("[S]\r\nK=\r\n", "S", "K"), "");
  EXPECT_EQ(Read("[S]\r\nK=   \r\n", "S", "K"), "");
  EXPECT_EQ(Read("[S]\r\nK=caf\xE9\r\n", "S", "K"), "caf\xE9");
  // Names and values end at a zero byte, as the profile functions' strings do.
  EXPECT_EQ(Read("[S]\r\nK=ab\0cd\r\n"s, "S", "K"), "ab");
  EXPECT_EQ(Read("[S\0x]\r\nK\0y=v\r\n"s, "S", "K"), "v");
}

TEST(ProfileReaderTest, MissingFileSectionOrKeyGivesTheDefaultLessTrailingBlanks) {
  const ProfileReader missingFile;
  EXPECT_EQ(missingFile.Read("S", "K", "0", 200), "0");
  EXPECT_EQ(missingFile.Read("S", "K", "  dflt   ", 200), "  dflt");
  EXPECT_EQ(missingFile.Read("S", "K", "abcdef", 4), "abc");
  EXPECT_EQ(missingFile.Read("S", "K", "abcdef", 0), "");
  EXPECT_EQ(missingFile.Read("S", "K", "'quoted'  ", 200), "quoted") << "then read as a value";
  const ProfileReader reader("[S]\r\nK=v\r\n");
  EXPECT_EQ(reader.Read("T", "K", "0", 200), "0");
  EXPECT_EQ(reader.Read("S", "L", "0", 200), "0");
  EXPECT_FALSE(reader.Find("S", "L").has_value());
  EXPECT_EQ(ProfileReader("").Read("S", "K", "0", 200), "0");
}

TEST(ProfileReaderTest, ValueIsCutToTheBufferLessOne) {
  const std::string file = "[S]\r\nK=abcdefghij\r\n";
  EXPECT_EQ(Read(file, "S", "K", 0), "");
  EXPECT_EQ(Read(file, "S", "K", 1), "");
  EXPECT_EQ(Read(file, "S", "K", 2), "a");
  EXPECT_EQ(Read(file, "S", "K", 10), "abcdefghi");
  EXPECT_EQ(Read(file, "S", "K", 11), "abcdefghij");
  EXPECT_EQ(Read(file, "S", "K", 12), "abcdefghij");
}

TEST(ProfileReaderTest, OnePairOfEqualQuotesComesOffBeforeTheCut) {
  EXPECT_EQ(Read("[S]\r\nK=\"KP 300\"\r\n", "S", "K"), "KP 300");
  EXPECT_EQ(Read("[S]\r\nK='KP 300'\r\n", "S", "K"), "KP 300");
  EXPECT_EQ(Read("[S]\r\nK=\"  a  \"\r\n", "S", "K"), "  a  ") << "blanks inside stay";
  EXPECT_EQ(Read("[S]\r\nK=\"\"a\"\"\r\n", "S", "K"), "\"a\"") << "one pair only";
  EXPECT_EQ(Read("[S]\r\nK=\"\"\r\n", "S", "K"), "");
  EXPECT_EQ(Read("[S]\r\nK=\"\r\n", "S", "K"), "\"") << "a lone quote is no pair";
  EXPECT_EQ(Read("[S]\r\nK=\"abc'\r\n", "S", "K"), "\"abc'");
  EXPECT_EQ(Read("[S]\r\nK=x\"abc\"\r\n", "S", "K"), "x\"abc\"");
  // Cut after the quotes are gone: six characters fit a buffer of 7 (Wine
  // would give five there), five a buffer of 6, and no opening quote is kept.
  EXPECT_EQ(Read("[S]\r\nK=\"abcdef\"\r\n", "S", "K", 7), "abcdef");
  EXPECT_EQ(Read("[S]\r\nK=\"abcdef\"\r\n", "S", "K", 6), "abcde");
  EXPECT_EQ(Read("[S]\r\nK=\"abcdef\"\r\n", "S", "K", 2), "a");
  EXPECT_EQ(ProfileReader("[S]\r\nK=\"v\"\r\n").Find("S", "K"), "\"v\"");
}

TEST(ProfileReaderTest, CommentsLinesWithoutEqualsAndDuplicatesFollowTheProfileFunctions) {
  // A comment line is a key whose name starts with ';'.
  EXPECT_EQ(Read("[S]\r\n;K=c\r\nK=v\r\n", "S", "K"), "v");
  EXPECT_EQ(Read("[S]\r\n;K=c\r\n", "S", "K"), "0");
  EXPECT_EQ(Read("[S]\r\n;K=c\r\n", "S", ";K"), "c");
  EXPECT_EQ(Read("[S]\r\n#K=c\r\n", "S", "K"), "0");
  // A line without '=' is no key, yet hides a later line of its name.
  EXPECT_EQ(Read("[S]\r\nK\r\n", "S", "K"), "0");
  EXPECT_EQ(Read("[S]\r\nK\r\nK=v\r\n", "S", "K"), "0");
  EXPECT_EQ(Read("[S]\r\nKV\r\nK=v\r\n", "S", "K"), "v");
  // The first of equal keys wins, whatever their case.
  EXPECT_EQ(Read("[S]\r\nstddrivername=1\r\nSTDDRIVERNAME=2\r\n", "S", "STDDriverName"), "1");
  // A section named again is ignored, new keys included.
  const std::string twice = "[S]\r\nA=1\r\n[T]\r\nB=2\r\n[s]\r\nA=3\r\nC=4\r\n[T]\r\nD=5\r\n";
  EXPECT_EQ(Read(twice, "S", "A"), "1");
  EXPECT_EQ(Read(twice, "S", "C"), "0");
  EXPECT_EQ(Read(twice, "T", "B"), "2");
  EXPECT_EQ(Read(twice, "T", "D"), "0");
  // Keys before the first header belong to no named section.
  EXPECT_EQ(Read("K=v\r\n[S]\r\nL=w\r\n", "S", "K"), "0");
  EXPECT_EQ(Read("K=v\r\n[S]\r\nL=w\r\n", "", "K"), "v");
  // A '[' line without ']' is a key line of the section before it.
  EXPECT_EQ(Read("[S]\r\nK=1\r\n[T\r\nK=2\r\nL=3\r\n", "S", "L"), "3");
  EXPECT_EQ(Read("[S]\r\n[T=x\r\n", "S", "[T"), "x");
}

TEST(ProfileReaderTest, LineEndsBlankLinesAndLongLines) {
  for (std::string_view end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n", "\r\n\r\n"}) {
    std::string file = "[S]" + std::string(end) + "A=1" + std::string(end) + "K=v" +
                       std::string(end) + "  " + std::string(end) + "[T]" + std::string(end) +
                       "K=w";
    EXPECT_EQ(Read(file, "S", "K"), "v") << testing::PrintToString(end);
    EXPECT_EQ(Read(file, "T", "K"), "w") << testing::PrintToString(end);
  }
  const std::string huge(70000, 'w');
  const std::string file = "[S]\r\nK=" + huge + "\r\nL=after\r\n";
  EXPECT_EQ(Read(file, "S", "K"), std::string(199, 'w'));
  EXPECT_EQ(Read(file, "S", "K", 100000), huge);
  EXPECT_EQ(Read(file, "S", "L"), "after");
  const std::string longName(300, 'N');
  EXPECT_EQ(Read("[" + longName + "]\r\n" + longName + "=v\r\n", longName, longName), "v");
}

std::string Utf16(std::string_view text, bool littleEndian) {
  std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : text) {
    bytes += littleEndian ? c : '\0';
    bytes += littleEndian ? '\0' : c;
  }
  return bytes;
}

TEST(ProfileReaderTest, ByteOrderMarksAreRead) {
  EXPECT_EQ(Read("\xEF\xBB\xBF[S]\r\nK=v\r\n", "S", "K"), "v") << "header on line 1";
  EXPECT_EQ(Read("\xEF\xBB\xBF\r\n[S]\r\nK=v\r\n", "S", "K"), "v");
  for (bool littleEndian : {true, false}) {
    EXPECT_EQ(Read(Utf16("[S]\r\nK=v w\r\n", littleEndian), "s", "k"), "v w") << littleEndian;
  }
  // Without a single-byte form a character reads as '?'; Latin-1 ones stay.
  EXPECT_EQ(Read(Utf16("[S]\r\nK=a", true) + "\x3A\x26" + "\xE9\x00"s + "b"s + '\0', "S", "K"),
            "a?\xE9"
            "b");
  // An odd last byte is half a character.
  EXPECT_EQ(Read(Utf16("[S]\r\nK=v", true) + "x", "S", "K"), "v");
  EXPECT_EQ(Read("\xFF", "S", "K"), "0");
}

TEST(ProfileReaderTest, MovedReaderKeepsItsText) {
  // Short texts live inside a std::string; the reader's views must survive
  // moves all the same.
  std::vector<ProfileReader> readers;
  readers.emplace_back("[S]\nK=v");
  readers.emplace_back("[T]\nL=w");
  readers.emplace_back("[U]\nM=x");
  ProfileReader moved = std::move(readers[0]);
  EXPECT_EQ(moved.Read("S", "K", "0", 200), "v");
  EXPECT_EQ(readers[2].Read("U", "M", "0", 200), "x");
}

TEST(ProfileReaderTest, ManySectionsAndKeysAreEachFound) {
  std::string file;
  for (int i = 0; i < 2000; ++i) {
    file += "[Model" + std::to_string(i) + ".XP]\r\n";
    for (int k = 0; k < 5; ++k) {
      file += "Key" + std::to_string(k) + "=" + std::to_string(i * 10 + k) + "\r\n";
    }
  }
  const ProfileReader reader(file);
  for (int i : {0, 1, 999, 1999}) {
    for (int k : {0, 4}) {
      EXPECT_EQ(
          reader.Read("MODEL" + std::to_string(i) + ".xp", "key" + std::to_string(k), "0", 200),
          std::to_string(i * 10 + k));
    }
  }
  EXPECT_EQ(reader.Read("Model2000.XP", "Key0", "0", 200), "0");
}

}  // namespace
}  // namespace kv

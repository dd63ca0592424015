#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

constexpr const char* kBase = "Software\\KORVANT\\ContractTests";
constexpr RegHandle kNoKey = 0xdeadbeef;

// One key of the case's own, removed with its values afterwards.
class RegistryContract : public ::testing::Test {
 protected:
  Registry& registry = ContractMachine().registry;
  std::string path =
      std::string(kBase) + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
  RegHandle key = 0;

  void SetUp() override { ASSERT_EQ(registry.CreateKey(RegRoot::CurrentUser, path, &key), 0u); }
  void TearDown() override {
    if (key != 0) registry.CloseKey(key);
    registry.DeleteKey(RegRoot::CurrentUser, path);
  }
};

TEST_F(RegistryContract, KeyAndValueNamesIgnoreCase) {
  ASSERT_EQ(registry.SetValue(key, "MixedCase", kRegSz, std::string("text\0", 5)), 0u);

  std::string upperPath = path;
  for (char& c : upperPath) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  RegHandle again = kNoKey;
  ASSERT_EQ(registry.OpenKey(RegRoot::CurrentUser, upperPath, &again), 0u);
  uint32_t type = 0xdeadbeef;
  std::string data;
  EXPECT_EQ(registry.QueryValue(again, "MIXEDcase", &type, &data), 0u);
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(data, std::string("text\0", 5));  // the terminator as stored
  EXPECT_EQ(registry.CloseKey(again), 0u);

  // A second write through another spelling replaces the value, keeping the
  // name's first spelling.
  ASSERT_EQ(registry.SetValue(key, "MIXEDCASE", kRegDword, std::string("\x01\x02\x03\x04", 4)), 0u);
  std::string name;
  ASSERT_EQ(registry.EnumValue(key, 0, &name, &type), 0u);
  EXPECT_EQ(name, "MixedCase");
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(registry.EnumValue(key, 1, &name, &type), kErrorNoMoreItems);
}

TEST_F(RegistryContract, MissingValueLeavesDestinationsUntouched) {
  uint32_t type = 0xdeadbeef;
  std::string data = "sentinel";
  EXPECT_EQ(registry.QueryValue(key, "Missing", &type, &data), kErrorFileNotFound);
  EXPECT_EQ(type, 0xdeadbeefu);
  EXPECT_EQ(data, "sentinel");
  EXPECT_EQ(registry.DeleteValue(key, "Missing"), kErrorFileNotFound);
}

TEST_F(RegistryContract, MissingKeyDoesNotOpen) {
  RegHandle missing = kNoKey;
  EXPECT_EQ(registry.OpenKey(RegRoot::CurrentUser, path + "\\Missing\\Deeper", &missing),
            kErrorFileNotFound);
  EXPECT_EQ(missing, kNoKey);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\Missing"), kErrorFileNotFound);
}

TEST_F(RegistryContract, CreateMakesEveryMissingKeyAndOpensExistingOnes) {
  RegHandle deep = 0;
  ASSERT_EQ(registry.CreateKey(RegRoot::CurrentUser, path + "\\One\\Two", &deep), 0u);
  EXPECT_EQ(registry.CloseKey(deep), 0u);
  RegHandle again = 0;
  ASSERT_EQ(registry.CreateKey(RegRoot::CurrentUser, path + "\\one\\two", &again), 0u);
  EXPECT_EQ(registry.CloseKey(again), 0u);

  std::string name;
  ASSERT_EQ(registry.EnumKey(key, 0, &name), 0u);
  EXPECT_EQ(name, "One");
  EXPECT_EQ(registry.EnumKey(key, 1, &name), kErrorNoMoreItems);

  // A key with subkeys is not deleted (NT refuses; only the 9x platform
  // deletes the tree).
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\One"), kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\One\\Two"), 0u);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\One"), 0u);
  EXPECT_EQ(registry.EnumKey(key, 0, &name), kErrorNoMoreItems);
}

TEST_F(RegistryContract, ValuesKeepTheirBytesAndEnumerateToTheEnd) {
  const std::string dword("\x78\x56\x34\x12", 4);
  const std::string empty;
  ASSERT_EQ(registry.SetValue(key, "Number", kRegDword, dword), 0u);
  ASSERT_EQ(registry.SetValue(key, "Empty", kRegBinary, empty), 0u);

  uint32_t type = 0;
  std::string data;
  ASSERT_EQ(registry.QueryValue(key, "number", &type, &data), 0u);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(data, dword);
  ASSERT_EQ(registry.QueryValue(key, "empty", &type, &data), 0u);
  EXPECT_EQ(type, kRegBinary);
  EXPECT_EQ(data, "");

  std::string name;
  EXPECT_EQ(registry.EnumValue(key, 0, &name, &type), 0u);
  EXPECT_EQ(registry.EnumValue(key, 1, &name, &type), 0u);
  name = "sentinel";
  type = 0xdeadbeef;
  EXPECT_EQ(registry.EnumValue(key, 2, &name, &type), kErrorNoMoreItems);
  EXPECT_EQ(name, "sentinel");
  EXPECT_EQ(type, 0xdeadbeefu);

  EXPECT_EQ(registry.DeleteValue(key, "NUMBER"), 0u);
  EXPECT_EQ(registry.QueryValue(key, "Number", &type, &data), kErrorFileNotFound);
}

// The installation records name their keys with a trailing backslash
// ("SOFTWARE\KORVANT\PORTNAME\"); it must name the same key as without one.
TEST_F(RegistryContract, TrailingBackslashNamesTheSameKey) {
  ASSERT_EQ(registry.SetValue(key, "Marker", kRegDword, std::string("\x05\0\0\0", 4)), 0u);
  RegHandle again = kNoKey;
  ASSERT_EQ(registry.OpenKey(RegRoot::CurrentUser, path + "\\", &again), 0u);
  uint32_t type = 0;
  std::string data;
  EXPECT_EQ(registry.QueryValue(again, "Marker", &type, &data), 0u);
  EXPECT_EQ(data, std::string("\x05\0\0\0", 4));
  registry.CloseKey(again);

  RegHandle child = kNoKey;
  ASSERT_EQ(registry.CreateKey(RegRoot::CurrentUser, path + "\\Child\\", &child), 0u);
  registry.CloseKey(child);
  std::string name;
  EXPECT_EQ(registry.EnumKey(key, 0, &name), 0u);
  EXPECT_EQ(name, "Child");
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\Child"), 0u);
}

// Windows reads a run of backslashes inside a path or at its end as one; a
// path that starts with a backslash is refused with 161 (ERROR_BAD_PATHNAME),
// and the out-parameter is left alone.
TEST_F(RegistryContract, EmptyPathComponents) {
  RegHandle child = kNoKey;
  ASSERT_EQ(registry.CreateKey(RegRoot::CurrentUser, path + "\\\\Child\\\\\\Grand\\\\", &child),
            0u);
  registry.CloseKey(child);
  std::string name;
  EXPECT_EQ(registry.EnumKey(key, 0, &name), 0u);
  EXPECT_EQ(name, "Child");
  EXPECT_EQ(registry.EnumKey(key, 1, &name), kErrorNoMoreItems);
  RegHandle grand = kNoKey;
  ASSERT_EQ(registry.OpenKey(RegRoot::CurrentUser, path + "\\Child\\Grand", &grand), 0u);
  registry.CloseKey(grand);

  RegHandle untouched = kNoKey;
  EXPECT_EQ(registry.OpenKey(RegRoot::CurrentUser, "\\" + path, &untouched), kErrorBadPathname);
  EXPECT_EQ(registry.CreateKey(RegRoot::CurrentUser, "\\" + path + "\\Other", &untouched),
            kErrorBadPathname);
  EXPECT_EQ(untouched, kNoKey);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, "\\" + path + "\\Child\\Grand"),
            kErrorBadPathname);

  // NT refuses to delete a key with subkeys.
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\Child"), kErrorAccessDenied);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\\\Child\\\\Grand\\\\"), 0u);
  EXPECT_EQ(registry.DeleteKey(RegRoot::CurrentUser, path + "\\Child"), 0u);
  EXPECT_EQ(registry.OpenKey(RegRoot::CurrentUser, path + "\\Child", &untouched),
            kErrorFileNotFound);
}

}  // namespace
}  // namespace kv::contract

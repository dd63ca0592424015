#include <gtest/gtest.h>

#include <string>

#include "contract/Target.h"
#include "platform/Errors.h"

namespace kv::contract {
namespace {

class VersionsContract : public ::testing::Test {
 protected:
  Versions& versions = ContractMachine().versions;
};

TEST_F(VersionsContract, ReadsTheTranslationsAndEachOnesFileVersion) {
  const std::string path = VersionedFile();
  uint32_t size = 0;
  ASSERT_EQ(versions.GetInfoSize(path, &size), 0u);
  ASSERT_GT(size, 0u);
  std::string block;
  ASSERT_EQ(versions.GetInfo(path, size, &block), 0u);

  std::string translations;
  ASSERT_TRUE(versions.QueryValue(block, "\\VarFileInfo\\Translation", &translations));
  EXPECT_EQ(translations, std::string("\x09\x04\xe4\x04\x07\x04\xe4\x04", 8));

  std::string version;
  ASSERT_TRUE(versions.QueryValue(block, "\\StringFileInfo\\040904e4\\FileVersion", &version));
  EXPECT_EQ(version, "3.1.4.15");
  ASSERT_TRUE(versions.QueryValue(block, "\\StringFileInfo\\040704e4\\FileVersion", &version));
  EXPECT_EQ(version, "9.9.9.9");
  // A value may hold any character, control characters included.
  ASSERT_TRUE(versions.QueryValue(block, "\\StringFileInfo\\040904e4\\Comments", &version));
  EXPECT_EQ(version, "one\001two\002three");

  version = "sentinel";
  EXPECT_FALSE(versions.QueryValue(block, "\\StringFileInfo\\040904b0\\FileVersion", &version));
  EXPECT_FALSE(versions.QueryValue(block, "\\StringFileInfo\\040904e4\\NoSuchName", &version));
  EXPECT_EQ(version, "sentinel");
}

TEST_F(VersionsContract, MissingFileHasNoVersion) {
  uint32_t size = 0xdeadbeef;
  EXPECT_EQ(versions.GetInfoSize(NewScratchDirectory() + "\\missing.dll", &size),
            kErrorFileNotFound);
  EXPECT_EQ(size, 0u);
}

TEST_F(VersionsContract, FileWithoutResourceHasNoVersion) {
  const std::string path = NewScratchDirectory() + "\\plain.sys";
  ArrangeFile(path, "not a program");
  uint32_t size = 0xdeadbeef;
  // Windows XP and Wine say 1812 (no resource data); older systems differ,
  // so only the failure itself is held to.
  EXPECT_NE(versions.GetInfoSize(path, &size), 0u);
  EXPECT_EQ(size, 0u);
}

}  // namespace
}  // namespace kv::contract

#include "sim/SimVersions.h"

#include <gtest/gtest.h>

#include "sim/SimMachine.h"

namespace kv::sim {
namespace {

// A resource holds any byte: translations such as 0x0401 / 0x0201 and texts
// with control characters or a zero read back whole (a text up to its zero).
TEST(SimVersionsTest, ResourcesHoldAnyByte) {
  SimMachine sim;
  SimFile& file = sim.files().AddFile("C:\\d\\any.dll", "MZ");
  VersionResource resource;
  resource.translations = {{0x0401, 0x0201}, {0x0102, 0xFFFF}};
  resource.stringTables["04010201"]["Comments"] = "\x01\x02\xFF text";
  resource.stringTables["04010201"]["Cut"] = std::string("before\0after", 12);
  file.version = resource;

  Versions& versions = sim.machine().versions;
  uint32_t size = 0;
  ASSERT_EQ(versions.GetInfoSize("C:\\d\\any.dll", &size), 0u);
  std::string block;
  ASSERT_EQ(versions.GetInfo("C:\\d\\any.dll", size, &block), 0u);
  std::string value;
  ASSERT_TRUE(versions.QueryValue(block, "\\VarFileInfo\\Translation", &value));
  EXPECT_EQ(value, std::string("\x01\x04\x01\x02\x02\x01\xFF\xFF", 8));
  ASSERT_TRUE(versions.QueryValue(block, "\\StringFileInfo\\04010201\\Comments", &value));
  EXPECT_EQ(value, "\x01\x02\xFF text");
  ASSERT_TRUE(versions.QueryValue(block, "\\StringFileInfo\\04010201\\Cut", &value));
  EXPECT_EQ(value, "before");

  // A block cut short or not made by GetInfo holds nothing.
  EXPECT_FALSE(versions.QueryValue(block.substr(0, block.size() - 3),
                                   "\\StringFileInfo\\04010201\\Cut", &value));
  EXPECT_FALSE(versions.QueryValue("\x01\x02", "\\VarFileInfo\\Translation", &value));
}

}  // namespace
}  // namespace kv::sim

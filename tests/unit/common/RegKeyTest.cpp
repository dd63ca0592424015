#include "common/RegKey.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"

namespace kv {
namespace {

constexpr const char* kKeyPath = "SOFTWARE\\KORVANT\\PRINTERPORT";

class RegKeyTest : public ::testing::Test {
 protected:
  sim::SimMachine sim;
  Registry& registry = sim.machine().registry;
};

TEST_F(RegKeyTest, OpenOfMissingKeyFailsAndLaterWritesDoNothing) {
  RegKey key(registry);
  EXPECT_FALSE(key.Open(RegRoot::LocalMachine, kKeyPath));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_EQ(key.lastError(), kErrorFileNotFound);
  uint32_t error = 0xdeadbeef;
  EXPECT_FALSE(key.WriteDword("D1", 0, &error));
  EXPECT_EQ(error, 0xdeadbeefu) << "a write on a closed key reports nothing";
  EXPECT_FALSE(key.WriteString("Name", "text"));
  EXPECT_FALSE(sim.registry().KeyExists(RegRoot::LocalMachine, kKeyPath));
  EXPECT_FALSE(key.Close());
}

TEST_F(RegKeyTest, SecondOpenClosesTheFirstKey) {
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kKeyPath);
  sim.registry().CreateKeyPath(RegRoot::CurrentUser, "Software\\Other");
  {
    RegKey key(registry);
    ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
    ASSERT_TRUE(key.Open(RegRoot::CurrentUser, "Software\\Other"));
    EXPECT_EQ(sim.registry().OpenHandleCount(), 1u);
    EXPECT_TRUE(key.WriteDword("Value", 7));
  }
  EXPECT_EQ(sim.registry().OpenHandleCount(), 0u) << "destruction closes the key";
  EXPECT_EQ(sim.registry().DwordAt(RegRoot::CurrentUser, "Software\\Other", "Value"), 7u);
  EXPECT_EQ(sim.registry().DwordAt(RegRoot::LocalMachine, kKeyPath, "Value"), std::nullopt);
}

TEST_F(RegKeyTest, FailedSecondOpenLeavesNoKeyOpen) {
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kKeyPath);
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  EXPECT_FALSE(key.Open(RegRoot::LocalMachine, "SOFTWARE\\Missing"));
  EXPECT_FALSE(key.WriteDword("D1", 0));
  EXPECT_EQ(sim.registry().OpenHandleCount(), 0u);
}

TEST_F(RegKeyTest, DwordAndStringValuesRoundTrip) {
  ASSERT_TRUE(CreateKey(registry, RegRoot::LocalMachine, kKeyPath));
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  ASSERT_TRUE(key.WriteDword("USB_QTM-C7_1", 255));
  ASSERT_TRUE(key.WriteString("Driver", "kvcommon.dll"));
  uint32_t value = 0;
  EXPECT_TRUE(key.ReadDword("usb_qtm-c7_1", &value)) << "value names ignore case";
  EXPECT_EQ(value, 255u);
  const sim::SimValue* driver = sim.registry().ValueAt(RegRoot::LocalMachine, kKeyPath, "Driver");
  ASSERT_NE(driver, nullptr);
  EXPECT_EQ(driver->type, kRegSz);
  EXPECT_EQ(driver->data, std::string("kvcommon.dll\0", 13)) << "REG_SZ keeps its terminator";
}

TEST_F(RegKeyTest, ReadOfMissingValueLeavesDestinationAndReportsError) {
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kKeyPath);
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  uint32_t value = 0xdeadbeef;
  uint32_t error = 0;
  EXPECT_FALSE(key.ReadDword("DriverVersion", &value, &error));
  EXPECT_EQ(value, 0xdeadbeefu);
  EXPECT_EQ(error, kErrorFileNotFound);
}

TEST_F(RegKeyTest, ReadDwordOfLongerValueFailsWithMoreData) {
  sim.registry().SetStringAt(RegRoot::LocalMachine, kKeyPath, "Text", "a longer text");
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  uint32_t value = 0xdeadbeef;
  EXPECT_FALSE(key.ReadDword("Text", &value));
  EXPECT_EQ(key.lastError(), kErrorMoreData);
  EXPECT_EQ(value, 0xdeadbeefu);
}

TEST_F(RegKeyTest, FailedWriteRecordsThePlatformError) {
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, kKeyPath);
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  sim.FailNext(sim::Call::RegSetValue, kErrorAccessDenied);
  uint32_t error = 0;
  EXPECT_FALSE(key.WriteDword("D1", 0, &error));
  EXPECT_EQ(error, kErrorAccessDenied);
  EXPECT_EQ(key.lastError(), kErrorAccessDenied);
  EXPECT_TRUE(key.WriteDword("D1", 0)) << "an injected failure once fails only once";
}

TEST_F(RegKeyTest, EnumValueWalksValuesAndStopsAtOnceWhenClosed) {
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kKeyPath, "First", 1);
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kKeyPath, "Second", 2);
  RegKey key(registry);
  std::string name;
  uint32_t length = 200;
  uint32_t type = 0;
  EXPECT_NE(key.EnumValue(0, &name, &length, &type), 0u);

  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  std::vector<std::string> names;
  for (uint32_t i = 0;; ++i) {
    length = 200;
    if (key.EnumValue(i, &name, &length, &type) != 0) break;
    EXPECT_EQ(length, name.size());
    EXPECT_EQ(type, kRegDword);
    names.push_back(name);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"First", "Second"}));
  length = 200;
  EXPECT_EQ(key.EnumValue(2, &name, &length, &type), kErrorNoMoreItems);
}

TEST_F(RegKeyTest, EnumValueNameLongerThanBufferIsRefused) {
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kKeyPath, "ABCDEFGHIJ", 1);
  RegKey key(registry);
  ASSERT_TRUE(key.Open(RegRoot::LocalMachine, kKeyPath));
  std::string name = "untouched";
  uint32_t length = 10;  // ten characters need eleven with the terminator
  EXPECT_EQ(key.EnumValue(0, &name, &length, nullptr), kErrorMoreData);
  EXPECT_EQ(name, "untouched");
  length = 11;
  EXPECT_EQ(key.EnumValue(0, &name, &length, nullptr), 0u);
  EXPECT_EQ(name, "ABCDEFGHIJ");
}

TEST_F(RegKeyTest, CreateKeyOfExistingKeySucceedsAndCreatesParents) {
  EXPECT_TRUE(CreateKey(registry, RegRoot::LocalMachine, "SOFTWARE\\KORVANT\\PORTNAME\\"));
  EXPECT_TRUE(sim.registry().KeyExists(RegRoot::LocalMachine, "SOFTWARE\\KORVANT"));
  EXPECT_TRUE(CreateKey(registry, RegRoot::LocalMachine, "software\\korvant\\portname"));
  EXPECT_EQ(sim.registry().OpenHandleCount(), 0u) << "the new handle is closed at once";
  sim.FailNext(sim::Call::RegCreateKey, kErrorAccessDenied);
  EXPECT_FALSE(CreateKey(registry, RegRoot::LocalMachine, "SOFTWARE\\Denied"));
}

}  // namespace
}  // namespace kv

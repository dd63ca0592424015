#include <gtest/gtest.h>

#include "config/DeviceList.h"
#include "unit/config/ConfigFixture.h"

namespace kv {
namespace {

using DeviceListTest = ConfigFixture;

TEST(DeviceEntryTest, SuffixesAreSearchedInModuleOrder) {
  struct Case {
    const char* entry;
    const char* model;
    PrinterModule module;
  };
  const Case cases[] = {
      {"KP-300-ReceiptPrinter", "KP-300", PrinterModule::Receipt},
      {"TK-1-TicketPrinter", "TK-1", PrinterModule::Ticket},
      {"LB 9-LabelPrinter", "LB 9", PrinterModule::Label},
      {"EM-2-EmbeddedPrinter", "EM-2", PrinterModule::Embedded},
      // The receipt suffix is searched first, wherever it stands.
      {"X-LabelPrinter-ReceiptPrinter", "X-LabelPrinter", PrinterModule::Receipt},
      {"Y-EmbeddedPrinter-TicketPrinter", "Y-EmbeddedPrinter", PrinterModule::Ticket},
      // Text after the suffix is dropped.
      {"TK-2-TicketPrinter (old)", "TK-2", PrinterModule::Ticket},
      {"-ReceiptPrinter", "", PrinterModule::Receipt},
  };
  for (const Case& c : cases) {
    DeviceEntry entry = ClassifyDeviceEntry(c.entry);
    ASSERT_TRUE(entry.module.has_value()) << c.entry;
    EXPECT_EQ(*entry.module, c.module) << c.entry;
    EXPECT_EQ(entry.modelName, c.model) << c.entry;
  }
}

TEST(DeviceEntryTest, EntriesWithoutASuffixBelongToNoModule) {
  for (const char* text : {"0", "", "KP-300", "KP-300-receiptprinter", "KP-300-Receipt"}) {
    DeviceEntry entry = ClassifyDeviceEntry(text);
    EXPECT_FALSE(entry.module.has_value()) << text;
    EXPECT_EQ(entry.modelName, "") << text;
  }
}

TEST_F(DeviceListTest, ListKeepsFileOrderAndSkipsMissingAndUnclassifiedEntries) {
  WriteSetupIni(
      "[DEVICENAME]\r\n"
      "DEVICENUMBER=6\r\n"
      "devicename1=KP-300-ReceiptPrinter\r\n"
      "DeviceName2=LB 9-LabelPrinter\r\n"
      "DEVICENAME4=KP-80-ReceiptPrinter\r\n"
      "DEVICENAME5=Unknown model\r\n"
      "DEVICENAME6=TK-1-TicketPrinter\r\n"
      "DEVICENAME7=EM-2-EmbeddedPrinter\r\n");
  std::vector<DeviceEntry> list = ReadDeviceList(Configuration());
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0].modelName, "KP-300");
  EXPECT_EQ(list[1].modelName, "LB 9");
  EXPECT_EQ(list[2].modelName, "KP-80");
  EXPECT_EQ(list[3].modelName, "TK-1");
  EXPECT_EQ(*list[3].module, PrinterModule::Ticket);
}

TEST_F(DeviceListTest, MissingConfigurationGivesAnEmptyListAndNoDefault) {
  SetupConfiguration configuration = Configuration();
  EXPECT_EQ(ReadDeviceCount(configuration), 0);
  EXPECT_TRUE(ReadDeviceList(configuration).empty());
  EXPECT_FALSE(ReadDefaultDevice(configuration).module.has_value());
}

TEST_F(DeviceListTest, DefaultNamesAnEntryByNumber) {
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEFAULTNAME=2 (the label printer)\r\n"
      "DEVICENAME1=KP-300-ReceiptPrinter\r\nDEVICENAME2=LB 9-LabelPrinter\r\n");
  DeviceEntry entry = ReadDefaultDevice(Configuration());
  ASSERT_TRUE(entry.module.has_value());
  EXPECT_EQ(*entry.module, PrinterModule::Label);
  EXPECT_EQ(entry.modelName, "LB 9");
}

TEST_F(DeviceListTest, MissingDefaultReadsEntryZero) {
  WriteSetupIni(
      "[DEVICENAME]\r\nDEVICENUMBER=1\r\nDEVICENAME0=EM-2-EmbeddedPrinter\r\n"
      "DEVICENAME1=KP-300-ReceiptPrinter\r\n");
  DeviceEntry entry = ReadDefaultDevice(Configuration());
  ASSERT_TRUE(entry.module.has_value());
  EXPECT_EQ(*entry.module, PrinterModule::Embedded);
  EXPECT_EQ(ReadDeviceList(Configuration()).size(), 1u) << "entry 0 is not in the list";
}

TEST_F(DeviceListTest, EntriesAreCutAt199CharactersBeforeTheyAreClassified) {
  const std::string fits(184, 'F');  // 184 + 15 = 199 characters
  const std::string tooLong(185, 'T');
  WriteSetupIni("[DEVICENAME]\r\nDEVICENUMBER=2\r\nDEVICENAME1=" + fits +
                "-ReceiptPrinter\r\nDEVICENAME2=" + tooLong + "-ReceiptPrinter\r\n");
  SetupConfiguration configuration = Configuration();
  DeviceEntry first = ReadDeviceEntry(configuration, 1);
  ASSERT_TRUE(first.module.has_value());
  EXPECT_EQ(first.modelName, fits);
  EXPECT_FALSE(ReadDeviceEntry(configuration, 2).module.has_value())
      << "the suffix lost its last character";
}

}  // namespace
}  // namespace kv

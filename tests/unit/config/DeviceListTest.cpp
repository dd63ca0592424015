#include <gtest/gtest.h>

#include <string>
#include <vector>

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

TEST_F(DeviceListTest, ListWalksTheEntriesPresentWhateverTheCount) {
  // A count typed wrong by two billion must not cost two billion reads.
  const std::string entries =
      "DEVICENAME3=TK-1-TicketPrinter\r\n"
      "devicename1=KP-300-ReceiptPrinter\r\n"
      "DEVICENAME01=Zero-LabelPrinter\r\n"  // not the key of entry 1
      "DEVICENAME0=EM-0-EmbeddedPrinter\r\n"
      "DEVICENAME1999999999=Far-LabelPrinter\r\n"
      "DEVICENAME2000000000=Edge-ReceiptPrinter\r\n"
      "DEVICENAME2000000001=Beyond-ReceiptPrinter\r\n"
      "DEVICENAME2147483647=Last-ReceiptPrinter\r\n"
      "DEVICENAME99999999999=Huge-ReceiptPrinter\r\n"
      "DEVICENAME4x=Bad-ReceiptPrinter\r\n"
      "DEVICENAME5\r\n"
      "DEVICENAME5=Hidden-ReceiptPrinter\r\n"
      " DEVICENAME6 = \"Quoted-EmbeddedPrinter\"\r\n"
      "DEVICENAME7=Unknown model\r\n";
  struct Case {
    const char* count;
    std::vector<std::string> models;
  };
  const Case cases[] = {
      {"2000000000", {"KP-300", "TK-1", "Quoted", "Far", "Edge"}},
      {"2147483647", {"KP-300", "TK-1", "Quoted", "Far", "Edge", "Beyond", "Last"}},
      {"6", {"KP-300", "TK-1", "Quoted"}},
      {"3", {"KP-300", "TK-1"}},
      {"0", {}},
      {"-5", {}},
  };
  for (const Case& c : cases) {
    WriteSetupIni("[DEVICENAME]\r\nDEVICENUMBER=" + std::string(c.count) + "\r\n" + entries);
    std::vector<std::string> models;
    for (const DeviceEntry& entry : ReadDeviceList(Configuration())) {
      models.push_back(entry.modelName);
    }
    EXPECT_EQ(models, c.models) << c.count;
  }
}

}  // namespace
}  // namespace kv

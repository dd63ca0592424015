#include <gtest/gtest.h>

#include "wizard/PortList.h"

namespace kv {
namespace {

using Entries = std::vector<std::string>;

const Entries kNtFixed = {"KVCOM1:", "KVCOM2:", "KVCOM3:", "KVCOM4:", "KVCOM5:", "KVCOM6:",
                          "KVCOM7:", "KVCOM8:", "LPT1:",   "LPT2:",   "LPT3:"};

Entries With(Entries entries, const Entries& more) {
  entries.insert(entries.end(), more.begin(), more.end());
  return entries;
}

TEST(PortListTest, EntriesFollowTheFamilyTheUsbOptionAndTheSetupType) {
  const Entries win98 = {"COM1:", "COM2:", "LPT1:"};
  const Entries usb1 = {"USB_M_1"};
  const Entries usb4 = {"USB_M_1", "USB_M_2", "USB_M_3", "USB_M_4"};
  struct Case {
    OsFamily family;
    bool usb;
    SetupType type;
    Entries expected;
  };
  const Case cases[] = {
      {OsFamily::Win98, false, SetupType::Typical, win98},
      {OsFamily::Win98, false, SetupType::Advanced, win98},
      {OsFamily::Win98, true, SetupType::Typical, With(win98, usb1)},
      {OsFamily::Win98, true, SetupType::Advanced, With(win98, usb4)},
      {OsFamily::NT4, true, SetupType::Advanced, kNtFixed},
      {OsFamily::NT4, false, SetupType::Typical, kNtFixed},
      {OsFamily::Win2000, false, SetupType::Advanced, kNtFixed},
      {OsFamily::WinXP, true, SetupType::Typical, With(kNtFixed, usb1)},
      {OsFamily::Server2003, true, SetupType::Advanced, With(kNtFixed, usb4)},
      {OsFamily::Vista, true, SetupType::Advanced, With(kNtFixed, usb4)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortEntries("M", c.family, c.usb, c.type), c.expected)
        << static_cast<int>(c.family) << " usb " << c.usb << " type " << static_cast<int>(c.type);
  }
}

TEST(PortListTest, LongModelNamesAreKeptWhole) {
  const std::string model(120, 'X');
  const Entries entries = PortEntries(model, OsFamily::WinXP, true, SetupType::Advanced);
  EXPECT_EQ(entries.back(), "USB_" + model + "_4");
}

TEST(PortListTest, TheUsbPortNumberIsTheDigitAfterTheLastUnderscore) {
  const std::pair<const char*, int32_t> cases[] = {
      {"USB_QTM-B320_3", 3}, {"USB_A_4B_2", 2}, {"USB_M_4_1", 1}, {"USB_M_", 0},
      {"USB_M_x", 0},        {"LPT1:", 0},      {"", 0},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(UsbPortNumberOfName(name), number) << name;
}

TEST(PortListTest, TheSelectionFollowsThePrinterTheOptionsAndTheSetupType) {
  // As the sorted list shows them.
  const Entries xpAdvanced = With(kNtFixed, {"USB_M_1", "USB_M_2", "USB_M_3", "USB_M_4"});
  const Entries xpTypical = With(kNtFixed, {"USB_M_1"});
  struct Case {
    const char* what;
    const Entries& listed;
    bool usb;
    int32_t id;
    bool lpt;
    SetupType type;
    int expected;
  };
  const Case cases[] = {
      {"no printer", xpAdvanced, true, -1, false, SetupType::Advanced, 0},
      {"no printer, LPT default", xpAdvanced, true, -1, true, SetupType::Advanced, 8},
      {"ID 10 is port 3", xpAdvanced, true, 10, false, SetupType::Advanced, 13},
      {"ID 8 is port 1", xpAdvanced, true, 8, true, SetupType::Advanced, 11},
      {"ID 5 is port 6, beyond the list", xpAdvanced, true, 5, false, SetupType::Advanced, 0},
      {"several printers", xpAdvanced, true, -2, false, SetupType::Advanced, -1},
      {"Typical takes port 1 whatever the ID", xpTypical, true, 10, false, SetupType::Typical, 11},
      {"USB unsupported: the printer is ignored", kNtFixed, false, 10, true, SetupType::Advanced,
       8},
      {"a printer but no USB entry (NT 4.0)", kNtFixed, true, 10, false, SetupType::Typical, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChoosePortEntry(c.listed, c.usb, c.id, c.lpt, c.type), c.expected) << c.what;
  }
}

TEST(PortListTest, AModelNameHoldingAPortSuffixDoesNotMisleadTheSelection) {
  const Entries listed = {"USB_A_4_1", "USB_A_4_2", "USB_A_4_3", "USB_A_4_4"};
  EXPECT_EQ(ChoosePortEntry(listed, true, 8, false, SetupType::Advanced), 0);   // port 1
  EXPECT_EQ(ChoosePortEntry(listed, true, 11, false, SetupType::Advanced), 3);  // port 4
}

}  // namespace
}  // namespace kv

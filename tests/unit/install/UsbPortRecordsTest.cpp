#include "install/UsbPortRecords.h"

#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

class UsbPortRecordsTest : public InstallFixture {
 protected:
  UsbPortRecordsTest() {
    WriteSetupIni(
        "[SUPPORTED-USB-DEVICE]\r\nPRNCOUNT=4\r\n0=USB_KV-80_1\r\n1=USB_KV-80_2\r\n"
        "2=USB_KV-80_1\r\n3=USB_KV-58_2\r\n");
  }
  std::optional<uint32_t> Dword(std::string_view key, std::string_view name) {
    return sim.registry().DwordAt(RegRoot::LocalMachine, key, name);
  }
  void Record(std::string_view port) {
    RecordUsbPort(machine(), SetupConfiguration(machine()), port);
  }
};

TEST_F(UsbPortRecordsTest, PortNamesOfPrinterNames) {
  EXPECT_EQ(UsbPortNameOfPrinter("KV-80(U) 2"), "USB_KV-80_2");
  EXPECT_EQ(UsbPortNameOfPrinter("KV-80"), "USB_KV-80");
  EXPECT_EQ(UsbPortNameOfPrinter("KV-80(U)"), "USB_KV-80_") << "nothing four places on";
  EXPECT_EQ(UsbPortNameOfPrinter("("), "USB__");
}

TEST_F(UsbPortRecordsTest, RecordsIndexStatesAndListedPrinters) {
  sim.registry().SetValueAt(RegRoot::LocalMachine, kUsbPrinterPortKey, "USB_KV-80_2", kRegBinary,
                            "longer than a dword");
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kUsbPrinterPortKey, "D3", 7);
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kInstalledPrintersKey, "KV-58(U) 2", 1);
  sim.registry().SetDwordAt(RegRoot::LocalMachine, kInstalledPrintersKey, "Other", 1);
  Record("USB_KV-80_1");

  EXPECT_EQ(Dword(kUsbPortNameKey, "USB_KV-80_1"), 0u) << "the first position wins";
  EXPECT_EQ(Dword(kUsbPortNameKey, "USB_KV-58_2"), 3u);
  EXPECT_EQ(Dword(kUsbPortNameKey, "USB_Other"), std::nullopt);
  for (int d = 1; d <= 8; ++d) EXPECT_EQ(Dword(kUsbPrinterPortKey, "D" + std::to_string(d)), 0u);
  EXPECT_EQ(Dword(kUsbPrinterPortKey, "USB_KV-80_1"), 255u);
  EXPECT_EQ(sim.registry().ValueAt(RegRoot::LocalMachine, kUsbPrinterPortKey, "USB_KV-80_2")->data,
            "longer than a dword")
      << "a value too long to read still exists";

  sim.registry().SetDwordAt(RegRoot::LocalMachine, kUsbPrinterPortKey, "USB_KV-80_1", 0);
  Record("USB_KV-99_1");
  EXPECT_EQ(Dword(kUsbPrinterPortKey, "USB_KV-80_1"), 0u) << "an installed port stays";
  EXPECT_EQ(Dword(kUsbPortNameKey, "USB_KV-99_1"), std::nullopt);
  EXPECT_EQ(sim.registry().OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace kv

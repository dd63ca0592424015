#include "usb/UsbPrinterId.h"

#include <gtest/gtest.h>

#include "platform/Errors.h"
#include "sim/SimMachine.h"
#include "sim/SimUsbLibrary.h"
#include "usb/UsbPortNumber.h"

namespace kv {
namespace {

using Calls = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

class UsbPrinterIdTest : public ::testing::Test {
 protected:
  int32_t Read() { return ReadUsbPrinterId(sim.machine().modules, box); }
  bool Write(uint8_t port) { return WriteUsbPrinterId(sim.machine().modules, box, port); }

  std::vector<std::string> Messages() {
    std::vector<std::string> texts;
    for (const auto& shown : sim.desktop().messageBoxes()) texts.push_back(shown.text);
    return texts;
  }
  // Every library load undone and every device handle closed.
  void ExpectNothingLeftOpen() {
    EXPECT_EQ(sim.modules().loadCount(), sim.modules().freeCount());
    EXPECT_EQ(sim.modules().LoadedCount(), 0u);
    EXPECT_EQ(usb.OpenHandleCount(), 0u);
  }
  // The count over all eight slots when none or only the last-checked ones hold a device.
  static Calls CountingCalls(int occupiedSlot = -1) {
    Calls calls;
    for (int slot = 0; slot < 8; ++slot) {
      calls.push_back("OpenDeviceX(" + std::to_string(slot) + ")");
      calls.push_back(slot == occupiedSlot ? "CloseDevice(" + std::to_string(slot) + ")"
                                           : "CloseDevice(none)");
    }
    return calls;
  }

  sim::SimMachine sim;
  sim::SimUsbLibrary usb{sim.modules()};
  StandardMessageBox box{sim.machine().desktop, "setup"};
};

TEST_F(UsbPrinterIdTest, NoDeviceReadsMinusOneWithoutMessage) {
  for (int32_t noDevice : {-1, 0}) {
    usb.SetNoDeviceHandle(noDevice);
    EXPECT_EQ(Read(), kUsbNoDevice) << "no-device handle " << noDevice;
  }
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(sim.modules().loadCount(), 2);
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, OnePrinterIdIsTheDeviceReleaseNumber) {
  usb.Attach(0x000A);
  int32_t id = Read();
  EXPECT_EQ(id, 10);
  EXPECT_EQ(UsbPortNumberFromId(id), 3);
  EXPECT_TRUE(Messages().empty());

  Calls expected = CountingCalls(0);
  expected.insert(expected.end(), {"OpenDeviceX(0)", "GetDescriptor(0)", "CloseDevice(0)"});
  EXPECT_EQ(usb.calls(), expected);
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, IdIsUnsignedSixteenBitsFromBothBytes) {
  usb.Attach(0xBEEF);
  EXPECT_EQ(Read(), 0xBEEF);
  usb.Detach(0);
  usb.Attach(0xFFFF);
  EXPECT_EQ(Read(), 65535);
  EXPECT_EQ(UsbPortNumberFromId(65535), 8);
}

TEST_F(UsbPrinterIdTest, PrinterInALaterSlotIsFound) {
  usb.AttachAt(5, 7);
  EXPECT_EQ(Read(), 7);
  Calls expected = CountingCalls(5);
  for (int slot = 0; slot <= 5; ++slot)
    expected.push_back("OpenDeviceX(" + std::to_string(slot) + ")");
  expected.insert(expected.end(), {"GetDescriptor(5)", "CloseDevice(5)"});
  EXPECT_EQ(usb.calls(), expected);
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, TwoPrintersAreRefusedOnceAndEverythingIsReleased) {
  usb.AttachAt(0, 1);
  usb.AttachAt(3, 2);
  int32_t id = Read();
  EXPECT_EQ(id, kUsbSeveralDevices);
  EXPECT_EQ(UsbPortNumberFromId(id), -1);

  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  const auto& shown = sim.desktop().messageBoxes()[0];
  EXPECT_EQ(shown.text, "Connect just one USB printer to host");
  EXPECT_EQ(shown.caption, "setup");
  EXPECT_EQ(shown.owner, 0u);
  EXPECT_EQ(shown.style, kMbOk | kMbIconExclamation);

  // The count stops at the second device; its handle is still closed.
  EXPECT_EQ(usb.calls(),
            (Calls{"OpenDeviceX(0)", "CloseDevice(0)", "OpenDeviceX(1)", "CloseDevice(none)",
                   "OpenDeviceX(2)", "CloseDevice(none)", "OpenDeviceX(3)", "CloseDevice(3)"}));
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, MissingLibraryIsReportedAndReadsAsNoDevice) {
  usb.Attach(3);
  usb.Remove();
  EXPECT_EQ(Read(), kUsbNoDevice);
  EXPECT_FALSE(Write(1));
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Can not load KvUsbInt.dll", "Can not load KvUsbInt.dll"}));
  EXPECT_EQ(sim.modules().loadCount(), 0);
  EXPECT_EQ(usb.PrinterId(0), 3);
}

TEST_F(UsbPrinterIdTest, ReadNeedsItsThreeFunctionsButNotTheWrite) {
  for (const char* missing : {"OpenDeviceX", "GetDescriptor", "CloseDevice"}) {
    sim::SimMachine machine;
    sim::SimUsbLibrary library(machine.modules());
    StandardMessageBox messages(machine.machine().desktop, "setup");
    library.Attach(4);
    library.OmitExport(missing);
    EXPECT_EQ(ReadUsbPrinterId(machine.machine().modules, messages), kUsbNoDevice) << missing;
    ASSERT_EQ(machine.desktop().messageBoxes().size(), 1u) << missing;
    EXPECT_EQ(machine.desktop().messageBoxes()[0].text, "open function error");
    EXPECT_TRUE(library.calls().empty()) << "no device is touched without " << missing;
    EXPECT_EQ(machine.modules().loadCount(), 1);
    EXPECT_EQ(machine.modules().freeCount(), 1) << "the library is unloaded without " << missing;
  }
  usb.Attach(4);
  usb.OmitExport("uWrite");
  EXPECT_EQ(Read(), 4);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UsbPrinterIdTest, FailedDescriptorIsReportedAndTheDeviceClosed) {
  usb.Attach(6);
  usb.FailGetDescriptor();
  EXPECT_EQ(Read(), kUsbNoDevice);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Get Device ID error"});
  EXPECT_EQ(usb.calls().back(), "CloseDevice(0)");
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, WritingPortThreeSendsTheSetIdCommandEndingInTwo) {
  usb.Attach(0);
  EXPECT_TRUE(Write(3));
  ASSERT_EQ(usb.writes().size(), 1u);
  const auto& write = usb.writes()[0];
  EXPECT_EQ(write.slot, 0);
  EXPECT_EQ(write.flags, 0);
  EXPECT_EQ(write.count, 10);
  EXPECT_EQ(write.bytes, (Bytes{0x1B, 0x6B, 0x51, 0x2A, 0xC6, 0x0B, 0x3E, 0x58, 0x21, 0x02}));
  EXPECT_EQ(usb.calls(), (Calls{"OpenDeviceX(0)", "uWrite(0)", "CloseDevice(0)"}));
  EXPECT_TRUE(Messages().empty());
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, EveryWritablePortNumberReadsBackAsItself) {
  usb.Attach(0xBEEF);
  for (uint8_t port = 1; port <= 8; ++port) {
    ASSERT_TRUE(Write(port));
    EXPECT_EQ(usb.PrinterId(0), port - 1);
    EXPECT_EQ(UsbPortNumberFromId(Read()), port);
  }
  EXPECT_TRUE(Messages().empty());
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, PortNumbersOutsideOneToEightAreRefusedWithoutLoading) {
  usb.Attach(5);
  for (uint8_t port : {0, 9, 255}) EXPECT_FALSE(Write(port)) << int(port);
  EXPECT_EQ(sim.modules().loadCount(), 0);
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(usb.PrinterId(0), 5);
}

TEST_F(UsbPrinterIdTest, WriteWithoutDeviceIsReported) {
  EXPECT_FALSE(Write(1));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Can not find USB device."});
  EXPECT_TRUE(usb.writes().empty());
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, RefusedWriteIsReportedAndTheDeviceClosed) {
  usb.Attach(5);
  for (int32_t result : {0, -1}) {
    usb.ForceWriteResult(result);
    EXPECT_FALSE(Write(2)) << "uWrite result " << result;
  }
  EXPECT_EQ(Messages(), (std::vector<std::string>{"write ID error", "write ID error"}));
  EXPECT_EQ(usb.PrinterId(0), 5);
  ExpectNothingLeftOpen();
}

TEST_F(UsbPrinterIdTest, WriteNeedsItsThreeFunctionsButNotTheDescriptor) {
  for (const char* missing : {"OpenDeviceX", "uWrite", "CloseDevice"}) {
    sim::SimMachine machine;
    sim::SimUsbLibrary library(machine.modules());
    StandardMessageBox messages(machine.machine().desktop, "setup");
    library.Attach(4);
    library.OmitExport(missing);
    EXPECT_FALSE(WriteUsbPrinterId(machine.machine().modules, messages, 1)) << missing;
    ASSERT_EQ(machine.desktop().messageBoxes().size(), 1u) << missing;
    EXPECT_EQ(machine.desktop().messageBoxes()[0].text, "open function error");
    EXPECT_TRUE(library.calls().empty()) << missing;
    EXPECT_EQ(library.PrinterId(0), 4);
    EXPECT_EQ(machine.modules().freeCount(), 1) << "the library is unloaded without " << missing;
  }
  usb.Attach(4);
  usb.OmitExport("GetDescriptor");
  EXPECT_TRUE(Write(1));
  EXPECT_EQ(usb.PrinterId(0), 0);
}

TEST_F(UsbPrinterIdTest, WriteAddressesOnlyTheFirstDeviceThatOpens) {
  usb.AttachAt(2, 5);
  usb.AttachAt(6, 1);
  EXPECT_TRUE(Write(4));
  EXPECT_EQ(usb.PrinterId(2), 3);
  EXPECT_EQ(usb.PrinterId(6), 1);
  EXPECT_EQ(usb.calls(), (Calls{"OpenDeviceX(0)", "OpenDeviceX(1)", "OpenDeviceX(2)", "uWrite(2)",
                                "CloseDevice(2)"}));
}

TEST(UsbPortNumberTest, RemainderKeepsTheSignOfTheId) {
  const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {7, 8},     {8, 1},  {9, 2},   {10, 3},
                                               {5, 6}, {65535, 8}, {-1, 0}, {-2, -1}, {-9, 0}};
  for (auto [id, port] : cases) EXPECT_EQ(UsbPortNumberFromId(id), port) << "id " << id;
  EXPECT_EQ(UsbPrinterIdForPort(1), 0);
  EXPECT_EQ(UsbPrinterIdForPort(8), 7);
}

TEST(StandardMessageBoxTest, ApplicationLevelOkBoxCaptionedWithTheApplicationName) {
  sim::SimMachine sim;
  StandardMessageBox box(sim.machine().desktop, "uninstall");
  box.Show("text");
  ASSERT_EQ(sim.desktop().messageBoxes().size(), 1u);
  const auto& shown = sim.desktop().messageBoxes()[0];
  EXPECT_EQ(shown.owner, 0u);
  EXPECT_EQ(shown.caption, "uninstall");
  EXPECT_EQ(shown.text, "text");
  EXPECT_EQ(shown.style, kMbOk | kMbIconExclamation);
}

}  // namespace
}  // namespace kv

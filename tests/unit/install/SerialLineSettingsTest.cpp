#include "install/SerialLineSettings.h"

#include "unit/install/InstallFixture.h"

namespace kv {
namespace {

class SerialLineSettingsTest : public InstallFixture {
 protected:
  static constexpr const char* kClassKey = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";

  void AddPortClassKey(int index, std::string subClass) {
    sim.registry().SetValueAt(RegRoot::LocalMachine, kClassKey + std::to_string(index),
                              "PortSubClass", kRegBinary, subClass);
  }
  const sim::SimValue* Dcb(int index) {
    return sim.registry().ValueAt(RegRoot::LocalMachine, kClassKey + std::to_string(index), "DCB");
  }
};

std::string Bytes(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text += static_cast<char>(b);
  return text;
}

TEST_F(SerialLineSettingsTest, TextAndDeviceControlBlock) {
  const SerialLineSettings hardware{9600, 8, 1.0, 'n', 'p'};
  EXPECT_EQ(SerialSettingsText(hardware), "9600,n,8,1,p");
  const auto dcb = BuildDcb(hardware);
  EXPECT_EQ(std::string(dcb.begin(), dcb.end()),
            Bytes({28, 0, 0, 0, 0x80, 0x25, 0, 0, 0x05, 0x10, 0, 0, 0, 0,
                   0,  0, 0, 0, 8,    0,    0, 0, 0,    0,    0, 0, 0, 0}));
  const SerialLineSettings xon{19200, 7, 1.5, 'e', 'x'};
  EXPECT_EQ(SerialSettingsText(xon), "19200,e,7,1.5,x");
  const auto xonDcb = BuildDcb(xon);
  EXPECT_EQ(std::string(xonDcb.begin() + 8, xonDcb.begin() + 12), Bytes({0x03, 0x07, 0, 0}));
  EXPECT_EQ(std::string(xonDcb.begin() + 18, xonDcb.begin() + 23), Bytes({7, 2, 1, 0x11, 0x13}));
  EXPECT_EQ(SerialSettingsText({4800, 8, 2.0, 's', ' '}), "4800,s,8,2, ");
  EXPECT_EQ(BuildDcb({4800, 8, 2.0, 's', ' '})[19], 4);
  EXPECT_EQ(BuildDcb({4800, 8, 2.0, 'm', ' '})[19], 3);
  EXPECT_EQ(BuildDcb({4800, 8, 2.0, 'm', ' '})[20], 2);
  EXPECT_EQ(SystemSerialPortName("KVCOM3:"), "COM3:");
  EXPECT_EQ(SerialPortNumber("KVCOM3:"), 3);
}

TEST_F(SerialLineSettingsTest, Win98WritesTheSecondSerialKeyTheProfileAndNotifies) {
  sim.UseWindows(sim::WindowsVersion::Win98);
  AddPortClassKey(0, Bytes({0}));  // parallel
  AddPortClassKey(1, Bytes({1}));
  AddPortClassKey(2, Bytes({0}));
  AddPortClassKey(3, Bytes({1}));
  StoreSerialSettings9x(machine(), 2, "COM2:", {9600, 8, 1.0, 'e', 'x'});
  EXPECT_EQ(Dcb(1), nullptr);
  ASSERT_NE(Dcb(3), nullptr);
  EXPECT_EQ(Dcb(3)->type, kRegNone);
  EXPECT_EQ(Dcb(3)->data.size(), kDcbSize);
  EXPECT_EQ(machine().profiles.GetProfileString("Ports", "COM2:", "", 100), "9600,e,8,1,x");
  EXPECT_EQ(sim.desktop().notifications(), std::vector<std::string>{"Ports"});
  EXPECT_TRUE(sim.desktop().broadcasts().empty()) << "nothing waits for the windows";
  EXPECT_EQ(sim.profiles().flushes(), 1);
  std::string winIni;
  sim.files().ReadWholeFile("C:\\WINDOWS\\win.ini", &winIni);
  EXPECT_EQ(winIni.find("[]"), std::string::npos) << "the flush adds no empty section";

  StoreSerialSettings9x(machine(), 3, "COM3:", {9600, 8, 1.0, 'n', ' '});
  EXPECT_EQ(Dcb(1), nullptr) << "only COM1 and COM2 have a control block";
}

TEST_F(SerialLineSettingsTest, NtWritesTheExistingPortsKeyOnly) {
  const char* ports = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
  StoreSerialSettingsNt(machine(), "COM3:", {9600, 8, 1.0, 'n', 'p'});
  EXPECT_FALSE(sim.registry().KeyExists(RegRoot::LocalMachine, ports));
  sim.registry().CreateKeyPath(RegRoot::LocalMachine, ports);
  StoreSerialSettingsNt(machine(), SystemSerialPortName("KVCOM3:"), {9600, 8, 1.0, 'n', 'p'});
  EXPECT_EQ(sim.registry().StringAt(RegRoot::LocalMachine, ports, "COM3:"), "9600,n,8,1,p");
  EXPECT_EQ(sim.profiles().flushes(), 0);
}

}  // namespace
}  // namespace kv

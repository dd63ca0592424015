#include "install/SerialLineSettings.h"

#include <cstdio>

#include "common/RegKey.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr std::string_view kPortClassKey = "System\\CurrentControlSet\\Services\\Class\\Ports\\000";
constexpr int kPortClassKeys = 4;
constexpr uint8_t kSerialPortSubClass = 1;
constexpr std::string_view kNtPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// DCB flag bits.
constexpr uint32_t kDcbBinary = 1u << 0;
constexpr uint32_t kDcbParityCheck = 1u << 1;
constexpr uint32_t kDcbCtsOutFlow = 1u << 2;
constexpr uint32_t kDcbXonXoffOut = 1u << 8;
constexpr uint32_t kDcbXonXoffIn = 1u << 9;
constexpr uint32_t kDcbErrorReplace = 1u << 10;
constexpr uint32_t kDcbRtsEnabled = 1u << 12;

void PutLittleEndian(std::array<uint8_t, kDcbSize>& block, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint8_t ParityCode(char parity) {
  switch (parity) {
    case 'o':
      return 1;
    case 'e':
      return 2;
    case 'm':
      return 3;
    case 's':
      return 4;
    default:
      return 0;
  }
}

uint8_t StopBitsCode(double stopBits) {
  if (stopBits == 1.5) return 1;
  if (stopBits == 2.0) return 2;
  return 0;
}

bool IsSerialPortClassKey(Registry& registry, int index) {
  RegKey key(registry);
  if (!key.Open(RegRoot::LocalMachine, std::string(kPortClassKey) + std::to_string(index))) {
    return false;
  }
  // A value longer than the three bytes asked for reads as not serial.
  std::string subClass;
  return key.QueryValue("PortSubClass", &subClass, 3) && !subClass.empty() &&
         static_cast<uint8_t>(subClass[0]) == kSerialPortSubClass;
}

// COM1 belongs to the first serial port class key, COM2 to the second.
void WriteDcb(Registry& registry, int32_t portNumber, const std::array<uint8_t, kDcbSize>& dcb) {
  if (portNumber != 1 && portNumber != 2) return;
  int serialKeysSeen = 0;
  for (int index = 0; index < kPortClassKeys; ++index) {
    if (!IsSerialPortClassKey(registry, index)) continue;
    if (++serialKeysSeen < portNumber) continue;
    RegKey key(registry);
    if (key.Open(RegRoot::LocalMachine, std::string(kPortClassKey) + std::to_string(index))) {
      key.SetValue("DCB", std::string_view(reinterpret_cast<const char*>(dcb.data()), dcb.size()),
                   kRegNone);
    }
    return;
  }
}

}  // namespace

std::string SerialSettingsText(const SerialLineSettings& settings) {
  const char* format = settings.stopBits == 1.5 ? "%d,%c,%d,%.1f,%c" : "%d,%c,%d,%.0f,%c";
  char text[96];
  std::snprintf(text, sizeof text, format, settings.baudRate, settings.parity, settings.byteSize,
                settings.stopBits, settings.flowControl);
  return text;
}

std::array<uint8_t, kDcbSize> BuildDcb(const SerialLineSettings& settings) {
  std::array<uint8_t, kDcbSize> dcb{};
  uint32_t flags = kDcbBinary;
  const uint8_t parity = ParityCode(settings.parity);
  if (parity != 0) flags |= kDcbParityCheck | kDcbErrorReplace;
  if (settings.flowControl == 'p') flags |= kDcbCtsOutFlow | kDcbRtsEnabled;
  const bool xonXoff = settings.flowControl == 'x';
  if (xonXoff) flags |= kDcbXonXoffOut | kDcbXonXoffIn;
  PutLittleEndian(dcb, 0, kDcbSize);
  PutLittleEndian(dcb, 4, static_cast<uint32_t>(settings.baudRate));
  PutLittleEndian(dcb, 8, flags);
  dcb[18] = static_cast<uint8_t>(settings.byteSize);
  dcb[19] = parity;
  dcb[20] = StopBitsCode(settings.stopBits);
  dcb[21] = xonXoff ? 0x11 : 0;
  dcb[22] = xonXoff ? 0x13 : 0;
  return dcb;
}

std::string SystemSerialPortName(std::string_view chosenPort) {
  const size_t com = chosenPort.find("COM");
  if (com == std::string_view::npos) return std::string(chosenPort);
  return std::string(chosenPort.substr(com));
}

int32_t SerialPortNumber(std::string_view chosenPort) {
  const size_t com = chosenPort.find("COM");
  if (com == std::string_view::npos || com + 3 >= chosenPort.size()) return 0;
  const char digit = chosenPort[com + 3];
  return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

void StoreSerialSettings9x(Machine& machine, int32_t portNumber, std::string_view portName,
                           const SerialLineSettings& settings) {
  WriteDcb(machine.registry, portNumber, BuildDcb(settings));
  machine.profiles.WriteProfileString("Ports", portName, SerialSettingsText(settings));
  // The port driver reads its defaults when told; nobody's answer is needed.
  machine.desktop.NotifyIniChange("Ports");
  machine.profiles.FlushProfile();
}

void StoreSerialSettingsNt(Machine& machine, std::string_view portName,
                           const SerialLineSettings& settings) {
  const std::string text = SerialSettingsText(settings);
  RegKey key(machine.registry);
  if (key.Open(RegRoot::LocalMachine, kNtPortsKey)) key.WriteString(portName, text);
}

}  // namespace kv

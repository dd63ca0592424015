#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Machine.h"

namespace kv {

// The serial line settings chosen for a printer on a serial port.
struct SerialLineSettings {
  int32_t baudRate = 9600;
  int32_t byteSize = 8;
  double stopBits = 1.0;   // 1.0, 1.5 or 2.0
  char parity = 'n';       // 'e', 'm', 'n', 'o' or 's'
  char flowControl = ' ';  // 'x' Xon/Xoff, 'p' hardware, ' ' none
};

// "9600,n,8,1,p": the form the system keeps a serial port's defaults in.
std::string SerialSettingsText(const SerialLineSettings& settings);

// The serial port's device control block as the 9x port driver stores it.
inline constexpr size_t kDcbSize = 28;
std::array<uint8_t, kDcbSize> BuildDcb(const SerialLineSettings& settings);

// The system port a chosen port stands for: the name from "COM" onward
// ("KVCOM3:" gives "COM3:"); the name itself when it has no "COM".
std::string SystemSerialPortName(std::string_view chosenPort);
// The digit after "COM" as a number; 0 when there is none.
int32_t SerialPortNumber(std::string_view chosenPort);

// Windows 98/Me: the DCB of COM1 or COM2 into the port class key of the
// first or second serial port, the text into win.ini's "Ports" section, then
// a notification to every window and a flush of the profile. Failures are
// ignored.
void StoreSerialSettings9x(Machine& machine, int32_t portNumber, std::string_view portName,
                           const SerialLineSettings& settings);

// The NT family: the text as the value named by the port in the existing
// "Ports" key. Failures, and a missing key, are ignored.
void StoreSerialSettingsNt(Machine& machine, std::string_view portName,
                           const SerialLineSettings& settings);

}  // namespace kv

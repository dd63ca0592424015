#pragma once

#include <string>
#include <string_view>

#include "config/SetupConfiguration.h"
#include "platform/Machine.h"
#include "usb/UsbPortKeys.h"

namespace kv {

// The state a known USB port's PRINTERPORT value starts with.
inline constexpr uint32_t kUsbPortUnused = 255;

// The USB port name of an installed printer's name: "USB_", the name up to
// its first '(', '_' and the character four places after the '(' (the digit
// of "model(U) 2") when the name has one; "USB_" + the whole name without '('.
std::string UsbPortNameOfPrinter(std::string_view printerName);

// Records the port a USB printer is being installed on: its index in the
// configured port list under PORTNAME, the eight "D" values and the unused
// state of every new listed port under PRINTERPORT, and the index of the port
// of every printer listed under INSTALLPRINTER. Reports nothing.
void RecordUsbPort(Machine& machine, const SetupConfiguration& configuration,
                   std::string_view portName);

}  // namespace kv

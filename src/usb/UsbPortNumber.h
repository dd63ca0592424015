#pragma once

#include <cstdint>

namespace kv {

// The USB port number a printer with this stored ID belongs to: (id mod 8) + 1
// with the remainder keeping the sign of id, so the "several devices" result
// -2 gives -1 and the "no device" result -1 gives 0.
int32_t UsbPortNumberFromId(int32_t id);

// The ID that makes a printer belong to port number n (1 to 8).
uint8_t UsbPrinterIdForPort(uint8_t portNumber);

}  // namespace kv

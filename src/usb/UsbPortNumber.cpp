#include "usb/UsbPortNumber.h"

namespace kv {

int32_t UsbPortNumberFromId(int32_t id) {
  // C++ integer remainder truncates toward zero, like fmod.
  return id % 8 + 1;
}

uint8_t UsbPrinterIdForPort(uint8_t portNumber) {
  return static_cast<uint8_t>(portNumber - 1);
}

}  // namespace kv

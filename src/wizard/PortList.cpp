#include "wizard/PortList.h"

#include "usb/UsbPortNumber.h"
#include "usb/UsbPrinterId.h"

namespace kv {
namespace {

constexpr int kAdvancedUsbPorts = 4;

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

int FirstContaining(const std::vector<std::string>& listed, std::string_view part) {
  for (size_t i = 0; i < listed.size(); ++i) {
    if (Contains(listed[i], part)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::vector<std::string> PortEntries(std::string_view modelName, OsFamily family, bool usbSupported,
                                     SetupType setupType) {
  std::vector<std::string> entries;
  if (family == OsFamily::Win98) {
    entries = {"COM1:", "COM2:", "LPT1:"};
  } else {
    for (char n = '1'; n <= '8'; ++n) entries.push_back(std::string("KVCOM") + n + ':');
    for (char n = '1'; n <= '3'; ++n) entries.push_back(std::string("LPT") + n + ':');
  }
  if (usbSupported && family != OsFamily::NT4) {
    const int count = setupType == SetupType::Advanced ? kAdvancedUsbPorts : 1;
    for (int n = 1; n <= count; ++n) {
      entries.push_back("USB_" + std::string(modelName) + "_" + std::to_string(n));
    }
  }
  return entries;
}

int32_t UsbPortNumberOfName(std::string_view portName) {
  const size_t underscore = portName.rfind('_');
  if (underscore == std::string_view::npos || underscore + 1 >= portName.size()) return 0;
  const char digit = portName[underscore + 1];
  return digit >= '0' && digit <= '9' ? digit - '0' : 0;
}

int ChoosePortEntry(const std::vector<std::string>& listed, bool usbSupported, int32_t usbId,
                    bool lptDefault, SetupType setupType) {
  if (usbSupported && usbId != kUsbNoDevice) {
    if (setupType == SetupType::Typical) return FirstContaining(listed, "USB");
    const int32_t portNumber = UsbPortNumberFromId(usbId);
    if (portNumber > kAdvancedUsbPorts) return listed.empty() ? -1 : 0;
    for (size_t i = 0; i < listed.size(); ++i) {
      if (Contains(listed[i], "USB") && UsbPortNumberOfName(listed[i]) == portNumber) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  if (lptDefault) return FirstContaining(listed, "LPT");
  return listed.empty() ? -1 : 0;
}

}  // namespace kv

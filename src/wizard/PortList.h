#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/OsFamily.h"
#include "wizard/SetupType.h"

namespace kv {

// The ports the port page offers, in the order they are added (the list
// sorts them itself): the family's fixed ports, then the USB ports of the
// model when it supports USB and the family is not NT 4.0, one for a Typical
// setup and four for an Advanced one ("USB_<model>_1" to "USB_<model>_4").
std::vector<std::string> PortEntries(std::string_view modelName, OsFamily family, bool usbSupported,
                                     SetupType setupType);

// The port number a USB port name ends in: the digit after its last '_', so
// a model name holding "_4" does not count. 0 when the name has no '_' or no
// digit follows the last one.
int32_t UsbPortNumberOfName(std::string_view portName);

// What the page selects among the listed entries (in list order):
//   a USB printer answered (usbId not -1) and the model supports USB:
//     Typical: the first USB entry;
//     Advanced: entry 0 when the printer's port number is above 4, else the
//     USB entry of that number;
//   otherwise with LPTDEFAULT: the first "LPT" entry;
//   otherwise entry 0.
// -1 when nothing matches (a printer answered but no USB entry fits): the
// page then has no current port.
int ChoosePortEntry(const std::vector<std::string>& listed, bool usbSupported, int32_t usbId,
                    bool lptDefault, SetupType setupType);

}  // namespace kv

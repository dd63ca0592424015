#pragma once

#include <string_view>

#include "platform/Machine.h"

namespace kv {

// Makes the printer the user's default the way the running platform keeps it:
// the printer's default attribute on the 9x platform, the profile's "device"
// entry on NT before 5.0, SetDefaultPrinterA from 5.0 on; then tells every
// top-level window, waiting at most a second for each. False when any step
// fails or no name is given; true without doing anything on other platforms.
bool MakeDefaultPrinter(Machine& machine, std::string_view printerName);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string>

#include "config/SetupConfiguration.h"

namespace kv {

// The supported USB port names, section "SUPPORTED-USB-DEVICE" of setup.ini:
// PRNCOUNT entries under the keys "0", "1", ... A name's position in the list is
// the port index the installation records keep for it.

// PRNCOUNT, 0 when missing.
int32_t ReadUsbPortCount(const SetupConfiguration& configuration);
// Entry `index`, cut to 29 characters (a longer name then matches no port);
// "0" when missing.
std::string ReadUsbPortName(const SetupConfiguration& configuration, int32_t index);

}  // namespace kv

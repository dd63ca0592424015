#pragma once

#include <cstdint>
#include <string_view>

#include "common/MessagePresenter.h"
#include "platform/Modules.h"

namespace kv {

inline constexpr int32_t kUsbNoDevice = -1;
inline constexpr int32_t kUsbSeveralDevices = -2;

// The ID stored in the one attached USB printer (0 to 65535); kUsbNoDevice
// when no device answers or the library fails, kUsbSeveralDevices when more
// than one is attached. Failures other than "no device" are shown through
// messages. The library is loaded for this call only.
int32_t ReadUsbPrinterId(Modules& modules, MessagePresenter& messages);

// Makes the first attached USB printer belong to port number 1 to 8 by
// sending it the set-ID command. Other port numbers are refused without a
// message. Does not count devices: callers read the ID first.
bool WriteUsbPrinterId(Modules& modules, MessagePresenter& messages, uint8_t portNumber);

}  // namespace kv

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/PrinterModule.h"
#include "config/SetupConfiguration.h"

namespace kv {

// One model entry of the device list in setup.ini, section "DEVICENAME".
struct DeviceEntry {
  std::string modelName;                // empty when the entry has no module
  std::optional<PrinterModule> module;  // none: the entry is not offered
};

// Classifies an entry by the first of "-ReceiptPrinter", "-TicketPrinter",
// "-LabelPrinter", "-EmbeddedPrinter" (searched in this order) found anywhere in
// it; the model name is the text before that occurrence.
DeviceEntry ClassifyDeviceEntry(std::string_view entry);

// DEVICENUMBER, 0 when missing.
int32_t ReadDeviceCount(const SetupConfiguration& configuration);
// DEVICENAME followed by the decimal index, classified.
DeviceEntry ReadDeviceEntry(const SetupConfiguration& configuration, int32_t index);
// The entry DEFAULTNAME points at; a missing DEFAULTNAME points at DEVICENAME0.
DeviceEntry ReadDefaultDevice(const SetupConfiguration& configuration);
// Entries 1 to DEVICENUMBER that have a module, in file order.
std::vector<DeviceEntry> ReadDeviceList(const SetupConfiguration& configuration);

}  // namespace kv

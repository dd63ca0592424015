// The simulated USB printers of the KvUsbInt.dll stand-in live in a text
// file beside the DLL, "KvUsbInt.txt". One line per attached printer holds
// its ID, the device release number of its device descriptor (decimal, or
// hexadecimal with 0x; 0 to 65535). Lines that are blank, start with ';' or
// '#', or hold no valid ID are not devices. At most eight printers count.
// No file means no printer is attached.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct SimulatedUsbPrinter {
  uint16_t id = 0;
  size_t line = 0;  // index of the file line that describes it
};

constexpr size_t kMaxUsbPrinters = 8;

// Parses the file's text; the first kMaxUsbPrinters devices count.
std::vector<SimulatedUsbPrinter> ParseUsbPrinters(const std::string& text);

// Returns text with the ID of the device on `line` replaced by `id`, every
// other line kept as it was.
std::string ReplaceUsbPrinterId(const std::string& text, size_t line, uint16_t id);

}  // namespace kv

#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// The printer type chosen on the module page; it selects the module
// configuration file. Kept as a plain 32-bit number, so a value outside 0 to 3
// can occur and selects no file.
enum class PrinterModule : int32_t { Receipt = 0, Ticket = 1, Label = 2, Embedded = 3 };

inline constexpr int32_t kPrinterModuleCount = 4;

// "DRVCONFIG\setup_receipt.ini" and so on, relative to the program's directory;
// empty outside 0 to 3. The label file really is spelled "Lable".
std::string_view ModuleFileName(PrinterModule module);
// "-ReceiptPrinter", "-TicketPrinter", "-LabelPrinter", "-EmbeddedPrinter";
// empty outside 0 to 3.
std::string_view DeviceListSuffix(PrinterModule module);

}  // namespace kv

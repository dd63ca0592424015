#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/OsFamily.h"
#include "platform/Machine.h"

namespace kv {

// The installation's calls on the local spooler. Each failure replaces
// `message` with the text the install procedure shows; none shows a window.

// Adds the driver (level 3).
bool InstallPrinterDriver(Machine& machine, const DriverInfo3& driver, std::string& message);

// The most numbered names a printer name is tried with: "name(1)" to "name(98)".
inline constexpr int kMaxPrinterNameNumber = 98;

// Adds the printer (level 2). When its name exists and `unique` is clear (a
// serial or parallel port), the lowest free "name(n)" is taken and left in
// printer.printerName; a USB port (`unique` set) refuses a second printer at
// once. On failure printer.printerName is emptied.
bool InstallPrinter(Machine& machine, PrinterInfo2& printer, bool unique, std::string& message);

// Adds the port monitor (level 2); a monitor the spooler already has counts as
// added. A DLL name that is not a bare file name is refused.
bool InstallMonitor(Machine& machine, const MonitorInfo2& monitor, OsFamily family,
                    std::string& message);

// Adds the print processor for the family's environment and returns the
// spooler's error; a processor already registered is refused too. Writes no
// message: the caller words the failure.
uint32_t RegisterPrintProcessor(Machine& machine, std::string_view processorName,
                                std::string_view dllName, OsFamily family);

// Lists the local ports so the spooler has asked every monitor for its ports
// before a printer is added to one; the list itself is not used.
bool EnumeratePorts(Machine& machine, std::string& message);

}  // namespace kv

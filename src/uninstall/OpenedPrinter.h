#pragma once

#include <string_view>

#include "common/PlatformHandles.h"
#include "platform/Spooler.h"

namespace kv {

// What a printer query found: the printer did not open, could not be queried,
// or the information's buffer could not be had.
enum class PrinterQueryResult { Ok, OpenFailed, QueryFailed, OutOfMemory };

// One printer opened with full access, closed when the object goes (or by
// Close, before the spooler restarts).
class OpenedPrinter {
 public:
  explicit OpenedPrinter(Spooler& spooler)
      : spooler_(spooler), handle_(OpenPrinterTraits{&spooler}) {}

  bool Open(std::string_view printerName);
  // PRINTER_INFO_2 of the open printer.
  PrinterQueryResult Query(PrinterInfo2* info);
  // The last error of a failed Delete.
  uint32_t Delete();
  void Close();

 private:
  Spooler& spooler_;
  OwnedPrinter handle_;
};

// Open and query in one, for callers that only need the information.
PrinterQueryResult QueryPrinter(Spooler& spooler, std::string_view printerName, PrinterInfo2* info);

}  // namespace kv

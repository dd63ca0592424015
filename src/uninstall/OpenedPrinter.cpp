#include "uninstall/OpenedPrinter.h"

#include "platform/Errors.h"

namespace kv {

bool OpenedPrinter::Open(std::string_view printerName) {
  return spooler_.OpenPrinterAllAccess(printerName, handle_.receive()) == kErrorSuccess;
}

PrinterQueryResult OpenedPrinter::Query(PrinterInfo2* info) {
  if (!handle_) return PrinterQueryResult::OpenFailed;
  uint32_t error = spooler_.QueryPrinter(handle_.get(), info);
  if (error == kErrorSuccess) return PrinterQueryResult::Ok;
  return error == kErrorNotEnoughMemory ? PrinterQueryResult::OutOfMemory
                                        : PrinterQueryResult::QueryFailed;
}

uint32_t OpenedPrinter::Delete() {
  if (!handle_) return kErrorInvalidHandle;
  return spooler_.DeleteOpenPrinter(handle_.get());
}

void OpenedPrinter::Close() {
  handle_.reset();
}

PrinterQueryResult QueryPrinter(Spooler& spooler, std::string_view printerName,
                                PrinterInfo2* info) {
  OpenedPrinter printer(spooler);
  if (!printer.Open(printerName)) return PrinterQueryResult::OpenFailed;
  return printer.Query(info);
}

}  // namespace kv

#include "config/PrinterModule.h"

namespace kv {

std::string_view ModuleFileName(PrinterModule module) {
  switch (module) {
    case PrinterModule::Receipt:
      return "DRVCONFIG\\setup_receipt.ini";
    case PrinterModule::Ticket:
      return "DRVCONFIG\\setup_Ticket.ini";
    case PrinterModule::Label:
      return "DRVCONFIG\\setup_Lable.ini";
    case PrinterModule::Embedded:
      return "DRVCONFIG\\setup_Embedded.ini";
  }
  return {};
}

std::string_view DeviceListSuffix(PrinterModule module) {
  switch (module) {
    case PrinterModule::Receipt:
      return "-ReceiptPrinter";
    case PrinterModule::Ticket:
      return "-TicketPrinter";
    case PrinterModule::Label:
      return "-LabelPrinter";
    case PrinterModule::Embedded:
      return "-EmbeddedPrinter";
  }
  return {};
}

}  // namespace kv

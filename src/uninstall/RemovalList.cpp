#include "uninstall/RemovalList.h"

#include "common/SpoolerEnvironment.h"
#include "platform/Errors.h"
#include "uninstall/OpenedPrinter.h"

namespace kv {

bool PrinterMatches(Spooler& spooler, UninstallIni& ini, std::string_view printerName) {
  PrinterInfo2 info;
  if (QueryPrinter(spooler, printerName, &info) != PrinterQueryResult::Ok) return false;
  return ini.MatchesPrinterList(info.driverName);
}

std::vector<RemovalItem> FindRemovalItems(Spooler& spooler, UninstallIni& ini,
                                          std::optional<OsFamily> family) {
  std::vector<RemovalItem> items;
  std::vector<PrinterInfo5> printers;
  if (spooler.EnumPrinters(&printers) == kErrorSuccess) {
    for (const auto& printer : printers) {
      if (PrinterMatches(spooler, ini, printer.printerName)) {
        items.push_back({printer.printerName, RemovalKind::Printer});
      }
    }
  }
  std::vector<std::string> monitors;
  if (spooler.EnumMonitors(&monitors) == kErrorSuccess) {
    for (const auto& monitor : monitors) {
      if (ini.MatchesMonitorList(monitor)) items.push_back({monitor, RemovalKind::Monitor});
    }
  }
  std::vector<std::string> processors;
  const std::string environment =
      family ? RecordsEnvironment(spooler, *family) : spooler.NtEnvironment();
  if (spooler.EnumPrintProcessors(environment, &processors) == kErrorSuccess) {
    for (const auto& processor : processors) {
      if (ini.MatchesProcessorList(processor)) {
        items.push_back({processor, RemovalKind::Processor});
      }
    }
  }
  return items;
}

void RemovalList::Fill(Controls& controls, const std::vector<RemovalItem>& items) {
  for (const auto& item : items) {
    int index = controls.InsertItem(controlId_, -1, item.name);
    if (index < 0) continue;
    controls.CheckItem(controlId_, index, false);
    items_.insert(items_.begin() + std::min<size_t>(static_cast<size_t>(index), items_.size()),
                  item);
  }
}

void RemovalList::SelectAll(Controls& controls) {
  for (int i = 0, count = Count(controls); i < count; ++i) controls.CheckItem(controlId_, i, true);
}

void RemovalList::Remove(Controls& controls, int index) {
  controls.DeleteItem(controlId_, index);
  if (index >= 0 && static_cast<size_t>(index) < items_.size())
    items_.erase(items_.begin() + index);
}

}  // namespace kv

#pragma once

#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Spooler.h"
#include "uninstall/UninstallIni.h"

namespace kv {

// What a list item was listed as; its removal follows that kind, whatever
// else its name happens to contain.
enum class RemovalKind { Printer, Monitor, Processor };

struct RemovalItem {
  std::string name;
  RemovalKind kind;
};

inline constexpr uint32_t kRemovalListStyles =
    kLvsExCheckBoxes | kLvsExGridLines | kLvsExTrackSelect | kLvsExFullRowSelect;

// The family's installed printers (by their drivers), port monitors and print
// processors, in that order. A failed enumeration contributes nothing; a
// printer that cannot be opened or queried is left out.
std::vector<RemovalItem> FindRemovalItems(Spooler& spooler, UninstallIni& ini,
                                          std::optional<OsFamily> family);

// Whether the printer's driver belongs to the family; false when the printer
// cannot be opened or queried.
bool PrinterMatches(Spooler& spooler, UninstallIni& ini, std::string_view printerName);

// The removal list: the list view's items with the kind each was listed as.
// Item i of the control is items()[i].
class RemovalList {
 public:
  explicit RemovalList(int controlId) : controlId_(controlId) {}

  // Appends the items to the control, check boxes cleared.
  void Fill(Controls& controls, const std::vector<RemovalItem>& items);
  void SelectAll(Controls& controls);
  void Remove(Controls& controls, int index);
  int Count(Controls& controls) const { return controls.ItemCount(controlId_); }
  bool Checked(Controls& controls, int index) const {
    return controls.ItemChecked(controlId_, index);
  }
  const RemovalItem& item(int index) const { return items_.at(static_cast<size_t>(index)); }

 private:
  int controlId_;
  std::vector<RemovalItem> items_;
};

}  // namespace kv

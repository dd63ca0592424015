#include "common/StringTable.h"

#include <algorithm>

namespace kv {

std::string_view FindString(std::span<const StringTableEntry> table, int id) {
  auto entry = std::lower_bound(table.begin(), table.end(), id,
                                [](const StringTableEntry& e, int value) { return e.id < value; });
  if (entry == table.end() || entry->id != id) return {};
  return entry->text;
}

}  // namespace kv

#pragma once

#include <span>
#include <string_view>

namespace kv {

// One entry of a program's string table.
struct StringTableEntry {
  int id;
  std::string_view text;
};

// The text of `id` in a table sorted by number; empty when it has none.
std::string_view FindString(std::span<const StringTableEntry> table, int id);

}  // namespace kv

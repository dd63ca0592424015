#include "sim/ListOrder.h"

#include <cstring>

namespace kv::sim {
namespace {

// Symbols in the order of the default sort table, before every digit.
constexpr char kSymbolOrder[] = " !\"#$%&()*,./:;?@[\\]^_`{|}~+<=>";

// The primary weight of a character; 0 for one the word sort passes over.
int Weight(unsigned char c) {
  if (c == '-' || c == '\'' || c < 0x20 || c == 0x7f) return 0;
  if (c >= '0' && c <= '9') return 100 + (c - '0');
  if (c >= 'a' && c <= 'z') return 200 + (c - 'a');
  if (c >= 'A' && c <= 'Z') return 200 + (c - 'A');
  if (const char* at = std::strchr(kSymbolOrder, c); at != nullptr && c != 0) {
    return 1 + static_cast<int>(at - kSymbolOrder);
  }
  return 300 + c;  // beyond ASCII: after the letters, by code
}

}  // namespace

int CompareListText(std::string_view a, std::string_view b) {
  size_t i = 0, j = 0;
  for (;;) {
    while (i < a.size() && Weight(a[i]) == 0) ++i;
    while (j < b.size() && Weight(b[j]) == 0) ++j;
    if (i == a.size() || j == b.size()) break;
    int difference = Weight(a[i]) - Weight(b[j]);
    if (difference != 0) return difference;
    ++i;
    ++j;
  }
  return (i < a.size()) - (j < b.size());
}

}  // namespace kv::sim

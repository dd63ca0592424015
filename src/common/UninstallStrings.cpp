#include "common/UninstallStrings.h"

#include <algorithm>
#include <iterator>

namespace kv {
namespace {

struct Entry {
  int id;
  std::string_view text;
};

#define KV_STRING(number, text) {number, text},
constexpr Entry kTable[] = {
#include "common/UninstallStrings.def"
};
#undef KV_STRING

}  // namespace

std::string_view UninstallString(int id) {
  auto it = std::find_if(std::begin(kTable), std::end(kTable),
                         [id](const Entry& entry) { return entry.id == id; });
  return it == std::end(kTable) ? std::string_view() : it->text;
}

}  // namespace kv

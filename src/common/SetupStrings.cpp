#include "common/SetupStrings.h"

#include "common/StringTable.h"

namespace kv {
namespace {

#define KV_STRING(name, number, text) {setup_text::name, text},
constexpr StringTableEntry kTable[] = {
#include "common/SetupStrings.def"
};
#undef KV_STRING

}  // namespace

std::string_view SetupString(int id) {
  return FindString(kTable, id);
}

}  // namespace kv

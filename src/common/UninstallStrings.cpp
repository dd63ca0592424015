#include "common/UninstallStrings.h"

#include "common/StringTable.h"

namespace kv {
namespace {

#define KV_STRING(name, number, text) {uninstall_text::name, text},
constexpr StringTableEntry kTable[] = {
#include "common/UninstallStrings.def"
};
#undef KV_STRING

}  // namespace

std::string_view UninstallString(int id) {
  return FindString(kTable, id);
}

}  // namespace kv

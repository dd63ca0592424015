#include "common/CompatibilityMarks.h"

#include <string>

#include "common/RegKey.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr std::string_view kProtectedStorageKey =
    "Software\\Microsoft\\Protected Storage System Provider";
constexpr size_t kShortestUserKeyName = 31;

void Mark(Machine& machine, RegRoot root, const std::string& path) {
  // Without the program's path there is nothing to name the value after.
  std::string program;
  if (machine.files.GetModuleFileName(&program) != kErrorSuccess || program.empty()) return;
  CreateKey(machine.registry, root, path);
  RegKey key(machine.registry);
  if (key.Open(root, path)) key.WriteDword(program, 1);
}

}  // namespace

void MarkCompatibilityPersisted(Machine& machine) {
  Mark(machine, RegRoot::CurrentUser, std::string(kCompatibilityPersistedKey));
}

void MarkCompatibilityPersistedForUsers(Machine& machine) {
  RegKey users(machine.registry);
  if (!users.Open(RegRoot::CurrentUser, kProtectedStorageKey)) return;
  std::string name;
  for (uint32_t index = 0; users.EnumKey(index, &name) == kErrorSuccess; ++index) {
    if (name.size() < kShortestUserKeyName || name.find("Classes") != std::string::npos) continue;
    Mark(machine, RegRoot::Users, name + "\\" + std::string(kCompatibilityPersistedKey));
  }
}

}  // namespace kv

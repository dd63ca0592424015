#include "install/CompatibilityMarks.h"

#include <string>

#include "common/RegKey.h"
#include "platform/Errors.h"

namespace kv {

void MarkCompatibilityPersisted(Registry& registry, Files& files) {
  std::string program;
  if (files.GetModuleFileName(&program) != kErrorSuccess) return;
  CreateKey(registry, RegRoot::CurrentUser, kCompatibilityPersistedKey);
  RegKey key(registry);
  if (!key.Open(RegRoot::CurrentUser, kCompatibilityPersistedKey)) return;
  key.WriteDword(program, 1);
}

}  // namespace kv

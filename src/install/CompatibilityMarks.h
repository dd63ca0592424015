#pragma once

#include "platform/Files.h"
#include "platform/Registry.h"

namespace kv {

inline constexpr const char* kCompatibilityPersistedKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
    "Assistant\\Persisted";

// Records the running program's full path in the current user's list of the
// Program Compatibility Assistant, so that Vista does not ask after it ran.
// Reports nothing; a key that cannot be created or opened is skipped.
void MarkCompatibilityPersisted(Registry& registry, Files& files);

}  // namespace kv

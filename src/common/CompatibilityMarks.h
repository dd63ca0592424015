#pragma once

#include "platform/Machine.h"

namespace kv {

// Where the system's program compatibility assistant keeps the programs it
// has already dealt with, below a user's root key.
inline constexpr std::string_view kCompatibilityPersistedKey =
    "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AppCompatFlags\\Compatibility "
    "Assistant\\Persisted";

// Records the running program there for the current user (Windows Vista), so
// the assistant does not ask about it after it ends.
void MarkCompatibilityPersisted(Machine& machine);

// The same for every user profile listed under the current user's Protected
// Storage key (Windows XP): subkeys named longer than 30 characters that do
// not contain "Classes", each taken as a key of HKEY_USERS.
void MarkCompatibilityPersistedForUsers(Machine& machine);

}  // namespace kv

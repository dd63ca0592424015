#pragma once

#include "platform/Security.h"

namespace kv {

// Whether the user's token holds the local Administrators group
// (S-1-5-32-544). Only presence counts: a deny-only or disabled group is still
// membership. Any failure gives false.
bool IsAdministrator(Security& security);

}  // namespace kv

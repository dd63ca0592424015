#pragma once

#include <optional>
#include <string>

#include "common/OsFamily.h"
#include "platform/Spooler.h"

namespace kv {

// The environment the spooler records of a family name: "Windows 4.0" for
// Win98, none (the spooler's local environment) for every other family.
std::optional<std::string> SpoolerEnvironment(OsFamily family);

// The environment under which the spooler keeps a family's records by name:
// "Windows 4.0" for Win98, the program's own NT environment otherwise.
std::string RecordsEnvironment(const Spooler& spooler, OsFamily family);

}  // namespace kv

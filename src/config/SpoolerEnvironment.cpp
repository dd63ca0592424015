#include "config/SpoolerEnvironment.h"

namespace kv {

std::optional<std::string> SpoolerEnvironment(OsFamily family) {
  if (UsesNinetyFiveEnvironment(family)) return kWindows40Environment;
  return std::nullopt;
}

std::string RecordsEnvironment(const Spooler& spooler, OsFamily family) {
  return UsesNinetyFiveEnvironment(family) ? kWindows40Environment : spooler.NtEnvironment();
}

}  // namespace kv

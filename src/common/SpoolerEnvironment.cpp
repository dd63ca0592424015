#include "common/SpoolerEnvironment.h"

namespace kv {

std::optional<std::string> SpoolerEnvironment(OsFamily family) {
  if (UsesNinetyFiveEnvironment(family)) return std::string(kNinetyFiveEnvironment);
  return std::nullopt;
}

std::string RecordsEnvironment(const Spooler& spooler, OsFamily family) {
  return UsesNinetyFiveEnvironment(family) ? std::string(kNinetyFiveEnvironment)
                                           : spooler.NtEnvironment();
}

}  // namespace kv

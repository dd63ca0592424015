#include "config/SpoolerEnvironment.h"

namespace kv {

std::optional<std::string> SpoolerEnvironment(OsFamily family) {
  if (UsesNinetyFiveEnvironment(family)) return kWindows40Environment;
  return std::nullopt;
}

}  // namespace kv

// Checks of the installation medium's configuration and stand-ins. Run under
// Wine (with a display: the USB driver installer opens a window) with the
// medium's root, or a scratch copy of it, as the current directory.
#include "Check.h"

namespace kv::medium {
void RunConfigurationChecks();
void RunSpoolerChecks();
void RunUsbChecks();
}  // namespace kv::medium

int main() {
  kv::medium::RunConfigurationChecks();
  kv::medium::RunSpoolerChecks();
  kv::medium::RunUsbChecks();
  return kv::medium::Report();
}

#include "uninstall/RunningFamily.h"

namespace kv {

RunningFamily ClassifyRunningFamily(System& system) {
  const WindowsClass running = ClassifyRunningWindows(system);
  RunningFamily result;
  if (running.unknownPlatform) return result;
  result.family = running.family;
  result.usbDriverRemovalDisabled =
      running.listed && (running.family == OsFamily::Win98 || running.family == OsFamily::NT4);
  result.marksCompatibility = running.family == OsFamily::Vista;
  return result;
}

}  // namespace kv

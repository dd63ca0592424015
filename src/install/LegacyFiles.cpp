#include "install/LegacyFiles.h"

#include <string_view>

#include "common/SetupStrings.h"
#include "install/DriverFileCopy.h"
#include "platform/Errors.h"

namespace kv {
namespace {

constexpr std::string_view kUniversalDriver = "UNIDRV.DLL";

void StageNinetyEightFiles(Machine& machine, std::string& message) {
  CopyDriverFile(machine, "ICONLIB.DLL", CopyTarget::DriverDirectory, OsFamily::Win98, false,
                 message);
  std::string system;
  std::string windows;
  if (machine.files.GetSystemDirectory(&system) != kErrorSuccess ||
      machine.files.GetWindowsDirectory(&windows) != kErrorSuccess) {
    message = SetupString(setup_text::kOutOfMemory);
    return;
  }
  const std::string target = system + "\\" + std::string(kUniversalDriver);
  if (machine.files.OpenExisting(target) == kErrorSuccess) return;
  const std::string backup = windows + "\\Sysbckup\\" + std::string(kUniversalDriver);
  if (machine.files.CopyFile(backup, target, true) == kErrorSuccess) return;
  CopyDriverFile(machine, kUniversalDriver, CopyTarget::DriverDirectory, OsFamily::Win98, false,
                 message);
}

}  // namespace

void StageLegacyFiles(Machine& machine, OsFamily family, bool universalDriver,
                      std::string& message) {
  switch (family) {
    case OsFamily::Win98:
      StageNinetyEightFiles(machine, message);
      return;
    case OsFamily::Win2000:
    case OsFamily::WinXP:
    case OsFamily::Server2003:
    case OsFamily::Vista:
      if (!universalDriver) return;
      for (std::string_view file : {"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL"}) {
        std::string discarded;
        CopyDriverFile(machine, file, CopyTarget::DriverDirectory, family, false, discarded);
      }
      return;
    default:
      return;
  }
}

}  // namespace kv

#include "usb/UsbDriverInstaller.h"

#include <optional>
#include <string>

#include "platform/Errors.h"
#include "usb/UsbDriverFiles.h"

namespace kv {
namespace {

constexpr std::string_view kInstallerRelativePath = "\\USBDrv\\Install.exe";

std::optional<std::string> InstallerPath(Files& files, UsbInstallerMode mode) {
  std::string directory;
  if (mode == UsbInstallerMode::Install) {
    if (files.GetModuleFileName(&directory) != kErrorSuccess) return std::nullopt;
    size_t lastBackslash = directory.rfind('\\');
    if (lastBackslash == std::string::npos) return std::nullopt;
    directory.resize(lastBackslash);
  } else if (files.GetCurrentDirectory(&directory) != kErrorSuccess) {
    return std::nullopt;
  }
  return directory + std::string(kInstallerRelativePath);
}

// The installer cannot replace a read-only, hidden or system file.
void UnprotectInstalledDriver(Files& files) {
  for (const auto& path : {UsbDriverInstallTarget(files), UsbDriverInfPath(files)}) {
    if (path) files.SetAttributes(*path, kFileAttributeArchive);
  }
}

}  // namespace

void RunUsbDriverInstaller(Files& files, Desktop& desktop, Clock& clock, UsbInstallerMode mode) {
  const bool installing = mode == UsbInstallerMode::Install;
  if (installing) UnprotectInstalledDriver(files);

  // Without a path there is nothing to start; the waits still run, as for an
  // installer that is missing from the medium.
  if (std::optional<std::string> installer = InstallerPath(files, mode)) {
    desktop.ShellExecute("open", *installer, installing ? "2" : "22", "", kSwShowNormal);
  }

  clock.Sleep(500);
  while (desktop.FindTopLevelWindow(kUsbInstallerCaption)) clock.Sleep(1000);
  if (installing) {
    clock.Sleep(1000);
    clock.Sleep(2000);
  } else {
    clock.Sleep(500);
    clock.Sleep(1000);
  }
}

}  // namespace kv

#include "usb/UsbDriverFiles.h"

#include "common/FileVersion.h"
#include "platform/Errors.h"

namespace kv {
namespace {

std::string VersionOf(Versions& versions, const std::optional<std::string>& path) {
  return path ? GetFileVersionString(versions, *path) : std::string(kNoFileVersion);
}

}  // namespace

std::optional<std::string> ShippedUsbDriverPath(Files& files) {
  std::string program;
  if (files.GetModuleFileName(&program) != kErrorSuccess) return std::nullopt;
  size_t lastBackslash = program.rfind('\\');
  if (lastBackslash == std::string::npos) return std::nullopt;
  return program.substr(0, lastBackslash + 1) + "USBDRV\\bulkusb.sys";
}

std::optional<std::string> InstalledUsbDriverPath(Files& files) {
  std::string windows;
  if (files.GetWindowsDirectory(&windows) != kErrorSuccess) return std::nullopt;
  return windows + "\\system32\\drivers\\bulkusb.sys";
}

std::optional<std::string> UsbDriverInstallTarget(Files& files) {
  std::string system;
  if (files.GetSystemDirectory(&system) != kErrorSuccess) return std::nullopt;
  return system + "\\drivers\\bulkusb.sys";
}

std::optional<std::string> UsbDriverInfPath(Files& files) {
  std::string windows;
  if (files.GetWindowsDirectory(&windows) != kErrorSuccess) return std::nullopt;
  return windows + "\\inf\\bulkusb.inf";
}

int32_t UsbDriverVersionNumber(std::string_view version) {
  int32_t number = 0;
  for (size_t at = 0; at <= 6 && at < version.size(); at += 2) {
    char c = version[at];
    if (c < '0' || c > '9') break;
    number = number * 10 + (c - '0');
  }
  return number;
}

bool IsUsbDriverInstalled(Files& files, Versions& versions) {
  return VersionOf(versions, InstalledUsbDriverPath(files)) != kNoFileVersion;
}

int CompareUsbDriverVersion(Files& files, Versions& versions) {
  std::string shipped = VersionOf(versions, ShippedUsbDriverPath(files));
  std::string installed = VersionOf(versions, InstalledUsbDriverPath(files));
  if (shipped == installed) return 0;
  int32_t installedNumber = UsbDriverVersionNumber(installed);
  if (installedNumber == 0) return -1;
  return UsbDriverVersionNumber(shipped) > installedNumber ? 1 : 0;
}

}  // namespace kv

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/Versions.h"

namespace kv {

// Where the USB device driver is looked for. Nothing when the directory it
// lives in cannot be had from the system.
std::optional<std::string> ShippedUsbDriverPath(Files& files);    // beside the program
std::optional<std::string> InstalledUsbDriverPath(Files& files);  // as tested
std::optional<std::string> UsbDriverInstallTarget(Files& files);  // as the installer writes it
std::optional<std::string> UsbDriverInfPath(Files& files);

// The number a version text compares by: the characters at positions 0, 2, 4
// and 6, read as a decimal number up to the first non-digit ("1.0.0.3" gives
// 1003). A short text yields the digits it has.
int32_t UsbDriverVersionNumber(std::string_view version);

// The driver counts as installed unless the installed file carries no
// version at all.
bool IsUsbDriverInstalled(Files& files, Versions& versions);

// -1: no installed driver; 1: the installed driver is older than the shipped
// copy; 0: same version text, or installed not older.
int CompareUsbDriverVersion(Files& files, Versions& versions);

}  // namespace kv

#pragma once

#include <string_view>

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Files.h"

namespace kv {

// The caption of the maker's driver installer window while it works; its
// disappearance is the only sign that the installer has finished.
inline constexpr std::string_view kUsbInstallerCaption = "ORVA print system setup";

enum class UsbInstallerMode {
  Install,  // from setup: the installer beside the program, parameter "2"
  Remove,   // from uninstall: the installer under the current directory, "22"
};

// Starts the maker's USB driver installer and blocks until its window has
// gone, with the fixed waits that let it settle. A missing installer only
// shortens the wait; nothing is reported.
void RunUsbDriverInstaller(Files& files, Desktop& desktop, Clock& clock, UsbInstallerMode mode);

}  // namespace kv

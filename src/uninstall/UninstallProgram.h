#pragma once

#include <string>

#include "platform/Controls.h"
#include "platform/Machine.h"

namespace kv {

inline constexpr std::string_view kUninstallCaption = "Uninstall";
inline constexpr std::string_view kSetupCaption = "Printer Driver Setup";

// The base name of the program's own file without its extension: the name of
// the single-instance mutex and the caption of the program's message boxes.
std::string ApplicationName(Files& files);

// The uninstaller from start to end: one copy at a time, never beside a
// running setup, then the window until it closes.
void RunUninstallProgram(Machine& machine, Dialogs& dialogs);

}  // namespace kv

#pragma once

namespace kv {

// How a run of the setup program ended, before it becomes an exit code.
enum class SetupEnd {
  Installed,
  // An unattended run found the printer and its components as they should be.
  AlreadyInstalled,
  // Installed; the computer must restart before the installation takes effect.
  RestartNeeded,
  // Installed, and the user had the computer restarted.
  RestartRequested,
  // The user cancelled the wizard or declined to rewrite the printer's ID.
  Cancelled,
  Failed,
  // Another installation (this program or the uninstaller) is running.
  Busy,
  NotAdministrator,
  BadOption,
  MediumFileMissing
};

}  // namespace kv

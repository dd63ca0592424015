#include "uninstall/UninstallProgram.h"

#include "common/ProgramShell.h"
#include "uninstall/UninstallIds.h"
#include "uninstall/UninstallWindow.h"

namespace kv {

void RunUninstallProgram(Machine& machine, Dialogs& dialogs) {
  ProgramShell shell(machine, kUninstallProgram);
  if (!shell.StartAlone()) return;
  UninstallWindow window(machine, dialogs, shell.applicationName());
  dialogs.RunModal(IDD_UNINSTALL, window, 0);
}

}  // namespace kv

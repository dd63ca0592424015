// Uninstall.exe: removes the printer family's printers, port monitors and
// print processors from the machine.
#include "win32/Win32Api.h"

#include "uninstall/UninstallProgram.h"
#include "win32/Win32Machine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  kv::Win32Machine machine;
  return kv::RunUninstallProgram(machine.machine(), machine.machine().dialogs,
                                 commandLine ? commandLine : "");
}

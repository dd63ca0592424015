// Uninstall.exe: removes the printer family's printers, port monitors and
// print processors from the machine.
#include "win32/Win32Api.h"

#include "uninstall/UninstallProgram.h"
#include "win32/Win32Machine.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  kv::Win32Machine machine;
  kv::RunUninstallProgram(machine.machine(), machine.machine().dialogs);
  return 0;
}

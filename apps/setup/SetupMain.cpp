// setup.exe: the printer driver installation wizard.
#include "Win32ControlClasses.h"
#include "win32/Win32Machine.h"
#include "wizard/SetupProgram.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  kv::CEditEx::RegisterWindowClass(instance);
  kv::Win32Machine machine;
  // Created at start, destroyed at the end: the licence text's edit object.
  kv::Win32ControlClasses controlClasses;
  return kv::RunSetupProgram(machine.machine(), controlClasses, commandLine ? commandLine : "");
}

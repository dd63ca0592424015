// setup.exe: the printer driver installation wizard.
#include "Win32ControlClasses.h"
#include "win32/Win32Machine.h"
#include "wizard/SetupApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  kv::CEditEx::RegisterWindowClass(instance);
  kv::Win32Machine machine;
  // Created at start, destroyed at the end: the licence text's edit object.
  kv::Win32ControlClasses controlClasses;
  kv::SetupApp app(machine.machine(), controlClasses);
  app.Run();
  return 0;
}

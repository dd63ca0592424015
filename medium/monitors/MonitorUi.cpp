// The port monitors' user-interface DLL stand-in. The stand-in ports have no
// settings of their own (the serial line settings are written by Printer
// Driver Setup), so configuring a port only says so, and ports can be neither
// added nor deleted by hand.
#include <windows.h>
#include <winsplp.h>

#include <string>

#include "monitors/WideText.h"

#ifndef KV_MONITOR_NAME
#error KV_MONITOR_NAME must name the monitor this user interface belongs to
#endif

namespace {

BOOL WINAPI AddPortUi(PCWSTR, HWND, PCWSTR, PWSTR* portNameOut) {
  if (portNameOut != nullptr) *portNameOut = nullptr;
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

BOOL WINAPI ConfigurePortUi(PCWSTR, HWND window, PCWSTR portName) {
  const std::string text = "Port " + kv::Narrow(portName) +
                           " has no settings of its own.\r\n"
                           "Its line settings are made by Printer Driver Setup.";
  MessageBoxA(window, text.c_str(), KV_MONITOR_NAME, MB_OK | MB_ICONINFORMATION);
  return TRUE;
}

BOOL WINAPI DeletePortUi(PCWSTR, HWND, PCWSTR) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}

MONITORUI monitorUi = {sizeof(MONITORUI), AddPortUi, ConfigurePortUi, DeletePortUi};

}  // namespace

extern "C" __declspec(dllexport) PMONITORUI WINAPI InitializePrintMonitorUI() {
  return &monitorUi;
}

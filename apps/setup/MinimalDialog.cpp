// The smallest dialog program: one dialog template run modally. Built with
// the same compiler and flags as setup.exe as a yardstick for its size and
// start-up time.
#include <windows.h>

namespace {

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    ::EndDialog(window, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return static_cast<int>(
      ::DialogBoxParamA(instance, MAKEINTRESOURCEA(100), nullptr, Procedure, 0));
}

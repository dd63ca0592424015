// Stand-in for the maker's USB device driver installer, USBDrv\Install.exe.
//   Install.exe 2    installs bulkusb.sys and bulkusb.inf from its own folder
//   Install.exe 22   removes them
// While it works it shows a top-level window captioned "ORVA print system
// setup", which is how its callers know that it is still running. It keeps
// the window up for about two seconds, as the real installer's work takes,
// and does its copying before the window goes. Exit code: 0 done, 1 a file
// could not be copied or removed, 2 an unknown parameter.
#include <windows.h>

#include <string>

#include "handles/WindowsHandles.h"

namespace {

const char kCaption[] = "ORVA print system setup";
const char kWindowClass[] = "KvUsbDriverInstaller";
constexpr UINT_PTR kWorkTimer = 1;
constexpr UINT kShowMilliseconds = 2000;

enum class Mode { kInstall, kRemove };

struct InstallerState {
  Mode mode = Mode::kInstall;
  int exitCode = 0;
};
InstallerState state;

std::string OwnDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string result(path, length < MAX_PATH ? length : 0);
  const size_t slash = result.find_last_of('\\');
  return slash == std::string::npos ? std::string() : result.substr(0, slash + 1);
}

std::string WindowsDirectory() {
  char path[MAX_PATH] = {};
  const UINT length = GetWindowsDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? path : "C:\\WINDOWS";
}

bool CopyInto(const std::string& source, const std::string& directory, const char* name) {
  CreateDirectoryA(directory.c_str(), nullptr);  // usually there already
  const std::string target = directory + "\\" + name;
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

bool Remove(const std::string& target) {
  SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (DeleteFileA(target.c_str())) return true;
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool DoWork(Mode mode) {
  const std::string windows = WindowsDirectory();
  const std::string drivers = windows + "\\system32\\drivers";
  const std::string inf = windows + "\\inf";
  if (mode == Mode::kInstall) {
    const std::string own = OwnDirectory();
    CreateDirectoryA((windows + "\\system32").c_str(), nullptr);
    const bool driver = CopyInto(own + "bulkusb.sys", drivers, "bulkusb.sys");
    const bool information = CopyInto(own + "bulkusb.inf", inf, "bulkusb.inf");
    return driver && information;
  }
  const bool driver = Remove(drivers + "\\bulkusb.sys");
  const bool information = Remove(inf + "\\bulkusb.inf");
  return driver && information;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kWorkTimer) {
        KillTimer(window, kWorkTimer);
        state.exitCode = DoWork(state.mode) ? 0 : 1;
        kv::WindowTraits::Close(window);  // the work is done: the window goes
      }
      return 0;
    case WM_CLOSE:
      return 0;  // the work decides when the window goes
    case WM_DESTROY:
      PostQuitMessage(state.exitCode);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool ParseMode(const char* commandLine, Mode* mode) {
  std::string argument = commandLine == nullptr ? "" : commandLine;
  const size_t first = argument.find_first_not_of(" \t\"");
  const size_t last = argument.find_last_not_of(" \t\"");
  argument = first == std::string::npos ? "" : argument.substr(first, last - first + 1);
  if (argument == "2") {
    *mode = Mode::kInstall;
    return true;
  }
  if (argument == "22") {
    *mode = Mode::kRemove;
    return true;
  }
  return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  if (!ParseMode(commandLine, &state.mode)) return 2;

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_WAIT);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;

  const int width = 360;
  const int height = 110;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  HWND window = CreateWindowExA(0, kWindowClass, kCaption, WS_POPUP | WS_CAPTION | WS_BORDER, left,
                                top, width, height, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  const char* text = state.mode == Mode::kInstall ? "Installing the USB printer driver..."
                                                  : "Removing the USB printer driver...";
  CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 25, width - 26, 20,
                  window, nullptr, instance, nullptr);
  ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
  UpdateWindow(window);
  SetTimer(window, kWorkTimer, kShowMilliseconds, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

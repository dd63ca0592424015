// Starts a dialog program, measures the time until its window captioned
// CAPTION is visible, closes it with IDCANCEL and waits for it to end:
//   launch-timer.exe RUNS CAPTION PROGRAM
// Prints one "launch-ms=N" line per run.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "handles/WindowsHandles.h"

namespace {

struct Search {
  DWORD process;
  const char* caption;
  HWND found;
};

BOOL CALLBACK Visit(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  char caption[256] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  if (process == search->process && ::IsWindowVisible(window) &&
      ::lstrcmpA(caption, search->caption) == 0) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: launch-timer RUNS CAPTION PROGRAM\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  for (int run = 0; run < runs; ++run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const DWORD start = ::GetTickCount();
    if (!::CreateProcessA(argv[3], nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
      std::fprintf(stderr, "cannot start %s\n", argv[3]);
      return 1;
    }
    const kv::KernelHandle processHandle(process.hProcess);
    const kv::KernelHandle threadHandle(process.hThread);
    Search search{process.dwProcessId, argv[2], nullptr};
    while (search.found == nullptr && ::GetTickCount() - start < 60000) {
      ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
      if (search.found == nullptr) ::Sleep(2);
    }
    const DWORD elapsed = ::GetTickCount() - start;
    if (search.found == nullptr) {
      std::fprintf(stderr, "no window captioned %s\n", argv[2]);
      ::TerminateProcess(process.hProcess, 1);
    } else {
      std::printf("launch-ms=%lu\n", static_cast<unsigned long>(elapsed));
      std::fflush(stdout);
      ::PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
    }
    ::WaitForSingleObject(process.hProcess, 30000);
  }
  return 0;
}

#include "win32/Win32System.h"

#include "win32/Win32Api.h"

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {

bool Win32System::GetVersion(OsVersionInfo* info) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  static_assert(sizeof version == 148);
  if (!::GetVersionExA(&version)) return false;
  info->majorVersion = version.dwMajorVersion;
  info->minorVersion = version.dwMinorVersion;
  info->buildNumber = version.dwBuildNumber;
  info->platformId = version.dwPlatformId;
  info->csdVersion = version.szCSDVersion;
  return true;
}

// The token functions are looked up at run time, as the 9x platform (which
// needs no privilege) may lack them.
uint32_t Win32System::EnableShutdownPrivilege() {
  using OpenToken = BOOL WINAPI(HANDLE, DWORD, PHANDLE);
  using LookupPrivilege = BOOL WINAPI(LPCSTR, LPCSTR, PLUID);
  using AdjustPrivileges =
      BOOL WINAPI(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);
  auto* openToken = FindSystemProc<OpenToken>("advapi32.dll", "OpenProcessToken");
  auto* lookup = FindSystemProc<LookupPrivilege>("advapi32.dll", "LookupPrivilegeValueA");
  auto* adjust = FindSystemProc<AdjustPrivileges>("advapi32.dll", "AdjustTokenPrivileges");
  if (openToken == nullptr || lookup == nullptr || adjust == nullptr) return kErrorProcNotFound;
  KernelHandle token;
  if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.receive())) {
    return LastFailure();
  }
  TOKEN_PRIVILEGES privileges = {};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!lookup(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    return LastFailure();
  }
  if (!adjust(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return LastFailure();
  return kErrorSuccess;
}

// On the NT platform a reboot needs the shutdown privilege enabled in the
// process token; on the 9x platform the attempt fails harmlessly.
uint32_t Win32System::RestartComputer() {
  EnableShutdownPrivilege();
  if (!::ExitWindowsEx(EWX_REBOOT, 0)) return LastErrorOr(kErrorInvalidFunction);
  return kErrorSuccess;
}

}  // namespace kv

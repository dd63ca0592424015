#pragma once

#include <cstdint>
#include <string>

namespace kv {

inline constexpr uint32_t kPlatformWin32s = 0;
inline constexpr uint32_t kPlatformWindows = 1;  // the 9x platform
inline constexpr uint32_t kPlatformNt = 2;

// OSVERSIONINFOA as GetVersionExA fills it.
struct OsVersionInfo {
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  uint32_t buildNumber = 0;
  uint32_t platformId = 0;
  std::string csdVersion;
};

// The running system as a whole.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class System {
 public:
  virtual ~System() = default;

  // GetVersionExA with the structure size 148.
  virtual bool GetVersion(OsVersionInfo* info) = 0;
  // Enables SeShutdownPrivilege in the process token (open with the right to
  // adjust privileges, look the privilege up, adjust): the result of the
  // adjustment call. The 9x platform has no tokens.
  virtual uint32_t EnableShutdownPrivilege() = 0;
  // Takes the shutdown privilege where the platform has one and asks for a
  // reboot (ExitWindowsEx). Windows error number.
  virtual uint32_t RestartComputer() = 0;
};

}  // namespace kv

#pragma once

#include <cstdint>
#include <string_view>

namespace kv {

// Service access rights and states (the Windows numbers).
inline constexpr uint32_t kServiceQueryStatus = 0x0004;
inline constexpr uint32_t kServiceStart = 0x0010;
inline constexpr uint32_t kServiceStop = 0x0020;

inline constexpr uint32_t kServiceStopped = 1;
inline constexpr uint32_t kServiceStartPending = 2;
inline constexpr uint32_t kServiceStopPending = 3;
inline constexpr uint32_t kServiceRunning = 4;

using ScHandle = uintptr_t;

// The service control manager of the local machine. Results are Windows error
// numbers; handles are closed by the caller on every path.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Services {
 public:
  virtual ~Services() = default;

  // The manager, active database, full access. Windows 95, 98 and Me have
  // none: 120 (the call is not implemented).
  virtual uint32_t OpenManager(ScHandle* manager) = 0;
  virtual uint32_t OpenService(ScHandle manager, std::string_view name, uint32_t access,
                               ScHandle* service) = 0;
  virtual uint32_t CloseHandle(ScHandle handle) = 0;

  // SERVICE_CONTROL_STOP; does not wait for the stopped state.
  virtual uint32_t Stop(ScHandle service) = 0;
  virtual uint32_t Start(ScHandle service) = 0;
  virtual uint32_t QueryState(ScHandle service, uint32_t* currentState) = 0;
};

}  // namespace kv

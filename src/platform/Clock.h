#pragma once

#include <cstdint>

namespace kv {

// Time as the core sees it; the simulated machine's clock is virtual.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual uint64_t NowMs() = 0;
};

}  // namespace kv

#pragma once

#include <cstdint>

namespace kv {

// GetLocalTime's SYSTEMTIME, less the day of the week.
struct LocalTime {
  uint16_t year = 0;
  uint16_t month = 0;  // 1 to 12
  uint16_t day = 0;    // 1 to 31
  uint16_t hour = 0;
  uint16_t minute = 0;
  uint16_t second = 0;
  uint16_t milliseconds = 0;
  bool operator==(const LocalTime&) const = default;
};

// Time as the core sees it; the simulated machine's clock is virtual.
// [any thread] Every method: a worker thread may call them, as the program's
// own thread may (the Win32 machine keeps no state of its own between calls).
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual uint64_t NowMs() = 0;
  // The wall-clock time of the computer's time zone, to the millisecond.
  virtual LocalTime Now() = 0;
};

}  // namespace kv

#pragma once

#include "win32/Win32Api.h"

#include "platform/Clock.h"

namespace kv {

class Win32Clock : public Clock {
 public:
  Win32Clock();
  ~Win32Clock() override;
  Win32Clock(const Win32Clock&) = delete;
  Win32Clock& operator=(const Win32Clock&) = delete;

  void Sleep(uint32_t milliseconds) override;
  // GetTickCount, carried past its 49.7-day wrap.
  uint64_t NowMs() override;
  LocalTime Now() override;

 private:
  CRITICAL_SECTION lock_;
  uint32_t lastTicks_ = 0;
  uint64_t wraps_ = 0;
};

}  // namespace kv

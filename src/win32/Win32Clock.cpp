#include "win32/Win32Clock.h"

namespace kv {

Win32Clock::Win32Clock() {
  InitializeCriticalSection(&lock_);
}

Win32Clock::~Win32Clock() {
  DeleteCriticalSection(&lock_);
}

void Win32Clock::Sleep(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

uint64_t Win32Clock::NowMs() {
  EnterCriticalSection(&lock_);
  uint32_t ticks = GetTickCount();
  if (ticks < lastTicks_) ++wraps_;
  lastTicks_ = ticks;
  uint64_t now = (wraps_ << 32) | ticks;
  LeaveCriticalSection(&lock_);
  return now;
}

LocalTime Win32Clock::Now() {
  SYSTEMTIME now = {};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace kv

#pragma once

#include <cstdint>

namespace kv {

// Time as the core sees it; the simulated machine's clock is virtual.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual void Sleep(uint32_t milliseconds) = 0;
  virtual uint64_t NowMs() = 0;
};

}  // namespace kv

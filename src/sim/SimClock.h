#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/Clock.h"

namespace kv::sim {

// Virtual time: a sleep advances the clock and is recorded, never slept.
class SimClock : public Clock {
 public:
  void Sleep(uint32_t milliseconds) override;
  uint64_t NowMs() override { return now_; }
  // The local time the machine started at plus the virtual time since.
  LocalTime Now() override;

  // Time passing outside the code under test (the user thinking, a dialog
  // waiting for its timer): not a sleep, but the hooks see it.
  void Advance(uint64_t milliseconds);

  // The wall clock at virtual time 0; by default 2026-03-14 09:26:53.589.
  void SetStartTime(const LocalTime& start) { start_ = start; }

  const std::vector<uint32_t>& sleeps() const { return sleeps_; }
  void ClearSleeps() { sleeps_.clear(); }
  // Called after every sleep, with the new time: lets a test change the
  // machine while the code under test waits (a window closing, a service
  // coming up).
  void OnSleep(std::function<void(uint64_t now)> hook) { hooks_.push_back(std::move(hook)); }

 private:
  uint64_t now_ = 0;
  LocalTime start_{2026, 3, 14, 9, 26, 53, 589};
  std::vector<uint32_t> sleeps_;
  std::vector<std::function<void(uint64_t)>> hooks_;
};

}  // namespace kv::sim

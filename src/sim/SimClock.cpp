#include "sim/SimClock.h"

namespace kv::sim {

void SimClock::Sleep(uint32_t milliseconds) {
  now_ += milliseconds;
  sleeps_.push_back(milliseconds);
  for (auto& hook : hooks_) hook(now_);
}

void SimClock::Advance(uint64_t milliseconds) {
  now_ += milliseconds;
  for (auto& hook : hooks_) hook(now_);
}

}  // namespace kv::sim

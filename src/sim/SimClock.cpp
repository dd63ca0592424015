#include "sim/SimClock.h"

#include <chrono>

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

LocalTime SimClock::Now() {
  using namespace std::chrono;
  const sys_days startDay{year{start_.year} / month{start_.month} / day{start_.day}};
  const milliseconds startOfDay = hours{start_.hour} + minutes{start_.minute} +
                                  seconds{start_.second} + milliseconds{start_.milliseconds};
  const sys_time<milliseconds> now = startDay + startOfDay + milliseconds{now_};
  const sys_days today = floor<days>(now);
  const year_month_day date{today};
  const hh_mm_ss<milliseconds> time{now - today};
  return {static_cast<uint16_t>(static_cast<int>(date.year())),
          static_cast<uint16_t>(static_cast<unsigned>(date.month())),
          static_cast<uint16_t>(static_cast<unsigned>(date.day())),
          static_cast<uint16_t>(time.hours().count()),
          static_cast<uint16_t>(time.minutes().count()),
          static_cast<uint16_t>(time.seconds().count()),
          static_cast<uint16_t>(time.subseconds().count())};
}

}  // namespace kv::sim

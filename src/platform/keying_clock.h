// The keying thread's time base: CLOCK_MONOTONIC, absolute-deadline sleeps
// with clock_nanosleep(TIMER_ABSTIME), then a short spin for the last
// fraction of a millisecond so an edge lands within microseconds of its
// deadline even when the scheduler wakes the thread late.
//
// Absolute deadlines mean a late wake-up shortens the next wait instead of
// pushing every later edge back, and the spin costs only `spin_ns` of CPU
// per element rather than the whole element.
#pragma once

#include <cstdint>

#include "keying/key_line.h"

namespace vantrel {

class PosixKeyingClock : public KeyingClock {
 public:
  explicit PosixKeyingClock(std::int64_t spin_ns = 300'000) : spin_ns_(spin_ns) {}
  std::int64_t NowNs() const override;
  void SleepUntil(std::int64_t deadline_ns) override;
  void CountRounds(double rounds) override;

 private:
  std::int64_t spin_ns_;
};

}  // namespace vantrel

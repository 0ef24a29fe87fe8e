// A clock that tests and replays set by hand.
#pragma once

#include <chrono>

#include "common/utc_clock.h"

namespace vantrel {

// A clock that stays where it is set, for tests and replays.
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalTime now = {}) : now_(now) {}
  LocalTime Now() const override { return now_; }
  void Set(LocalTime now) { now_ = now; }
  void Advance(std::chrono::milliseconds by) { now_ += by; }

 private:
  LocalTime now_;
};

}  // namespace vantrel

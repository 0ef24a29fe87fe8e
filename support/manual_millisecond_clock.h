// A millisecond clock that moves only when told to, or by the time a caller
// sleeps, so timing code runs in tests without waiting.
#pragma once

#include <cstdint>
#include <vector>

#include "common/ports.h"

namespace vantrel {

class ManualMillisecondClock : public MillisecondClock {
 public:
  explicit ManualMillisecondClock(std::uint32_t now = 0) : now_(now) {}
  std::uint32_t Milliseconds() const override { return now_; }
  void Sleep(std::uint32_t milliseconds) override {
    sleeps.push_back(milliseconds);
    now_ += milliseconds;  // wraps like the real count
  }
  void RaiseTimerResolution() override { ++raised; }
  void ReleaseTimerResolution() override { --raised; }
  void Advance(std::uint32_t milliseconds) { now_ += milliseconds; }

  std::vector<std::uint32_t> sleeps;
  int raised = 0;  // raises not yet released

 private:
  std::uint32_t now_;
};

}  // namespace vantrel

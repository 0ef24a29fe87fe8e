// The millisecond count from the monotonic clock, truncated to 32 bits so it
// wraps like the count the timing code expects; sleep is a thread sleep.
// Timer resolution needs no raising on Linux, so those calls do nothing.
#pragma once

#include "common/ports.h"

namespace vantrel {

class SteadyMillisecondClock : public MillisecondClock {
 public:
  std::uint32_t Milliseconds() const override;
  void Sleep(std::uint32_t milliseconds) override;
};

}  // namespace vantrel

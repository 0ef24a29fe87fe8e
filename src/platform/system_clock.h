// The computer's local wall clock, for the UTC rule and the clock display.
#pragma once

#include "common/utc_clock.h"

namespace vantrel {

class SystemClock : public Clock {
 public:
  LocalTime Now() const override;
};

}  // namespace vantrel

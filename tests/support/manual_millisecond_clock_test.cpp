// The hand-moved clock wraps as the real count does.
#include "support/manual_millisecond_clock.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ManualMillisecondClock, SleepsMoveTheCountAcrossTheWrap) {
  ManualMillisecondClock clock(0xFFFFFFF0u);
  const std::uint32_t start = clock.Milliseconds();
  clock.RaiseTimerResolution();
  clock.Sleep(10);
  clock.Advance(16);
  clock.ReleaseTimerResolution();
  EXPECT_EQ(clock.Milliseconds(), 10u);
  EXPECT_EQ(MillisecondsSince(start, clock.Milliseconds()), 26u);
  EXPECT_EQ(clock.sleeps, std::vector<std::uint32_t>{10});
  EXPECT_EQ(clock.raised, 0);
}

}  // namespace
}  // namespace vantrel

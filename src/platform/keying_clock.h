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

// Gives the calling thread a real-time (SCHED_FIFO) priority, so a busy
// machine cannot hold its wake-ups back by whole scheduler slices. False when
// the system refuses (no CAP_SYS_NICE or RLIMIT_RTPRIO): the thread then keys
// at normal priority. Its waits are sleeps, and the spin before each edge is
// short, so the other threads keep the processor.
bool RaiseKeyingThreadPriority();

// "Loop" calibration run the way the loop will later run: on a thread of
// its own at the keying priority, so the rounds counted per 60 ms match the
// keying thread's and not the UI thread's share of the processor.
double CalibrateLoopsAtKeyingPriority(KeyingClock& clock);

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

#include "platform/keying_clock.h"

#include <pthread.h>
#include <sched.h>
#include <cerrno>
#include <ctime>
#include <thread>

#include "keying/keying_engine.h"

namespace vantrel {

bool RaiseKeyingThreadPriority() {
  sched_param param{};
  param.sched_priority = 20;  // above ordinary threads, below the kernel's own
  return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

double CalibrateLoopsAtKeyingPriority(KeyingClock& clock) {
  double loops = 0;
  std::thread([&] {
    RaiseKeyingThreadPriority();
    loops = CalibrateLoops(clock);
  }).join();
  return loops;
}

std::int64_t PosixKeyingClock::NowNs() const {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

void PosixKeyingClock::SleepUntil(std::int64_t deadline_ns) {
  const std::int64_t wake = deadline_ns - spin_ns_;
  if (wake > NowNs()) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(wake / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(wake % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
  }
  while (NowNs() < deadline_ns) {
  }
}

void PosixKeyingClock::CountRounds(double rounds) {
  // volatile: the count is the wait, so the compiler must not fold it away.
  volatile double n = 0;
  while (n < rounds) n = n + 1;
}

}  // namespace vantrel

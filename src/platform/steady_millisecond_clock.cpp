#include "platform/steady_millisecond_clock.h"

#include <chrono>
#include <thread>

namespace vantrel {

std::uint32_t SteadyMillisecondClock::Milliseconds() const {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

void SteadyMillisecondClock::Sleep(std::uint32_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace vantrel

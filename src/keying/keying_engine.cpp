#include "keying/keying_engine.h"

#include <cmath>

#include "keying/morse.h"

namespace vantrel {

namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

KeyingEngine::KeyingEngine(KeyingClock& clock) : clock_(&clock) {}

void KeyingEngine::SetLine(KeyLine* line) {
  std::lock_guard lock(mutex_);
  line_ = line;
}

void KeyingEngine::Append(std::string_view text) {
  if (text.empty()) return;
  {
    std::lock_guard lock(mutex_);
    buffer_ += text;
    sending_ = true;
  }
  work_.notify_all();
}

void KeyingEngine::Clear() {
  std::lock_guard lock(mutex_);
  buffer_.clear();
}

bool KeyingEngine::RemoveLast() {
  std::lock_guard lock(mutex_);
  if (buffer_.empty()) return false;
  buffer_.pop_back();
  return true;
}

std::string KeyingEngine::Buffer() const {
  std::lock_guard lock(mutex_);
  return buffer_;
}

bool KeyingEngine::Sending() const {
  std::lock_guard lock(mutex_);
  return sending_;
}

void KeyingEngine::StopNow() {
  std::lock_guard lock(mutex_);
  buffer_.clear();
  if (sending_) halt_.store(true);
}

void KeyingEngine::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [this] { return !sending_; });
}

bool KeyingEngine::WaitForWork() {
  std::unique_lock lock(mutex_);
  work_.wait(lock, [this] { return shutdown_ || !buffer_.empty(); });
  if (!shutdown_) return true;
  sending_ = false;
  idle_.notify_all();
  return false;
}

void KeyingEngine::Shutdown() {
  {
    std::lock_guard lock(mutex_);
    shutdown_ = true;
    buffer_.clear();
    if (sending_) halt_.store(true);
  }
  work_.notify_all();
}

bool KeyingEngine::SetLineChecked(KeyLine* line, bool down) {
  if (!line || line->Set(down)) return true;
  line->Set(false);
  if (!line_failure_reported_ && events_.line_failed) events_.line_failed();
  line_failure_reported_ = true;
  return false;
}

void KeyingEngine::Release(KeyLine* line) {
  if (line) line->Set(false);
}

bool KeyingEngine::WaitElement() {
  const double wpm = wpm_.load();
  if (!(wpm > 0)) {
    Clear();
    if (events_.speed_refused) events_.speed_refused();
    return false;
  }
  const double t_ms = ElementMs(wpm);
  switch (timing_.load()) {
    case CwTiming::kTimer: {
      // End = clock + T as a real number; the wait lasts until the 32-bit
      // count reaches it, i.e. until the tick at or after the end. The
      // clock is read as the tick the previous element ended on: a thread
      // woken late then shortens this element instead of shifting every
      // later edge (as a busy-wait that is never preempted would).
      const std::int64_t now = clock_->NowNs();
      std::int64_t start_ms = now / kNsPerMs;
      if (timer_tick_ms_ >= 0 && start_ms - timer_tick_ms_ < static_cast<std::int64_t>(t_ms))
        start_ms = timer_tick_ms_;
      const std::uint32_t ms = static_cast<std::uint32_t>(start_ms);
      const double end = static_cast<double>(ms) + t_ms;
      if (end > kTimerWrapGuardMs) return false;
      timer_tick_ms_ = start_ms + (static_cast<std::int64_t>(std::ceil(end)) - ms);
      clock_->SleepUntil(timer_tick_ms_ * kNsPerMs);
      return true;
    }
    case CwTiming::kSleep: {
      // T rounded to whole ms from the previous element's deadline, so a
      // late wake-up shortens the next wait rather than delaying every later
      // edge. Only a thread held up for longer than an element (a suspended
      // machine) starts the chain again from now.
      const std::int64_t now = clock_->NowNs();
      const auto t_ns = static_cast<std::int64_t>(std::llround(t_ms)) * kNsPerMs;
      if (now - next_deadline_ns_ > t_ns) next_deadline_ns_ = now;
      next_deadline_ns_ += t_ns;
      clock_->SleepUntil(next_deadline_ns_);
      return true;
    }
    case CwTiming::kLoop:
      clock_->CountRounds(LoopRounds(loops_.load(), wpm));
      return true;
  }
  return true;
}

void KeyingEngine::Transmit(char c) {
  KeyLine* line = nullptr;
  {
    std::lock_guard lock(mutex_);
    line = line_;
  }
  if (c == '!') {
    if (events_.contact_mark) events_.contact_mark();
    return;
  }
  const std::string elements = MorseElements(c, space_.load());
  if (elements.empty()) return;
  for (char e : elements) {
    if (halt_.load() || !SetLineChecked(line, e == '1') || !WaitElement()) {
      Release(line);
      return;
    }
  }
  Release(line);
}

void KeyingEngine::RunSendOperation() {
  line_failure_reported_ = false;
  timer_tick_ms_ = -1;
  next_deadline_ns_ = clock_->NowNs();
  if (timing_.load() == CwTiming::kTimer) {
    // Start on a millisecond tick: the count the method reads changes there,
    // so the first element is as long as the rest.
    next_deadline_ns_ = (next_deadline_ns_ / kNsPerMs + 1) * kNsPerMs;
    clock_->SleepUntil(next_deadline_ns_);
  }
  for (;;) {
    std::optional<char> c;
    {
      std::lock_guard lock(mutex_);
      if (buffer_.empty() || halt_.load()) {
        buffer_.clear();
        sending_ = false;
        halt_.store(false);
      } else {
        c = buffer_.front();
        buffer_.erase(0, 1);
      }
    }
    if (!c) break;
    Transmit(*c);
    if (events_.progress) events_.progress(Buffer());
  }
  idle_.notify_all();
  if (events_.finished) events_.finished();
}

double CalibrateLoops(KeyingClock& clock) {
  const std::uint32_t t0 = TimerMilliseconds(clock.NowNs());
  clock.CountRounds(kCalibrationRounds);
  const std::uint32_t t1 = TimerMilliseconds(clock.NowNs());
  return LoopsPer60msFromCalibration(t1 - t0);
}

KeyingThread::KeyingThread(KeyingEngine& engine, std::function<void()> on_start) : engine_(engine) {
  thread_ = std::thread([this, on_start = std::move(on_start)] {
    if (on_start) on_start();
    while (engine_.WaitForWork()) engine_.RunSendOperation();
  });
}

KeyingThread::~KeyingThread() {
  engine_.Shutdown();
  if (thread_.joinable()) thread_.join();
}

}  // namespace vantrel

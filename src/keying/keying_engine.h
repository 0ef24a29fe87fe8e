// The Morse keying engine: CWBuffer, the send operation and the keying
// thread.
//
// The buffer is shared: the UI thread appends, shortens and empties it while
// the keying thread takes characters from its front one at a time, so a
// change takes effect at the next character and the line only ever changes at
// element boundaries. Speed, word space and timing method are single atomics
// read for every element, so a speed key acts within the character.
//
// Threading: everything marked "any thread" takes the mutex or is atomic.
// Transmit and RunSendOperation run on the keying thread (or on a test's own
// thread); they call the KeyLine, the KeyingClock and the Events there, so
// the UI wraps each event in a queued call to reach its own thread.
//
// The line is released after every character, when a character ends early
// (abort, refused speed, failed line, clock wrap guard) and when the
// operation ends, so no path leaves the transmitter keyed.
//
// Collaborations: keying/key_line (output and time base), keying/morse
// (patterns and arithmetic); the CW window owns one engine and one
// KeyingThread; a WinKey or voice keyer reads Sending() and uses the same
// buffer calls.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "keying/cw_settings.h"
#include "keying/key_line.h"

namespace vantrel {

class KeyingEngine {
 public:
  // Called on the keying thread.
  struct Events {
    std::function<void()> contact_mark;   // "!" reached: log when a call is entered
    std::function<void()> speed_refused;  // speed 0 or below: buffer dropped, line up
    std::function<void()> line_failed;    // the line reported a failure (once per operation)
    std::function<void(const std::string& waiting)> progress;  // after each character
    std::function<void()> finished;  // the buffer ran empty; Sending() is false
  };

  explicit KeyingEngine(KeyingClock& clock);
  void set_events(Events events) { events_ = std::move(events); }
  // Only while not sending, like SetLine.
  void SetClock(KeyingClock& clock) { clock_ = &clock; }
  KeyingClock& clock() { return *clock_; }

  // The output. Swap it only while not sending (StopNow, then WaitIdle): the
  // keying thread may be inside Set of the old one. Null keys nothing.
  void SetLine(KeyLine* line);

  // CWBuffer, any thread. Appending to an idle engine starts a send
  // operation (Sending() is true from that moment).
  void Append(std::string_view text);
  // The abort: the character being keyed is finished, nothing after it.
  void Clear();
  // Removes the last character waiting; false when none waits.
  bool RemoveLast();
  std::string Buffer() const;
  bool Sending() const;

  // Ends the character being keyed at the next element boundary with the
  // line up and empties the buffer: for port changes and program exit.
  void StopNow();
  // Waits (at most about one element after StopNow) until not sending.
  void WaitIdle();

  // Read for every element, any thread.
  void SetWpm(double wpm) { wpm_.store(wpm); }
  double Wpm() const { return wpm_.load(); }
  void SetWordSpace(int adjustment) { space_.store(adjustment); }
  void SetTiming(CwTiming timing) { timing_.store(timing); }
  void SetLoopsPer60ms(double loops) { loops_.store(loops); }

  // Keying thread: key one character with the current settings.
  void Transmit(char c);
  // Keying thread: take characters from the front until the buffer is empty.
  void RunSendOperation();
  // Keying thread: block until there is text (true) or Shutdown (false).
  bool WaitForWork();
  void Shutdown();

 private:
  // Waits one element; false when the character must end here.
  bool WaitElement();
  bool SetLineChecked(KeyLine* line, bool down);
  void Release(KeyLine* line);

  KeyingClock* clock_;
  Events events_;

  mutable std::mutex mutex_;
  std::condition_variable work_;
  std::condition_variable idle_;
  std::string buffer_;
  bool sending_ = false;
  bool shutdown_ = false;
  KeyLine* line_ = nullptr;

  std::atomic<bool> halt_{false};
  std::atomic<double> wpm_{13.0};
  std::atomic<int> space_{0};
  std::atomic<CwTiming> timing_{CwTiming::kTimer};
  std::atomic<double> loops_{0.0};

  // Keying thread only.
  std::int64_t next_deadline_ns_ = 0;
  std::int64_t timer_tick_ms_ = -1;  // "Timer": where the last element ended
  bool line_failure_reported_ = false;
};

// The dedicated keying thread: runs one send operation whenever the buffer
// gets text. Destroying it stops the engine at the next element boundary
// and joins.
class KeyingThread {
 public:
  // `on_start` runs first on the new thread (the platform raises its
  // scheduling priority there).
  explicit KeyingThread(KeyingEngine& engine, std::function<void()> on_start = {});
  ~KeyingThread();
  KeyingThread(const KeyingThread&) = delete;
  KeyingThread& operator=(const KeyingThread&) = delete;

 private:
  KeyingEngine& engine_;
  std::thread thread_;
};

// The millisecond count the "Timer" method reads: monotonic milliseconds
// truncated to 32 bits, so it wraps every 49.7 days.
inline std::uint32_t TimerMilliseconds(std::int64_t now_ns) {
  return static_cast<std::uint32_t>(now_ns / 1'000'000);
}
// "Loop" calibration: times 5,000,000 rounds on the clock's millisecond
// count and returns the rounds that last 60 ms.
double CalibrateLoops(KeyingClock& clock);

// The "Timer" method skips the rest of a character whose element would end
// beyond this count.
inline constexpr double kTimerWrapGuardMs = 4294967296.0 - 2000.0;

}  // namespace vantrel

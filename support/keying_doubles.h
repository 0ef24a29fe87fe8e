// A keying line that records every change with the time it happened, and a
// keying clock that moves only by the waits the engine makes (plus actions a
// test schedules at given times, such as a key press mid-character).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "keying/key_line.h"

namespace vantrel {

class ManualKeyingClock : public KeyingClock {
 public:
  explicit ManualKeyingClock(std::int64_t now_ns = 0) : now_(now_ns) {}
  std::int64_t NowNs() const override { return now_; }
  void SleepUntil(std::int64_t deadline_ns) override { AdvanceTo(deadline_ns); }
  void CountRounds(double rounds) override {
    counted.push_back(rounds);
    AdvanceTo(now_ + static_cast<std::int64_t>(std::llround(rounds * ns_per_round)));
  }
  // Runs `action` once when the clock passes `at_ns`.
  void At(std::int64_t at_ns, std::function<void()> action) {
    actions_.emplace(at_ns, std::move(action));
  }

  double ns_per_round = 50;  // 1,200,000 rounds last 60 ms
  std::vector<double> counted;

 private:
  void AdvanceTo(std::int64_t t) {
    while (!actions_.empty() && actions_.begin()->first <= t) {
      auto node = actions_.extract(actions_.begin());
      now_ = std::max(now_, node.key());
      node.mapped()();
    }
    now_ = std::max(now_, t);
  }
  std::int64_t now_;
  std::multimap<std::int64_t, std::function<void()>> actions_;
};

class RecordingKeyLine : public KeyLine {
 public:
  struct Change {
    std::int64_t ns;
    bool down;
    bool operator==(const Change&) const = default;
  };
  explicit RecordingKeyLine(const KeyingClock& clock) : clock_(clock) {}
  bool Set(bool down) override {
    std::lock_guard lock(mutex_);
    if (fail_after >= 0 && calls_ >= fail_after) return false;
    ++calls_;
    if (down != down_ || changes_.empty()) changes_.push_back({clock_.NowNs(), down});
    down_ = down;
    return true;
  }
  // Only real changes, the first Set included.
  std::vector<Change> changes() const {
    std::lock_guard lock(mutex_);
    return changes_;
  }
  bool down() const {
    std::lock_guard lock(mutex_);
    return down_;
  }
  // The changes as "+t" (down) / "-t" (up) in ms from the first one.
  std::string Timeline() const {
    std::lock_guard lock(mutex_);
    std::string out;
    for (const Change& c : changes_) {
      if (!out.empty()) out += ' ';
      out += (c.down ? '+' : '-');
      const double ms = static_cast<double>(c.ns - changes_.front().ns) / 1e6;
      char text[32];
      std::snprintf(text, sizeof text, "%g", ms);
      out += text;
    }
    return out;
  }
  int fail_after = -1;  // Set calls that succeed before every later one fails

 private:
  const KeyingClock& clock_;
  mutable std::mutex mutex_;
  std::vector<Change> changes_;
  bool down_ = false;
  int calls_ = 0;
};

}  // namespace vantrel

// A keying line that records every change with the time it happened, and a
// keying clock that moves only by the waits the engine makes (plus actions a
// test schedules at given times, such as a key press mid-character).
#pragma once

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "keying/key_line.h"
#include "keying/morse.h"

namespace vantrel {

class ManualKeyingClock : public KeyingClock {
 public:
  explicit ManualKeyingClock(std::int64_t now_ns = 0) : now_(now_ns) {}
  std::int64_t NowNs() const override { return now_; }
  void SleepUntil(std::int64_t deadline_ns) override {
    std::int64_t lateness = 0;
    if (!late.empty()) {
      lateness = late.front();
      late.erase(late.begin());
    }
    AdvanceTo(deadline_ns + lateness);
  }
  void CountRounds(double rounds) override {
    counted.push_back(rounds);
    AdvanceTo(now_ + static_cast<std::int64_t>(std::llround(rounds * ns_per_round)));
  }
  // Runs `action` once when the clock passes `at_ns`.
  void At(std::int64_t at_ns, std::function<void()> action) {
    actions_.emplace(at_ns, std::move(action));
  }

  double ns_per_round = 50;        // 1,200,000 rounds last 60 ms
  std::vector<std::int64_t> late;  // how late each coming wait returns
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

// Virtual time for a real keying thread: waits return at once unless the
// test has paused the clock, in which case the thread blocks inside its
// element wait, mid-character, until Resume.
class GatedKeyingClock : public KeyingClock {
 public:
  std::int64_t NowNs() const override {
    std::lock_guard lock(mutex_);
    return now_;
  }
  void SleepUntil(std::int64_t deadline_ns) override {
    std::unique_lock lock(mutex_);
    ++waiting_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !paused_; });
    --waiting_;
    now_ = std::max(now_, deadline_ns);
  }
  void CountRounds(double rounds) override {
    SleepUntil(NowNs() + static_cast<std::int64_t>(rounds * 50));
  }
  void Pause() {
    std::lock_guard lock(mutex_);
    paused_ = true;
  }
  void Resume() {
    std::lock_guard lock(mutex_);
    paused_ = false;
    changed_.notify_all();
  }
  // True once the keying thread is held in a wait (within two seconds).
  bool WaitForHeldThread() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(2), [this] { return waiting_ > 0; });
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::int64_t now_ = 0;
  bool paused_ = false;
  int waiting_ = 0;
};

// A line that passes every change on, so a window may own and replace its
// lines while the test keeps one record.
class ForwardingKeyLine : public KeyLine {
 public:
  explicit ForwardingKeyLine(KeyLine& to) : to_(to) {}
  bool Set(bool down) override { return to_.Set(down); }

 private:
  KeyLine& to_;
};

// The text a recorded keying spells, for `element_ns` long elements: one
// element of silence inside a character, three between characters, seven or
// more between words. Characters with no pattern come out as "?".
inline std::string DecodeMorse(const std::vector<RecordingKeyLine::Change>& changes,
                               std::int64_t element_ns) {
  std::string elements;
  for (std::size_t i = 0; i + 1 < changes.size(); ++i) {
    const auto n = std::llround(static_cast<double>(changes[i + 1].ns - changes[i].ns) /
                                static_cast<double>(element_ns));
    elements.append(static_cast<std::size_t>(std::max<long long>(n, 0)),
                    changes[i].down ? '1' : '0');
  }
  if (!changes.empty() && changes.back().down) return elements + "<stuck down>";
  elements += "000";
  std::string text, sign;
  const std::string all = std::string(kPracticeCharacters) + "=[];\\";
  std::size_t i = 0;
  while (i < elements.size()) {
    const std::size_t mark = std::min(elements.find('1', i), elements.size());
    const std::size_t zeros = mark - i;
    if (!sign.empty() && zeros > 0) sign += '0';
    if (!sign.empty() && zeros >= 3) {
      char found = '?';
      for (char c : all)
        if (MorsePattern(c) == sign + "00") found = c;
      text += found;
      sign.clear();
    }
    if (zeros >= 7 && !text.empty() && mark < elements.size()) text += ' ';
    if (mark == elements.size()) break;
    const std::size_t space = std::min(elements.find('0', mark), elements.size());
    sign.append(space - mark, '1');
    i = space;
  }
  return text;
}

}  // namespace vantrel

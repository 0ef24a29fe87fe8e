// A wave player that plays nothing: each known file "plays" for its length
// on an injected millisecond clock, and unknown files refuse to open.
// For the voice keyer and the announcements without a sound card.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "common/ports.h"
#include "voice/wave_player.h"

namespace vantrel {

class FakeWavePlayer : public WavePlayer {
 public:
  explicit FakeWavePlayer(const MillisecondClock& clock) : clock_(clock) {}

  void Close() override {
    if (!open_.empty()) events.push_back("close");
    open_.clear();
    playing_ = false;
  }
  PlayResult Open(const std::string& path) override {
    Close();
    const auto found = lengths.find(path);
    if (found == lengths.end()) return PlayResult::Fail(PlayResult::Kind::kBadFile, "missing");
    open_ = path;
    return PlayResult::Ok();
  }
  PlayResult Play() override {
    if (!play_failure.empty()) return PlayResult::Fail(PlayResult::Kind::kNoDevice, play_failure);
    if (open_.empty()) return PlayResult::Fail(PlayResult::Kind::kBadFile, "nothing open");
    events.push_back("play " + open_);
    playing_ = true;
    started_ = clock_.Milliseconds();
    return PlayResult::Ok();
  }
  bool IsPlaying() const override {
    if (!playing_) return false;
    const auto length = lengths.at(open_);
    return length == kForever || MillisecondsSince(started_, clock_.Milliseconds()) < length;
  }
  void Stop() override {
    if (playing_) events.push_back("stop");
    playing_ = false;
  }

  static constexpr std::uint32_t kForever = 0xFFFFFFFF;
  std::map<std::string, std::uint32_t> lengths;  // path -> ms
  std::string play_failure;                      // non-empty: Play fails as if no device
  std::vector<std::string> events;

 private:
  const MillisecondClock& clock_;
  std::string open_;
  bool playing_ = false;
  std::uint32_t started_ = 0;
};

}  // namespace vantrel

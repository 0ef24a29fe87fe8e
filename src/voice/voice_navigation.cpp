#include "voice/voice_navigation.h"

namespace vantrel {

std::vector<std::string_view> LevelAnnouncements(int level) {
  switch (level) {
    case 0:
      return {kAnnounceNavDis};
    case 1:
      return {kAnnounceNavEn, kAnnounceCall};
    case 2:
      return {kAnnounceNavEn};
    default:
      return {};
  }
}

std::string AnnouncementPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  path += ".wav";
  return path;
}

Announcer::Announcer(WavePlayer& player, const MillisecondClock& clock)
    : player_(player), clock_(clock) {}

void Announcer::Announce(std::string_view name) {
  queue_.clear();
  Start(name);
}

void Announcer::AnnounceInTurn(const std::vector<std::string_view>& names) {
  queue_.clear();
  if (names.empty()) return;
  for (std::size_t i = 1; i < names.size(); ++i) queue_.emplace_back(names[i]);
  Start(names.front());
}

void Announcer::Start(std::string_view name) {
  // A missing file or a busy sound device ends the announcement silently,
  // and the next one in turn plays at once.
  player_.Close();
  started_ms_ = clock_.Milliseconds();
  if (player_.Open(AnnouncementPath(folder_, name))) player_.Play();
  while (!player_.IsPlaying() && !queue_.empty()) {
    const std::string next = std::move(queue_.front());
    queue_.pop_front();
    if (player_.Open(AnnouncementPath(folder_, next))) player_.Play();
  }
}

bool Announcer::Busy() const {
  return player_.IsPlaying() || !queue_.empty() || !waiters_.empty();
}

void Announcer::Tick() {
  if (player_.IsPlaying()) {
    if (MillisecondsSince(started_ms_, clock_.Milliseconds()) < kLongestAnnouncementMs) return;
    player_.Stop();
  }
  if (!queue_.empty()) {
    const std::string next = std::move(queue_.front());
    queue_.pop_front();
    Start(next);
  }
  if (player_.IsPlaying()) return;
  // A waiter may announce again; it then waits for nothing it started.
  std::vector<std::function<void()>> due;
  due.swap(waiters_);
  for (auto& then : due) then();
}

bool Announcer::WhenQuiet(std::function<void()> then) {
  if (!player_.IsPlaying() && queue_.empty()) {
    then();
    return false;
  }
  waiters_.push_back(std::move(then));
  return true;
}

void Announcer::Silence() {
  queue_.clear();
  player_.Stop();
}

}  // namespace vantrel

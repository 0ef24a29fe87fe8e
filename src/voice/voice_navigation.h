// Voice navigation: short recorded announcements name the entry field that
// gets the focus, a duplicate, and the navigation level chosen.
//
// Responsibilities: which announcement plays when; playing one or a row of
// them on the announcement player, each cutting off the one before; telling
// waiters when the announcements have ended, with a bound for a player that
// never finishes.
// Collaborations: a WavePlayer (the second one, not the voice keyer's), a
// MillisecondClock; ui/blind_frm ticks the Announcer every 40 ms while busy.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"
#include "voice/wave_player.h"

namespace vantrel {

// The stored VoiceNavLevel values.
enum class VoiceNavLevel : std::uint8_t { kOff = 0, kCallOnly = 1, kAllFields = 2 };

// The announcement files, each the name plus ".wav" in the working folder.
inline constexpr std::string_view kAnnounceCall = "Call";
inline constexpr std::string_view kAnnounceRstRcvd = "RstRcvd";
inline constexpr std::string_view kAnnounceRstSnt = "RstSnt";
inline constexpr std::string_view kAnnounceGrid = "Grid";
inline constexpr std::string_view kAnnounceDupe = "Dupe";
inline constexpr std::string_view kAnnounceNavEn = "NavEn";
inline constexpr std::string_view kAnnounceNavDis = "NavDis";
inline constexpr std::string_view kAnnouncements[] = {
    kAnnounceCall, kAnnounceRstRcvd, kAnnounceRstSnt, kAnnounceGrid,
    kAnnounceDupe, kAnnounceNavEn,   kAnnounceNavDis};

// What choosing a level says, in order: "NavDis"; "NavEn" then "Call";
// "NavEn". A level out of range says nothing.
std::vector<std::string_view> LevelAnnouncements(int level);

// Only with navigation on does the duplicate check wait for "Dupe" to end
// before the focus goes back to the call field.
constexpr bool DupeWaitsForAnnouncement(int level) {
  return level != 0;
}

std::string AnnouncementPath(std::string_view folder, std::string_view name);

// How often a busy Announcer is ticked.
inline constexpr int kAnnouncementTickMs = 40;

// An announcement still "playing" this long is stopped, so no wait hangs on
// a player that never reports its end.
inline constexpr std::uint32_t kLongestAnnouncementMs = 15000;

class Announcer {
 public:
  Announcer(WavePlayer& player, const MillisecondClock& clock);

  void SetFolder(std::string folder) { folder_ = std::move(folder); }
  // Plays one announcement now, cutting off whatever plays or waits.
  void Announce(std::string_view name);
  // Plays the names one after another (each after the end of the one before).
  void AnnounceInTurn(const std::vector<std::string_view>& names);
  // Called every 40 ms while Busy(): starts the next name, ends the bound,
  // and once everything has ended runs the waiters in the order they came.
  void Tick();
  bool Busy() const;
  // Runs `then` when the announcements have ended (at once when none plays).
  // True when it had to wait.
  bool WhenQuiet(std::function<void()> then);
  // Drops every waiting announcement and stops the player.
  void Silence();

 private:
  void Start(std::string_view name);

  WavePlayer& player_;
  const MillisecondClock& clock_;
  std::string folder_;
  std::deque<std::string> queue_;
  std::vector<std::function<void()>> waiters_;
  std::uint32_t started_ms_ = 0;
};

}  // namespace vantrel

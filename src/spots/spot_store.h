// The spot store and the spot list: the last 50 spots for the band map and
// the spectrum map, and the last 200 spot lines as list rows.
//
// Responsibilities: the shift-by-one store with the newest-frequency-only
// rule; map labels from the prefix rule; list rows from the spot text's
// columns; the own-call alert decision.
// Collaborations: the main window holds one SpotBook and feeds it the spot
// lines of the spotting window; the band map reads SpotStore::spots() and
// redraws when told a spot was stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "common/utc_clock.h"

namespace vantrel {

// One slot. Frequency 0 marks a slot that must not be shown (empty,
// superseded by a newer spot of the same call, or dismissed).
struct Spot {
  std::string call;
  float frequency = 0;  // MHz
  // The same frequency to the hertz, for tuning: a float holds 10368.1 as
  // 10368.099609, which would put the radio 391 Hz off.
  int64_t hz = 0;
  LocalTime received{};
  std::string label;
};

// The short map label of a call: W1AWX -> W1, VE3/K1ABCD -> VE3,
// K1ABCD/2 -> K2, K1ABCD/P -> P; calls under 3 characters give none.
std::string SpotLabel(std::string_view call);

// 50 slots in arrival order, slot 49 the newest.
class SpotStore {
 public:
  static constexpr size_t kSlots = 50;

  // Shifts every slot down by one, puts the spot in slot 49 and zeroes the
  // frequency of the newest older spot of the same call (any case), so a
  // station shows once, at its latest frequency.
  // `mhz` comes from the kHz text as a double, so hz is exact.
  void Add(std::string_view call, double mhz, LocalTime received);
  // A left click on the map: the slot is no longer shown.
  void Dismiss(size_t slot);

  const Spot& operator[](size_t slot) const { return slots_[slot]; }
  const std::array<Spot, kSlots>& spots() const { return slots_; }
  // Counts every change, so a map can skip redrawing an unchanged store.
  unsigned long long version() const { return version_; }

 private:
  std::array<Spot, kSlots> slots_{};
  unsigned long long version_ = 0;
};

// One row of the spot list, in column order.
struct SpotListRow {
  std::string call;
  std::string frequency;  // MHz
  std::string qth;
  std::string status;
  std::string comments;  // spot text 1-11 trimmed, two blanks, 35-59 trimmed
  std::string prefix;    // spot text 62-66 trimmed
  std::string time;      // spot text 68-71
  std::string from;      // spot text 73-76 trimmed
  bool operator==(const SpotListRow&) const = default;
};
inline constexpr const char* kSpotListColumns[] = {"Call",     "Frequency", "QTH",  "Status",
                                                   "Comments", "Prefix",    "Time", "From"};
SpotListRow MakeSpotListRow(std::string_view call, float mhz, std::string_view spot_text);

// The spot list's rows, newest first, at most 200.
class SpotList {
 public:
  static constexpr size_t kRows = 200;
  void Insert(SpotListRow row);
  const std::deque<SpotListRow>& rows() const { return rows_; }

 private:
  std::deque<SpotListRow> rows_;
};

// The spotted call is the operator's own (any case). An empty call never is.
bool IsOwnCallSpot(std::string_view call, std::string_view own_call);

// What one spot did.
struct SpotTaken {
  bool own_call = false;  // beep and "You've been spotted!"
  bool stored = false;    // the store and list changed: redraw the maps
  std::string spot_text;  // cut before its first line end
};

// The store and list the main window keeps for the run.
class SpotBook {
 public:
  // A spot with a frequency text that is not a number only raises the
  // own-call alert.
  SpotTaken Take(std::string_view call, std::string_view frequency_khz, std::string_view spot_text,
                 std::string_view own_call, LocalTime now);
  // Reads the fields of a spot line and takes them.
  SpotTaken TakeLine(std::string_view line, std::string_view own_call, LocalTime now);

  SpotStore& store() { return store_; }
  const SpotStore& store() const { return store_; }
  const SpotList& list() const { return list_; }

 private:
  SpotStore store_;
  SpotList list_;
};

}  // namespace vantrel

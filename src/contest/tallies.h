// The score: per-band contact counts and multiplier lists, the own grids a
// rover operated from, the totals each contest forms from them, and the two
// QSO rates.
//
// Responsibilities: rebuild the tallies from a whole log (RecountTallies),
// update them by one logged contact (TallyContact), decide whether a typed
// grid is a new multiplier, and turn tallies and log into the texts of the
// score and rate labels.
// Collaborations: log/contact_log (the contacts), contest/bands (band table,
// points); the main window owns one Tallies and shows the texts.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/utc_clock.h"
#include "contest/bands.h"
#include "log/contact_log.h"

namespace vantrel {

// The most keys one multiplier list or RoverGridList holds.
inline constexpr int kMaxMultiplierKeys = 5000;

inline constexpr std::string_view kRoverFontTooltip = "Click list to reduce font size";

// Keys in the order they were first met, compared ignoring ASCII letter case.
// The hash index makes a lookup cost the same whether the list holds ten keys
// or five thousand, so a full log recounts in a few milliseconds.
class KeyList {
 public:
  bool Contains(std::string_view key) const { return index_.find(key) != index_.end(); }
  // Appends `key` unless an equal key is already listed; false when it was
  // listed or the list is full (nothing changes then).
  bool AddIfAbsent(std::string_view key);
  int Count() const { return static_cast<int>(keys_.size()); }
  bool Full() const { return Count() >= kMaxMultiplierKeys; }
  void Clear();
  // Key `i`, 0 <= i < Count().
  const std::string& at(int i) const { return keys_[static_cast<size_t>(i)]; }
  const std::vector<std::string>& keys() const { return keys_; }

 private:
  struct FoldHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const;
  };
  struct FoldEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }
  };
  std::vector<std::string> keys_;
  std::unordered_set<std::string, FoldHash, FoldEqual> index_;
};

// One band's share of the score.
struct BandTally {
  int32_t ContactCount = 0;
  KeyList Multipliers;  // its count is the band's multiplier count
  int32_t MultiplierCount() const { return Multipliers.Count(); }
};

struct Tallies {
  std::array<BandTally, kBandCount> bands;  // band-table order
  KeyList RoverGridList;                    // distinct own squares of the log, none empty

  // Band 1..17; nullptr for anything else.
  BandTally* Band(int band_index);
  const BandTally* Band(int band_index) const;
  void Clear();
};

// A rover in the CQ contest counts a grid again from each new own grid.
constexpr bool IsCqRover(int contest_id, int rover_station) {
  return contest_id == kCqContestId && rover_station == 1;
}

// The key a contact adds to its band's list: the square of GridRcvd
// (GridSquareKey: FM29jx counts as FM29), or for a CQ rover on 50 and
// 144 MHz the squares of GridRcvd and GridSent ("FN31 FN20"). Nothing for a
// CQ rover on other bands or for a band outside the table.
std::optional<std::string> MultiplierKey(int contest_id, int rover_station, int band_index,
                                         std::string_view grid_rcvd, std::string_view grid_sent);

// The "New" indicator for the text of the grid field: true when it holds 4
// characters or more and its square is not in the list of `current_band`. A
// CQ rover's key pairs the square with OwnGrid's on every band, so bands
// without pairs always show "New" for such a station.
bool IsNewMultiplier(const Tallies& tallies, std::string_view txtSec, std::string_view current_band,
                     int contest_id, int rover_station, std::string_view own_grid);

enum class TallyOverflow { kNone, kMultiplierList, kRoverGridList };

// Asked before a contact is appended: would logging it need a key beyond
// the 5000 of its band's list or of RoverGridList?
TallyOverflow WouldOverflow(const Tallies& tallies, const ContestState& contest,
                            std::string_view grid_rcvd, std::string_view own_grid);

// The message of a refused contact.
std::string_view OverflowMessage(TallyOverflow overflow);

struct TallyChange {
  // The worked grid goes to the grid map (ColorChange) when "New" was shown
  // or its key was added.
  bool colour_grid = false;
  // Band 1..17 whose multiplier list got `key` appended; 0 for none. The
  // window appends `key` to that band's grid list (bands 1..10).
  int list_band = 0;
  std::string key;
};

// One contact just logged on `record.Band`. Counts it, notes its GridSent
// among the own grids (unless empty), and adds its multiplier key when the
// band's list lacks it. The indicator `new_shown` only decides the map
// colour: a stale or hidden indicator (an odd grid of fewer than four
// characters) cannot make the live tallies differ from a recount.
TallyChange TallyContact(Tallies& tallies, const ContactRecord& record, int contest_id,
                         int rover_station, bool new_shown);

struct RecountResult {
  bool ok = true;
  // Record number whose key found its list (or RoverGridList) full.
  int overflow_record = 0;
  TallyOverflow overflow = TallyOverflow::kNone;
};

// Rebuilds every tally from records 1..ContactCount. When a list would pass
// 5000 keys the tallies are left as they were and the result says so; the
// loader then treats the log as damaged.
RecountResult RecountTallies(Tallies& tallies, const ContactLog& log, int contest_id,
                             int rover_station);

// The texts of the score labels.
struct ScoreTexts {
  std::string TotCon;    // lblTotCon: contacts counted by the contest
  std::string TotSec;    // lblTotSec: contact points
  std::string sectogo;   // lblsectogo: multipliers
  std::string TotScore;  // lblTotScore: points x multipliers
  // lbl50 .. lbl10: "contacts / multipliers" of bands 1..10, in every contest.
  std::array<std::string, kBandsOnWindow> band_counts;
};

// Labeldisplay's values. Nothing (leave the labels as they are) when a sum
// leaves the signed 32-bit range. A rover in contests 1..4 gains one
// multiplier per own grid. A contest id outside 1..5 shows empty contacts,
// points and multipliers (a rover's own grids still count below 5) and a 0
// score.
std::optional<ScoreTexts> Labeldisplay(const Tallies& tallies, int contest_id, int rover_station);

struct RateTexts {
  std::string AQSO20;  // lblAQSO20: 3 x the contacts of the last 20 minutes
  std::string AQSO60;  // lblAQSO60: the contacts of the last 60 minutes
};

// TimeStats: counts every contact of the log whose time lies less than 20
// (60) minutes before `utc_now`, cut to whole seconds, wherever it stands in
// the log; a contact dated in the future counts in both. A contact whose
// Date and Time do not read as a time counts in neither. Always a value; the
// optional is kept for callers that leave the labels alone otherwise.
std::optional<RateTexts> TimeStats(const ContactLog& log, UtcTime utc_now);

}  // namespace vantrel

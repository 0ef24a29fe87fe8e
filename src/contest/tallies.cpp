#include "contest/tallies.h"

#include <limits>

#include "common/date_time_text.h"
#include "common/locator.h"

namespace vantrel {

namespace {

constexpr int kCqPairBands = 2;  // 50 and 144 MHz carry grid pairs

std::string PairKey(std::string_view grid_rcvd, std::string_view grid_sent) {
  std::string key = GridSquareKey(grid_rcvd);
  key.append(1, ' ').append(GridSquareKey(grid_sent));
  return key;
}

// The square of a grid field being typed: a subsquare half typed ("FN31a")
// already counts as its square, so "New" does not flicker on the fifth key.
std::string TypedSquareKey(std::string_view txtSec) {
  if (txtSec.size() == 5 && IsValidLocator(txtSec.substr(0, 4)))
    return GridSquareKey(txtSec.substr(0, 4));
  return GridSquareKey(txtSec);
}

// Own grids count once each, by their square; an empty one was no grid
// activated and is left out.
bool NoteOwnGrid(KeyList& own_grids, std::string_view grid_sent) {
  if (grid_sent.empty()) return true;
  const std::string key = GridSquareKey(grid_sent);
  return own_grids.Contains(key) || own_grids.AddIfAbsent(key);
}

}  // namespace

size_t KeyList::FoldHash::operator()(std::string_view s) const {
  // FNV-1a over the upper-cased bytes, so keys differing in case collide.
  uint64_t h = 14695981039346656037ull;
  for (char c : s) {
    h ^= static_cast<unsigned char>(FoldCase(c));
    h *= 1099511628211ull;
  }
  return static_cast<size_t>(h);
}

bool KeyList::AddIfAbsent(std::string_view key) {
  if (Contains(key) || Full()) return false;
  index_.emplace(key);
  keys_.emplace_back(key);
  return true;
}

void KeyList::Clear() {
  keys_.clear();
  index_.clear();
}

BandTally* Tallies::Band(int band_index) {
  if (band_index < 1 || band_index > kBandCount) return nullptr;
  return &bands[static_cast<size_t>(band_index - 1)];
}

const BandTally* Tallies::Band(int band_index) const {
  if (band_index < 1 || band_index > kBandCount) return nullptr;
  return &bands[static_cast<size_t>(band_index - 1)];
}

void Tallies::Clear() {
  for (BandTally& b : bands) {
    b.ContactCount = 0;
    b.Multipliers.Clear();
  }
  RoverGridList.Clear();
}

std::optional<std::string> MultiplierKey(int contest_id, int rover_station, int band_index,
                                         std::string_view grid_rcvd, std::string_view grid_sent) {
  if (band_index < 1 || band_index > kBandCount) return std::nullopt;
  if (!IsCqRover(contest_id, rover_station)) return GridSquareKey(grid_rcvd);
  if (band_index > kCqPairBands) return std::nullopt;
  return PairKey(grid_rcvd, grid_sent);
}

bool IsNewMultiplier(const Tallies& tallies, std::string_view txtSec, std::string_view current_band,
                     int contest_id, int rover_station, std::string_view own_grid) {
  if (txtSec.size() < 4) return false;
  std::string key = TypedSquareKey(txtSec);
  if (IsCqRover(contest_id, rover_station)) key.append(1, ' ').append(GridSquareKey(own_grid));
  const BandTally* band = tallies.Band(BandIndex(current_band));
  return band == nullptr || !band->Multipliers.Contains(key);
}

TallyOverflow WouldOverflow(const Tallies& tallies, const ContestState& contest,
                            std::string_view grid_rcvd, std::string_view own_grid) {
  const int band_index = BandIndex(contest.CurrentBand);
  const auto key =
      MultiplierKey(contest.ContestId, contest.RoverStation, band_index, grid_rcvd, own_grid);
  const BandTally* band = tallies.Band(band_index);
  if (key && band && band->Multipliers.Full() && !band->Multipliers.Contains(*key))
    return TallyOverflow::kMultiplierList;
  if (!own_grid.empty() && tallies.RoverGridList.Full() &&
      !tallies.RoverGridList.Contains(GridSquareKey(own_grid)))
    return TallyOverflow::kRoverGridList;
  return TallyOverflow::kNone;
}

std::string_view OverflowMessage(TallyOverflow overflow) {
  switch (overflow) {
    case TallyOverflow::kMultiplierList:
      return "This band's multiplier list is full (5000 grids).  Not logged.";
    case TallyOverflow::kRoverGridList:
      return "The list of own grids is full (5000 grids).  Not logged.";
    case TallyOverflow::kNone:
      break;
  }
  return {};
}

TallyChange TallyContact(Tallies& tallies, const ContactRecord& record, int contest_id,
                         int rover_station, bool new_shown) {
  TallyChange change;
  const int band_index = BandIndex(record.Band);
  BandTally* band = tallies.Band(band_index);
  if (band) ++band->ContactCount;
  NoteOwnGrid(tallies.RoverGridList, record.GridSent);
  // The key is added whenever it is missing, whatever the indicator showed,
  // so the live tallies always equal a recount of the same log.
  const auto key =
      MultiplierKey(contest_id, rover_station, band_index, record.GridRcvd, record.GridSent);
  if (key && band && band->Multipliers.AddIfAbsent(*key)) {
    change.list_band = band_index;
    change.key = *key;
  }
  change.colour_grid = new_shown || change.list_band != 0;
  return change;
}

RecountResult RecountTallies(Tallies& tallies, const ContactLog& log, int contest_id,
                             int rover_station) {
  Tallies fresh;
  RecountResult result;
  const int count = log.ContactCount();
  for (int n = 1; n <= count; ++n) {
    const ContactRecord& r = log.Record(n);
    const int band_index = BandIndex(r.Band);
    BandTally* band = fresh.Band(band_index);
    if (band) {
      ++band->ContactCount;
      const auto key = MultiplierKey(contest_id, rover_station, band_index, r.GridRcvd, r.GridSent);
      if (key && !band->Multipliers.Contains(*key) && !band->Multipliers.AddIfAbsent(*key)) {
        result = {false, n, TallyOverflow::kMultiplierList};
        return result;
      }
    }
    if (!NoteOwnGrid(fresh.RoverGridList, r.GridSent)) {
      result = {false, n, TallyOverflow::kRoverGridList};
      return result;
    }
  }
  tallies = std::move(fresh);
  return result;
}

std::optional<ScoreTexts> Labeldisplay(const Tallies& tallies, int contest_id, int rover_station) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  auto fits = [](int64_t v) { return v >= kMin && v <= kMax; };

  ScoreTexts texts;
  const bool known = FindContest(contest_id) != nullptr;
  int64_t contacts = 0, points = 0, multipliers = 0;
  if (known) {
    // A band the contest gives no points counts neither as contacts nor as
    // multipliers in it.
    for (int b = 1; b <= kBandCount; ++b) {
      const int p = Points(contest_id, b);
      if (p == 0) continue;
      const BandTally& t = *tallies.Band(b);
      contacts += t.ContactCount;
      points += static_cast<int64_t>(p) * t.ContactCount;
      multipliers += t.MultiplierCount();
      if (!fits(contacts) || !fits(points) || !fits(multipliers)) return std::nullopt;
    }
  }
  const bool rover_bonus = contest_id < kCqContestId && rover_station == 1;
  if (rover_bonus) multipliers += tallies.RoverGridList.Count();
  if (!fits(multipliers)) return std::nullopt;
  const int64_t score = points * multipliers;
  if (!fits(score)) return std::nullopt;

  if (known) {
    texts.TotCon = std::to_string(contacts);
    texts.TotSec = std::to_string(points);
  }
  if (known || rover_bonus) texts.sectogo = std::to_string(multipliers);
  texts.TotScore = std::to_string(score);
  for (int b = 1; b <= kBandsOnWindow; ++b) {
    const BandTally& t = *tallies.Band(b);
    texts.band_counts[static_cast<size_t>(b - 1)] =
        std::to_string(t.ContactCount) + " / " + std::to_string(t.MultiplierCount());
  }
  return texts;
}

std::optional<RateTexts> TimeStats(const ContactLog& log, UtcTime utc_now) {
  using std::chrono::seconds;
  const int64_t now = std::chrono::floor<seconds>(utc_now).time_since_epoch().count();
  int last20 = 0, last60 = 0;
  // Every contact is looked at: one logged later but dated earlier (a
  // post-contest entry) must not hide the contacts before it. Neighbours
  // nearly always share a date, so its day number is read once per run.
  std::string_view last_date;
  std::optional<int64_t> last_day;
  for (const ContactRecord& r : log.records()) {
    if (r.Date != last_date || !last_day) {
      last_date = r.Date;
      last_day.reset();
      if (const auto date = ParseDateText(r.Date))
        last_day = std::chrono::sys_days{*date}.time_since_epoch().count();
    }
    const auto time = ParseTimeText(r.Time);
    if (!last_day || !time) continue;  // no time, so in no window
    const int64_t at = *last_day * 86400 + time->hour * 3600 + time->minute * 60 + time->second;
    const int64_t age = now - at;
    if (age < 1200) ++last20;
    if (age < 3600) ++last60;
  }
  return RateTexts{std::to_string(3 * last20), std::to_string(last60)};
}

}  // namespace vantrel

#include "contest/tallies.h"

#include <limits>

#include "common/date_time_text.h"

namespace vantrel {

namespace {

constexpr int kCqPairBands = 2;  // 50 and 144 MHz carry grid pairs

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
  if (!IsCqRover(contest_id, rover_station)) return std::string(grid_rcvd);
  if (band_index > kCqPairBands) return std::nullopt;
  std::string key;
  key.reserve(grid_rcvd.size() + 1 + grid_sent.size());
  key.append(grid_rcvd).append(1, ' ').append(grid_sent);
  return key;
}

bool IsNewMultiplier(const Tallies& tallies, std::string_view txtSec, std::string_view current_band,
                     int contest_id, int rover_station, std::string_view own_grid) {
  if (txtSec.size() < 4) return false;
  std::string key(txtSec);
  if (IsCqRover(contest_id, rover_station)) key.append(1, ' ').append(own_grid);
  const BandTally* band = tallies.Band(BandIndex(current_band));
  return band == nullptr || !band->Multipliers.Contains(key);
}

TallyOverflow WouldOverflow(const Tallies& tallies, const ContestState& contest,
                            std::string_view grid_rcvd, std::string_view own_grid, bool new_shown) {
  if (new_shown) {
    const int band_index = BandIndex(contest.CurrentBand);
    const auto key =
        MultiplierKey(contest.ContestId, contest.RoverStation, band_index, grid_rcvd, own_grid);
    const BandTally* band = tallies.Band(band_index);
    if (key && band && band->Multipliers.Full() && !band->Multipliers.Contains(*key))
      return TallyOverflow::kMultiplierList;
  }
  if (tallies.RoverGridList.Full() && !tallies.RoverGridList.Contains(own_grid))
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
  tallies.RoverGridList.AddIfAbsent(record.GridSent);
  if (!new_shown) return change;
  change.colour_grid = true;
  const auto key =
      MultiplierKey(contest_id, rover_station, band_index, record.GridRcvd, record.GridSent);
  if (key && band && band->Multipliers.AddIfAbsent(*key)) {
    change.list_band = band_index;
    change.key = *key;
  }
  return change;
}

RecountResult RecountTallies(Tallies& tallies, const ContactLog& log, int contest_id,
                             int rover_station) {
  Tallies fresh;
  RecountResult result;
  const bool cq_rover = IsCqRover(contest_id, rover_station);
  std::string pair;
  const int count = log.ContactCount();
  for (int n = 1; n <= count; ++n) {
    const ContactRecord& r = log.Record(n);
    const int band_index = BandIndex(r.Band);
    BandTally* band = fresh.Band(band_index);
    if (band) {
      ++band->ContactCount;
      std::string_view key = r.GridRcvd;
      bool has_key = true;
      if (cq_rover) {
        has_key = band_index <= kCqPairBands;
        pair.assign(r.GridRcvd).append(1, ' ').append(r.GridSent);
        key = pair;
      }
      if (has_key && !band->Multipliers.Contains(key) && !band->Multipliers.AddIfAbsent(key)) {
        result = {false, n, TallyOverflow::kMultiplierList};
        return result;
      }
    }
    if (!fresh.RoverGridList.Contains(r.GridSent) && !fresh.RoverGridList.AddIfAbsent(r.GridSent)) {
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
  for (int n = log.ContactCount(); n >= 1; --n) {
    const ContactRecord& r = log.Record(n);
    const auto date = ParseDateText(r.Date);
    const auto time = ParseTimeText(r.Time);
    if (!date || !time) return std::nullopt;
    const int64_t at = std::chrono::sys_days{*date}.time_since_epoch().count() * 86400 +
                       time->hour * 3600 + time->minute * 60 + time->second;
    const int64_t age = now - at;
    if (age < 1200) ++last20;
    if (age >= 3600) break;
    ++last60;
  }
  return RateTexts{std::to_string(3 * last20), std::to_string(last60)};
}

}  // namespace vantrel

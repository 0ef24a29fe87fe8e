#include "support/sample_log.h"

#include <algorithm>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

namespace vantrel {

namespace {

// std::mt19937's output is fixed by the standard; the distributions are not,
// so every draw below is plain arithmetic on it.
class Draw {
 public:
  explicit Draw(uint32_t seed) : gen_(seed) {}
  // 0 <= result < n
  uint32_t Below(uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(gen_()) * n) >> 32);
  }
  uint32_t Between(uint32_t lo, uint32_t hi) { return lo + Below(hi - lo + 1); }
  bool Percent(uint32_t p) { return Below(100) < p; }
  char Letter() { return static_cast<char>('A' + Below(26)); }

 private:
  std::mt19937 gen_;
};

// Where the stations of one call area sit, in grid-square terms.
struct Region {
  const char* prefix;  // nullptr: a US prefix is drawn
  char digit;
  const char* field;
  char lon_lo, lon_hi, lat_lo, lat_hi;
  uint32_t weight;
};

constexpr Region kRegions[] = {
    {nullptr, '1', "FN", '3', '4', '1', '4', 14}, {nullptr, '2', "FN", '1', '3', '0', '3', 20},
    {nullptr, '3', "FN", '0', '2', '0', '1', 12}, {nullptr, '3', "FM", '1', '2', '7', '9', 8},
    {nullptr, '4', "FM", '0', '2', '5', '9', 5},  {nullptr, '4', "EM", '8', '9', '5', '9', 5},
    {nullptr, '8', "EN", '7', '9', '0', '2', 10}, {nullptr, '8', "EM", '7', '9', '8', '9', 4},
    {nullptr, '9', "EN", '5', '6', '0', '6', 6},  {nullptr, '0', "EN", '3', '4', '1', '6', 3},
    {nullptr, '0', "EM", '3', '4', '8', '9', 2},  {nullptr, '5', "EM", '1', '3', '1', '4', 2},
    {nullptr, '7', "DN", '5', '9', '0', '4', 1},  {"VE", '3', "FN", '0', '2', '2', '5', 5},
    {"VA", '3', "FN", '0', '2', '2', '5', 1},     {"VE", '2', "FN", '3', '5', '5', '6', 2},
};

struct Band {
  const char* label;
  uint32_t weight;                      // per mille
  uint32_t cw_lo, cw_hi, ph_lo, ph_hi;  // kHz
};

constexpr Band kBands[] = {
    {"50 M", 380, 50080, 50100, 50125, 50250},
    {"144 M", 300, 144050, 144120, 144150, 144275},
    {"222 M", 70, 222050, 222100, 222100, 222150},
    {"432 M", 130, 432050, 432100, 432100, 432150},
    {"902 M", 30, 903050, 903100, 903100, 903150},
    {"1.3 G", 50, 1296050, 1296100, 1296100, 1296150},
    {"2.3 G", 25, 2304050, 2304100, 2304100, 2304150},
    {"10 G", 15, 10368050, 10368100, 10368100, 10368150},
};

struct Station {
  std::string call;
  std::string grid;
  bool rover;
  uint32_t bands;  // bit per kBands entry already worked
};

template <typename T, size_t N>
const T& Weighted(Draw& d, const T (&table)[N]) {
  uint32_t total = 0;
  for (const auto& e : table) total += e.weight;
  uint32_t pick = d.Below(total);
  for (const auto& e : table) {
    if (pick < e.weight) return e;
    pick -= e.weight;
  }
  return table[N - 1];
}

std::string MakeGrid(Draw& d, const Region& r) {
  std::string grid = r.field;
  grid += static_cast<char>(
      d.Between(static_cast<uint32_t>(r.lon_lo), static_cast<uint32_t>(r.lon_hi)));
  grid += static_cast<char>(
      d.Between(static_cast<uint32_t>(r.lat_lo), static_cast<uint32_t>(r.lat_hi)));
  if (d.Percent(8)) {
    // Sub-squares are typed in lower case and kept that way.
    grid += static_cast<char>('a' + d.Below(24));
    grid += static_cast<char>('a' + d.Below(24));
  }
  return grid;
}

Station MakeStation(Draw& d) {
  const Region& r = Weighted(d, kRegions);
  Station s;
  if (r.prefix) {
    s.call = r.prefix;
  } else if (d.Percent(45)) {
    s.call = std::string(1, "KNW"[d.Below(3)]);
  } else if (d.Percent(20)) {
    s.call = std::string(1, 'A') + static_cast<char>('A' + d.Below(12));
  } else {
    s.call = std::string(1, "KNW"[d.Below(3)]) + d.Letter();
  }
  s.call += r.digit;
  const uint32_t suffix = d.Percent(5) ? 1 : (d.Percent(32) ? 2 : 3);
  for (uint32_t i = 0; i < suffix; ++i) s.call += d.Letter();
  s.rover = false;
  s.bands = 0;
  const uint32_t kind = d.Below(100);
  if (kind < 3) {
    s.call += "/R";
    s.rover = true;
  } else if (kind < 5) {
    s.call += "/P";
  }
  s.grid = MakeGrid(d, r);
  return s;
}

// A rover moves on to the next square now and then, never back, so a grid
// it left is not worked twice.
bool MoveRover(Station& s) {
  char& lon = s.grid[2];
  if (lon >= '9') return false;
  ++lon;
  s.grid.resize(4);
  return true;
}

std::string TwoDigits(int v) {
  return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// UTC date and time `seconds` after 2007/06/09 18:00:00, the start of a June
// contest weekend.
void Stamp(long seconds, std::string& date, std::string& time) {
  constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  long t = 18L * 3600 + seconds;
  long day_offset = t / 86400;
  t %= 86400;
  int year = 2007, month = 6, day = 9;
  while (day_offset-- > 0) {
    if (++day > kDaysInMonth[month - 1]) {
      day = 1;
      if (++month > 12) {
        month = 1;
        ++year;
      }
    }
  }
  date = std::to_string(year) + "/" + TwoDigits(month) + "/" + TwoDigits(day);
  time = TwoDigits(static_cast<int>(t / 3600)) + ":" + TwoDigits(static_cast<int>(t / 60 % 60)) +
         ":" + TwoDigits(static_cast<int>(t % 60));
}

std::string FormatKilohertz(uint32_t khz) {
  const uint32_t frac = khz % 1000;
  std::string text = std::to_string(khz / 1000) + ".";
  text += static_cast<char>('0' + frac / 100);
  text += static_cast<char>('0' + frac / 10 % 10);
  text += static_cast<char>('0' + frac % 10);
  return text;
}

}  // namespace

ContactLog MakeSampleLog(int count, uint32_t seed) {
  ContactLog log;
  count = std::clamp(count, 0, kMaxContacts);
  Draw d(seed);
  std::vector<Station> worked;
  std::unordered_set<std::string> calls;
  constexpr long kWeekend = 33L * 3600;
  for (int i = 0; i < count; ++i) {
    const Band& band = Weighted(d, kBands);
    const uint32_t band_bit = 1u << (&band - kBands);
    Station* station = nullptr;
    if (!worked.empty() && d.Percent(35)) {
      // Working a station again on another band is the daily bread of VHF;
      // the same band again would be a dupe, which the logger refuses.
      for (int tries = 0; tries < 3 && !station; ++tries) {
        Station& s = worked[d.Below(static_cast<uint32_t>(worked.size()))];
        if (!(s.bands & band_bit)) station = &s;
      }
      if (station && station->rover && d.Percent(50) && MoveRover(*station)) {
        station->bands = 0;  // a new grid may be worked on every band again
      }
    }
    if (!station) {
      Station fresh = MakeStation(d);
      while (!calls.insert(fresh.call).second) fresh = MakeStation(d);
      worked.push_back(std::move(fresh));
      station = &worked.back();
    }
    station->bands |= band_bit;
    const bool cw = d.Percent(band.label[0] == '5' ? 25 : 15);

    ContactRecord r;
    r.Call = station->call;
    r.GridRcvd = station->grid;
    if (d.Percent(70)) {
      r.RstRcvd = cw ? "599" : "59";
      r.RstSnt = r.RstRcvd;
    }
    // A short rover outing in the middle of the weekend.
    const int permille = static_cast<int>(static_cast<long>(i) * 1000 / count);
    r.GridSent = permille >= 400 && permille < 460   ? "FN21"
                 : permille >= 700 && permille < 750 ? "FN30"
                                                     : "FN20";
    const long lo = static_cast<long>(i) * kWeekend / count;
    const long hi = static_cast<long>(i + 1) * kWeekend / count;
    Stamp(lo + static_cast<long>(d.Below(static_cast<uint32_t>(std::max(1L, hi - lo)))), r.Date,
          r.Time);
    r.Band = band.label;
    r.Mode = cw ? "CW" : "PH";
    if (!d.Percent(15)) {
      r.Freq = FormatKilohertz(cw ? d.Between(band.cw_lo, band.cw_hi)
                                  : d.Between(band.ph_lo, band.ph_hi));
    }
    log.Add(std::move(r));
  }
  return log;
}

}  // namespace vantrel

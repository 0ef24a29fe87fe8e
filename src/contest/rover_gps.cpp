#include "contest/rover_gps.h"

#include <charconv>
#include <cmath>
#include <map>

#include "common/locator.h"
#include "contest/bands.h"

namespace vantrel {

std::optional<std::string> LocatorOfPosition(double latitude, double longitude_east) {
  if (!std::isfinite(latitude) || !std::isfinite(longitude_east) || std::fabs(latitude) > 90 ||
      std::fabs(longitude_east) > 180)
    return std::nullopt;
  // Whole subsquares (5' of longitude, 2.5' of latitude) from the south-west
  // corner of the world. The small lift keeps a position given exactly on a
  // line, which binary fractions miss by a hair, in the square it opens.
  constexpr double kLift = 1e-7;
  constexpr int kUnits = 18 * 240;  // subsquares around the world, either way
  int x = static_cast<int>(std::floor((longitude_east + 180) * 12 + kLift));
  int y = static_cast<int>(std::floor((latitude + 90) * 24 + kLift));
  x %= kUnits;                      // 180 east is 180 west
  if (y >= kUnits) y = kUnits - 1;  // the pole belongs to the last row
  std::string loc(6, ' ');
  loc[0] = static_cast<char>('A' + x / 240);
  loc[1] = static_cast<char>('A' + y / 240);
  loc[2] = static_cast<char>('0' + x % 240 / 24);
  loc[3] = static_cast<char>('0' + y % 240 / 24);
  loc[4] = static_cast<char>('a' + x % 24);
  loc[5] = static_cast<char>('a' + y % 24);
  return loc;
}

namespace {

// A small JSON reader: enough to check that a line is one whole object and
// to take its top-level strings and numbers. Nested values are read and
// dropped; depth is bounded, so a hostile line cannot exhaust the stack.
class JsonLine {
 public:
  explicit JsonLine(std::string_view s) : s_(s) {}

  bool ReadObject(std::map<std::string, std::string>* strings,
                  std::map<std::string, double>* numbers) {
    Space();
    if (!Object(0, strings, numbers)) return false;
    Space();
    return at_ == s_.size();
  }

 private:
  void Space() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t' || s_[at_] == '\r')) ++at_;
  }
  bool Eat(char c) {
    Space();
    if (at_ >= s_.size() || s_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool String(std::string* out) {
    if (!Eat('"')) return false;
    while (at_ < s_.size()) {
      const char c = s_[at_++];
      if (c == '"') return true;
      if (c == '\\') {
        if (at_ >= s_.size()) return false;
        const char e = s_[at_++];
        if (out) out->push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
        continue;
      }
      if (out) out->push_back(c);
    }
    return false;
  }
  bool Number(double* out) {
    Space();
    double v = 0;
    const char* first = s_.data() + at_;
    const auto [end, ec] = std::from_chars(first, s_.data() + s_.size(), v);
    if (ec != std::errc() || end == first) return false;
    at_ += static_cast<size_t>(end - first);
    if (out) *out = v;
    return true;
  }
  bool Word(std::string_view w) {
    Space();
    if (s_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }
  bool Value(int depth) {
    Space();
    if (at_ >= s_.size()) return false;
    const char c = s_[at_];
    if (c == '{') return Object(depth + 1, nullptr, nullptr);
    if (c == '[') return Array(depth + 1);
    if (c == '"') return String(nullptr);
    if (c == 't') return Word("true");
    if (c == 'f') return Word("false");
    if (c == 'n') return Word("null");
    return Number(nullptr);
  }
  bool Array(int depth) {
    if (depth > kMaxDepth || !Eat('[')) return false;
    if (Eat(']')) return true;
    do {
      if (!Value(depth)) return false;
    } while (Eat(','));
    return Eat(']');
  }
  bool Object(int depth, std::map<std::string, std::string>* strings,
              std::map<std::string, double>* numbers) {
    if (depth > kMaxDepth || !Eat('{')) return false;
    if (Eat('}')) return true;
    do {
      std::string key;
      if (!String(&key) || !Eat(':')) return false;
      Space();
      if (strings && at_ < s_.size() && s_[at_] == '"') {
        std::string text;
        if (!String(&text)) return false;
        (*strings)[key] = text;
      } else if (numbers && at_ < s_.size() &&
                 (s_[at_] == '-' || (s_[at_] >= '0' && s_[at_] <= '9'))) {
        double v = 0;
        if (!Number(&v)) return false;
        (*numbers)[key] = v;
      } else if (!Value(depth)) {
        return false;
      }
    } while (Eat(','));
    return Eat('}');
  }

  static constexpr int kMaxDepth = 16;
  std::string_view s_;
  size_t at_ = 0;
};

}  // namespace

GpsdReport DecodeGpsdReport(std::string_view line) {
  GpsdReport r;
  std::map<std::string, std::string> strings;
  std::map<std::string, double> numbers;
  if (!JsonLine(line).ReadObject(&strings, &numbers)) return r;
  const auto cls = strings.find("class");
  if (cls == strings.end()) return r;
  r.kind = GpsdReportKind::kOther;
  if (cls->second == "VERSION") {
    r.kind = GpsdReportKind::kVersion;
    r.release = strings["release"];
    return r;
  }
  if (cls->second != "TPV") return r;
  const auto mode = numbers.find("mode");
  r.mode = mode == numbers.end() ? 0 : static_cast<int>(mode->second);
  const auto lat = numbers.find("lat"), lon = numbers.find("lon");
  // A 2D or 3D mode promises a position; one that is missing or off the
  // earth is no fix all the same.
  if (r.mode >= 2 && lat != numbers.end() && lon != numbers.end() &&
      LocatorOfPosition(lat->second, lon->second)) {
    r.kind = GpsdReportKind::kFix;
    r.latitude = lat->second;
    r.longitude = lon->second;
  } else {
    r.kind = GpsdReportKind::kNoFix;
  }
  return r;
}

void OwnGridWatch::SetOwnGrid(std::string_view grid) {
  own_ = std::string(grid);
  if (!pending_.empty() && SameGridSquare(pending_, own_)) pending_.clear();
}

bool OwnGridWatch::Report(const GpsdReport& report) {
  switch (report.kind) {
    case GpsdReportKind::kVersion:
      if (link_ == GpsLink::kNoGpsd) link_ = GpsLink::kNoFix;
      return false;
    case GpsdReportKind::kNoFix:
      link_ = GpsLink::kNoFix;
      locator_.clear();
      return false;
    case GpsdReportKind::kFix:
      break;
    default:
      return false;
  }
  link_ = GpsLink::kFix;
  locator_ = LocatorOfPosition(report.latitude, report.longitude).value_or("");
  const std::string square = locator_.substr(0, 4);
  if (SameGridSquare(square, own_)) {
    // Back home: the question is moot, and a declined square may ask again.
    pending_.clear();
    declined_.clear();
    return false;
  }
  if (square == pending_ || square == declined_) return false;
  pending_ = square;
  return true;
}

void OwnGridWatch::LinkLost() {
  link_ = GpsLink::kNoGpsd;
  locator_.clear();
}

std::optional<std::string> OwnGridWatch::Accept() {
  if (pending_.empty()) return std::nullopt;
  std::string square;
  square.swap(pending_);
  own_ = square;
  declined_.clear();
  return square;
}

void OwnGridWatch::Decline() {
  if (pending_.empty()) return;
  declined_.swap(pending_);
  pending_.clear();
}

int StepBand(std::string_view current, int step, int contest_id) {
  const bool any_contest = FindContest(contest_id) == nullptr;
  const auto scores = [&](int band) { return any_contest || Points(contest_id, band) > 0; };
  const int from = BandIndex(current);
  const int dir = step < 0 ? -1 : 1;
  int band = from != 0 ? from + dir : (dir > 0 ? 1 : kBandCount);
  for (; band >= 1 && band <= kBandCount; band += dir)
    if (scores(band)) return band;
  if (from != 0) return from;
  return 0;
}

}  // namespace vantrel

#include "settings/program_prefs.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/quoted_value.h"

namespace vantrel {

namespace {

// Rounding the text to a double and then to a float can land on the wrong
// float (7.038531e-26 does), so a single is converted from the text directly.
// `checked` is the same text already read as a double, used where the direct
// conversion refuses (values that underflow).
float ToSingle(std::string_view text, double checked) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  float f = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), f);
  if (ec != std::errc() || ptr != text.data() + text.size()) return static_cast<float>(checked);
  return negative ? -f : f;
}

// Reads one value per call, counting values, and remembers the first failure;
// after it every call refuses, so a chain of reads stops where the file broke.
class PrefsParser {
 public:
  explicit PrefsParser(std::string_view text) : reader_(text) {}

  bool Text(std::string& out) {
    if (!Begin()) return false;
    std::string field;
    const FieldReader::Status s = reader_.Next(field);
    if (s != FieldReader::Status::kOk) return Fail(s);
    out = std::move(field);
    return true;
  }

  bool Single(float& out) {
    double v = 0;
    std::string field;
    if (!Number(v, &field)) return false;
    if (!(std::fabs(v) <= FLT_MAX)) return Fail(PrefsReadError::kWrongType);
    out = ToSingle(field, v);
    return true;
  }

  bool Double(double& out) { return Number(out); }

  template <typename Int>
  bool Integer(Int& out) {
    double v = 0;
    if (!Number(v)) return false;
    // Whole-number lines edited by hand as "1.0" still read; rounding is the
    // same as the shared field reader's.
    const double r = std::nearbyint(v);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
      return Fail(PrefsReadError::kWrongType);
    out = static_cast<Int>(r);
    return true;
  }

  const PrefsReadResult& result() const { return result_; }

 private:
  bool Begin() {
    if (!result_.ok()) return false;
    ++line_;
    return true;
  }

  // A number line takes a bare number only: a quoted "5" is a text.
  bool Number(double& out, std::string* text = nullptr) {
    if (!Begin()) return false;
    std::string field;
    bool quoted = false;
    const FieldReader::Status s = reader_.Next(field, &quoted);
    if (s != FieldReader::Status::kOk) return Fail(s);
    double v = 0;
    if (quoted || !ParseNumber(field, v)) return Fail(PrefsReadError::kWrongType);
    out = v;
    if (text) *text = std::move(field);
    return true;
  }

  bool Fail(FieldReader::Status s) {
    return Fail(s == FieldReader::Status::kEnd ? PrefsReadError::kMissing
                                               : PrefsReadError::kWrongType);
  }
  bool Fail(PrefsReadError e) {
    result_.error = e;
    result_.line = line_;
    return false;
  }

  FieldReader reader_;
  PrefsReadResult result_;
  int line_ = 0;
};

std::string StorableText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != '"' && c != '\r' && c != '\n') out += c;
  return out;
}

}  // namespace

PrefsReadResult ParsePrefs(std::string_view text, ProgramPrefs& prefs) {
  PrefsParser p(text);
  // The order here is the file's line order.
  (void)(p.Text(prefs.OwnCall) && p.Text(prefs.OwnGrid) && p.Single(prefs.UtcOffsetHours) &&
         p.Text(prefs.CurrentMode) && p.Text(prefs.CurrentBand) &&
         p.Single(prefs.TotalTimeOnSeconds) && p.Integer(prefs.ContestId) &&
         p.Integer(prefs.RecordRst) && p.Integer(prefs.FormSizePercent) &&
         p.Integer(prefs.RoverStation) && p.Double(prefs.OwnLongitude) &&
         p.Double(prefs.OwnLatitude) && p.Text(prefs.GridMapView) && p.Integer(prefs.WorkedColor) &&
         p.Integer(prefs.RemainingColor) && p.Integer(prefs.VoiceNavLevel) &&
         p.Text(prefs.RigType) && p.Integer(prefs.TaskbarDisplay) &&
         p.Integer(prefs.ListPreviousContacts));
  return p.result();
}

std::string FormatPrefs(const ProgramPrefs& prefs) {
  FieldWriter w;
  w.reserve(160 + prefs.OwnCall.size() + prefs.OwnGrid.size() + prefs.RigType.size());
  auto text = [&w](const std::string& v) {
    w.Text(StorableText(v));
    w.EndLine();
  };
  // A non-finite value would make the file unreadable; it stands for nothing
  // the operator set, so it is stored as 0.
  auto single = [&w](float v) {
    w.Single(std::isfinite(v) ? v : 0.0f);
    w.EndLine();
  };
  auto number = [&w](double v) {
    w.Number(std::isfinite(v) ? v : 0.0);
    w.EndLine();
  };
  auto integer = [&w](int64_t v) {
    w.Integer(v);
    w.EndLine();
  };
  text(prefs.OwnCall);
  text(prefs.OwnGrid);
  single(prefs.UtcOffsetHours);
  text(prefs.CurrentMode);
  text(prefs.CurrentBand);
  single(prefs.TotalTimeOnSeconds);
  integer(prefs.ContestId);
  integer(prefs.RecordRst);
  integer(prefs.FormSizePercent);
  integer(prefs.RoverStation);
  number(prefs.OwnLongitude);
  number(prefs.OwnLatitude);
  text(prefs.GridMapView);
  integer(prefs.WorkedColor);
  integer(prefs.RemainingColor);
  integer(prefs.VoiceNavLevel);
  text(prefs.RigType);
  integer(prefs.TaskbarDisplay);
  integer(prefs.ListPreviousContacts);
  return w.take();
}

ProgramPrefs ShippedDefaultPrefs() {
  ProgramPrefs p;
  p.CurrentMode = "PH";
  p.CurrentBand = "50 M";
  p.ContestId = 1;
  p.RecordRst = 1;
  p.FormSizePercent = 100;
  p.GridMapView = "View Grids";
  p.WorkedColor = 255;         // red
  p.RemainingColor = 8421504;  // grey
  p.RigType = "None";
  p.ListPreviousContacts = 1;
  return p;
}

}  // namespace vantrel

#include "rig/rig_command.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/ports.h"
#include "rig/rigctld.h"

namespace vantrel {

namespace {

constexpr Hertz kHzPerMhz = 1000000;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Decimal(Hertz value, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(value));
  return buf;
}

Hertz PowerOfTen(int n) {
  Hertz p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// Rounds half up to a whole number of `unit` hertz.
Hertz InUnits(Hertz hz, Hertz unit) {
  return (hz + unit / 2) / unit;
}

// Packed BCD of `digits` decimal digits (an even count).
std::string Bcd(Hertz value, int digits, bool most_significant_first) {
  const int bytes = digits / 2;
  std::string out(static_cast<size_t>(bytes), '\0');
  for (int k = 0; k < bytes; ++k) {
    const int pair = static_cast<int>(value % 100);
    value /= 100;
    out[static_cast<size_t>(most_significant_first ? bytes - 1 - k : k)] =
        static_cast<char>((pair / 10) << 4 | (pair % 10));
  }
  return out;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The CI-V address sits at characters 7-8 of the frequency query; a query
// too short or not hex keeps the usual 64.
char IcomAddress(const RigSettings& s) {
  if (s.FrequencyQuery.size() < 8) return '\x64';
  const int hi = HexDigitValue(s.FrequencyQuery[6]);
  const int lo = HexDigitValue(s.FrequencyQuery[7]);
  if (hi < 0 || lo < 0) return '\x64';
  return static_cast<char>(hi * 16 + lo);
}

std::string Prefix(const std::string& query, size_t length, std::string_view fallback) {
  return query.size() >= length ? query.substr(0, length) : std::string(fallback);
}

std::string DoesNotFit(Hertz hz, const RigModel& model, std::string_view holds, Hertz max_hz) {
  return FormatMhz(hz) + " MHz does not fit the frequency command of the " +
         std::string(model.name) + ": it holds " + std::string(holds) + ", up to " +
         FormatMhz(max_hz) + " MHz.";
}

// `digits` of `unit` hertz, or the reason they cannot hold the frequency.
std::optional<Hertz> Units(Hertz hz, Hertz unit, int digits, const RigModel& model,
                           std::string_view holds, std::string& error) {
  const Hertz limit = PowerOfTen(digits);
  const Hertz units = InUnits(hz, unit);
  if (units >= limit) {
    error = DoesNotFit(hz, model, holds, (limit - 1) * unit);
    return std::nullopt;
  }
  return units;
}

// The Orion reads at most seven significant digits.
Hertz SevenSignificant(Hertz hz) {
  int digits = 0;
  for (Hertz v = hz; v > 0; v /= 10) ++digits;
  if (digits <= 7) return hz;
  const Hertz unit = PowerOfTen(digits - 7);
  return InUnits(hz, unit) * unit;
}

struct Band {
  Hertz low, high;
};
constexpr Band kAmateurBands[] = {
    {1800000, 2000000},           {3500000, 4000000},           {5330500, 5406500},
    {7000000, 7300000},           {10100000, 10150000},         {14000000, 14350000},
    {18068000, 18168000},         {21000000, 21450000},         {24890000, 24990000},
    {28000000, 29700000},         {50000000, 54000000},         {144000000, 148000000},
    {219000000, 225000000},       {420000000, 450000000},       {902000000, 928000000},
    {1240000000, 1300000000},     {2300000000, 2450000000},     {3300000000, 3500000000},
    {5650000000, 5925000000},     {10000000000, 10500000000},   {24000000000, 24250000000},
    {47000000000, 47200000000},   {76000000000, 81000000000},   {122250000000, 123000000000},
    {134000000000, 149000000000}, {241000000000, 250000000000},
};

struct ModeCodes {
  std::string_view mode;
  const char* kenwood;  // text, or nullptr
  char ftdx9000;        // digit after the prefix, or 0
  int icom;             // byte after E0 06, or -1
  int yaesu;            // first byte of the 07 command, or -1
  int yaesu_old;        // fourth byte of the 0C command, or -1
};
constexpr ModeCodes kModeCodes[] = {
    {"CW", "MD3;", '3', 0x03, 0x02, 0x02},   {"CW-R", nullptr, '7', 0x07, -1, 0x03},
    {"LSB", "MD1;", '1', 0x00, 0x00, 0x00},  {"USB", "MD2;", '2', 0x01, 0x01, 0x01},
    {"AM", "MD5;", '5', 0x02, 0x04, 0x04},   {"FM", "MD4;", '4', 0x05, 0x08, 0x06},
    {"RTTY", "MD6;", '6', 0x04, 0x0A, 0x08}, {"RTTY-R", nullptr, 0, 0x08, -1, -1},
    {"FSK", "MD6;", 0, -1, -1, -1},          {"DIG", nullptr, 0, -1, 0x0A, -1},
    {"PKT", nullptr, 0, -1, 0x0C, 0x0A},
};

}  // namespace

std::optional<Hertz> ParseMhz(std::string_view text) {
  text = Trim(text);
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (whole.size() > 6) return std::nullopt;  // above 999 GHz is a typing slip
  Hertz hz = 0;
  for (char c : whole) {
    if (c < '0' || c > '9') return std::nullopt;
    hz = hz * 10 + (c - '0');
  }
  hz *= kHzPerMhz;
  Hertz scale = kHzPerMhz;
  bool round_up = false;
  for (size_t i = 0; i < fraction.size(); ++i) {
    const char c = fraction[i];
    if (c < '0' || c > '9') return std::nullopt;
    if (i < 6) {
      scale /= 10;
      hz += (c - '0') * scale;
    } else if (i == 6) {
      round_up = c >= '5';
    }
  }
  return hz + (round_up ? 1 : 0);
}

std::string FormatMhz(Hertz hz) {
  const bool negative = hz < 0;
  const Hertz a = negative ? -hz : hz;
  std::string out = (negative ? "-" : "") + std::to_string(a / kHzPerMhz);
  std::string fraction = Decimal(a % kHzPerMhz, 6);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) out += "." + fraction;
  return out;
}

bool InAmateurBand(Hertz hz) {
  return std::any_of(std::begin(kAmateurBands), std::end(kAmateurBands),
                     [hz](const Band& b) { return hz >= b.low && hz <= b.high; });
}

Hertz ScanNext(Hertz hz, Hertz from, Hertz to, Hertz step) {
  const Hertz next = hz + step;
  return next > to ? from : next;
}

TypedFrequency CheckTypedFrequency(std::string_view text) {
  const std::string_view t = Trim(text);
  TypedFrequency r;
  if (t.empty()) {
    r.problem = "Type the frequency in MHz first, for example 432.1.";
  } else if (t.front() == '-' && ParseMhz(t.substr(1))) {
    r.problem = "A frequency cannot be negative: " + std::string(t) + ".";
  } else if (const auto hz = ParseMhz(t); !hz) {
    r.problem = "\"" + std::string(t) +
                "\" is not a frequency. Type it in MHz with digits and at most one decimal "
                "point, for example 432.1.";
  } else if (!InAmateurBand(*hz)) {
    r.problem = FormatMhz(*hz) + " MHz is outside every amateur band.";
  } else {
    r.hz = hz;
  }
  return r;
}

FrequencyCommand BuildFrequencyCommand(const RigModel& model, const RigSettings& s,
                                       uint8_t active_vfo, Hertz hz, std::string_view mode) {
  FrequencyCommand c;
  if (model.family == RigFamily::kNone || model.family == RigFamily::kOther) return c;
  if (hz <= 0) {
    c.error = FormatMhz(hz) + " MHz is not a frequency a radio can be tuned to.";
    return c;
  }
  c.pauses_ms = {205};
  switch (model.family) {
    case RigFamily::kKenwood:
    case RigFamily::kKenwood2: {
      const auto units = Units(hz, 1, 11, model, "11 digits of Hz", c.error);
      if (!units) break;
      std::string key = "FA";
      if (model.family == RigFamily::kKenwood2)
        key = active_vfo == 1 ? "FB" : "FA";
      else if (model.name == "Kenwood")
        key = Prefix(s.FrequencyQuery, 2, "FA");
      else
        c.pauses_ms = {205, 1000};  // the Elecraft needs the second to settle
      c.bytes = key + Decimal(*units, 11) + ";";
      break;
    }
    case RigFamily::kIcom: {
      const auto units = Units(hz, 1, 10, model, "10 digits of Hz", c.error);
      if (!units) break;
      c.pauses_ms = {140};
      if (model.name == "Ten Tec Omni VI") c.pauses_ms.push_back(220);
      c.bytes = std::string("\xFE\xFE", 2) + IcomAddress(s) + "\xE0\x05" + Bcd(*units, 10, false) +
                "\xFD";
      break;
    }
    case RigFamily::kYaesu:
    case RigFamily::kYaesu757:
    case RigFamily::kYaesuBinary: {
      const auto units = Units(hz, 10, 8, model, "8 digits of 10 Hz", c.error);
      if (!units) break;
      if (model.family == RigFamily::kYaesu) {
        c.bytes = Bcd(*units, 8, true) + '\x01';
      } else {
        c.bytes = Bcd(*units, 8, false) + '\x0A';
        if (model.name == "Yaesu 1000") c.pauses_ms = {10};
      }
      break;
    }
    case RigFamily::kYaesuFtdx9000: {
      const auto units = Units(hz, 1, 8, model, "8 digits of Hz", c.error);
      if (!units) break;
      c.bytes = Prefix(s.FrequencyQuery, 2, "FA") + Decimal(*units, 8) + ";";
      break;
    }
    case RigFamily::kTenTecFntPnl: {
      constexpr Hertz kMax = 0xFFFFFFFFLL;
      if (hz > kMax) {
        c.error = DoesNotFit(hz, model, "a 32-bit count of Hz", kMax);
        break;
      }
      c.bytes = "*A";
      for (int shift = 24; shift >= 0; shift -= 8)
        c.bytes += static_cast<char>((hz >> shift) & 0xFF);
      c.bytes += '\r';
      break;
    }
    case RigFamily::kTenTecOrion:
      c.bytes = "*AF" + FormatMhz(SevenSignificant(hz)) + "\r";
      break;
    case RigFamily::kTenTecPegasus:
      c.to_file = true;
      c.bytes = FormatMhz(hz) + "\r\n" + std::string(mode) + "\r\n";
      break;
    case RigFamily::kRigctld:
      // The daemon paces the radio itself.
      c.pauses_ms.clear();
      c.bytes = RigctldFrequencyCommand(hz);
      break;
    case RigFamily::kNone:
    case RigFamily::kOther:
      break;
  }
  if (!c.error.empty()) {
    c.bytes.clear();
    c.pauses_ms.clear();
  }
  return c;
}

std::string BuildModeCommand(const RigModel& model, const RigSettings& s, std::string_view mode) {
  const auto row = std::find_if(std::begin(kModeCodes), std::end(kModeCodes),
                                [mode](const ModeCodes& m) { return m.mode == mode; });
  if (row == std::end(kModeCodes)) return {};
  auto byte = [](int b) { return static_cast<char>(b); };
  switch (model.family) {
    case RigFamily::kKenwood:
    case RigFamily::kKenwood2:
      return row->kenwood ? row->kenwood : "";
    case RigFamily::kYaesuFtdx9000:
      if (row->ftdx9000 == 0) return {};
      return Prefix(s.ModeQuery, 3, "MD0") + row->ftdx9000 + ";";
    case RigFamily::kIcom:
      if (row->icom < 0 || model.name == "Icom 735") return {};
      return std::string("\xFE\xFE", 2) + IcomAddress(s) + "\xE0\x06" + byte(row->icom) + "\xFD";
    case RigFamily::kYaesu:
      if (row->yaesu < 0) return {};
      return byte(row->yaesu) + std::string(3, '\0') + '\x07';
    case RigFamily::kRigctld:
      return RigctldModeCommand(mode);
    case RigFamily::kYaesu757:
    case RigFamily::kYaesuBinary:
      if (row->yaesu_old < 0) return {};
      return std::string(3, '\0') + byte(row->yaesu_old) + '\x0C';
    default:
      return {};
  }
}

std::vector<BandPlanRow> ExtraClassRows(const BandPlan& plan) {
  std::vector<BandPlanRow> rows;
  for (const BandPlanRow& r : plan.rows)
    if (r.cls == "E" && rows.size() < kBandPlanMaxRows) rows.push_back(r);
  return rows;
}

std::string BandPlanMode(const std::vector<BandPlanRow>& rows, Hertz hz) {
  // The file's edges are single precision: taken to the nearest hertz, 14.15
  // is 14 150 000 and the test stays strict on both sides.
  auto edge = [](float mhz) { return std::llround(static_cast<double>(mhz) * 1e6); };
  for (const BandPlanRow& r : rows) {
    if (!(edge(r.low) < hz && hz < edge(r.high))) continue;
    if (r.band == "160") return {};  // the radio's own choice stays on 160 m
    if (r.mode != "PH") return r.mode;
    return r.band == "80" || r.band == "40" || r.band == "60" ? "LSB" : "USB";
  }
  return {};
}

std::vector<CommandStep> ModeSteps(const std::string& mode_bytes) {
  if (mode_bytes.empty()) return {};
  using K = CommandStep::Kind;
  return {{K::kYield, 0, {}},
          {K::kDrain, 0, {}},
          {K::kPause, kModePauseMs, {}},
          {K::kWrite, 0, mode_bytes},
          {K::kDrain, 0, {}}};
}

std::vector<CommandStep> FrequencySteps(const std::string& mode_bytes,
                                        const FrequencyCommand& command) {
  using K = CommandStep::Kind;
  std::vector<CommandStep> steps = ModeSteps(mode_bytes);
  steps.push_back({K::kDrain, 0, {}});
  for (size_t i = 0; i < command.pauses_ms.size(); ++i) {
    if (i > 0) steps.push_back({K::kYield, 0, {}});
    steps.push_back({K::kPause, command.pauses_ms[i], {}});
  }
  if (!command.bytes.empty())
    steps.push_back({command.to_file ? K::kWriteFile : K::kWrite, 0, command.bytes});
  steps.push_back({K::kDrain, 0, {}});
  return steps;
}

void CommandSequencer::Start(std::vector<CommandStep> steps, uint32_t now) {
  steps_ = std::move(steps);
  next_ = 0;
  step_start_ = now;
  yielded_ = false;
}

CommandSequencer::Action CommandSequencer::Next(uint32_t now, size_t pending_output) {
  using K = CommandStep::Kind;
  using A = Action::Kind;
  auto advance = [&] {
    ++next_;
    step_start_ = now;
    yielded_ = false;
  };
  while (next_ < steps_.size()) {
    CommandStep& step = steps_[next_];
    const uint32_t elapsed = MillisecondsSince(step_start_, now);
    switch (step.kind) {
      case K::kYield:
        if (!yielded_) {
          yielded_ = true;
          return {A::kWait, 0, {}};
        }
        advance();
        break;
      case K::kDrain:
        if (pending_output == 0 || elapsed >= kDrainLimitMs) {
          advance();
          break;
        }
        return {A::kWait, std::min<uint32_t>(10, kDrainLimitMs - elapsed), {}};
      case K::kPause:
        if (elapsed >= step.ms) {
          advance();
          break;
        }
        return {A::kWait, step.ms - elapsed, {}};
      case K::kWrite:
      case K::kWriteFile: {
        Action a{step.kind == K::kWrite ? A::kWrite : A::kWriteFile, 0, std::move(step.bytes)};
        advance();
        return a;
      }
    }
  }
  steps_.clear();
  next_ = 0;
  return {};
}

}  // namespace vantrel

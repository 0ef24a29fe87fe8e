#include "contest/activity_graph.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>

#include "common/date_time_text.h"
#include "contest/bands.h"

namespace vantrel {

namespace {

constexpr int kGapLookahead = 15;  // positions searched ahead for the next value
constexpr int kSmoothing = 7;      // positions averaged, the current one included

struct Stamp {
  int record;  // 1-based
  int64_t seconds;
  StripColour colour;
};

std::optional<int64_t> ContactSeconds(const ContactRecord& r) {
  const auto date = ParseDateText(r.Date);
  const auto time = ParseTimeText(r.Time);
  if (!date || !time) return std::nullopt;
  const auto day = std::chrono::sys_days(*date).time_since_epoch();
  return std::chrono::duration_cast<std::chrono::seconds>(day).count() + time->hour * 3600 +
         time->minute * 60 + time->second;
}

// num / den rounded to the nearest integer, halves to even; den > 0. Done in
// integers so that a contact exactly halfway between two positions always
// lands the same way.
int64_t DivideRoundHalfEven(int64_t num, int64_t den) {
  int64_t q = num / den;
  int64_t r = num % den;
  if (r < 0) {  // floor division
    q -= 1;
    r += den;
  }
  const int64_t twice = 2 * r;
  if (twice > den || (twice == den && (q % 2 != 0))) q += 1;
  return q;
}

GraphTick MakeTick(int64_t seconds) {
  using namespace std::chrono;
  const sys_seconds t{std::chrono::seconds(seconds)};
  const sys_days day = floor<days>(t);
  const year_month_day ymd(day);
  const int64_t in_day = (t - day).count();
  char time_text[16];
  char date_text[16];
  std::snprintf(time_text, sizeof time_text, "%02d:%02d", static_cast<int>(in_day / 3600),
                static_cast<int>(in_day % 3600 / 60));
  std::snprintf(date_text, sizeof date_text, "%02u/%02u", static_cast<unsigned>(ymd.month()),
                static_cast<unsigned>(ymd.day()));
  return {seconds, time_text, date_text};
}

}  // namespace

std::string FormatGraphValue(float value) {
  // Halves round away from zero (11.25 shows 11.3), as the label formats do;
  // printf alone would round an exact tie to even.
  double rounded = std::round(static_cast<double>(value) * 10.0) / 10.0;
  if (rounded == 0) rounded = 0;  // no "-0.0"
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.1f", rounded);
  return buffer;
}

StripColour StripColourForBand(std::string_view band) {
  // Bands 1 to 6 have a legend entry of their own, in band-table order.
  const int index = BandIndex(band);
  if (index >= 1 && index <= static_cast<int>(StripColour::kBand1296) + 1)
    return static_cast<StripColour>(index - 1);
  return StripColour::kOther;
}

ActivityGraph ComputeActivityGraph(const ContactLog& log) {
  ActivityGraph g;
  if (log.ContactCount() < kGraphMinimumContacts) return g;
  g.drawable = true;
  g.C.fill(StripColour::kBackground);
  g.counts.assign(static_cast<size_t>(log.ContactCount()), 0);
  g.positions.assign(static_cast<size_t>(log.ContactCount()), -1);

  std::vector<Stamp> stamps;
  stamps.reserve(static_cast<size_t>(log.ContactCount()));
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const ContactRecord& r = log.Record(n);
    if (auto s = ContactSeconds(r)) stamps.push_back({n, *s, StripColourForBand(r.Band)});
  }
  // The time axis runs by time: a contact logged late but dated earlier (a
  // post-contest entry) takes its place among the others. Equal times keep
  // their log order, so the later one still overwrites its position.
  std::stable_sort(stamps.begin(), stamps.end(),
                   [](const Stamp& a, const Stamp& b) { return a.seconds < b.seconds; });

  const int64_t t0 = stamps.empty() ? 0 : stamps.front().seconds;
  const int64_t t1 = stamps.empty() ? 0 : stamps.back().seconds;
  g.span_seconds = t1 - t0;
  for (int k = 0; k < kGraphTickCount; ++k)
    g.ticks[static_cast<size_t>(k)] =
        MakeTick(t0 + DivideRoundHalfEven(k * g.span_seconds, kGraphTickCount - 1));

  const bool scaled = g.span_seconds > 0;
  g.R[1] = 6;
  g.P[1] = 6;
  for (size_t i = 0; i < stamps.size(); ++i) {
    const Stamp& s = stamps[i];
    // Walk back while the earlier contact is inside the ten minutes; the
    // stamps are in time order, so the walk stops at the first one outside.
    int count = 0;
    for (size_t j = i + 1; j-- > 0;) {
      if (s.seconds - stamps[j].seconds >= kGraphRateWindowSeconds) break;
      ++count;
    }
    int64_t x = 1;
    if (i > 0 && scaled)
      x = DivideRoundHalfEven((s.seconds - t0) * kGraphPositions, g.span_seconds);
    const size_t slot = static_cast<size_t>(s.record - 1);
    g.counts[slot] = count;
    if (x < 0 || x >= kGraphSlots) continue;
    g.positions[slot] = static_cast<int>(x);
    g.R[static_cast<size_t>(x)] = static_cast<float>(6 * count);
    g.C[static_cast<size_t>(x)] = s.colour;
  }
  if (!scaled) g.P[1] = g.R[1];

  // Fill the gaps: a run of empty positions shorter than the look-ahead is
  // bridged by a straight line from the value before it.
  for (int x = 2; x <= kGraphPositions; ++x) {
    const size_t ux = static_cast<size_t>(x);
    if (g.R[ux] != 0) {
      g.P[ux] = g.R[ux];
      continue;
    }
    for (int n = x + 1; n <= x + kGapLookahead; ++n) {
      if (g.R[static_cast<size_t>(n)] > 0) {
        const float before = g.R[ux - 1];
        const float slope = (g.R[static_cast<size_t>(n)] - before) / static_cast<float>(n - x);
        for (int m = x; m < n; ++m) {
          const float v = before + slope * static_cast<float>(m - x);
          g.P[static_cast<size_t>(m)] = v;
          g.R[static_cast<size_t>(m)] = v;
        }
        break;
      }
    }
  }

  // Smooth over the last seven positions, ignoring empty ones.
  for (int x = kSmoothing; x <= kGraphPositions; ++x) {
    float sum = 0;
    int used = 0;
    for (int k = 0; k < kSmoothing; ++k) {
      const float v = g.R[static_cast<size_t>(x - k)];
      if (v > 0) {
        sum += v;
        ++used;
      }
    }
    if (used > 0) g.P[static_cast<size_t>(x)] = sum / static_cast<float>(used);
  }

  for (int x = 1; x <= kGraphPositions; ++x) {
    g.minimum = std::min(g.minimum, g.P[static_cast<size_t>(x)]);
    g.maximum = std::max(g.maximum, g.P[static_cast<size_t>(x)]);
  }

  // Positions between contacts carry the band of the contact before them;
  // a stretch with no plotted value breaks the band.
  StripColour remembered = StripColour::kBlack;
  for (int x = 1; x <= kGraphPositions; ++x) {
    StripColour& c = g.C[static_cast<size_t>(x)];
    if (g.P[static_cast<size_t>(x)] > 0) {
      if (c == StripColour::kBackground)
        c = remembered;
      else
        remembered = c;
    } else {
      remembered = StripColour::kBackground;
    }
  }

  for (int k = 0; k < kGraphYLabelCount; ++k)
    g.y_labels[static_cast<size_t>(k)] = FormatGraphValue(
        g.minimum + static_cast<float>(k) * (g.maximum - g.minimum) / (kGraphYLabelCount - 1));
  return g;
}

GraphDrawing LayoutActivityGraph(const ActivityGraph& graph, const GraphFrame& frame) {
  GraphDrawing d;
  if (!graph.drawable) return d;
  const double height = frame.x_axis_y - frame.top_y;
  const double range = static_cast<double>(graph.maximum) - graph.minimum;
  const double xstep = (frame.right_x - frame.y_axis_x) / kGraphPositions;
  const double yscale = range > 0 ? height / range * 0.995 : 0.0;
  const double lift = height * 0.0025;
  const auto y_of = [&](float p) { return frame.x_axis_y - yscale * (p - graph.minimum) - lift; };
  d.curve.reserve(kGraphPositions);
  for (int x = 1; x <= kGraphPositions; ++x) {
    const float here = graph.P[static_cast<size_t>(x)];
    const float before = graph.P[static_cast<size_t>(x - 1)];
    const double xa = frame.y_axis_x + xstep * (x - 2) + frame.offset;
    const double xb = frame.y_axis_x + xstep * (x - 3) + frame.offset;
    d.curve.push_back({xa, y_of(here), xb, y_of(before)});
    if (here > 0 || before > 0) d.strip.push_back({xa, xb, graph.C[static_cast<size_t>(x)]});
  }
  return d;
}

}  // namespace vantrel

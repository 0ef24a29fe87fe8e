#include "spots/band_map.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vantrel {

namespace {

struct BandEdges {
  std::string_view band;
  double low;
  double high;
};
constexpr BandEdges kBandMapEdges[] = {
    {"50 M", 50, 54},      {"144 M", 144, 148},    {"222 M", 218, 225},   {"432 M", 420, 450},
    {"902 M", 902, 928},   {"1.3 G", 1240, 1300},  {"2.3 G", 2300, 2450}, {"3.5 G", 3300, 3500},
    {"5.8 G", 5650, 5925}, {"10 G", 10000, 10500},
};

double RoundTo3(double v) {
  return std::round(v * 1000) / 1000;
}

}  // namespace

const std::array<SpectrumBand, kSpectrumStrips> kSpectrumBands = {{
    {"160 m", 1.8f, 2.0f},
    {"80 m", 3.5f, 4.0f},
    {"40 m", 7.0f, 7.3f},
    {"30 m", 10.1f, 10.15f},
    {"20 m", 14.0f, 14.35f},
    {"17 m", 18.068f, 18.168f},
    {"15 m", 21.0f, 21.45f},
    {"12 m", 24.89f, 24.99f},
    {"10 m", 28.0f, 29.7f},
    {"6 m", 50.0f, 54.0f},
    {"2 m", 144.0f, 148.0f},
}};

std::optional<ScaleRange> BandMapEdges(std::string_view band) {
  for (const BandEdges& e : kBandMapEdges)
    if (e.band == band) return ScaleRange{e.low, e.high};
  return std::nullopt;
}

ScaleRange ZoomToSpots(ScaleRange edges, const SpotSlots& spots) {
  double lowest = edges.high, highest = edges.low;
  // Slot 0 is the next to leave the store and does not steer the zoom.
  for (size_t i = 1; i < spots.size(); ++i) {
    const double f = spots[i].frequency;
    if (f > edges.low && f < edges.high) {
      lowest = std::min(lowest, f);
      highest = std::max(highest, f);
    }
  }
  if (highest > lowest) return {lowest - 0.001, highest + 0.001};
  return edges;
}

std::string FormatScaleMhz(double mhz) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", RoundTo3(mhz));
  return text;
}

ScaleCaptions MakeScaleCaptions(ScaleRange scale) {
  ScaleCaptions c;
  for (int k = 0; k < 5; ++k)
    c.text[static_cast<size_t>(k)] =
        FormatScaleMhz(scale.low + k * 0.25 * (scale.high - scale.low));
  c.shown = {std::strtod(c.text[0].c_str(), nullptr), std::strtod(c.text[4].c_str(), nullptr)};
  return c;
}

LabelPlace SpotLabelPlace(double mhz, ScaleRange scale, Axis axis, int label_width,
                          int label_height, int gap) {
  const double span = scale.high - scale.low;
  const double fraction = span > 0 ? (mhz - scale.low) / span : 0;
  const double left = fraction * (axis.x2 - axis.x1) - label_width / 2.0 + axis.x1;
  return {static_cast<int>(std::lround(left)), axis.y - label_height - gap};
}

int ScaleCaptionLeft(int k, Axis axis, int label_width) {
  return static_cast<int>(
      std::lround(axis.x1 + k * 0.25 * (axis.x2 - axis.x1) - label_width / 2.0));
}

int64_t AgeSeconds(LocalTime received, LocalTime now) {
  return std::chrono::duration_cast<std::chrono::seconds>(now - received).count();
}

std::optional<Rgb> AgeColour(int64_t age) {
  if (age < 600) return kSpotNew;
  if (age < 1800) return kSpotRecent;
  if (age < kSpotExpirySeconds) return kSpotOld;
  return std::nullopt;
}

std::string SpotTip(const Spot& spot, float utc_offset_hours) {
  using namespace std::chrono;
  const LocalTime utc = spot.received + UtcOffsetMinutes(utc_offset_hours);
  const auto since_midnight = floor<seconds>(utc - floor<days>(utc));
  const hh_mm_ss<seconds> t(since_midnight);
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(t.hours().count()),
                static_cast<int>(t.minutes().count()), static_cast<int>(t.seconds().count()));
  return spot.call + "  " + FormatScaleMhz(spot.frequency) + "  " + time;
}

std::vector<PlacedSpot> PlaceOnBandMap(const SpotSlots& spots, ScaleRange shown, LocalTime now) {
  std::vector<PlacedSpot> placed;
  for (size_t i = spots.size(); i-- > 0;) {
    const Spot& s = spots[i];
    if (!(s.frequency > shown.low && s.frequency < shown.high)) continue;
    const std::optional<Rgb> colour = AgeColour(AgeSeconds(s.received, now));
    if (!colour) break;
    placed.push_back({i, 0, *colour});
  }
  return placed;
}

std::optional<int> SpectrumStrip(float mhz) {
  for (size_t b = 0; b < kSpectrumBands.size(); ++b)
    if (mhz > kSpectrumBands[b].low && mhz < kSpectrumBands[b].high) return static_cast<int>(b);
  return std::nullopt;
}

std::array<ScaleCaptions, kSpectrumStrips> SpectrumScales(const SpotSlots& spots) {
  std::array<ScaleCaptions, kSpectrumStrips> scales;
  for (size_t b = 0; b < kSpectrumStrips; ++b)
    scales[b] =
        MakeScaleCaptions(ZoomToSpots({kSpectrumBands[b].low, kSpectrumBands[b].high}, spots));
  return scales;
}

std::vector<PlacedSpot> PlaceOnSpectrumMap(const SpotSlots& spots, LocalTime now) {
  std::vector<PlacedSpot> placed;
  for (size_t i = spots.size(); i-- > 0;) {
    const Spot& s = spots[i];
    const std::optional<Rgb> colour = AgeColour(AgeSeconds(s.received, now));
    if (!colour) break;
    if (const std::optional<int> strip = SpectrumStrip(s.frequency))
      placed.push_back({i, *strip, *colour});
  }
  return placed;
}

SpotClick ClickOnSpot(const Spot& spot, bool right_button) {
  SpotClick c;
  if (right_button) {
    c.tune = true;
    c.hz = spot.hz;
    c.call = spot.call;
  } else {
    c.dismiss = true;
  }
  return c;
}

std::optional<size_t> NextShownSpot(const SpotSlots& spots, const std::vector<PlacedSpot>& shown,
                                    double mhz, bool up) {
  std::optional<size_t> best;
  double best_distance = 0;
  for (const PlacedSpot& p : shown) {  // newest first: a tie keeps the newer
    const double d = up ? spots[p.slot].frequency - mhz : mhz - spots[p.slot].frequency;
    if (d > 0 && (!best || d < best_distance)) {
      best = p.slot;
      best_distance = d;
    }
  }
  return best;
}

}  // namespace vantrel

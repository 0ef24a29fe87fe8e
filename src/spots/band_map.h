// Where the spots of the store go on the main window's band map and on the
// eleven band lines of the spectrum map, and what clicks on them do.
//
// Responsibilities: scale edges per band, the zoom to the spots, the five
// scale captions, each label's place and colour, the mouse-over text, the
// age rule that ends a redraw, the click decisions.
// Collaborations: spots/spot_store (the slots read); the windows in ui/
// only draw what these functions return.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utc_clock.h"
#include "spots/spot_store.h"

namespace vantrel {

using SpotSlots = std::array<Spot, SpotStore::kSlots>;

// A frequency scale in MHz.
struct ScaleRange {
  double low = 0;
  double high = 0;
  bool operator==(const ScaleRange&) const = default;
};

// The band map's edges for a band label; none for a band it has no scale
// for (the map then keeps the edges it had).
std::optional<ScaleRange> BandMapEdges(std::string_view band);

// The scale narrowed to the spots of slots 1 to 49 strictly inside the
// edges, with a 1 kHz margin, when they span more than one frequency.
ScaleRange ZoomToSpots(ScaleRange edges, const SpotSlots& spots);

// The five captions of a scale ("#.000") and the scale read back from the
// first and the last, which is the one the labels are placed on.
struct ScaleCaptions {
  std::array<std::string, 5> text;
  ScaleRange shown;
};
ScaleCaptions MakeScaleCaptions(ScaleRange scale);
std::string FormatScaleMhz(double mhz);

// A horizontal axis in pixels.
struct Axis {
  int x1 = 0;
  int x2 = 0;
  int y = 0;
};

// Top left of a label centred on its frequency and sitting `gap` pixels
// above the axis.
struct LabelPlace {
  int left = 0;
  int top = 0;
  bool operator==(const LabelPlace&) const = default;
};
LabelPlace SpotLabelPlace(double mhz, ScaleRange scale, Axis axis, int label_width,
                          int label_height, int gap);
// Left of scale caption k (0 to 4), centred on its quarter of the axis.
int ScaleCaptionLeft(int k, Axis axis, int label_width);

// Text colours by age; an hour-old spot is not drawn.
struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kSpotNew{255, 255, 128};
inline constexpr Rgb kSpotRecent{255, 255, 255};
inline constexpr Rgb kSpotOld{192, 192, 192};
inline constexpr int64_t kSpotExpirySeconds = 3600;
int64_t AgeSeconds(LocalTime received, LocalTime now);
std::optional<Rgb> AgeColour(int64_t age_seconds);

// The mouse-over text: call, frequency and arrival time on the station's
// UTC clock.
std::string SpotTip(const Spot& spot, float utc_offset_hours);

// One label to show. Slots come newest first, so a caller that raises each
// label as it goes leaves the newest in front.
struct PlacedSpot {
  size_t slot = 0;
  int strip = 0;  // the spectrum map's band line; 0 on the band map
  Rgb colour;
  bool operator==(const PlacedSpot&) const = default;
};

// The band map: slots strictly inside the shown scale, newest first; the
// first of them an hour old ends the list, as every slot below it is older.
std::vector<PlacedSpot> PlaceOnBandMap(const SpotSlots& spots, ScaleRange shown, LocalTime now);

// The spectrum map's band lines, top to bottom.
struct SpectrumBand {
  const char* name;
  float low;
  float high;
};
inline constexpr size_t kSpectrumStrips = 11;
extern const std::array<SpectrumBand, kSpectrumStrips> kSpectrumBands;
// The strip whose fixed edges hold the frequency strictly; none otherwise.
std::optional<int> SpectrumStrip(float mhz);
std::array<ScaleCaptions, kSpectrumStrips> SpectrumScales(const SpotSlots& spots);
// Every slot counts for the age rule here, placed or not, so the first
// never-filled slot ends the list too.
std::vector<PlacedSpot> PlaceOnSpectrumMap(const SpotSlots& spots, LocalTime now);

// What a button pressed on a spot label does: the right button tunes to the
// spot and takes its call; any other dismisses it.
struct SpotClick {
  bool tune = false;
  int64_t hz = 0;
  std::string call;
  bool dismiss = false;
};
SpotClick ClickOnSpot(const Spot& spot, bool right_button);

// For the keyboard: the shown spot next above (`up`) or below a frequency,
// the newer on a tie; none when there is none that way.
std::optional<size_t> NextShownSpot(const SpotSlots& spots, const std::vector<PlacedSpot>& shown,
                                    double mhz, bool up);

}  // namespace vantrel

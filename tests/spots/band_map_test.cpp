#include "spots/band_map.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using std::chrono::minutes;

const LocalTime kNow = MakeLocalTime(2007, 6, 9, 20, 30, 0);

// A store holding the given spots, the last one newest, all arrived at `at`.
SpotSlots Slots(std::initializer_list<std::pair<const char*, double>> spots, LocalTime at = kNow) {
  SpotStore s;
  for (const auto& [call, mhz] : spots) s.Add(call, mhz, at);
  return s.spots();
}

// Every band's edges; a spot just inside each edge is drawn on the unzoomed
// scale, one on the edge or just outside is not.
TEST(BandMapScale, EveryBandsEdgesAndTheSpotsAtThem) {
  const struct {
    const char* band;
    double low, high;
  } cases[] = {
      {"50 M", 50, 54},      {"144 M", 144, 148},    {"222 M", 218, 225},   {"432 M", 420, 450},
      {"902 M", 902, 928},   {"1.3 G", 1240, 1300},  {"2.3 G", 2300, 2450}, {"3.5 G", 3300, 3500},
      {"5.8 G", 5650, 5925}, {"10 G", 10000, 10500},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.band);
    const auto edges = BandMapEdges(c.band);
    ASSERT_TRUE(edges);
    EXPECT_EQ(*edges, (ScaleRange{c.low, c.high}));
    // One spot leaves the scale at the band edges.
    const ScaleRange shown =
        MakeScaleCaptions(ZoomToSpots(*edges, Slots({{"K1AB", c.low + 1}}))).shown;
    EXPECT_EQ(shown, *edges);
    for (const double f : {c.low, c.high, c.low - 0.001, c.high + 0.001})
      EXPECT_TRUE(PlaceOnBandMap(Slots({{"K1AB", f}}), shown, kNow).empty()) << f;
    for (const double f : {c.low + 0.001, c.high - 0.001})
      EXPECT_EQ(PlaceOnBandMap(Slots({{"K1AB", f}}), shown, kNow).size(), 1u) << f;
  }
  for (const char* other : {"Light", "24 G", "", "50M"}) EXPECT_FALSE(BandMapEdges(other));
}

TEST(BandMapScale, ZoomsToTheSpotsWithAKilohertzMargin) {
  const ScaleRange six{50, 54};
  struct Case {
    const char* what;
    SpotSlots spots;
    std::array<std::string, 5> captions;
  };
  const Case cases[] = {
      {"two spots",
       Slots({{"K1AB", 50.125}, {"W2CD", 50.2}}),
       {"50.124", "50.143", "50.163", "50.182", "50.201"}},
      {"one spot keeps the edges",
       Slots({{"K1AB", 50.125}}),
       {"50.000", "51.000", "52.000", "53.000", "54.000"}},
      {"two on one frequency",
       Slots({{"K1AB", 50.125}, {"W2CD", 50.125}}),
       {"50.000", "51.000", "52.000", "53.000", "54.000"}},
      {"other bands and frequency 0 do not count",
       Slots({{"K1AB", 50.125}, {"W2CD", 144.2}, {"N3EF", 0}, {"K4GH", 50.3}}),
       {"50.124", "50.168", "50.212", "50.257", "50.301"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MakeScaleCaptions(ZoomToSpots(six, c.spots)).text, c.captions) << c.what;

  // Slot 0 is about to leave and does not steer the zoom.
  SpotStore s;
  s.Add("K1AB", 50.1, kNow);
  for (int i = 0; i < 48; ++i) s.Add("W" + std::to_string(i) + "X", 0, kNow);
  s.Add("N3EF", 50.3, kNow);
  EXPECT_EQ(ZoomToSpots(six, s.spots()), six);
}

TEST(BandMapPlace, LabelsCentreOnTheirFrequencyAndMayOverlap) {
  const Axis axis{10, 410, 50};
  const struct {
    double mhz;
    LabelPlace place;
  } cases[] = {
      {50, {-10, 26}}, {54, {390, 26}},      {51, {90, 26}},
      {52, {190, 26}}, {52.0001, {190, 26}},  // close spots overlap: nothing moves them apart
  };
  for (const auto& c : cases)
    EXPECT_EQ(SpotLabelPlace(c.mhz, {50, 54}, axis, 40, 20, 4), c.place) << c.mhz;
  EXPECT_EQ(ScaleCaptionLeft(0, axis, 60), -20);
  EXPECT_EQ(ScaleCaptionLeft(2, axis, 60), 180);
  EXPECT_EQ(ScaleCaptionLeft(4, axis, 60), 380);

  // Both ends of a zoomed scale fall just inside the axis.
  const ScaleRange shown =
      MakeScaleCaptions(ZoomToSpots({50, 54}, Slots({{"K1AB", 50.125}, {"W2CD", 50.2}}))).shown;
  EXPECT_EQ(SpotLabelPlace(50.125, shown, axis, 0, 0, 0).left, 15);
  EXPECT_EQ(SpotLabelPlace(50.2, shown, axis, 0, 0, 0).left, 405);
}

TEST(BandMapAge, ColoursChangeAtTheBoundariesAndAnHourEndsTheRedraw) {
  const struct {
    int64_t age;
    std::optional<Rgb> colour;
  } cases[] = {
      {0, kSpotNew},    {599, kSpotNew},  {600, kSpotRecent},   {1799, kSpotRecent},
      {1800, kSpotOld}, {3599, kSpotOld}, {3600, std::nullopt}, {1000000, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(AgeColour(c.age), c.colour) << c.age;
  EXPECT_EQ(AgeSeconds(kNow - std::chrono::milliseconds(599999), kNow), 599);

  // Oldest first: 61, 59, 20 and 0 minutes old.
  SpotStore s;
  s.Add("OLD1", 50.1, kNow - minutes(61));
  s.Add("GREY", 50.2, kNow - minutes(59));
  s.Add("WHITE", 50.3, kNow - minutes(20));
  s.Add("NEW", 50.4, kNow);
  const auto placed = PlaceOnBandMap(s.spots(), {50, 54}, kNow);
  EXPECT_EQ(placed,
            (std::vector<PlacedSpot>{{49, 0, kSpotNew}, {48, 0, kSpotRecent}, {47, 0, kSpotOld}}));

  // On the band map an hour-old spot elsewhere does not end the redraw; on
  // the spectrum map every slot counts, empty ones too.
  SpotStore t;
  t.Add("K1AB", 14.1, kNow - minutes(10));
  t.Add("W2CD", 432.1, kNow - minutes(70));
  t.Add("N3EF", 14.2, kNow);
  EXPECT_EQ(PlaceOnBandMap(t.spots(), {14, 14.35}, kNow).size(), 2u);
  EXPECT_EQ(PlaceOnSpectrumMap(t.spots(), kNow), (std::vector<PlacedSpot>{{49, 4, kSpotNew}}));
  SpotStore u;
  u.Add("K1AB", 14.1, kNow);
  EXPECT_EQ(PlaceOnSpectrumMap(u.spots(), kNow).size(), 1u);  // slot 48 is empty: the end
}

TEST(BandMapTip, CallFrequencyAndUtcTime) {
  Spot s;
  s.call = "K1ABCD";
  s.frequency = 50.125f;
  s.received = MakeLocalTime(2007, 6, 9, 20, 30, 5);
  EXPECT_EQ(SpotTip(s, 4), "K1ABCD  50.125  00:30:05");
  EXPECT_EQ(SpotTip(s, -5.5f), "K1ABCD  50.125  15:00:05");
  s.frequency = 10368.1f;
  EXPECT_EQ(SpotTip(s, 0), "K1ABCD  10368.100  20:30:05");
}

TEST(BandMapKeys, NextShownSpotUpAndDownTheBand) {
  const SpotSlots spots =
      Slots({{"K1AB", 50.1}, {"W2CD", 50.3}, {"N3EF", 50.3}, {"K4GH", 144.2}, {"W5IJ", 50.2}});
  const auto shown = PlaceOnBandMap(spots, {50, 54}, kNow);
  const struct {
    float from;  // a spot's own frequency, as the keys step from it
    bool up;
    std::optional<size_t> slot;
  } cases[] = {
      {50.0, true, 45}, {50.1, true, 49},  {50.2, true, 47},  // the newer of two at 50.3
      {50.3, true, {}}, {54.0, false, 47}, {50.2, false, 45}, {50.1, false, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NextShownSpot(spots, shown, c.from, c.up), c.slot) << c.from << " " << c.up;
  EXPECT_FALSE(NextShownSpot(spots, {}, 50.0, true));
}

TEST(SpectrumMap, StripsScalesAndEdges) {
  EXPECT_EQ(MakeScaleCaptions(ZoomToSpots({14.0f, 14.35f}, Slots({{"K1AB", 14.1}}))).text,
            (std::array<std::string, 5>{"14.000", "14.088", "14.175", "14.263", "14.350"}));

  const auto scales = SpectrumScales(Slots({{"K1AB", 14.025}, {"W2CD", 14.2}, {"N3EF", 7.1}}));
  EXPECT_EQ(scales[4].text[0], "14.024");
  EXPECT_EQ(scales[4].text[4], "14.201");
  EXPECT_EQ(scales[2].text[0], "7.000");  // a single spot keeps the edges
  EXPECT_EQ(scales[2].text[4], "7.300");
  EXPECT_EQ(scales[0].text[0], "1.800");
  EXPECT_EQ(scales[10].text[4], "148.000");

  const struct {
    float mhz;
    std::optional<int> strip;
  } cases[] = {
      {1.81f, 0}, {3.7f, 1},    {7.1f, 2},  {10.12f, 3},   {14.2f, 4},   {18.1f, 5},
      {21.2f, 6}, {24.95f, 7},  {28.5f, 8}, {50.125f, 9},  {144.2f, 10}, {14.0f, {}},
      {7.3f, {}}, {432.1f, {}}, {0, {}},    {18.068f, {}}, {24.99f, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(SpectrumStrip(c.mhz), c.strip) << c.mhz;

  const auto placed = PlaceOnSpectrumMap(
      Slots({{"K1AB", 14.2}, {"W2CD", 432.1}, {"N3EF", 50.125}, {"K4GH", 7.3}}), kNow);
  EXPECT_EQ(placed, (std::vector<PlacedSpot>{{48, 9, kSpotNew}, {46, 4, kSpotNew}}));
}

}  // namespace
}  // namespace vantrel

#include "contest/rover_gps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vantrel {
namespace {

struct PositionRow {
  const char* name;
  double lat, lon;      // lon east positive
  const char* locator;  // nullptr: no locator
};

class LocatorOfPositionTest : public ::testing::TestWithParam<PositionRow> {};

TEST_P(LocatorOfPositionTest, Locator) {
  const PositionRow& row = GetParam();
  const auto got = LocatorOfPosition(row.lat, row.lon);
  if (!row.locator) {
    EXPECT_FALSE(got) << *got;
  } else {
    ASSERT_TRUE(got);
    EXPECT_EQ(*got, row.locator);
  }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, LocatorOfPositionTest,
    ::testing::Values(PositionRow{"Newington", 41.714775, -72.727260, "FN31pr"},
                      PositionRow{"Sydney", -33.8688, 151.2093, "QF56od"},
                      PositionRow{"Origin", 0, 0, "JJ00aa"},
                      PositionRow{"NegativeZero", -0.0, -0.0, "JJ00aa"},
                      PositionRow{"SouthWestCorner", -90, -180, "AA00aa"},
                      PositionRow{"NorthPoleFoldsIntoLastRow", 90, 0, "JR09ax"},
                      PositionRow{"JustBelowNorthEast", 89.99999, 179.99999, "RR99xx"},
                      PositionRow{"EastAntimeridianIsWest", 0, 180, "AJ00aa"},
                      PositionRow{"WestAntimeridian", 0, -180, "AJ00aa"},
                      PositionRow{"OnSquareLineOpensNorthSquare", 41.0, -76.0, "FN21aa"},
                      PositionRow{"HairSouthOfSquareLine", 40.9999999, -76.0, "FN20ax"},
                      PositionRow{"HairWestOfSquareLine", 41.5, -76.0000001, "FN11xm"},
                      PositionRow{"SubsquareLineLongitude", 0, 5.0 / 60, "JJ00ba"},
                      PositionRow{"SubsquareLineLatitude", 2.5 / 60, 0, "JJ00ab"},
                      PositionRow{"SouthWestQuarter", -0.01, -0.01, "II99xx"},
                      PositionRow{"BeyondNorthPole", 90.0001, 0, nullptr},
                      PositionRow{"BeyondAntimeridian", 0, -180.5, nullptr},
                      PositionRow{"NotANumber", kNaN, 0, nullptr},
                      PositionRow{"Infinite", 0, kInf, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReportRow {
  const char* name;
  const char* line;
  GpsdReportKind kind;
  int mode;
  double lat, lon;
};

class DecodeGpsdReportTest : public ::testing::TestWithParam<ReportRow> {};

TEST_P(DecodeGpsdReportTest, Decodes) {
  const ReportRow& row = GetParam();
  const GpsdReport r = DecodeGpsdReport(row.line);
  EXPECT_EQ(r.kind, row.kind);
  EXPECT_EQ(r.mode, row.mode);
  EXPECT_DOUBLE_EQ(r.latitude, row.lat);
  EXPECT_DOUBLE_EQ(r.longitude, row.lon);
}

using K = GpsdReportKind;
INSTANTIATE_TEST_SUITE_P(
    Rows, DecodeGpsdReportTest,
    ::testing::Values(
        ReportRow{
            "Tpv3D",
            R"({"class":"TPV","device":"/dev/pts/3","mode":3,"time":"2026-06-13T18:00:01.000Z",)"
            R"("lat":41.002,"lon":-75.5,"altHAE":120.5,"epx":9.1})",
            K::kFix, 3, 41.002, -75.5},
        ReportRow{"Tpv2DWithBlanksAndCr",
                  " { \"class\" : \"TPV\", \"mode\":2, \"lat\":-33.5e0, \"lon\":151 }\r", K::kFix,
                  2, -33.5, 151},
        ReportRow{"Tpv1NoFix", R"({"class":"TPV","mode":1,"lat":41.0,"lon":-75.5})", K::kNoFix, 1,
                  0, 0},
        ReportRow{"Tpv0Unknown", R"({"class":"TPV","mode":0})", K::kNoFix, 0, 0, 0},
        ReportRow{"TpvWithoutMode", R"({"class":"TPV","lat":41.0,"lon":-75.5})", K::kNoFix, 0, 0,
                  0},
        ReportRow{"Tpv3DWithoutLongitude", R"({"class":"TPV","mode":3,"lat":41.0})", K::kNoFix, 3,
                  0, 0},
        ReportRow{"Tpv3DOffTheEarth", R"({"class":"TPV","mode":3,"lat":95.0,"lon":0})", K::kNoFix,
                  3, 0, 0},
        ReportRow{
            "Sky",
            R"({"class":"SKY","satellites":[{"PRN":5,"el":45,"used":true},{"PRN":7,"used":false}]})",
            K::kOther, 0, 0, 0},
        ReportRow{"Version",
                  R"({"class":"VERSION","release":"3.22","proto_major":3,"proto_minor":14})",
                  K::kVersion, 0, 0, 0},
        ReportRow{"EscapedQuote", R"({"class":"DEVICE","path":"a\"b","x":null,"y":true})",
                  K::kOther, 0, 0, 0},
        ReportRow{"Empty", "", K::kGarbage, 0, 0, 0},
        ReportRow{"NotJson", "$GPGGA,180001,4100.1200,N", K::kGarbage, 0, 0, 0},
        ReportRow{"CutShort", R"({"class":"TPV","mode":3,"lat":41.0)", K::kGarbage, 0, 0, 0},
        ReportRow{"CutInsideString", R"({"class":"TP)", K::kGarbage, 0, 0, 0},
        ReportRow{"TrailingText", R"({"class":"TPV","mode":3,"lat":1,"lon":1} x)", K::kGarbage, 0,
                  0, 0},
        ReportRow{"TwoObjects", R"({"class":"TPV"}{"class":"TPV"})", K::kGarbage, 0, 0, 0},
        ReportRow{"NoClass", R"({"mode":3,"lat":1,"lon":1})", K::kGarbage, 0, 0, 0},
        ReportRow{"Array", "[1,2]", K::kGarbage, 0, 0, 0},
        ReportRow{"BadNumber", R"({"class":"TPV","mode":3,"lat":-,"lon":1})", K::kGarbage, 0, 0, 0},
        ReportRow{"TooDeep",
                  R"({"class":"X","a":[[[[[[[[[[[[[[[[[[[[[[[[1]]]]]]]]]]]]]]]]]]]]]]]})",
                  K::kGarbage, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// One step of a rover's run: what arrives, and what the watch then shows.
enum class Ev { kFix, kNoFix, kVersion, kLost, kAccept, kDecline, kSetOwn };
struct Step {
  Ev ev;
  double lat = 0, lon = 0;   // kFix
  const char* grid = "";     // kSetOwn; for kAccept the square expected
  bool asks = false;         // kFix: the question is raised now
  const char* pending = "";  // after the step
  GpsLink link = GpsLink::kFix;
};

struct WatchRow {
  const char* name;
  std::vector<Step> steps;
};

class OwnGridWatchTest : public ::testing::TestWithParam<WatchRow> {};

TEST_P(OwnGridWatchTest, Run) {
  OwnGridWatch w("FN20");
  int n = 0;
  for (const Step& s : GetParam().steps) {
    SCOPED_TRACE("step " + std::to_string(++n));
    GpsdReport r;
    switch (s.ev) {
      case Ev::kFix:
        r.kind = GpsdReportKind::kFix;
        r.mode = 3;
        r.latitude = s.lat;
        r.longitude = s.lon;
        EXPECT_EQ(w.Report(r), s.asks);
        break;
      case Ev::kNoFix:
        r.kind = GpsdReportKind::kNoFix;
        EXPECT_FALSE(w.Report(r));
        break;
      case Ev::kVersion:
        r.kind = GpsdReportKind::kVersion;
        EXPECT_FALSE(w.Report(r));
        break;
      case Ev::kLost:
        w.LinkLost();
        break;
      case Ev::kAccept:
        EXPECT_EQ(w.Accept().value_or("none"), s.grid);
        break;
      case Ev::kDecline:
        w.Decline();
        break;
      case Ev::kSetOwn:
        w.SetOwnGrid(s.grid);
        break;
    }
    EXPECT_EQ(w.pending(), s.pending);
    EXPECT_EQ(w.link(), s.link);
  }
}

constexpr double kFn20 = 40.99, kFn21 = 41.01, kFn22 = 42.01, kLon = -75.5;
using L = GpsLink;
INSTANTIATE_TEST_SUITE_P(
    Runs, OwnGridWatchTest,
    ::testing::Values(WatchRow{"AsksOncePerCrossingThenAccepts",
                               {{Ev::kVersion, 0, 0, "", false, "", L::kNoFix},
                                {Ev::kFix, kFn20, kLon, "", false, "", L::kFix},
                                {Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kFix, kFn21 + 0.01, kLon, "", false, "FN21", L::kFix},
                                {Ev::kAccept, 0, 0, "FN21", false, "", L::kFix},
                                {Ev::kFix, kFn21, kLon, "", false, "", L::kFix},
                                {Ev::kAccept, 0, 0, "none", false, "", L::kFix}}},
                      WatchRow{"DeclinedSquareStaysQuietUntilBackHome",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kDecline, 0, 0, "", false, "", L::kFix},
                                {Ev::kFix, kFn21, kLon, "", false, "", L::kFix},
                                {Ev::kFix, kFn20, kLon, "", false, "", L::kFix},
                                {Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix}}},
                      WatchRow{"MovingOnToAThirdSquareAsksAgain",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kFix, kFn22, kLon, "", true, "FN22", L::kFix},
                                {Ev::kAccept, 0, 0, "FN22", false, "", L::kFix}}},
                      WatchRow{"BackHomeWithdrawsTheQuestion",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kFix, kFn20, kLon, "", false, "", L::kFix},
                                {Ev::kAccept, 0, 0, "none", false, "", L::kFix}}},
                      WatchRow{"LostFixAndGpsdGoneKeepTheQuestion",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kNoFix, 0, 0, "", false, "FN21", L::kNoFix},
                                {Ev::kLost, 0, 0, "", false, "FN21", L::kNoGpsd},
                                {Ev::kVersion, 0, 0, "", false, "FN21", L::kNoFix},
                                {Ev::kFix, kFn21, kLon, "", false, "FN21", L::kFix},
                                {Ev::kAccept, 0, 0, "FN21", false, "", L::kFix}}},
                      WatchRow{"OwnGridTypedToTheNewSquareAnswersIt",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kSetOwn, 0, 0, "fn21", false, "", L::kFix},
                                {Ev::kFix, kFn21, kLon, "", false, "", L::kFix}}},
                      WatchRow{"OwnGridTypedElsewhereLeavesTheQuestion",
                               {{Ev::kFix, kFn21, kLon, "", true, "FN21", L::kFix},
                                {Ev::kSetOwn, 0, 0, "FN30", false, "FN21", L::kFix}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(OwnGridWatch, LocatorShowsOnlyWithACurrentFix) {
  OwnGridWatch w("FN20");
  EXPECT_EQ(w.link(), GpsLink::kNoGpsd);
  w.Report({GpsdReportKind::kFix, 3, 41.714775, -72.727260, ""});
  EXPECT_EQ(w.locator(), "FN31pr");
  w.Report({GpsdReportKind::kNoFix, 1, 0, 0, ""});
  EXPECT_EQ(w.locator(), "");
  w.Report({GpsdReportKind::kFix, 3, 41.714775, -72.727260, ""});
  w.LinkLost();
  EXPECT_EQ(w.locator(), "");
}

struct StepRow {
  const char* band;
  int step, contest, expected;
};

TEST(StepBand, Table) {
  const StepRow rows[] = {
      {"144 M", +1, 2, 3}, {"144 M", -1, 2, 1},  {"50 M", -1, 2, 1},  {"300 G", +1, 2, 17},
      {"10 G", +1, 2, 11}, {"1.3 g", +1, 1, 7},  {"222 M", -1, 3, 3}, {"432 M", -1, 3, 3},
      {"50 M", +1, 5, 2},  {"144 M", +1, 5, 2},  {"432 M", -1, 5, 2}, {"432 M", +1, 5, 4},
      {"bogus", +1, 2, 1}, {"bogus", -1, 2, 17}, {"bogus", -1, 5, 2}, {"bogus", +1, 3, 3},
      {"10 G", +1, 0, 11}, {"", -1, 0, 17},
  };
  for (const StepRow& r : rows)
    EXPECT_EQ(StepBand(r.band, r.step, r.contest), r.expected)
        << r.band << " step " << r.step << " contest " << r.contest;
}

}  // namespace
}  // namespace vantrel

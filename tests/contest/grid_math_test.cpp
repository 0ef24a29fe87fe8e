#include "contest/grid_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace vantrel {
namespace {

struct CornerCase {
  const char* name;
  const char* locator;
  double latitude;
  double longitude;
  bool has_latitude;
};

class GridCornerTest : public ::testing::TestWithParam<CornerCase> {};

TEST_P(GridCornerTest, SouthWestCorner) {
  const CornerCase& c = GetParam();
  const auto p = GridCorner(c.locator);
  ASSERT_TRUE(p);
  EXPECT_DOUBLE_EQ(p->longitude, c.longitude);
  EXPECT_EQ(p->has_latitude, c.has_latitude);
  if (c.has_latitude) {
    EXPECT_DOUBLE_EQ(p->latitude, c.latitude);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Locators, GridCornerTest,
    ::testing::Values(CornerCase{"Square", "FN20", 40, 76, true},
                      CornerCase{"LowerSubsquare", "FN20ab", 40 + 1.0 / 24, 76, true},
                      // Upper-case subsquare letters count back from "a".
                      CornerCase{"UpperSubsquare", "FN20AB", 40 - 31.0 / 24, 76 + 64.0 / 24, true},
                      CornerCase{"FieldOnly", "FN", 40, 80, true},
                      CornerCase{"OneLetter", "F", 0, 80, false},
                      CornerCase{"ThreeCharacters", "FN2", 40, 76, true},
                      CornerCase{"FiveCharacters", "FN20x", 40, 76 - 23 * 2.0 / 24, true},
                      CornerCase{"FieldA", "AA00", -90, 180, true},
                      CornerCase{"FieldR", "RR99", 89, -178, true},
                      CornerCase{"FieldM", "FM19", 39, 78, true},
                      // Beyond six characters nothing more is read.
                      CornerCase{"Seven", "FN20abz", 40 + 1.0 / 24, 76, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridCorner, NonDigitSquareFails) {
  EXPECT_FALSE(GridCorner(""));
  EXPECT_FALSE(GridCorner("FNX0"));
  EXPECT_FALSE(GridCorner("FN2X"));
  EXPECT_FALSE(GridCorner("FN 0"));
  // A letter position takes any character by its code.
  EXPECT_TRUE(GridCorner("9920"));
}

// --- an independent reference ---------------------------------------------
// Written from the locator definition and vector geometry on a sphere, not
// from the code under test: longitudes east positive, positions as unit
// vectors, the bearing from the north and east directions at the start.

constexpr double kPi = 3.14159265358979323846;
constexpr double kRefMilesPerRadian = 3955.75791314991;

struct RefPoint {
  double lat, lon_east;
};

RefPoint RefCentre(const std::string& grid) {
  auto up = [](char c) { return c >= 'a' ? c - 'a' : c - 'A'; };
  double lon = -180 + 20 * up(grid[0]) + 2 * (grid[2] - '0');
  double lat = -90 + 10 * up(grid[1]) + (grid[3] - '0');
  if (grid.size() == 6) {
    lon += up(grid[4]) * (5.0 / 60) + 2.5 / 60;
    lat += up(grid[5]) * (2.5 / 60) + 1.25 / 60;
  } else {
    lon += 1;
    lat += 0.5;
  }
  return {lat, lon};
}

struct Vec {
  double x, y, z;
};
Vec Unit(RefPoint p) {
  const double la = p.lat * kPi / 180, lo = p.lon_east * kPi / 180;
  return {std::cos(la) * std::cos(lo), std::cos(la) * std::sin(lo), std::sin(la)};
}
double Dot(Vec a, Vec b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(Vec a, Vec b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Norm(Vec a) {
  return std::sqrt(Dot(a, a));
}

// Distance in miles and initial bearing in degrees from `from` to `to`.
std::pair<double, double> RefDistanceBearing(RefPoint from, RefPoint to) {
  const Vec a = Unit(from), b = Unit(to);
  const double distance = std::atan2(Norm(Cross(a, b)), Dot(a, b)) * kRefMilesPerRadian;
  const Vec north{0, 0, 1};
  const Vec east = Cross(north, a);  // local east at `from` (not normalised)
  const Vec local_north = Cross(a, east);
  const double bearing =
      std::atan2(Dot(b, east) / Norm(east), Dot(b, local_north) / Norm(local_north)) * 180 / kPi;
  return {distance, bearing < 0 ? bearing + 360 : bearing};
}

double AngleBetween(double a, double b) {
  const double d = std::fmod(std::fabs(a - b), 360.0);
  return d > 180 ? 360 - d : d;
}

struct PathCase {
  const char* name;
  double own_lat, own_lon_west;
  const char* grid;
};

class GreatCircleTest : public ::testing::TestWithParam<PathCase> {};

// Failed before (corners, law of cosines): up to 19 degrees off for a
// six-character grid, 30 to 56 to a neighbouring square from a typed
// position, and no bearing at all along one grid column.
TEST_P(GreatCircleTest, CentreBearingAndDistanceAgreeWithTheReference) {
  const PathCase& c = GetParam();
  const RefPoint ref_centre = RefCentre(c.grid);
  const auto centre = LocatorCentre(c.grid);
  ASSERT_TRUE(centre);
  EXPECT_NEAR(centre->latitude, ref_centre.lat, 1e-9);
  EXPECT_NEAR(-centre->longitude, ref_centre.lon_east, 1e-9);

  const auto [ref_distance, ref_bearing] =
      RefDistanceBearing({c.own_lat, -c.own_lon_west}, ref_centre);
  const auto r = HDCalc(c.own_lat, c.own_lon_west, centre->latitude, centre->longitude);
  ASSERT_TRUE(r);
  EXPECT_LT(AngleBetween(r->heading, ref_bearing), 0.1) << r->heading << " vs " << ref_bearing;
  EXPECT_NEAR(r->distance, ref_distance, ref_distance * 0.005);

  // Every grid away from the own position shows a bearing and a distance.
  const auto texts = ShowBearingDistance(c.grid, c.own_lat, c.own_lon_west);
  ASSERT_TRUE(texts);
  EXPECT_FALSE(texts->bearing.empty());
  EXPECT_FALSE(texts->distance.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Paths, GreatCircleTest,
    ::testing::Values(
        // From the centre of FN20, as derived from the own grid.
        PathCase{"NorthSameColumn", 40.5, 75, "FN21"},
        PathCase{"SouthSameColumn", 40.5, 75, "FM29"}, PathCase{"East", 40.5, 75, "FN30"},
        PathCase{"West", 40.5, 75, "FN10"}, PathCase{"Diagonal", 40.5, 75, "FN32"},
        PathCase{"OwnSubsquare", 40.5, 75, "FN20ab"},
        PathCase{"OwnSubsquareUpper", 40.5, 75, "FN20AB"},
        PathCase{"MixedCaseSubsquare", 40.5, 75, "fn20Xx"}, PathCase{"Europe", 40.5, 75, "JO01"},
        PathCase{"Japan", 40.5, 75, "PM95"}, PathCase{"Australia", 40.5, 75, "QF22"},
        PathCase{"Seattle", 40.5, 75, "CN87"},
        // From a typed position (41.714 N, 72.727 W) inside FN31.
        PathCase{"TypedOwnSquare", 41.714, 72.727, "FN31"},
        PathCase{"TypedNeighbour", 41.714, 72.727, "FN41"},
        PathCase{"TypedSubsquare", 41.714, 72.727, "FN31pr"},
        PathCase{"TypedNorth", 41.714, 72.727, "FN32"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LocatorCentre, KnownCentresAndRefusals) {
  auto c = LocatorCentre("FN20");
  ASSERT_TRUE(c);
  EXPECT_DOUBLE_EQ(c->latitude, 40.5);
  EXPECT_DOUBLE_EQ(c->longitude, 75);
  // The subsquare holding 41.714 N, 72.727 W.
  c = LocatorCentre("FN31pr");
  ASSERT_TRUE(c);
  EXPECT_LT(std::fabs(c->latitude - 41.714), 1.0 / 48);
  EXPECT_LT(std::fabs(c->longitude - 72.727), 1.0 / 24);
  for (const char* grid : {"", "F", "FN", "FN2", "FN20a", "ZZ99", "FNX0"})
    EXPECT_FALSE(LocatorCentre(grid)) << grid;
}

TEST(TypedLocatorCentre, AsFarAsTyped) {
  struct Row {
    const char* text;
    const char* same_as;  // the whole locator whose centre it is, or "" for none
  };
  for (const Row& row :
       {Row{"FN31", "FN31"}, Row{"FN31p", "FN31"}, Row{"FN31pr", "FN31pr"}, Row{"FN31PR", "FN31pr"},
        Row{"FN31prx", "FN31pr"}, Row{"F", ""}, Row{"FNX", ""}, Row{"FN3X", ""}, Row{"SN31", ""},
        Row{"FN31y", ""}, Row{"FN31p1", ""}}) {
    const auto typed = TypedLocatorCentre(row.text);
    if (*row.same_as == 0) {
      EXPECT_FALSE(typed) << row.text;
      continue;
    }
    const auto whole = LocatorCentre(row.same_as);
    ASSERT_TRUE(typed) << row.text;
    EXPECT_DOUBLE_EQ(typed->latitude, whole->latitude) << row.text;
    EXPECT_DOUBLE_EQ(typed->longitude, whole->longitude) << row.text;
  }
  // Two or three characters give the field's centre.
  for (const char* field : {"FN", "fn", "FN3"}) {
    const auto f = TypedLocatorCentre(field);
    ASSERT_TRUE(f) << field;
    EXPECT_DOUBLE_EQ(f->latitude, 45);
    EXPECT_DOUBLE_EQ(f->longitude, 70);
  }
}

TEST(OwnPositionFromGrid, DerivedWhenEitherCoordinateIsZero) {
  // The centre of the own square. Failed before: its south-west corner.
  double lat = 0, lon = 0;
  EXPECT_TRUE(OwnPositionFromGrid("FN20", lat, lon));
  EXPECT_EQ(lat, 40.5);
  EXPECT_EQ(lon, 75);

  lat = 39.5, lon = 0;
  EXPECT_TRUE(OwnPositionFromGrid("FN20", lat, lon));
  EXPECT_EQ(lat, 40.5);
  EXPECT_EQ(lon, 75);

  // A grid that is no locator gives no position.
  lat = 0, lon = 0;
  EXPECT_FALSE(OwnPositionFromGrid("F", lat, lon));
  EXPECT_EQ(lat, 0);
  EXPECT_EQ(lon, 0);

  // An entered position stays; so does one without a grid.
  lat = 39.5, lon = 75.25;
  EXPECT_TRUE(OwnPositionFromGrid("FN20", lat, lon));
  EXPECT_EQ(lat, 39.5);
  lat = 0;
  EXPECT_TRUE(OwnPositionFromGrid("", lat, lon));
  EXPECT_EQ(lon, 75.25);
  EXPECT_FALSE(OwnPositionFromGrid("FNX0", lat, lon));
  EXPECT_EQ(lat, 0);
  EXPECT_EQ(lon, 75.25);
}

TEST(HDCalc, EastAndWestOfTheOwnSquare) {
  auto r = HDCalc(40, 76, 40, 74);  // FN30
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->heading, 89.357, 0.001);
  EXPECT_NEAR(r->distance, 105.775, 0.001);

  r = HDCalc(40, 76, 40, 78);  // FN10
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->heading, 270.643, 0.001);
  EXPECT_NEAR(r->distance, 105.775, 0.001);
}

TEST(HDCalc, OnlyTheOwnPositionHasNoBearing) {
  EXPECT_FALSE(HDCalc(40, 76, 40, 76));
  EXPECT_FALSE(HDCalc(40, 76, 1e308, 76));
  // One degree north along the meridian: due north, 69.041 miles.
  auto r = HDCalc(40, 76, 41, 76);
  ASSERT_TRUE(r);
  EXPECT_NEAR(AngleBetween(r->heading, 0), 0, 1e-9);
  EXPECT_NEAR(r->distance, 69.041, 0.001);
  // The antipode is half the circumference away.
  r = HDCalc(0, 0, 0, 180);
  ASSERT_TRUE(r);
  EXPECT_NEAR(r->distance, kPi * kMilesPerRadian, 1e-6);
}

TEST(ShowBearingDistance, TextsOfTheLabels) {
  using T = BearingDistanceTexts;
  // From 40 N 76 W (typed) to the centres of the squares.
  EXPECT_EQ(ShowBearingDistance("FN30", 40, 76), (T{"77", "162"}));
  EXPECT_EQ(ShowBearingDistance("FN10", 40, 76), (T{"304", "63"}));
  EXPECT_EQ(ShowBearingDistance("FN20", 40, 76), (T{"56", "63"}));
  // The own square against the position derived from it: no bearing.
  EXPECT_EQ(ShowBearingDistance("FN20", 40.5, 75), (T{"", ""}));
  // Due north shows 360, never blank.
  EXPECT_EQ(ShowBearingDistance("FN21", 40.5, 75), (T{"360", "69"}));
  EXPECT_EQ(ShowBearingDistance("FN32", 40.5, 75), (T{"36", "173"}));
  // One character changes nothing; two give the field's centre.
  EXPECT_FALSE(ShowBearingDistance("F", 40, 76));
  EXPECT_EQ(ShowBearingDistance("FN", 40, 76), (T{"40", "461"}));
  EXPECT_EQ(ShowBearingDistance("FNX0", 40, 76), (T{"", ""}));
  // Thousands get a comma.
  EXPECT_EQ(ShowBearingDistance("JO01", 40, 76)->distance, "3,617");
}

TEST(Formats, RoundedAndEmptyAtZero) {
  EXPECT_EQ(FormatBearing(0.4), "");
  EXPECT_EQ(FormatBearing(0.5), "1");
  EXPECT_EQ(FormatBearing(359.6), "360");
  EXPECT_EQ(FormatDistance(0.49), "");
  EXPECT_EQ(FormatDistance(999.5), "1,000");
  EXPECT_EQ(FormatDistance(12449.6), "12,450");
  EXPECT_EQ(FormatDistance(1234567), "1,234,567");
  EXPECT_EQ(FormatDistance(105.775), "106");
}

}  // namespace
}  // namespace vantrel

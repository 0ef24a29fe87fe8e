#include "contest/grid_math.h"

#include <gtest/gtest.h>

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

TEST(OwnPositionFromGrid, DerivedWhenEitherCoordinateIsZero) {
  double lat = 0, lon = 0;
  EXPECT_TRUE(OwnPositionFromGrid("FN20", lat, lon));
  EXPECT_EQ(lat, 40);
  EXPECT_EQ(lon, 76);

  lat = 39.5, lon = 0;
  EXPECT_TRUE(OwnPositionFromGrid("FN20", lat, lon));
  EXPECT_EQ(lat, 40);
  EXPECT_EQ(lon, 76);

  // One letter gives a longitude only.
  lat = 0, lon = 0;
  EXPECT_TRUE(OwnPositionFromGrid("F", lat, lon));
  EXPECT_EQ(lat, 0);
  EXPECT_EQ(lon, 80);

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

TEST(HDCalc, SamePositionAndAntipodeFail) {
  EXPECT_FALSE(HDCalc(40, 76, 40, 76));
  EXPECT_FALSE(HDCalc(0, 0, 0, 180));
  EXPECT_FALSE(HDCalc(40, 76, 1e308, 76));
}

TEST(ShowBearingDistance, TextsOfTheLabels) {
  using T = BearingDistanceTexts;
  EXPECT_EQ(ShowBearingDistance("FN30", 40, 76), (T{"89", "106"}));
  EXPECT_EQ(ShowBearingDistance("FN10", 40, 76), (T{"271", "106"}));
  // The own square against the position derived from it.
  EXPECT_EQ(ShowBearingDistance("FN20", 40, 76), (T{"", ""}));
  // One character changes nothing; two give the field's corner.
  EXPECT_FALSE(ShowBearingDistance("F", 40, 76));
  const auto field = ShowBearingDistance("FN", 40, 76);
  ASSERT_TRUE(field);
  EXPECT_EQ(field->bearing, "271");
  EXPECT_EQ(field->distance, "212");
  EXPECT_EQ(ShowBearingDistance("FNX0", 40, 76), (T{"", ""}));
  // Thousands get a comma.
  EXPECT_EQ(ShowBearingDistance("JO01", 40, 76)->distance, "3,588");
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

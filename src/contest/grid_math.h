// Maidenhead locator arithmetic: the south-west corner of a square or
// subsquare, and bearing and distance between two positions. Longitudes are
// positive WEST throughout, as the station profile stores them.
//
// Responsibilities: GridCorner, HDCalc and the texts of the bearing and
// distance labels.
// Collaborations: station setup (own position from the own grid), the main
// window's grid field (bearing and distance while a grid is typed).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Degrees per radian, to the ten digits the distances and bearings shown to
// operators have always been computed with.
inline constexpr double kDegreesPerRadian = 57.29577951;
// 69.041 statute miles per degree of arc, per radian.
inline constexpr double kMilesPerRadian = 3955.75791314991;

struct GridPosition {
  double latitude = 0;        // north positive; only when has_latitude
  double longitude = 0;       // west positive
  bool has_latitude = false;  // the locator had 2 characters or more
};

// The corner of a locator of 1 to 6 characters (characters beyond the sixth
// are not looked at). Letters count by character code: field letters from
// "J", subsquare letters from lower-case "a", so an upper-case subsquare
// letter counts negative. Nothing for an empty locator or a third or fourth
// character that is not a digit.
std::optional<GridPosition> GridCorner(std::string_view locator);

// Station setup's own position: when either coordinate is 0 and the own
// grid is not empty, the longitude (and with 2 characters or more the
// latitude) becomes the grid's corner. A position entered with both values
// non-zero stays. False, with nothing changed, when the grid does not read.
bool OwnPositionFromGrid(std::string_view OwnGrid, double& OwnLatitude, double& OwnLongitude);

struct BearingDistance {
  double heading = 0;   // degrees, 0..360
  double distance = 0;  // statute miles
};

// Bearing and great-circle distance from the own position to cntlat /
// cntlong. The arc cosines are formed through the arc tangent, so the same
// position (cosine exactly 1), antipodes, and cosines pushed past 1 by
// rounding fail; so does any other division by zero or non-finite step.
// Nothing is returned then: the labels show empty text, never NaN.
std::optional<BearingDistance> HDCalc(double own_latitude, double own_longitude, double cntlat,
                                      double cntlong);

// "###": whole degrees, rounded, no leading zeros; 0 shows as empty.
std::string FormatBearing(double heading);
// "##,###": whole miles, rounded, a comma between thousands; 0 shows as empty.
std::string FormatDistance(double distance);

struct BearingDistanceTexts {
  std::string bearing;   // Label23
  std::string distance;  // Label24
  bool operator==(const BearingDistanceTexts&) const = default;
};

// ShowBearingDistance for the text of the grid field: nothing (the labels
// stay as they are) below 2 characters; empty texts when the locator or the
// computation fails.
std::optional<BearingDistanceTexts> ShowBearingDistance(std::string_view txtSec,
                                                        double own_latitude, double own_longitude);

}  // namespace vantrel

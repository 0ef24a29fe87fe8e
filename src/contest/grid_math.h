// Maidenhead locator arithmetic: the corner and the centre of a field, square
// or subsquare, and great-circle bearing and distance between two positions.
// Longitudes are positive WEST throughout, as the station profile stores them.
//
// Responsibilities: GridCorner, LocatorCentre, the own position derived from
// the own grid, HDCalc and the texts of the bearing and distance labels.
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

// The centre of what a locator names, for aiming an antenna: the subsquare
// of a six-character locator (its letters in either case), else the square.
// Nothing unless IsValidLocator.
std::optional<GridPosition> LocatorCentre(std::string_view locator);

// The centre of a locator as far as it has been typed: the field for 2 or 3
// characters, the square for 4 or 5, the subsquare for 6 or more (characters
// beyond the sixth are not looked at). Nothing below 2 characters or when a
// character present is wrong for its place.
std::optional<GridPosition> TypedLocatorCentre(std::string_view text);

// Station setup's own position: when either coordinate is 0 and the own
// grid is a locator, the position becomes the grid's centre. A position
// entered with both values non-zero stays. False, with nothing changed, when
// the grid is not a locator.
bool OwnPositionFromGrid(std::string_view OwnGrid, double& OwnLatitude, double& OwnLongitude);

// Whether a stored own position was derived from `OwnGrid` rather than typed
// by the operator: either coordinate 0, or the position is the grid's centre,
// or its south-west corner (where positions used to be derived). A derived
// position follows the own grid when the grid changes; a typed one stays.
bool PositionFollowsGrid(std::string_view OwnGrid, double OwnLatitude, double OwnLongitude);

struct BearingDistance {
  double heading = 0;   // degrees, 0..360
  double distance = 0;  // statute miles
};

// Initial great-circle bearing and distance from the own position to cntlat
// / cntlong, on a sphere of kMilesPerRadian. Haversine and atan2 stay sound
// for neighbouring squares and for positions on one meridian. Nothing (the
// labels show empty text, never NaN) for the own position itself, where no
// bearing exists, or for a latitude beyond the poles or a value that is not
// finite.
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

// ShowBearingDistance for the text of the grid field, to the centre of what
// has been typed: nothing (the labels stay as they are) below 2 characters;
// empty texts when the text is no locator or names the own position. Due
// north shows 360, so a bearing is never blank.
std::optional<BearingDistanceTexts> ShowBearingDistance(std::string_view txtSec,
                                                        double own_latitude, double own_longitude);

}  // namespace vantrel

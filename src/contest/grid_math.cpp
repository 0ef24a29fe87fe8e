#include "contest/grid_math.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/locator.h"

namespace vantrel {

namespace {

int Code(char c) {
  return static_cast<unsigned char>(c);
}

std::optional<int> Digit(char c) {
  if (c < '0' || c > '9') return std::nullopt;
  return c - '0';
}

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool InRange(char c, char low, char high) {
  return c >= low && c <= high;
}

// Whether character `i` of a locator is right for its place: field letters
// A..R, digits, subsquare letters A..X, letters in either case.
bool FitsPlace(char c, size_t i) {
  switch (i) {
    case 0:
    case 1:
      return InRange(Upper(c), 'A', 'R');
    case 2:
    case 3:
      return InRange(c, '0', '9');
    default:
      return InRange(Upper(c), 'A', 'X');
  }
}

// The centre of the first `places` (2, 4 or 6) characters, already checked.
GridPosition CentreOf(std::string_view text, size_t places) {
  // The corner arithmetic wants upper-case field letters and lower-case
  // subsquare letters; the centre lies half a cell north-east of the corner.
  std::string canonical(text.substr(0, places));
  canonical[0] = Upper(canonical[0]);
  canonical[1] = Upper(canonical[1]);
  if (places == 6) {
    canonical[4] = Lower(canonical[4]);
    canonical[5] = Lower(canonical[5]);
  }
  GridPosition p = *GridCorner(canonical);
  const double cell_latitude = places == 2 ? 10.0 : places == 4 ? 1.0 : 1.0 / 24;
  p.latitude += cell_latitude / 2;
  p.longitude -= cell_latitude;  // cells are twice as wide as high; west positive
  return p;
}

bool Near(double a, double b) {
  return std::fabs(a - b) < 1e-9;
}

}  // namespace

std::optional<GridPosition> GridCorner(std::string_view locator) {
  if (locator.empty()) return std::nullopt;
  const size_t n = locator.size();
  GridPosition p;
  p.longitude = 20.0 * (Code('J') - Code(locator[0]));
  if (n > 2) {
    const auto d = Digit(locator[2]);
    if (!d) return std::nullopt;
    p.longitude -= 2.0 * *d;
  }
  if (n > 4) p.longitude -= (Code(locator[4]) - Code('a')) * 2.0 / 24.0;
  if (n >= 2) {
    p.has_latitude = true;
    p.latitude = 10.0 * (Code(locator[1]) - Code('J'));
    if (n > 3) {
      const auto d = Digit(locator[3]);
      if (!d) return std::nullopt;
      p.latitude += *d;
    }
    if (n > 5) p.latitude += (Code(locator[5]) - Code('a')) / 24.0;
  }
  return p;
}

std::optional<GridPosition> LocatorCentre(std::string_view locator) {
  if (!IsValidLocator(locator)) return std::nullopt;
  return CentreOf(locator, locator.size());
}

std::optional<GridPosition> TypedLocatorCentre(std::string_view text) {
  if (text.size() < 2) return std::nullopt;
  const size_t read = std::min<size_t>(text.size(), 6);
  for (size_t i = 0; i < read; ++i)
    if (!FitsPlace(text[i], i)) return std::nullopt;
  return CentreOf(text, read & ~size_t{1});
}

bool OwnPositionFromGrid(std::string_view OwnGrid, double& OwnLatitude, double& OwnLongitude) {
  if ((OwnLatitude != 0 && OwnLongitude != 0) || OwnGrid.empty()) return true;
  const auto centre = LocatorCentre(OwnGrid);
  if (!centre) return false;
  OwnLatitude = centre->latitude;
  OwnLongitude = centre->longitude;
  return true;
}

bool PositionFollowsGrid(std::string_view OwnGrid, double OwnLatitude, double OwnLongitude) {
  if (OwnLatitude == 0 || OwnLongitude == 0) return true;
  const auto at = [&](const std::optional<GridPosition>& p) {
    return p && Near(p->latitude, OwnLatitude) && Near(p->longitude, OwnLongitude);
  };
  return IsValidLocator(OwnGrid) && (at(LocatorCentre(OwnGrid)) || at(GridCorner(OwnGrid)));
}

std::optional<BearingDistance> HDCalc(double own_latitude, double own_longitude, double cntlat,
                                      double cntlong) {
  constexpr double D = kDegreesPerRadian;
  if (!std::isfinite(own_longitude) || !std::isfinite(cntlong)) return std::nullopt;
  if (!(std::fabs(own_latitude) <= 90) || !(std::fabs(cntlat) <= 90)) return std::nullopt;
  const double lat1 = own_latitude / D, lat2 = cntlat / D;
  // East positive from here on, so the bearing comes out clockwise from north.
  const double dlon = (own_longitude - cntlong) / D;
  const double h = std::sin((lat2 - lat1) / 2) * std::sin((lat2 - lat1) / 2) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(dlon / 2) * std::sin(dlon / 2);
  const double central = 2 * std::atan2(std::sqrt(h), std::sqrt(std::max(0.0, 1 - h)));
  if (!(central > 0)) return std::nullopt;
  const double y = std::sin(dlon) * std::cos(lat2);
  const double x =
      std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dlon);
  double heading = std::atan2(y, x) * D;
  if (heading < 0) heading += 360;
  BearingDistance r;
  r.heading = heading;
  r.distance = central * kMilesPerRadian;
  if (!std::isfinite(r.heading) || !std::isfinite(r.distance)) return std::nullopt;
  return r;
}

std::string FormatBearing(double heading) {
  // Halves round away from zero, as the label formats do.
  const double whole = std::round(heading);
  if (whole == 0 || !std::isfinite(whole)) return {};
  return std::to_string(static_cast<long long>(whole));
}

std::string FormatDistance(double distance) {
  const double whole = std::round(distance);
  if (whole == 0 || !std::isfinite(whole) || std::fabs(whole) > 9e15) return {};
  const bool negative = whole < 0;
  const std::string digits = std::to_string(static_cast<long long>(std::fabs(whole)));
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return negative ? "-" + text : text;
}

std::optional<BearingDistanceTexts> ShowBearingDistance(std::string_view txtSec,
                                                        double own_latitude, double own_longitude) {
  if (txtSec.size() < 2) return std::nullopt;
  BearingDistanceTexts texts;
  const auto centre = TypedLocatorCentre(txtSec);
  if (!centre) return texts;
  const auto result = HDCalc(own_latitude, own_longitude, centre->latitude, centre->longitude);
  if (!result) return texts;
  // A bearing that rounds to 0 is due north, shown as 360 rather than blank.
  const double heading = result->heading < 0.5 ? result->heading + 360 : result->heading;
  texts.bearing = FormatBearing(heading);
  texts.distance = FormatDistance(result->distance);
  return texts;
}

}  // namespace vantrel

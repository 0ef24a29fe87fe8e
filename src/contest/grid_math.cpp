#include "contest/grid_math.h"

#include <cmath>

namespace vantrel {

namespace {

int Code(char c) {
  return static_cast<unsigned char>(c);
}

std::optional<int> Digit(char c) {
  if (c < '0' || c > '9') return std::nullopt;
  return c - '0';
}

// arccos through the arc tangent: fails where 1 - x*x is zero (a division by
// zero) or negative (the square root of a negative number).
std::optional<double> ArcCos(double x) {
  const double rest = 1 - x * x;
  if (!(rest > 0)) return std::nullopt;
  const double angle = std::atan(-x / std::sqrt(rest)) + 2 * std::atan(1.0);
  if (!std::isfinite(angle)) return std::nullopt;
  return angle;
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

bool OwnPositionFromGrid(std::string_view OwnGrid, double& OwnLatitude, double& OwnLongitude) {
  if ((OwnLatitude != 0 && OwnLongitude != 0) || OwnGrid.empty()) return true;
  const auto corner = GridCorner(OwnGrid);
  if (!corner) return false;
  OwnLongitude = corner->longitude;
  if (corner->has_latitude) OwnLatitude = corner->latitude;
  return true;
}

std::optional<BearingDistance> HDCalc(double own_latitude, double own_longitude, double cntlat,
                                      double cntlong) {
  constexpr double D = kDegreesPerRadian;
  const double lat1 = own_latitude, lon1 = own_longitude, lat2 = cntlat, lon2 = cntlong;
  const double c = std::sin(lat1 / D) * std::sin(lat2 / D) +
                   std::cos(lat2 / D) * std::cos(lat1 / D) * std::cos((lon2 - lon1) / D);
  if (!std::isfinite(c)) return std::nullopt;
  const auto central = ArcCos(c);
  if (!central) return std::nullopt;
  const double A = *central * D;
  const double divisor = std::sin(A / D) * std::cos(lat1 / D);
  if (divisor == 0) return std::nullopt;
  const double k = (std::sin(lat2 / D) - std::sin(lat1 / D) * c) / divisor;
  if (!std::isfinite(k)) return std::nullopt;
  const auto B = ArcCos(k);
  if (!B) return std::nullopt;
  BearingDistance r;
  r.heading = std::sin((lon1 - lon2) / D) > 0 ? *B * D : 360 - *B * D;
  r.distance = *central * kMilesPerRadian;
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
  const auto corner = GridCorner(txtSec);
  if (!corner) return texts;
  const auto result = HDCalc(own_latitude, own_longitude, corner->latitude, corner->longitude);
  if (!result) return texts;
  texts.bearing = FormatBearing(result->heading);
  texts.distance = FormatDistance(result->distance);
  return texts;
}

}  // namespace vantrel

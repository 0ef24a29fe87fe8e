#include "contest/grid_map.h"

#include <cmath>

#include "common/locator.h"
#include "contest/bands.h"

namespace vantrel {

namespace {

bool IsWhole(double v) {
  return v == std::floor(v);
}

char FieldLetter(double whole_part) {
  const double code = whole_part + 74;  // 74 is "J"
  if (code < 65) return 'A';
  if (code > 82) return 'R';
  return static_cast<char>(code);
}

// One square's locator for the working latitude and west-positive longitude.
std::string Locator(double lat, double lon) {
  std::string text(4, ' ');
  text[0] = FieldLetter(std::floor(-lon / 20));
  text[1] = FieldLetter(std::floor(lat / 10));
  const double lon20 = lon / 20;
  int lon_digit = 0;
  if (!IsWhole(lon20))
    lon_digit = 9 - static_cast<int>(std::floor((lon20 - std::floor(lon20)) * 10));
  const double lat10 = lat / 10;
  const int lat_digit = static_cast<int>(std::floor((lat10 - std::floor(lat10)) * 10));
  text[2] = static_cast<char>('0' + lon_digit);
  text[3] = static_cast<char>('0' + lat_digit);
  return text;
}

}  // namespace

std::optional<GridMapTexts> GridFill(double own_latitude, double own_longitude, double LatShift,
                                     double LonShift) {
  if (!(own_latitude > 0) || !(own_longitude > 0)) return std::nullopt;
  if (!std::isfinite(own_latitude + own_longitude + LatShift + LonShift)) return std::nullopt;
  // Nudged off whole degrees so that no square sits exactly on a boundary.
  double lat = own_latitude + 7 + LatShift;
  if (IsWhole(lat)) lat += 0.001;
  double lon = own_longitude + 12 + LonShift;
  if (IsWhole(lon)) lon -= 0.001;
  GridMapTexts texts;
  int column = 0;
  for (int i = 0; i < kGridMapLabels; ++i) {
    ++column;
    if (column > kGridMapColumns) {
      column = 1;
      lat -= 1;
      lon = own_longitude + 10 + LonShift;
      if (IsWhole(lon)) lon -= 0.001;
    } else {
      lon -= 2;
    }
    texts[static_cast<size_t>(i)] = Locator(lat, lon);
  }
  return texts;
}

bool GridMap::Fill(double own_latitude, double own_longitude) {
  auto texts = GridFill(own_latitude, own_longitude, LatShift, LonShift);
  if (!texts) return false;
  texts_ = std::move(*texts);
  return true;
}

int GridMap::LabelOf(std::string_view grid) const {
  for (int i = 0; i < kGridMapLabels; ++i)
    if (SameGridSquare(texts_[static_cast<size_t>(i)], grid)) return i;
  return -1;
}

std::vector<int> GridMap::WorkedLabels(const Tallies& tallies, int band_index) const {
  std::vector<int> worked;
  const BandTally* band = tallies.Band(band_index);
  if (!band) return worked;
  for (int i = 0; i < kGridMapLabels; ++i) {
    const std::string& text = texts_[static_cast<size_t>(i)];
    if (text.size() <= 3 || !band->Multipliers.Contains(text)) continue;
    if (LabelOf(text) == i) worked.push_back(i);
  }
  return worked;
}

std::string GridCountsText(const ContactLog& log, std::string_view label_text) {
  int total = 0;
  std::array<int, kBandsOnWindow> per_band{};
  for (const ContactRecord& r : log.records()) {
    if (!SameGridSquare(r.GridRcvd, label_text)) continue;
    ++total;
    const int b = BandIndex(r.Band);
    if (b >= 1 && b <= kBandsOnWindow) ++per_band[static_cast<size_t>(b - 1)];
  }
  auto n = [&](int band) { return std::to_string(per_band[static_cast<size_t>(band - 1)]); };
  std::string text(label_text);
  text += "  Total = " + std::to_string(total);
  text += "   50 = " + n(1) + "   144 = " + n(2) + "   222 = " + n(3) + "\r\n";
  text += "432 = " + n(4) + "   902 = " + n(5) + "   1.3 = " + n(6) + "   2.3 = " + n(7) +
          "   3.5 = " + n(8) + "\r\n";
  text += "5.8 = " + n(9) + "   10 = " + n(10);
  return text;
}

bool GridMapShown(std::string_view stored_view) {
  return stored_view == kViewBandsCaption;
}

std::string_view ToggledGridMapView(std::string_view caption) {
  return caption == kViewGridsCaption ? kViewBandsCaption : kViewGridsCaption;
}

}  // namespace vantrel

// The grid map: 165 squares in 15 rows of 11 around the own square, which
// the operator can move with four arrow buttons. Squares worked on the
// current band take the "worked" colour.
//
// Responsibilities: the locator of every square (GridFill), which squares
// are worked on a band (ColorChange, ShowWorkedGrids), and the per-band
// contact counts shown when the pointer rests on a square.
// Collaborations: contest/tallies (the multiplier lists), log/contact_log;
// the main window owns one GridMap and paints its lblGrid labels from it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/tallies.h"
#include "log/contact_log.h"

namespace vantrel {

inline constexpr int kGridMapLabels = 165;
inline constexpr int kGridMapColumns = 11;
inline constexpr int kGridMapRows = 15;
// Without a shift the own square is the centre label: row 7, column 5.
inline constexpr int kGridMapCentre = 7 * kGridMapColumns + 5;
// What the squares show until the own position is known.
inline constexpr std::string_view kGridMapDesignCaption = "FM19";

inline constexpr std::string_view kViewGridsCaption = "View Grids";
inline constexpr std::string_view kViewBandsCaption = "View Bands";

// The view switch's stored value is the caption its button shows: "View
// Bands" while the map is up (the button offers the bands), "View Grids"
// while the band lists are. Any other stored text shows the band lists.
bool GridMapShown(std::string_view stored_view);
// What a click on the view switch stores, from the caption the button showed.
std::string_view ToggledGridMapView(std::string_view caption);

using GridMapTexts = std::array<std::string, kGridMapLabels>;

// The 165 locators for an own position and map shift, label 0 at the top
// left, west to east in a row (2 degrees apart), north to south down the rows
// (1 degree apart). Field letters are clamped to "A".."R". Nothing when the
// own position is not north of the equator and west of Greenwich: the map
// then keeps what it showed.
std::optional<GridMapTexts> GridFill(double own_latitude, double own_longitude, double LatShift,
                                     double LonShift);

class GridMap {
 public:
  GridMap() { texts_.fill(std::string(kGridMapDesignCaption)); }

  // Refills the texts from the own position and the current shift; false
  // (texts unchanged) without a usable position.
  bool Fill(double own_latitude, double own_longitude);

  // The arrow buttons: one row north / south, one column west / east. The
  // caller then repaints (all remaining, Fill, the worked grids).
  void ShiftNorth() { LatShift += 1; }
  void ShiftSouth() { LatShift -= 1; }
  void ShiftWest() { LonShift += 2; }
  void ShiftEast() { LonShift -= 2; }

  // ColorChange: the first label, from 0 up, showing the square of `grid`
  // (ignoring case, so FN31pr finds FN31); -1 when the square is not on the
  // map. Rover grid pairs never match a square.
  int LabelOf(std::string_view grid) const;

  // ShowWorkedGrids: the labels to colour as worked for the multiplier keys
  // of `band_index` (1..17), ascending. Like ColorChange per key, a locator
  // shown twice (clamped field letters) colours only its first label.
  std::vector<int> WorkedLabels(const Tallies& tallies, int band_index) const;

  const GridMapTexts& texts() const { return texts_; }
  const std::string& text(int label) const { return texts_[static_cast<size_t>(label)]; }

  // Degrees the arrow buttons moved the map this run; never stored.
  double LatShift = 0;
  double LonShift = 0;

 private:
  GridMapTexts texts_;
};

// lblDupe's text while the pointer rests on a square showing `label_text`:
// its contacts in the whole log (GridRcvd in that square, six-character grids
// included), in total and on each of bands 1..10; bands 11..17 count in the
// total only.
std::string GridCountsText(const ContactLog& log, std::string_view label_text);

}  // namespace vantrel

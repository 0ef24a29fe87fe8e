// BandPlan.txt: the frequency privileges of each licence class, read by the
// band privileges window (all classes) and by the rig commands (the Extra
// class rows, to pick a radio mode for a frequency).
//
// File layout (quoted-value format, CR LF): a first item, the date from which
// the privileges apply, then rows of five items: band, class, mode, low edge
// and high edge in MHz. Class "O" is a band's outline row (its full range);
// the rows of the band follow it. Classes: "N" Novice, "T" Technician, "P"
// Technician Plus, "G" General, "A" Advanced, "E" Extra. Mode "CW" marks a
// CW (and data) segment; any other mode is phone.
//
// Responsibilities: parse the file; lay out the chart of one class.
// Collaborations: settings/quoted_value (field reading), ui/frm_band_plan
// (shows the chart), the rig commands (take the Extra rows).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

inline constexpr size_t kBandPlanMaxRows = 200;
inline constexpr size_t kBandChartMaxBars = 20;
inline constexpr std::string_view kBandPlanFile = "BandPlan.txt";
inline constexpr std::string_view kOutlineClass = "O";

struct BandPlanRow {
  std::string band;  // e.g. "160", "80", "6", "70cm"
  std::string cls;   // class letter
  std::string mode;  // "CW", "PH", ...
  float low = 0;     // MHz
  float high = 0;    // MHz
  bool operator==(const BandPlanRow&) const = default;
};

struct BandPlan {
  std::string effective;  // the first item
  std::vector<BandPlanRow> rows;
  bool operator==(const BandPlan&) const = default;
};

enum class BandPlanReadError {
  kNone,
  kEmpty,        // not even the first item
  kMalformed,    // a stray double quote, or an edge that is not a number
  kShortRow,     // the file ends inside a row
  kTooManyRows,  // more rows than the limit
};

struct BandPlanReadResult {
  BandPlanReadError error = BandPlanReadError::kNone;
  size_t row = 0;  // the row (1-based) where reading stopped; 0 for the first item
  // Everything read before the failure (all of it on success). The window
  // keeps this much of a damaged file; a strict reader ignores it.
  BandPlan partial;
  bool ok() const { return error == BandPlanReadError::kNone; }
};

// Parses the whole text of BandPlan.txt into `out`, at most `max_rows` rows
// (0 for no limit). On failure `out` is left as it was.
BandPlanReadResult ParseBandPlan(std::string_view text, BandPlan& out,
                                 size_t max_rows = kBandPlanMaxRows);

// The rows of one class, in file order (class letters ignore case).
std::vector<BandPlanRow> RowsOfClass(const BandPlan& plan, std::string_view cls);

// A band edge as "#,###.##0": thousands separators, no leading zero, three
// decimals ("1,240.000", "14.350", ".136").
std::string FormatBandEdge(float mhz);

// Chart geometry, in the window's own units.
struct ChartRect {
  double left = 0, top = 0, width = 0, height = 0;
};

struct ChartBar {
  int number = 0;    // "blbl" + number, and "bnlb" + number for its name tag
  std::string band;  // caption of bar and tag
  float low = 0;     // the outline's edges
  float high = 0;
  std::string tooltip;  // band, two blanks, "low - high"
  ChartRect rect;
  ChartRect tag;
};

struct ChartSegment {
  int number = 0;  // "priv" + number
  int bar = 0;     // number of the bar it lies on
  bool cw = false;
  std::string caption;  // "low - high"
  std::string tooltip;  // "CW  " or "PH  ", then the caption
  ChartRect rect;
};

struct ChartLayout {
  std::vector<ChartBar> bars;
  std::vector<ChartSegment> segments;
  // The drawing stopped early: more than kBandChartMaxBars bands qualify (the
  // first ones stay where they were first put, without tags or segments), or
  // a band's outline has no width. What was laid out so far stays.
  bool stopped = false;
  bool tagged = false;  // the bars were spread out and carry name tags
};

// The chart of class `cls` for a window `width` x `height` whose chart area
// begins at `chart_top` (the top of Line1).
//
// A band gets a bar when one of the rows directly after its outline row is
// of the class; bars are spread evenly below chart_top. Each row of the
// class lies on the first bar of its band, placed by its edges within the
// outline's range.
ChartLayout LayoutBandChart(const BandPlan& plan, std::string_view cls, double width, double height,
                            double chart_top);

}  // namespace vantrel

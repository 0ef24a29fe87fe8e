// BandPlan.txt reader and chart layout on arbitrary bytes: never crash; a
// failed read leaves its output alone and reports a row it got to; whatever
// reads (fully or in part) lays out for every class within the limits.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "contest/band_plan.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool Finite(const vantrel::ChartRect& r) {
  return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.width) &&
         std::isfinite(r.height);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  BandPlan out;
  out.effective = "untouched";
  const BandPlanReadResult r = ParseBandPlan(text, out);
  Check(r.partial.rows.size() <= kBandPlanMaxRows);
  if (r.ok()) {
    Check(out == r.partial);
  } else {
    Check(out.effective == "untouched" && out.rows.empty());
    Check(r.row <= r.partial.rows.size() + 1);
  }

  // Without a limit the same rows come first, and the limit is the only
  // difference a too-long file makes.
  BandPlan unlimited;
  const BandPlanReadResult u = ParseBandPlan(text, unlimited, 0);
  Check(u.partial.rows.size() >= r.partial.rows.size());
  for (size_t i = 0; i < r.partial.rows.size(); ++i) Check(u.partial.rows[i] == r.partial.rows[i]);
  if (r.error == BandPlanReadError::kTooManyRows) Check(u.partial.rows.size() >= kBandPlanMaxRows);
  if (r.ok()) Check(u.ok() && unlimited == out);

  for (const char* cls : {"N", "T", "P", "G", "A", "E", "O"}) {
    const ChartLayout c = LayoutBandChart(r.partial, cls, 1920, 1040, 200);
    Check(c.bars.size() <= kBandChartMaxBars);
    Check(c.segments.size() <= r.partial.rows.size());
    Check(c.tagged || c.segments.empty());
    for (const ChartBar& b : c.bars) Check(b.number >= 1 && Finite(b.rect));
    for (const ChartSegment& s : c.segments) {
      Check(s.bar >= 1 && s.bar <= static_cast<int>(c.bars.size()));
      Check(s.tooltip.compare(0, 4, s.cw ? "CW  " : "PH  ") == 0);
    }
  }
  return 0;
}

#include "contest/band_plan.h"

#include <cmath>

#include "common/quoted_value.h"
#include "contest/bands.h"

namespace vantrel {

namespace {

using Status = FieldReader::Status;

BandPlanReadError ErrorFor(Status s) {
  return s == Status::kEnd ? BandPlanReadError::kShortRow : BandPlanReadError::kMalformed;
}

}  // namespace

BandPlanReadResult ParseBandPlan(std::string_view text, BandPlan& out, size_t max_rows) {
  BandPlanReadResult result;
  FieldReader reader(text);
  const Status first = reader.NextText(result.partial.effective);
  if (first != Status::kOk) {
    result.error =
        first == Status::kEnd ? BandPlanReadError::kEmpty : BandPlanReadError::kMalformed;
    return result;
  }
  while (!reader.AtEnd()) {
    const size_t number = result.partial.rows.size() + 1;
    if (max_rows != 0 && number > max_rows) {
      result.error = BandPlanReadError::kTooManyRows;
      result.row = number;
      return result;
    }
    BandPlanRow row;
    Status s = reader.NextText(row.band);
    if (s == Status::kOk) s = reader.NextText(row.cls);
    if (s == Status::kOk) s = reader.NextText(row.mode);
    if (s == Status::kOk) s = reader.NextSingle(row.low);
    if (s == Status::kOk) s = reader.NextSingle(row.high);
    if (s != Status::kOk) {
      result.error = ErrorFor(s);
      result.row = number;
      return result;
    }
    result.partial.rows.push_back(std::move(row));
  }
  result.row = result.partial.rows.size();
  out = result.partial;
  return result;
}

std::vector<BandPlanRow> RowsOfClass(const BandPlan& plan, std::string_view cls) {
  std::vector<BandPlanRow> rows;
  for (const BandPlanRow& r : plan.rows)
    if (EqualsNoCase(r.cls, cls)) rows.push_back(r);
  return rows;
}

std::string FormatBandEdge(float mhz) {
  const std::string plain = FormatFrequencyText(mhz);  // "#####.##0"
  const size_t point = plain.find('.');
  if (point == std::string::npos) return plain;
  const size_t digits_from = !plain.empty() && plain[0] == '-' ? 1 : 0;
  std::string whole = plain.substr(digits_from, point - digits_from);
  for (size_t i = whole.size(); i > 3; i -= 3) whole.insert(i - 3, 1, ',');
  return plain.substr(0, digits_from) + whole + plain.substr(point);
}

ChartLayout LayoutBandChart(const BandPlan& plan, std::string_view cls, double width, double height,
                            double chart_top) {
  ChartLayout chart;
  const auto& rows = plan.rows;

  // Bars: one per outline whose own rows include the class.
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!EqualsNoCase(rows[i].cls, kOutlineClass)) continue;
    bool has_class = false;
    for (size_t j = i + 1; j < rows.size() && EqualsNoCase(rows[j].band, rows[i].band); ++j) {
      if (EqualsNoCase(rows[j].cls, cls)) {
        has_class = true;
        break;
      }
    }
    if (!has_class) continue;
    if (chart.bars.size() == kBandChartMaxBars) {
      chart.stopped = true;
      return chart;
    }
    ChartBar bar;
    bar.number = static_cast<int>(chart.bars.size()) + 1;
    bar.band = rows[i].band;
    bar.low = rows[i].low;
    bar.high = rows[i].high;
    bar.tooltip = bar.band + "  " + FormatBandEdge(bar.low) + " - " + FormatBandEdge(bar.high);
    bar.rect = {0.1 * width, bar.number * 0.05 * height, 0.85 * width, 0.04 * height};
    chart.bars.push_back(std::move(bar));
  }
  if (chart.bars.empty()) return chart;

  // Spread the bars evenly over the chart area, then tag each with its band.
  const double step = (height - chart_top) / static_cast<double>(chart.bars.size()) * 0.8;
  for (ChartBar& bar : chart.bars) {
    bar.rect.top = chart_top + bar.number * step;
    bar.tag = {0.04 * width, bar.rect.top, 0.05 * width, bar.rect.height};
  }
  chart.tagged = true;

  for (const BandPlanRow& row : rows) {
    if (!EqualsNoCase(row.cls, cls)) continue;
    const ChartBar* bar = nullptr;
    for (const ChartBar& b : chart.bars) {
      if (EqualsNoCase(b.band, row.band)) {
        bar = &b;
        break;
      }
    }
    if (!bar) continue;
    const double range = static_cast<double>(bar->high) - bar->low;
    if (!(range != 0) || !std::isfinite(range)) {
      chart.stopped = true;
      return chart;
    }
    ChartSegment seg;
    seg.number = static_cast<int>(chart.segments.size()) + 1;
    seg.bar = bar->number;
    seg.cw = EqualsNoCase(row.mode, kModeCw);
    seg.caption = FormatBandEdge(row.low) + " - " + FormatBandEdge(row.high);
    seg.tooltip = std::string(seg.cw ? "CW  " : "PH  ") + seg.caption;
    const double low = row.low;
    const double high = row.high;
    seg.rect = {bar->rect.left + bar->rect.width * (low - bar->low) / range, bar->rect.top,
                bar->rect.width * (high - low) / range, bar->rect.height};
    chart.segments.push_back(std::move(seg));
  }
  return chart;
}

}  // namespace vantrel

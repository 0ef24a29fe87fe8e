#include "contest/band_plan.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace vantrel {
namespace {

const char kSmallPlan[] =
    "\"2012/03/05\"\r\n"
    "\"20\",\"O\",\"ALL\",14,14.35\r\n"
    "\"20\",\"G\",\"CW\",14.025,14.15\r\n"
    "\"20\",\"E\",\"CW\",14,14.15\r\n"
    "\"20\",\"E\",\"PH\",14.15,14.35\r\n"
    "\"6\",\"O\",\"ALL\",50,54\r\n"
    "\"6\",\"E\",\"PH\",50,54\r\n"
    "\"6\",\"T\",\"PH\",52,54\r\n";

BandPlan Parse(const std::string& text) {
  BandPlan plan;
  const BandPlanReadResult r = ParseBandPlan(text, plan);
  EXPECT_TRUE(r.ok()) << static_cast<int>(r.error) << " row " << r.row;
  return plan;
}

TEST(BandPlanParseTest, ReadsTheFirstItemThenRowsOfFive) {
  const BandPlan plan = Parse(kSmallPlan);
  EXPECT_EQ(plan.effective, "2012/03/05");
  ASSERT_EQ(plan.rows.size(), 7u);
  EXPECT_EQ(plan.rows[1], (BandPlanRow{"20", "G", "CW", 14.025f, 14.15f}));
  EXPECT_EQ(plan.rows[6], (BandPlanRow{"6", "T", "PH", 52.0f, 54.0f}));
}

TEST(BandPlanParseTest, AnyLineEndAndLayoutReadTheSame) {
  std::string lf = kSmallPlan, cr = kSmallPlan;
  for (size_t p; (p = lf.find("\r\n")) != std::string::npos;) lf.erase(p, 1);
  for (size_t p; (p = cr.find("\r\n")) != std::string::npos;) cr.erase(p + 1, 1);
  EXPECT_EQ(Parse(lf), Parse(kSmallPlan));
  EXPECT_EQ(Parse(cr), Parse(kSmallPlan));
  // Items may also be spread over lines: only their order counts.
  EXPECT_EQ(Parse("\"d\",\"20\"\n\"O\",\"ALL\"\n14,14.35\n").rows.size(), 1u);
}

TEST(BandPlanParseTest, DamagedFilesLeaveTheOutputAndReportWhere) {
  struct Case {
    const char* name;
    std::string text;
    BandPlanReadError error;
    size_t row;
    size_t partial_rows;
  };
  const std::string good = "\"d\"\r\n\"20\",\"E\",\"CW\",14,14.15\r\n";
  const Case cases[] = {
      {"empty", "", BandPlanReadError::kEmpty, 0, 0},
      {"blank lines", "\r\n\r\n  \r\n", BandPlanReadError::kEmpty, 0, 0},
      {"unclosed first item", "\"d\r\n", BandPlanReadError::kMalformed, 0, 0},
      {"row cut short", good + "\"20\",\"E\",\"PH\",14.15\r\n", BandPlanReadError::kShortRow, 2, 1},
      {"edge not a number", good + "\"20\",\"E\",\"PH\",abc,14.35\r\n",
       BandPlanReadError::kMalformed, 2, 1},
      {"stray quote", good + "\"20\",\"E\"x,\"PH\",14.15,14.35\r\n", BandPlanReadError::kMalformed,
       2, 1},
      {"edge beyond single", good + "\"20\",\"E\",\"PH\",1e39,1\r\n", BandPlanReadError::kMalformed,
       2, 1},
  };
  for (const Case& c : cases) {
    BandPlan out;
    out.effective = "untouched";
    const BandPlanReadResult r = ParseBandPlan(c.text, out);
    EXPECT_EQ(r.error, c.error) << c.name;
    EXPECT_EQ(r.row, c.row) << c.name;
    EXPECT_EQ(r.partial.rows.size(), c.partial_rows) << c.name;
    EXPECT_EQ(out.effective, "untouched") << c.name;
    EXPECT_TRUE(out.rows.empty()) << c.name;
  }
}

TEST(BandPlanParseTest, RowLimitKeepsTheFirstRows) {
  std::string text = "\"d\"\r\n";
  for (int i = 0; i < 201; ++i) text += "\"2\",\"E\",\"PH\",144,148\r\n";
  BandPlan out;
  const BandPlanReadResult r = ParseBandPlan(text, out);
  EXPECT_EQ(r.error, BandPlanReadError::kTooManyRows);
  EXPECT_EQ(r.row, 201u);
  EXPECT_EQ(r.partial.rows.size(), 200u);
  EXPECT_TRUE(out.rows.empty());
  // Exactly 200 rows fit; no limit reads them all.
  const std::string exact =
      text.substr(0, text.size() - std::string("\"2\",\"E\",\"PH\",144,148\r\n").size());
  EXPECT_TRUE(ParseBandPlan(exact, out).ok());
  EXPECT_EQ(out.rows.size(), 200u);
  EXPECT_TRUE(ParseBandPlan(text, out, 0).ok());
  EXPECT_EQ(out.rows.size(), 201u);
}

TEST(BandPlanParseTest, RowsOfClassIgnoreCaseAndKeepOrder) {
  BandPlan plan = Parse(kSmallPlan);
  plan.rows[2].cls = "e";
  const auto extra = RowsOfClass(plan, "E");
  ASSERT_EQ(extra.size(), 3u);
  EXPECT_EQ(extra[0].low, 14.0f);
  EXPECT_EQ(extra[2].band, "6");
  EXPECT_TRUE(RowsOfClass(plan, "N").empty());
}

TEST(BandPlanFormatTest, EdgesHaveThousandsSeparatorsAndThreeDecimals) {
  EXPECT_EQ(FormatBandEdge(1240.0f), "1,240.000");
  EXPECT_EQ(FormatBandEdge(14.35f), "14.350");
  EXPECT_EQ(FormatBandEdge(0.1357f), ".136");
  EXPECT_EQ(FormatBandEdge(10368.1f), "10,368.100");
  EXPECT_EQ(FormatBandEdge(999.9996f), "1,000.000");
  EXPECT_EQ(FormatBandEdge(123456.0f), "123,456.000");
  EXPECT_EQ(FormatBandEdge(-1500.5f), "-1,500.500");
}

// Chart of a window 1000 x 800 whose chart area starts at 100.
constexpr double kW = 1000, kH = 800, kTop = 100;

TEST(BandChartTest, AClassWithoutRowsOnABandGetsNoBar) {
  const ChartLayout t = LayoutBandChart(Parse(kSmallPlan), "T", kW, kH, kTop);
  ASSERT_EQ(t.bars.size(), 1u);
  EXPECT_EQ(t.bars[0].band, "6");
  EXPECT_EQ(t.bars[0].number, 1);
  ASSERT_EQ(t.segments.size(), 1u);
  EXPECT_EQ(t.segments[0].bar, 1);

  const ChartLayout none = LayoutBandChart(Parse(kSmallPlan), "N", kW, kH, kTop);
  EXPECT_TRUE(none.bars.empty());
  EXPECT_TRUE(none.segments.empty());
  EXPECT_FALSE(none.stopped);
}

TEST(BandChartTest, BarsAreSpreadBelowTheChartTop) {
  const ChartLayout e = LayoutBandChart(Parse(kSmallPlan), "E", kW, kH, kTop);
  ASSERT_EQ(e.bars.size(), 2u);
  ASSERT_TRUE(e.tagged);
  const double step = (kH - kTop) / 2 * 0.8;
  for (const ChartBar& bar : e.bars) {
    EXPECT_DOUBLE_EQ(bar.rect.left, 100);
    EXPECT_DOUBLE_EQ(bar.rect.width, 850);
    EXPECT_DOUBLE_EQ(bar.rect.height, 32);
    EXPECT_DOUBLE_EQ(bar.rect.top, kTop + bar.number * step);
    EXPECT_DOUBLE_EQ(bar.tag.left, 40);
    EXPECT_DOUBLE_EQ(bar.tag.width, 50);
    EXPECT_DOUBLE_EQ(bar.tag.top, bar.rect.top);
  }
  EXPECT_EQ(e.bars[0].tooltip, "20  14.000 - 14.350");
  EXPECT_EQ(e.bars[1].tooltip, "6  50.000 - 54.000");
}

TEST(BandChartTest, SegmentsSitByTheirEdgesWithinTheBand) {
  const ChartLayout e = LayoutBandChart(Parse(kSmallPlan), "E", kW, kH, kTop);
  ASSERT_EQ(e.segments.size(), 3u);
  // The whole 6 m band: the bar's own left and width.
  const ChartSegment& whole = e.segments[2];
  EXPECT_EQ(whole.bar, 2);
  EXPECT_NEAR(whole.rect.left, e.bars[1].rect.left, 1e-9);
  EXPECT_NEAR(whole.rect.width, e.bars[1].rect.width, 1e-9);
  EXPECT_DOUBLE_EQ(whole.rect.top, e.bars[1].rect.top);
  EXPECT_FALSE(whole.cw);
  EXPECT_EQ(whole.caption, "50.000 - 54.000");
  EXPECT_EQ(whole.tooltip, "PH  50.000 - 54.000");
  EXPECT_EQ(e.segments[0].tooltip, "CW  14.000 - 14.150");
  EXPECT_TRUE(e.segments[0].cw);
  EXPECT_EQ(e.segments[2].number, 3);

  // From the middle of 6 m to its top edge: starts at the bar's centre.
  const ChartLayout t = LayoutBandChart(Parse(kSmallPlan), "T", kW, kH, kTop);
  const ChartBar& bar = t.bars[0];
  EXPECT_NEAR(t.segments[0].rect.left, bar.rect.left + bar.rect.width / 2, 1e-9);
  EXPECT_NEAR(t.segments[0].rect.left + t.segments[0].rect.width, bar.rect.left + bar.rect.width,
              1e-9);
}

TEST(BandChartTest, ClassRowsOnlyCountDirectlyAfterTheirOutline) {
  // A Technician row for 20 m placed under the 6 m outline neither makes a
  // 20 m bar nor lands on another band's bar.
  const BandPlan plan = Parse(
      "\"d\"\n\"20\",\"O\",\"ALL\",14,14.35\n\"20\",\"E\",\"CW\",14,14.15\n"
      "\"6\",\"O\",\"ALL\",50,54\n\"20\",\"T\",\"CW\",14.0,14.1\n");
  const ChartLayout t = LayoutBandChart(plan, "t", kW, kH, kTop);
  EXPECT_TRUE(t.bars.empty());
  EXPECT_TRUE(t.segments.empty());
}

TEST(BandChartTest, MoreThanTwentyBandsStopAtTheTwentieth) {
  std::string text = "\"d\"\r\n";
  for (int b = 1; b <= 21; ++b) {
    text += "\"" + std::to_string(b) + "\",\"O\",\"ALL\",1,2\r\n";
    text += "\"" + std::to_string(b) + "\",\"E\",\"CW\",1,2\r\n";
  }
  const ChartLayout e = LayoutBandChart(Parse(text), "E", kW, kH, kTop);
  EXPECT_TRUE(e.stopped);
  EXPECT_FALSE(e.tagged);
  ASSERT_EQ(e.bars.size(), 20u);
  EXPECT_DOUBLE_EQ(e.bars[19].rect.top, 20 * 0.05 * kH);  // where it was first put
  EXPECT_TRUE(e.segments.empty());
}

TEST(BandChartTest, AnOutlineWithoutWidthEndsTheDrawingAtItsFirstSegment) {
  const BandPlan plan = Parse(
      "\"d\"\n\"20\",\"O\",\"ALL\",14,14.35\n\"20\",\"E\",\"CW\",14,14.15\n"
      "\"x\",\"O\",\"ALL\",5,5\n\"x\",\"E\",\"CW\",5,5\n\"20\",\"E\",\"PH\",14.15,14.35\n");
  const ChartLayout e = LayoutBandChart(plan, "E", kW, kH, kTop);
  EXPECT_TRUE(e.stopped);
  EXPECT_EQ(e.bars.size(), 2u);
  EXPECT_EQ(e.segments.size(), 1u);
}

// The band plan shipped with the program: the same file serves the chart and
// the rig's mode choice, so it must satisfy both.
class ShippedBandPlanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream in(std::string(VANTREL_SHIPPED_DATA_DIR) + "/BandPlan.txt", std::ios::binary);
    ASSERT_TRUE(in) << "data/BandPlan.txt missing";
    text_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ASSERT_TRUE(ParseBandPlan(text_, plan_).ok());
  }
  std::string text_;
  BandPlan plan_;
};

TEST_F(ShippedBandPlanTest, FitsTheLimitsAndUsesCrLf) {
  EXPECT_LE(plan_.rows.size(), kBandPlanMaxRows);
  EXPECT_FALSE(plan_.effective.empty());
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '\n') {
      ASSERT_TRUE(i > 0 && text_[i - 1] == '\r') << "bare LF at " << i;
    }
  }
  int outlines = 0;
  for (const BandPlanRow& r : plan_.rows) outlines += r.cls == "O";
  EXPECT_EQ(outlines, 16);  // 160 m to 23 cm
}

TEST_F(ShippedBandPlanTest, EveryRowLiesInsideItsOwnOutline) {
  const std::set<std::string> classes = {"N", "T", "P", "G", "A", "E"};
  const BandPlanRow* outline = nullptr;
  for (const BandPlanRow& r : plan_.rows) {
    if (r.cls == "O") {
      outline = &r;
      continue;
    }
    ASSERT_NE(outline, nullptr);
    EXPECT_EQ(r.band, outline->band);
    EXPECT_TRUE(classes.count(r.cls)) << r.cls;
    EXPECT_LT(r.low, r.high) << r.band;
    EXPECT_GE(r.low, outline->low) << r.band;
    EXPECT_LE(r.high, outline->high) << r.band;
  }
}

TEST_F(ShippedBandPlanTest, EachClassChartsItsBands) {
  const std::map<std::string, size_t> bars = {{"N", 6},  {"T", 10}, {"P", 10},
                                              {"G", 16}, {"A", 16}, {"E", 16}};
  for (const auto& [cls, count] : bars) {
    const ChartLayout c = LayoutBandChart(plan_, cls, kW, kH, kTop);
    EXPECT_EQ(c.bars.size(), count) << cls;
    EXPECT_FALSE(c.stopped) << cls;
  }
}

TEST_F(ShippedBandPlanTest, ExtraRowsGiveTheRigItsModes) {
  // The first Extra row strictly around a frequency decides the radio mode.
  const auto extra = RowsOfClass(plan_, "E");
  const auto mode_at = [&](float mhz) -> std::string {
    for (const BandPlanRow& r : extra)
      if (r.low < mhz && mhz < r.high) return r.band + " " + r.mode;
    return "";
  };
  EXPECT_EQ(mode_at(1.84f), "160 PH");
  EXPECT_EQ(mode_at(3.55f), "80 CW");
  EXPECT_EQ(mode_at(3.85f), "80 PH");
  EXPECT_EQ(mode_at(5.332f), "60 USB");  // 60 m channels are upper sideband only
  EXPECT_EQ(mode_at(7.2f), "40 PH");
  EXPECT_EQ(mode_at(14.025f), "20 CW");
  EXPECT_EQ(mode_at(14.25f), "20 PH");
  EXPECT_EQ(mode_at(50.05f), "6 CW");
  EXPECT_EQ(mode_at(50.125f), "6 PH");
  EXPECT_EQ(mode_at(144.2f), "2 PH");
  EXPECT_EQ(mode_at(432.1f), "70cm PH");
  EXPECT_EQ(mode_at(1296.1f), "23cm PH");
  EXPECT_EQ(mode_at(221.0f), "");  // 220-222 MHz is not an amateur band
}

}  // namespace
}  // namespace vantrel

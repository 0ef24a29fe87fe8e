#include "contest/activity_graph.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// Contacts at the given seconds after 2007/06/09 12:00:00, on `band`.
struct Timed {
  int seconds;
  const char* band = "144 M";
};

ContactLog LogAt(const std::vector<Timed>& contacts) {
  ContactLog log;
  int n = 0;
  for (const Timed& t : contacts) {
    const int total = 12 * 3600 + t.seconds;
    const int day = 9 + total / 86400;
    const int in_day = total % 86400;
    char date[16], time[16];
    std::snprintf(date, sizeof date, "2007/06/%02d", day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", in_day / 3600, in_day % 3600 / 60,
                  in_day % 60);
    ContactRecord r;
    r.Call = "W" + std::to_string(++n) + "AB";
    r.GridRcvd = "FN31";
    r.GridSent = "FN20";
    r.Date = date;
    r.Time = time;
    r.Band = t.band;
    r.Mode = "PH";
    log.Add(r);
  }
  return log;
}

ContactLog EvenlySpaced(int count, int step, const char* band = "144 M") {
  std::vector<Timed> t;
  for (int i = 0; i < count; ++i) t.push_back({i * step, band});
  return LogAt(t);
}

TEST(ActivityGraphTest, SevenContactsAreTheLeastThatDraw) {
  EXPECT_FALSE(ComputeActivityGraph(EvenlySpaced(6, 60)).drawable);
  EXPECT_FALSE(ComputeActivityGraph(ContactLog()).drawable);
  const ActivityGraph g = ComputeActivityGraph(EvenlySpaced(7, 60));
  EXPECT_TRUE(g.drawable);
  EXPECT_EQ(g.counts.size(), 7u);
}

TEST(ActivityGraphTest, TenMinuteCountsAndRawRates) {
  // Ten contacts a minute apart, then one 600 s after the tenth.
  std::vector<Timed> t;
  for (int i = 0; i < 10; ++i) t.push_back({i * 60});
  t.push_back({540 + 600});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  ASSERT_TRUE(g.drawable);
  EXPECT_EQ(g.counts[0], 1);
  EXPECT_EQ(g.counts[9], 10);
  EXPECT_EQ(g.R[static_cast<size_t>(g.positions[9])], 60.0f);
  EXPECT_EQ(g.counts[10], 1);
  EXPECT_EQ(g.positions[10], kGraphPositions);
  EXPECT_EQ(g.R[kGraphPositions], 6.0f);
  // Contact 10: 540 of 1140 seconds -> 710.53, the nearest position.
  EXPECT_EQ(g.positions[9], 711);
  EXPECT_EQ(g.positions[0], 1);
}

TEST(ActivityGraphTest, ContactJustInsideTheTenMinutesCounts) {
  std::vector<Timed> t;
  for (int i = 0; i < 6; ++i) t.push_back({i * 60});
  t.push_back({300 + 599});  // 599 s after the sixth: the sixth still counts
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  EXPECT_EQ(g.counts[6], 2);
}

TEST(ActivityGraphTest, FourteenHourLogTicksEveryHour) {
  ContactLog log = EvenlySpaced(15, 3600);  // 12:00 on the 9th .. 02:00 on the 10th
  const ActivityGraph g = ComputeActivityGraph(log);
  ASSERT_TRUE(g.drawable);
  EXPECT_EQ(g.span_seconds, 14 * 3600);
  const char* times[] = {"12:00", "13:00", "14:00", "15:00", "16:00", "17:00", "18:00", "19:00",
                         "20:00", "21:00", "22:00", "23:00", "00:00", "01:00", "02:00"};
  for (int k = 0; k < kGraphTickCount; ++k) {
    EXPECT_EQ(g.ticks[static_cast<size_t>(k)].time_text, times[k]) << k;
    EXPECT_EQ(g.ticks[static_cast<size_t>(k)].date_text, k < 12 ? "06/09" : "06/10") << k;
  }
}

TEST(ActivityGraphTest, TicksShowHoursAndMinutesOnly) {
  // A 70 s span: tick 7 falls at 35 s, which shows as the whole minute.
  std::vector<Timed> t;
  for (int i = 0; i < 7; ++i) t.push_back({i * 10});
  t.push_back({70});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  EXPECT_EQ(g.ticks[7].time_text, "12:00");
  EXPECT_EQ(g.ticks[14].time_text, "12:01");
}

TEST(ActivityGraphTest, StripColoursFollowTheLegend) {
  EXPECT_EQ(StripColourForBand("50 M"), StripColour::kBand50);
  EXPECT_EQ(StripColourForBand("144 M"), StripColour::kBand144);
  EXPECT_EQ(StripColourForBand("222 M"), StripColour::kBand222);
  EXPECT_EQ(StripColourForBand("432 M"), StripColour::kBand432);
  EXPECT_EQ(StripColourForBand("902 M"), StripColour::kBand902);
  EXPECT_EQ(StripColourForBand("1.3 G"), StripColour::kBand1296);
  for (const char* band : {"2.3 G", "3.5 G", "10 G", "300 G", "", "6 M"})
    EXPECT_EQ(StripColourForBand(band), StripColour::kOther) << band;
  // Band labels ignore case. Failed before: "144 m" drew the "Other" colour.
  EXPECT_EQ(StripColourForBand("144 m"), StripColour::kBand144);
  EXPECT_EQ(StripColourForBand("1.3 g"), StripColour::kBand1296);
}

TEST(ActivityGraphTest, StripCarriesEachBandUntilTheNextContact) {
  // Fifty contacts a minute apart: positions about 30 apart, bridged by the
  // gap filling only where a contact lies within 15 positions. Half on 50 MHz,
  // then half on 2.3 GHz.
  std::vector<Timed> t;
  for (int i = 0; i < 100; ++i) t.push_back({i * 60, i < 50 ? "50 M" : "2.3 G"});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  const int first_high = g.positions[50];
  EXPECT_EQ(g.C[1], StripColour::kBand50);
  EXPECT_EQ(g.C[static_cast<size_t>(first_high - 1)], StripColour::kBand50);
  EXPECT_EQ(g.C[static_cast<size_t>(first_high)], StripColour::kOther);
  EXPECT_EQ(g.C[kGraphPositions], StripColour::kOther);
}

TEST(ActivityGraphTest, LongGapsStayEmptyShortOnesAreBridged) {
  // Seven contacts in the first minute, one 10 hours later: everything between
  // is more than 15 positions from any value and stays at 0 in R.
  std::vector<Timed> t;
  for (int i = 0; i < 7; ++i) t.push_back({i * 10});
  t.push_back({36000});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  EXPECT_EQ(g.R[700], 0.0f);
  EXPECT_EQ(g.P[700], 0.0f);
  EXPECT_EQ(g.C[700], StripColour::kBackground);
  EXPECT_EQ(g.minimum, 0.0f);
  // The lone last contact is reached by a ramp from 0 over the 15 positions
  // before it, and smoothed with that ramp.
  EXPECT_EQ(g.R[1484], 0.0f);
  EXPECT_EQ(g.R[1485], 0.0f);
  EXPECT_FLOAT_EQ(g.R[1486], 0.4f);
  EXPECT_FLOAT_EQ(g.P[kGraphPositions], (3.6f + 4.0f + 4.4f + 4.8f + 5.2f + 5.6f + 6.0f) / 7);
}

TEST(ActivityGraphTest, BridgeRunsFromTheValueBeforeTheGap) {
  // Contacts at positions 1, 11 and then every 10 positions: R(2..10) is filled
  // starting at R(1) = 6 and rising towards R(11) = 12.
  std::vector<Timed> t;
  for (int i = 0; i < 151; ++i) t.push_back({i * 4});  // 600 s span, 10 positions apart
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  ASSERT_EQ(g.positions[1], 10);
  EXPECT_EQ(g.counts[1], 2);
  // Position 2 starts the bridge at R(1); position 9 is one slope short of R(10).
  EXPECT_FLOAT_EQ(g.R[2], 6.0f);
  EXPECT_FLOAT_EQ(g.R[9], 6.0f + 6.0f / 8.0f * 7.0f);
  EXPECT_FLOAT_EQ(g.R[10], 12.0f);
}

TEST(ActivityGraphTest, SmoothingAveragesTheLastSevenFilledPositions) {
  std::vector<Timed> t;
  for (int i = 0; i < 151; ++i) t.push_back({i * 4});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  float sum = 0;
  for (int x = 24; x <= 30; ++x) sum += g.R[static_cast<size_t>(x)];
  EXPECT_FLOAT_EQ(g.P[30], sum / 7.0f);
  EXPECT_FLOAT_EQ(g.P[1], 6.0f);
}

TEST(ActivityGraphTest, YLabelsSpanMinimumToMaximum) {
  std::vector<Timed> t;
  for (int i = 0; i < 10; ++i) t.push_back({i * 60});
  t.push_back({36000});
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  EXPECT_EQ(g.y_labels[0], "0.0");
  char top[32];
  std::snprintf(top, sizeof top, "%.1f", static_cast<double>(g.maximum));
  EXPECT_EQ(g.y_labels[16], top);
  EXPECT_GT(g.maximum, 50.0f);
  // "###0.0" rounds an exact half away from zero, unlike printf.
  EXPECT_EQ(FormatGraphValue(11.25f), "11.3");
  EXPECT_EQ(FormatGraphValue(0.25f), "0.3");
  EXPECT_EQ(FormatGraphValue(1234.5f), "1234.5");
}

TEST(ActivityGraphTest, OneTimeStampForAllContactsHasNoTimeScale) {
  const ActivityGraph g = ComputeActivityGraph(EvenlySpaced(9, 0));
  ASSERT_TRUE(g.drawable);
  EXPECT_EQ(g.span_seconds, 0);
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(g.positions[static_cast<size_t>(i)], 1);
    EXPECT_EQ(g.counts[static_cast<size_t>(i)], i + 1);
  }
  EXPECT_EQ(g.P[1], 54.0f);  // the rate of the last contact
  for (const GraphTick& tick : g.ticks) EXPECT_EQ(tick.time_text, "12:00");
  const GraphDrawing d = LayoutActivityGraph(g, {480, 9240, 120, 5880, 5900, 6000, 10});
  ASSERT_EQ(d.curve.size(), 1500u);
  EXPECT_FLOAT_EQ(static_cast<float>(d.curve[0].y1), static_cast<float>(120 + 5760 * 0.0025));
}

TEST(ActivityGraphTest, UnreadableStampsAreLeftOut) {
  ContactLog log = EvenlySpaced(8, 60);
  log.MutableRecord(3).Time = "25:99";
  log.MutableRecord(5).Date = "";
  const ActivityGraph g = ComputeActivityGraph(log);
  ASSERT_TRUE(g.drawable);
  EXPECT_EQ(g.counts[2], 0);
  EXPECT_EQ(g.positions[2], -1);
  EXPECT_EQ(g.positions[4], -1);
  EXPECT_EQ(g.counts[7], 6);
}

// The axis runs by time whatever the log order. Failed before: the first and
// last records of the log were taken as the ends of the axis, so an earlier
// contact logged late ran the axis backwards.
TEST(ActivityGraphTest, OutOfOrderLogIsTakenInTimeOrder) {
  std::vector<Timed> t = {{600}, {0}, {1200}, {60}, {90000}, {30}, {-500}, {1800}};
  const ActivityGraph g = ComputeActivityGraph(LogAt(t));
  ASSERT_TRUE(g.drawable);
  EXPECT_EQ(g.span_seconds, 90500);
  EXPECT_EQ(g.positions[6], 1);                // the earliest contact starts the axis
  EXPECT_EQ(g.positions[4], kGraphPositions);  // the latest one ends it
  for (size_t i = 0; i < t.size(); ++i) EXPECT_GE(g.positions[i], 1) << "record " << i + 1;
  // Ticks run forwards.
  for (int k = 1; k < kGraphTickCount; ++k)
    EXPECT_GT(g.ticks[static_cast<size_t>(k)].seconds, g.ticks[static_cast<size_t>(k - 1)].seconds);
  // The ten minutes up to each contact, counted by time.
  EXPECT_EQ(g.counts[0], 3);  // 600 itself, 60 and 30; 0 is ten minutes before
  EXPECT_EQ(g.counts[3], 4);  // 60 itself, 30, 0 and -500
  EXPECT_EQ(g.counts[4], 1);
}

TEST(ActivityGraphTest, LayoutPlacesPositionsBetweenTheAxes) {
  const ActivityGraph g = ComputeActivityGraph(EvenlySpaced(20, 60));
  const GraphFrame frame{480, 9240, 120, 5880, 5900, 6000, 10};
  const GraphDrawing d = LayoutActivityGraph(g, frame);
  ASSERT_EQ(d.curve.size(), 1500u);
  const double xstep = (9240.0 - 480.0) / 1500;
  // Position x goes from (x - 2) steps to (x - 3) steps right of the y axis.
  EXPECT_DOUBLE_EQ(d.curve[0].x1, 480 - xstep + 10);
  EXPECT_DOUBLE_EQ(d.curve[0].x2, 480 - 2 * xstep + 10);
  EXPECT_DOUBLE_EQ(d.curve[1499].x1, 480 + 1498 * xstep + 10);
  // The maximum reaches just below the top edge, the minimum sits on the lift.
  double lowest = 1e9, highest = -1e9;
  for (const GraphSegment& s : d.curve) {
    lowest = std::min(lowest, s.y1);
    highest = std::max(highest, s.y1);
  }
  EXPECT_NEAR(lowest, 5880 - 5760 * 0.995 - 5760 * 0.0025, 1e-6);
  EXPECT_NEAR(highest, 5880 - 5760 * 0.0025, 1e-6);
  // Only positions next to a plotted value get a strip box.
  ASSERT_FALSE(d.strip.empty());
  EXPECT_LT(d.strip.size(), 1500u);
  EXPECT_EQ(d.strip.front().colour, StripColour::kBand144);
  EXPECT_DOUBLE_EQ(d.strip.front().x_from, d.curve[0].x1);
  EXPECT_DOUBLE_EQ(d.strip.front().x_to, d.curve[0].x2);
}

TEST(ActivityGraphTest, FlatSeriesLiesOnTheAxisWithoutDividingByZero) {
  // 101 contacts ten minutes apart: each counts 1, every gap is bridged at 6.
  const ActivityGraph g = ComputeActivityGraph(EvenlySpaced(101, 600));
  EXPECT_EQ(g.minimum, 6.0f);
  EXPECT_EQ(g.maximum, 6.0f);
  for (const std::string& label : g.y_labels) EXPECT_EQ(label, "6.0");
  const GraphDrawing d = LayoutActivityGraph(g, {480, 9240, 120, 5880, 5900, 6000, 10});
  for (size_t i = 1; i < d.curve.size(); ++i)
    EXPECT_DOUBLE_EQ(d.curve[i].y1, 5880 - 5760 * 0.0025) << i;
}

}  // namespace
}  // namespace vantrel

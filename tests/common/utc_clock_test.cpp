#include "common/utc_clock.h"
#include "support/fixed_clock.h"

#include <gtest/gtest.h>

#include <limits>

namespace vantrel {
namespace {

struct UtcCase {
  const char* name;
  LocalTime local;
  float offset;
  const char* date;
  const char* time;
};

class UtcRuleTest : public ::testing::TestWithParam<UtcCase> {};

TEST_P(UtcRuleTest, LocalPlusOffsetStampsTheLog) {
  const auto& c = GetParam();
  const FixedClock clock(c.local);
  const LogStamp stamp = MakeLogStamp(UtcNow(clock, c.offset));
  EXPECT_EQ(stamp.Date, c.date);
  EXPECT_EQ(stamp.Time, c.time);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, UtcRuleTest,
    ::testing::Values(
        UtcCase{"Offset5CrossingMidnight", MakeLocalTime(2007, 6, 9, 21, 30), 5.0f, "2007/06/10",
                "02:30:00"},
        UtcCase{"Offset5Evening", MakeLocalTime(2007, 6, 9, 20, 30), 5.0f, "2007/06/10",
                "01:30:00"},
        UtcCase{"NegativeFractional", MakeLocalTime(2007, 6, 9, 12, 0), -3.5f, "2007/06/09",
                "08:30:00"},
        UtcCase{"NegativeBackOverMidnight", MakeLocalTime(2007, 6, 9, 0, 30, 15), -1.0f,
                "2007/06/08", "23:30:15"},
        UtcCase{"FractionalPositive", MakeLocalTime(2007, 6, 9, 23, 45), 5.5f, "2007/06/10",
                "05:15:00"},
        UtcCase{"NewYear", MakeLocalTime(2007, 12, 31, 22, 0), 4.0f, "2008/01/01", "02:00:00"},
        UtcCase{"LeapDay", MakeLocalTime(2008, 2, 28, 23, 0), 2.0f, "2008/02/29", "01:00:00"},
        UtcCase{"MillisecondsTruncated", MakeLocalTime(2007, 6, 9, 18, 30, 15, 999), 0.0f,
                "2007/06/09", "18:30:15"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UtcOffsetMinutes, RoundsToWholeMinutesAndSurvivesGarbage) {
  EXPECT_EQ(UtcOffsetMinutes(5.5f).count(), 330);
  EXPECT_EQ(UtcOffsetMinutes(-3.5f).count(), -210);
  EXPECT_EQ(UtcOffsetMinutes(5.75f).count(), 345);
  EXPECT_EQ(UtcOffsetMinutes(std::numeric_limits<float>::quiet_NaN()).count(), 0);
  EXPECT_EQ(UtcOffsetMinutes(std::numeric_limits<float>::infinity()).count(), 0);
  EXPECT_EQ(UtcOffsetMinutes(std::numeric_limits<float>::max()).count(), 60'000'000);
}

TEST(Timer2Texts, UtcAndTwelveHourLocal) {
  auto texts = Timer2Texts(MakeLocalTime(2007, 6, 9, 21, 5, 7), 5.0f);
  EXPECT_EQ(texts.utc, "02:05:07");
  EXPECT_EQ(texts.local, "9:05:07");
  EXPECT_EQ(texts.ampm, "PM");

  texts = Timer2Texts(MakeLocalTime(2007, 6, 9, 12, 0, 0), -3.5f);
  EXPECT_EQ(texts.utc, "08:30:00");
  EXPECT_EQ(texts.local, "12:00:00");
  EXPECT_EQ(texts.ampm, "PM");

  texts = Timer2Texts(MakeLocalTime(2007, 6, 9, 0, 30, 0), 0.0f);
  EXPECT_EQ(texts.utc, "00:30:00");
  EXPECT_EQ(texts.local, "12:30:00");
  EXPECT_EQ(texts.ampm, "AM");

  texts = Timer2Texts(MakeLocalTime(2007, 6, 9, 11, 59, 59), 0.0f, "vorm.", "nachm.");
  EXPECT_EQ(texts.local, "11:59:59");
  EXPECT_EQ(texts.ampm, "vorm.");
}

}  // namespace
}  // namespace vantrel

#include "spots/spot_store.h"

#include <gtest/gtest.h>

#include "spots/cluster_lines.h"

namespace vantrel {
namespace {

const LocalTime kNow = MakeLocalTime(2007, 6, 9, 20, 30, 0);

TEST(SpotLabel, PrefixRule) {
  const struct {
    const char* call;
    const char* label;
  } cases[] = {
      {"K1ABCD", "K1"},      {"W1AWX", "W1"},     {"VE3XYZZ", "VE3"}, {"4X4ABCD", "4X4"},
      {"VE3/K1ABCD", "VE3"}, {"K1ABCD/2", "K2"},  {"K1ABCD/P", "P"},  {"K1ABCD/VE3", "VE3"},
      {"W1AWX/R", "R"},      {"AB", ""},          {"ABC", "ABC"},     {"", ""},
      {"KA/2", "KA/2"},      {"N0CALL/MM", "MM"}, {"9A/K1AB", "9A"},
  };
  for (const auto& c : cases) EXPECT_EQ(SpotLabel(c.call), c.label) << c.call;
}

TEST(SpotStore, FiftySlotsShiftAndTheNewestFrequencyOnlyRule) {
  SpotStore s;
  for (int i = 0; i < 51; ++i)
    s.Add("W" + std::to_string(i) + "AA", 50.1f + static_cast<float>(i) * 0.001f, kNow);
  EXPECT_EQ(s[0].call, "W1AA");  // W0AA is gone
  EXPECT_EQ(s[49].call, "W50AA");
  EXPECT_EQ(s[49].label, "W50");
  EXPECT_EQ(s[49].received, kNow);

  s.Add("w40aa", 144.2f, kNow);  // any case
  EXPECT_EQ(s[49].frequency, 144.2f);
  EXPECT_EQ(s[38].call, "W40AA");
  EXPECT_EQ(s[38].frequency, 0.0f);
  EXPECT_EQ(s[38].hz, 0);  // nothing left to tune to either
  EXPECT_EQ(s[37].call, "W39AA");
  EXPECT_NE(s[37].frequency, 0.0f);

  // Only the newest older record is zeroed, and slot 0 is not searched.
  SpotStore t;
  t.Add("K1ABCD", 50.1f, kNow);
  for (int i = 0; i < 48; ++i) t.Add("N" + std::to_string(i) + "X", 50.2f, kNow);
  t.Add("K1ABCD", 50.3f, kNow);
  EXPECT_EQ(t[0].call, "K1ABCD");
  EXPECT_EQ(t[0].frequency, 50.1f);

  const auto before = t.version();
  t.Dismiss(49);
  t.Dismiss(50);  // out of range: nothing
  EXPECT_EQ(t[49].frequency, 0.0f);
  EXPECT_EQ(t[49].hz, 0);
  EXPECT_EQ(t.version(), before + 1);
}

TEST(SpotBook, ColumnsOfANewRowAndTheStoredRecord) {
  SpotBook b;
  const std::string line =
      ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42 559 into FN20       K1", "1234", "FM19") +
      "\r\n";
  const SpotTaken t = b.TakeLine(line, "N0CALL", kNow);
  EXPECT_TRUE(t.stored);
  EXPECT_FALSE(t.own_call);
  EXPECT_EQ(b.store()[49].frequency, 50.125f);
  ASSERT_EQ(b.list().rows().size(), 1u);
  const SpotListRow& r = b.list().rows()[0];
  EXPECT_EQ(r.call, "K1ABCD");
  EXPECT_EQ(r.frequency, "50.125");
  EXPECT_EQ(r.qth, "");
  EXPECT_EQ(r.status, "");
  EXPECT_EQ(r.comments, "de W3LPL:  FN42 559 into FN20");
  EXPECT_EQ(r.prefix, "K1");
  EXPECT_EQ(r.time, "1234");
  EXPECT_EQ(r.from, "FM1");
  EXPECT_EQ(t.spot_text.find('\r'), std::string::npos);

  b.TakeLine(ClusterLine("K2UYH", "10368100.0", "W5LUA", "x"), "N0CALL", kNow);
  EXPECT_EQ(b.store()[49].frequency, 10368.1f);
  EXPECT_EQ(b.store()[49].hz, 10368100000);  // the float is 391 Hz off
  EXPECT_EQ(b.list().rows()[0].frequency, "10368.1");
}

TEST(SpotBook, OwnCallAlertsEvenWithoutAFrequencyAndBadFrequenciesStoreNothing) {
  const struct {
    const char* khz;
    const char* call;
    bool own;
    bool stored;
  } cases[] = {
      {"", "N0CALL", true, false},       {"", "n0call", true, false},
      {"50125.0", "N0CALL", true, true}, {"5O125.0", "K1ABCD", false, false},
      {"1E99", "K1ABCD", false, false},  {"50125", "", false, true},
  };
  for (const auto& c : cases) {
    SpotBook b;
    const SpotTaken t = b.Take(c.call, c.khz, "de W1AW: x", "N0CALL ", kNow);
    EXPECT_EQ(t.own_call, c.own) << c.khz << " " << c.call;
    EXPECT_EQ(t.stored, c.stored) << c.khz << " " << c.call;
    EXPECT_EQ(b.list().rows().size(), c.stored ? 1u : 0u);
  }
  EXPECT_FALSE(IsOwnCallSpot("", ""));
}

TEST(SpotBook, TheListKeepsTwoHundredRowsNewestFirst) {
  SpotBook b;
  for (int i = 0; i < 201; ++i) b.Take("K" + std::to_string(i), "50125", "", "N0CALL", kNow);
  ASSERT_EQ(b.list().rows().size(), 200u);
  EXPECT_EQ(b.list().rows().front().call, "K200");
  EXPECT_EQ(b.list().rows().back().call, "K1");
}

}  // namespace
}  // namespace vantrel

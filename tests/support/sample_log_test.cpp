#include "support/sample_log.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace vantrel {
namespace {

bool Digits(const std::string& s, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i)
    if (!std::isdigit(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

TEST(SampleLog, SameSeedSameLogOtherSeedOtherLog) {
  const ContactLog a = MakeSampleLog(500, 7);
  EXPECT_EQ(a.records(), MakeSampleLog(500, 7).records());
  EXPECT_NE(a.records(), MakeSampleLog(500, 8).records());
  // Known first contact: guards against a change of the draws, which would
  // silently change every benchmark and screenshot input.
  EXPECT_EQ(
      FormatLogLine(MakeSampleLog(kMaxContacts, 1).Record(1)),
      "\"VE2ADH\",\"59\",\"FN35\",\"59\",\"FN20\",\"2007/06/09\",\"18:00:03\",\"144 M\",\"PH\","
      "\"144.234\"\r\n");
}

TEST(SampleLog, CountIsClamped) {
  EXPECT_EQ(MakeSampleLog(-5, 1).ContactCount(), 0);
  EXPECT_EQ(MakeSampleLog(0, 1).ContactCount(), 0);
  EXPECT_EQ(MakeSampleLog(kMaxContacts + 50, 1).ContactCount(), kMaxContacts);
}

TEST(SampleLog, RecordsLookLikeAContestLog) {
  const ContactLog log = MakeSampleLog(kMaxContacts, 3);
  const std::set<std::string> bands = {"50 M",  "144 M", "222 M", "432 M",
                                       "902 M", "1.3 G", "2.3 G", "10 G"};
  std::set<std::string> seen_bands, seen_own_grids;
  std::set<std::pair<std::string, std::string>> call_grid_band;
  int six_char_grids = 0, rovers = 0, no_freq = 0, fifty_and_two = 0;
  std::string last_stamp;
  for (const auto& r : log.records()) {
    SCOPED_TRACE(FormatLogLine(r));
    ASSERT_GE(r.Call.size(), 3u);
    for (char c : r.Call)
      ASSERT_TRUE(std::isupper(static_cast<unsigned char>(c)) ||
                  std::isdigit(static_cast<unsigned char>(c)) || c == '/');
    if (r.Call.ends_with("/R")) ++rovers;

    ASSERT_TRUE(r.GridRcvd.size() == 4 || r.GridRcvd.size() == 6);
    ASSERT_TRUE(std::isupper(static_cast<unsigned char>(r.GridRcvd[0])));
    ASSERT_TRUE(Digits(r.GridRcvd, 2, 4));
    if (r.GridRcvd.size() == 6) {
      ++six_char_grids;
      ASSERT_TRUE(std::islower(static_cast<unsigned char>(r.GridRcvd[4])));
      ASSERT_TRUE(std::islower(static_cast<unsigned char>(r.GridRcvd[5])));
    }
    seen_own_grids.insert(r.GridSent);

    ASSERT_TRUE(r.Mode == "CW" || r.Mode == "PH");
    const std::string rst = r.Mode == "CW" ? "599" : "59";
    ASSERT_TRUE(r.RstRcvd.empty() || r.RstRcvd == rst);
    ASSERT_EQ(r.RstSnt, r.RstRcvd);

    ASSERT_TRUE(bands.count(r.Band));
    seen_bands.insert(r.Band);
    if (r.Band == "50 M" || r.Band == "144 M") ++fifty_and_two;

    // "#####.##0", and inside the band: its leading digits match the label.
    if (r.Freq.empty()) {
      ++no_freq;
    } else {
      const size_t dot = r.Freq.find('.');
      ASSERT_NE(dot, std::string::npos);
      ASSERT_EQ(r.Freq.size() - dot, 4u);
      ASSERT_NE(r.Freq[0], '0');
      ASSERT_TRUE(Digits(r.Freq, 0, dot) && Digits(r.Freq, dot + 1, r.Freq.size()));
      const std::string mhz = r.Freq.substr(0, dot);
      const std::string label = r.Band.substr(0, r.Band.find(' '));
      if (r.Band.ends_with(" M") && r.Band != "902 M") {
        ASSERT_EQ(mhz.substr(0, label.size()), label);
      }
    }

    ASSERT_EQ(r.Date.size(), 10u);
    ASSERT_TRUE(r.Date >= "2007/06/09" && r.Date <= "2007/06/11");
    ASSERT_EQ(r.Time.size(), 8u);
    ASSERT_TRUE(r.Time[2] == ':' && r.Time[5] == ':');
    const std::string stamp = r.Date + " " + r.Time;
    ASSERT_GE(stamp, last_stamp);
    last_stamp = stamp;

    // The logger refuses dupes, so a real log has none.
    ASSERT_TRUE(call_grid_band.insert({r.Call + " " + r.GridRcvd, r.Band}).second);
  }
  EXPECT_LE(last_stamp, "2007/06/11 03:00:00");
  EXPECT_EQ(seen_bands, bands);
  EXPECT_TRUE(seen_own_grids.count("FN20"));
  EXPECT_GT(seen_own_grids.size(), 1u);
  EXPECT_GT(six_char_grids, 0);
  EXPECT_GT(rovers, 0);
  EXPECT_GT(no_freq, 0);
  EXPECT_GT(fifty_and_two, kMaxContacts / 2);

  // Fit for log.txt: it survives a write and a read.
  ContactLog back;
  ASSERT_TRUE(ParseLog(FormatLog(log), back).ok());
  EXPECT_EQ(back.records(), log.records());
}

}  // namespace
}  // namespace vantrel

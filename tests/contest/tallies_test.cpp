#include "contest/tallies.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace vantrel {
namespace {

ContactRecord Contact(std::string grid, std::string band, std::string own = "FN20",
                      std::string date = "2007/06/09", std::string time = "18:30:15") {
  ContactRecord r;
  r.Call = "N0CALL";
  r.GridRcvd = std::move(grid);
  r.GridSent = std::move(own);
  r.Band = std::move(band);
  r.Date = std::move(date);
  r.Time = std::move(time);
  r.Mode = "CW";
  return r;
}

ContactLog Log(std::initializer_list<ContactRecord> records) {
  ContactLog log;
  for (const auto& r : records) log.Add(r);
  return log;
}

ScoreTexts Score(const ContactLog& log, int contest, int rover = 0) {
  Tallies t;
  EXPECT_TRUE(RecountTallies(t, log, contest, rover).ok);
  auto texts = Labeldisplay(t, contest, rover);
  EXPECT_TRUE(texts.has_value());
  return texts.value_or(ScoreTexts{});
}

// One contact each on 50, 222, 902 MHz and 10 GHz with four grids.
ContactLog FourBands() {
  return Log({Contact("FN20", "50 M"), Contact("FN21", "222 M"), Contact("FN22", "902 M"),
              Contact("FN23", "10 G")});
}

TEST(Labeldisplay, EachContestCountsItsOwnBands) {
  const ContactLog log = FourBands();
  ScoreTexts s = Score(log, 1);
  EXPECT_EQ(s.TotCon, "4");
  EXPECT_EQ(s.TotSec, "15");
  EXPECT_EQ(s.sectogo, "4");
  EXPECT_EQ(s.TotScore, "60");

  s = Score(log, 3);
  EXPECT_EQ(s.TotCon, "3");
  EXPECT_EQ(s.TotSec, "21");
  EXPECT_EQ(s.sectogo, "3");
  EXPECT_EQ(s.TotScore, "63");

  s = Score(log, 5);
  EXPECT_EQ(s.TotCon, "1");
  EXPECT_EQ(s.TotSec, "1");
  EXPECT_EQ(s.sectogo, "1");
  EXPECT_EQ(s.TotScore, "1");
  // Count labels show every band whatever the contest scores.
  EXPECT_EQ(s.band_counts[2], "1 / 1");
  EXPECT_EQ(s.band_counts[9], "1 / 1");
  EXPECT_EQ(s.band_counts[1], "0 / 0");

  // June and September: 1 + 2 + 3 + 4.
  EXPECT_EQ(Score(log, 2).TotScore, "40");
  EXPECT_EQ(Score(log, 4).TotSec, "10");
}

TEST(Labeldisplay, HighBandsCountInTotalsButHaveNoLabel) {
  const ContactLog log = Log({Contact("FN31", "24 G")});
  const ScoreTexts s = Score(log, 1);
  EXPECT_EQ(s.TotCon, "1");
  EXPECT_EQ(s.TotSec, "8");
  EXPECT_EQ(s.sectogo, "1");
  for (const std::string& label : s.band_counts) EXPECT_EQ(label, "0 / 0");
}

TEST(Labeldisplay, EmptyLogShowsZeros) {
  const ScoreTexts s = Score(ContactLog{}, 2);
  EXPECT_EQ(s.TotCon, "0");
  EXPECT_EQ(s.TotScore, "0");
  for (const std::string& label : s.band_counts) EXPECT_EQ(label, "0 / 0");
}

TEST(Labeldisplay, RoverOwnGridsAreMultipliersOutsideTheCqContest) {
  const ContactLog log = Log({Contact("FN31", "144 M", "FN20"), Contact("FN32", "144 M", "FN21"),
                              Contact("FN32", "144 M", "fn21")});
  ScoreTexts s = Score(log, 2, 1);
  EXPECT_EQ(s.sectogo, "4");  // 2 worked + 2 own grids (case folded)
  EXPECT_EQ(s.TotScore, "12");
  EXPECT_EQ(Score(log, 2, 0).sectogo, "2");

  // The CQ rover pairs its worked grids with its own instead.
  s = Score(log, 5, 1);
  EXPECT_EQ(s.sectogo, "2");
  EXPECT_EQ(s.TotSec, "6");
}

TEST(Labeldisplay, UnknownContestShowsEmptyTotalsAndZeroScore) {
  Tallies t;
  ASSERT_TRUE(RecountTallies(t, FourBands(), 0, 0).ok);
  auto s = Labeldisplay(t, 0, 0);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->TotCon, "");
  EXPECT_EQ(s->TotSec, "");
  EXPECT_EQ(s->sectogo, "");
  EXPECT_EQ(s->TotScore, "0");
  EXPECT_EQ(s->band_counts[0], "1 / 1");
  // A rover's own grids still show below contest 5; above it they do not.
  EXPECT_EQ(Labeldisplay(t, 0, 1)->sectogo, "1");
  EXPECT_EQ(Labeldisplay(t, 6, 1)->sectogo, "");
}

TEST(Labeldisplay, SumsBeyond32BitsLeaveTheLabelsAlone) {
  Tallies t;
  t.Band(1)->ContactCount = std::numeric_limits<int32_t>::max();
  t.Band(2)->ContactCount = 1;
  EXPECT_FALSE(Labeldisplay(t, 1, 0));
  // The product overflows even when the sums fit.
  t.Band(2)->ContactCount = 0;
  t.Band(1)->Multipliers.AddIfAbsent("FN20");
  t.Band(1)->Multipliers.AddIfAbsent("FN21");
  EXPECT_FALSE(Labeldisplay(t, 1, 0));
  t.Band(1)->ContactCount = 1000;
  EXPECT_EQ(Labeldisplay(t, 1, 0)->TotScore, "2000");
}

TEST(Multipliers, CqRoverPairsOnlyOn50And144) {
  const ContactLog log = Log({Contact("FN31", "144 M", "FN20"), Contact("FN31", "144 M", "FN21"),
                              Contact("FN31", "432 M", "FN20")});
  Tallies rover;
  ASSERT_TRUE(RecountTallies(rover, log, 5, 1).ok);
  ASSERT_EQ(rover.Band(2)->MultiplierCount(), 2);
  EXPECT_EQ(rover.Band(2)->Multipliers.at(0), "FN31 FN20");
  EXPECT_EQ(rover.Band(2)->Multipliers.at(1), "FN31 FN21");
  EXPECT_EQ(rover.Band(4)->MultiplierCount(), 0);
  EXPECT_EQ(rover.Band(4)->ContactCount, 1);

  Tallies fixed;
  ASSERT_TRUE(RecountTallies(fixed, log, 5, 0).ok);
  EXPECT_EQ(fixed.Band(2)->MultiplierCount(), 1);
  EXPECT_EQ(fixed.Band(4)->MultiplierCount(), 1);
  // The own grids are gathered for every station type.
  EXPECT_EQ(fixed.RoverGridList.Count(), 2);
}

TEST(Multipliers, KeysIgnoreCaseAndKeepFirstSeenOrder) {
  const ContactLog log = Log({Contact("FN31", "144 m"), Contact("EM10", "144 M"),
                              Contact("fn31", "144 M"), Contact("", "144 M")});
  Tallies t;
  ASSERT_TRUE(RecountTallies(t, log, 2, 0).ok);
  const BandTally& b = *t.Band(2);
  EXPECT_EQ(b.ContactCount, 4);
  ASSERT_EQ(b.MultiplierCount(), 3);
  EXPECT_EQ(b.Multipliers.at(0), "FN31");
  EXPECT_EQ(b.Multipliers.at(1), "EM10");
  // An empty grid is a key of its own.
  EXPECT_EQ(b.Multipliers.at(2), "");

  EXPECT_FALSE(IsNewMultiplier(t, "fn31", "144 M", 2, 0, "FN20"));
  EXPECT_TRUE(IsNewMultiplier(t, "FN31", "432 M", 2, 0, "FN20"));
  EXPECT_TRUE(IsNewMultiplier(t, "FN32", "144 M", 2, 0, "FN20"));
  // Fewer than four characters is never new; six characters are their square.
  EXPECT_FALSE(IsNewMultiplier(t, "FN3", "144 M", 2, 0, "FN20"));
  EXPECT_FALSE(IsNewMultiplier(t, "FN31ab", "144 M", 2, 0, "FN20"));
  EXPECT_TRUE(IsNewMultiplier(t, "FN31", "bogus", 2, 0, "FN20"));
}

// FM29jx and FM29 are one multiplier: the six characters stay in the log, the
// square is what counts. Failed before: each six-character grid was a key.
TEST(Multipliers, SixCharacterGridsCountAsTheirSquare) {
  const ContactLog log =
      Log({Contact("FM29jx", "144 M"), Contact("FM29", "144 M"), Contact("fm29AB", "144 M"),
           Contact("FN31pr", "144 M", "FN20ab"), Contact("FN31", "144 M", "FN20")});
  struct Row {
    int contest, rover;
    std::vector<std::string> keys;
  };
  for (const Row& row : {Row{2, 0, {"FM29", "FN31"}}, Row{5, 1, {"FM29 FN20", "FN31 FN20"}}}) {
    Tallies t;
    ASSERT_TRUE(RecountTallies(t, log, row.contest, row.rover).ok);
    EXPECT_EQ(t.Band(2)->Multipliers.keys(), row.keys) << row.contest;
    for (const char* typed : {"fm29", "FM29xx", "FM29j", "FN31aa"})
      EXPECT_FALSE(IsNewMultiplier(t, typed, "144 M", row.contest, row.rover, "FN20ab")) << typed;
    EXPECT_TRUE(IsNewMultiplier(t, "FM28jx", "144 M", row.contest, row.rover, "FN20"));
  }
  // The claimed score of the log: 5 contacts x 2 squares, not x 4 texts.
  EXPECT_EQ(Score(log, 2).TotScore, "10");
}

// An empty own grid was no grid activated; a six-character one is its square.
// Failed before: "" counted as a rover grid of its own.
TEST(Multipliers, RoverGridsAreTheNonEmptyOwnSquares) {
  const ContactLog log =
      Log({Contact("FN31", "144 M", ""), Contact("FN32", "144 M", "FN20"),
           Contact("FN33", "144 M", "fn20xx"), Contact("FN34", "144 M", "FN21")});
  Tallies t;
  ASSERT_TRUE(RecountTallies(t, log, 2, 1).ok);
  EXPECT_EQ(t.RoverGridList.keys(), (std::vector<std::string>{"FN20", "FN21"}));
  EXPECT_EQ(Score(log, 2, 1).sectogo, "6");  // 4 worked + 2 activated

  Tallies live;
  TallyContact(live, Contact("FN31", "144 M", ""), 2, 1, true);
  EXPECT_EQ(live.RoverGridList.Count(), 0);
  ContestState contest{"144 M", "CW", 2, 1, ""};
  for (int i = 0; i < kMaxMultiplierKeys; ++i)
    live.RoverGridList.AddIfAbsent("R" + std::to_string(i));
  EXPECT_EQ(WouldOverflow(live, contest, "FN31", ""), TallyOverflow::kNone);
}

TEST(Multipliers, CqRoverIndicatorPairsWithOwnGridOnEveryBand) {
  Tallies t;
  ASSERT_TRUE(RecountTallies(t, Log({Contact("FN31", "144 M", "FN20")}), 5, 1).ok);
  EXPECT_FALSE(IsNewMultiplier(t, "FN31", "144 M", 5, 1, "fn20"));
  EXPECT_TRUE(IsNewMultiplier(t, "FN31", "144 M", 5, 1, "FN21"));
  // No pairs are kept on 432 MHz, so the indicator always shows there.
  EXPECT_TRUE(IsNewMultiplier(t, "FN31", "432 M", 5, 1, "FN20"));
}

TEST(TallyContact, CountsAndAddsEachMissingKey) {
  Tallies t;
  TallyChange c = TallyContact(t, Contact("FN31", "144 M"), 2, 0, true);
  EXPECT_TRUE(c.colour_grid);
  EXPECT_EQ(c.list_band, 2);
  EXPECT_EQ(c.key, "FN31");

  c = TallyContact(t, Contact("FN31", "144 M", "FN21"), 2, 0, false);
  EXPECT_FALSE(c.colour_grid);
  EXPECT_EQ(c.list_band, 0);
  EXPECT_EQ(t.Band(2)->ContactCount, 2);
  EXPECT_EQ(t.Band(2)->MultiplierCount(), 1);
  EXPECT_EQ(t.RoverGridList.Count(), 2);

  // A stale indicator does not list a grid twice.
  c = TallyContact(t, Contact("fn31", "144 M"), 2, 0, true);
  EXPECT_EQ(c.list_band, 0);
  EXPECT_EQ(t.Band(2)->MultiplierCount(), 1);

  // An unknown band counts nowhere but its own grid is still noted.
  c = TallyContact(t, Contact("FN32", "6 M", "FN22"), 2, 0, true);
  EXPECT_EQ(c.list_band, 0);
  EXPECT_EQ(t.RoverGridList.Count(), 3);
  int contacts = 0;
  for (const BandTally& b : t.bands) contacts += b.ContactCount;
  EXPECT_EQ(contacts, 3);

  // A hidden indicator (fewer than four characters) still lists a missing
  // key, as a recount would. Failed before: nothing was listed.
  c = TallyContact(t, Contact("FN3", "144 M"), 2, 0, false);
  EXPECT_EQ(c.list_band, 2);
  EXPECT_TRUE(c.colour_grid);
  EXPECT_EQ(t.Band(2)->MultiplierCount(), 2);
}

TEST(TallyContact, CqRoverColoursButListsNothingAbove144) {
  Tallies t;
  TallyChange c = TallyContact(t, Contact("FN31", "432 M"), 5, 1, true);
  EXPECT_TRUE(c.colour_grid);
  EXPECT_EQ(c.list_band, 0);
  c = TallyContact(t, Contact("FN31", "50 M"), 5, 1, true);
  EXPECT_EQ(c.list_band, 1);
  EXPECT_EQ(c.key, "FN31 FN20");
}

TEST(TallyContact, MatchesARecountOfTheSameLog) {
  // Odd grids from an old log (FN2, ZZ99, 12AB) count the same logged live
  // as after a restart. Failed before: FN2 hid "New" and counted only in
  // the recount.
  const ContactLog log = Log({Contact("FN31", "144 M", "FN20"), Contact("EM10", "50 M", "FN20"),
                              Contact("FN31", "144 M", "FN21"), Contact("fn31", "144 M", "FN21"),
                              Contact("FN42", "24 G", "FN21"), Contact("FN2", "144 M", "FN21"),
                              Contact("fn2", "144 M", "FN21"), Contact("ZZ99", "50 M", "FN2"),
                              Contact("12AB", "144 M", ""), Contact("FN31pr", "144 M", "fn21ab")});
  for (int rover : {0, 1}) {
    for (int contest = 1; contest <= 5; ++contest) {
      Tallies live;
      for (const ContactRecord& r : log.records()) {
        const bool shown = IsNewMultiplier(live, r.GridRcvd, r.Band, contest, rover, r.GridSent);
        TallyContact(live, r, contest, rover, shown);
      }
      Tallies recount;
      ASSERT_TRUE(RecountTallies(recount, log, contest, rover).ok);
      for (int b = 1; b <= kBandCount; ++b) {
        EXPECT_EQ(live.Band(b)->ContactCount, recount.Band(b)->ContactCount);
        EXPECT_EQ(live.Band(b)->Multipliers.keys(), recount.Band(b)->Multipliers.keys())
            << "contest " << contest << " rover " << rover << " band " << b;
      }
      EXPECT_EQ(live.RoverGridList.keys(), recount.RoverGridList.keys());
    }
  }
}

TEST(Overflow, AFullListRefusesANewKeyButNotAKnownOne) {
  Tallies t;
  ContestState contest{"144 M", "CW", 2, 0, ""};
  for (int i = 0; i < kMaxMultiplierKeys; ++i)
    ASSERT_TRUE(t.Band(2)->Multipliers.AddIfAbsent("G" + std::to_string(i)));
  EXPECT_TRUE(t.Band(2)->Multipliers.Full());
  EXPECT_FALSE(t.Band(2)->Multipliers.AddIfAbsent("FN31"));
  EXPECT_EQ(t.Band(2)->MultiplierCount(), kMaxMultiplierKeys);

  EXPECT_EQ(WouldOverflow(t, contest, "FN31", "FN20"), TallyOverflow::kMultiplierList);
  EXPECT_EQ(WouldOverflow(t, contest, "g17", "FN20"), TallyOverflow::kNone);
  // A six-character grid needs only its square.
  EXPECT_EQ(WouldOverflow(t, contest, "FN31pr", "FN20"), TallyOverflow::kMultiplierList);
  contest.CurrentBand = "432 M";
  EXPECT_EQ(WouldOverflow(t, contest, "FN31", "FN20"), TallyOverflow::kNone);
  EXPECT_FALSE(OverflowMessage(TallyOverflow::kMultiplierList).empty());

  for (int i = 0; i < kMaxMultiplierKeys; ++i) t.RoverGridList.AddIfAbsent("R" + std::to_string(i));
  EXPECT_EQ(WouldOverflow(t, contest, "FN31", "FN20"), TallyOverflow::kRoverGridList);
  EXPECT_EQ(WouldOverflow(t, contest, "FN31", "r9"), TallyOverflow::kNone);
}

TEST(Overflow, RecountReportsTheRecordAndKeepsTheOldTallies) {
  Tallies t;
  ASSERT_TRUE(RecountTallies(t, Log({Contact("FN31", "144 M")}), 2, 0).ok);

  ContactLog log;
  for (int i = 0; i <= kMaxMultiplierKeys; ++i) log.Add(Contact("G" + std::to_string(i), "50 M"));
  RecountResult r = RecountTallies(t, log, 2, 0);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.overflow, TallyOverflow::kMultiplierList);
  EXPECT_EQ(r.overflow_record, kMaxMultiplierKeys + 1);
  EXPECT_EQ(t.Band(2)->ContactCount, 1);
  EXPECT_EQ(t.Band(1)->ContactCount, 0);

  // Exactly 5000 keys fit; the CQ rover puts none on 432 MHz.
  log.Remove(log.ContactCount());
  EXPECT_TRUE(RecountTallies(t, log, 2, 0).ok);

  ContactLog own;
  for (int i = 0; i <= kMaxMultiplierKeys; ++i)
    own.Add(Contact("FN31", "432 M", "O" + std::to_string(i)));
  r = RecountTallies(t, own, 5, 1);
  EXPECT_EQ(r.overflow, TallyOverflow::kRoverGridList);
  EXPECT_EQ(r.overflow_record, kMaxMultiplierKeys + 1);
}

// Times relative to 2007/06/09 18:00:00 UTC.
ContactRecord At(int seconds_before) {
  const int t = 18 * 3600 - seconds_before;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
  return Contact("FN31", "144 M", "FN20", "2007/06/09", buf);
}

const UtcTime kNow = UtcTime{std::chrono::sys_days{std::chrono::year{2007} / 6 / 9}} +
                     std::chrono::hours{18} + std::chrono::milliseconds{900};

TEST(TimeStats, RatesOverTheLast20And60Minutes) {
  auto r = TimeStats(Log({At(4000), At(1500), At(100)}), kNow);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->AQSO20, "3");
  EXPECT_EQ(r->AQSO60, "2");

  r = TimeStats(ContactLog{}, kNow);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->AQSO20, "0");
  EXPECT_EQ(r->AQSO60, "0");

  // Just either side of both edges; the fraction of a second of now is cut.
  r = TimeStats(Log({At(3600), At(3599), At(1200), At(1199)}), kNow);
  EXPECT_EQ(r->AQSO20, "3");
  EXPECT_EQ(r->AQSO60, "3");
}

TEST(TimeStats, CountsEveryContactInTheWindowWhateverItsPlace) {
  // An old contact between newer ones hides nothing, and a contact in the
  // future counts in both rates. Failed before: the walk stopped at the
  // first old contact from the end.
  auto r = TimeStats(Log({At(10), At(5000), At(-300)}), kNow);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->AQSO20, "6");
  EXPECT_EQ(r->AQSO60, "2");
  // A post-contest contact dated the day before, logged last.
  ContactRecord late = At(100);
  late.Date = "2007/06/08";
  r = TimeStats(Log({At(3000), At(1100), At(100), late}), kNow);
  EXPECT_EQ(r->AQSO20, "6");
  EXPECT_EQ(r->AQSO60, "3");
}

TEST(TimeStats, PostContestTimesWithoutSecondsAndBadTimes) {
  ContactRecord r = Contact("FN31", "144 M", "FN20", "2007/06/09", "17:45");
  EXPECT_EQ(TimeStats(Log({r}), kNow)->AQSO20, "3");
  // A time that does not read lies in no window.
  r.Time = "17:4x";
  EXPECT_EQ(TimeStats(Log({r}), kNow)->AQSO20, "0");
  r.Time = "25:00:00";
  EXPECT_EQ(TimeStats(Log({r, At(4000), At(10)}), kNow)->AQSO60, "1");
}

}  // namespace
}  // namespace vantrel

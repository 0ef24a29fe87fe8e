// The logging transaction against an in-memory log.txt and a fixed clock.
#include "contest/log_contact.h"

#include <gtest/gtest.h>

#include "support/fixed_clock.h"
#include "support/sample_contact.h"

namespace vantrel {
namespace {

class MemoryLogStorage : public LogStorage {
 public:
  bool Append(std::string_view bytes, std::string& error) override {
    if (fail) {
      error = "disk full";
      return false;
    }
    text += bytes;
    return true;
  }
  bool Rewrite(std::string_view bytes, std::string&) override {
    text = bytes;
    return true;
  }
  bool ReadAll(std::string& out, std::string&) const override {
    out = text;
    return true;
  }
  std::string text;
  bool fail = false;
};

class LogContactTest : public ::testing::Test {
 protected:
  LogContactTest() : clock_(MakeLocalTime(2007, 6, 9, 20, 30, 0)) {
    contest_.CurrentBand = "144 M";
    contest_.CurrentMode = "PH";
    contest_.ContestId = 2;
    contest_.FrequencyText = "144.200";
  }
  MainsResult Run(EntryTexts e, bool new_shown = true) {
    return Mains({log_, tallies_, contest_, "FN20", 5.0f, storage_, clock_}, e, new_shown);
  }
  static EntryTexts Entry(const char* call, const char* grid) {
    EntryTexts e;
    e.call = call;
    e.grid = grid;
    e.rst_rcvd = "57";
    e.rst_sent = "59";
    return e;
  }

  ContactLog log_;
  Tallies tallies_;
  ContestState contest_;
  MemoryLogStorage storage_;
  FixedClock clock_;
};

TEST_F(LogContactTest, LogsStampsAppendsAndTallies) {
  const MainsResult r = Run(Entry("K2XX", "FN31pr"));
  ASSERT_TRUE(r.logged);
  ASSERT_EQ(log_.ContactCount(), 1);
  const ContactRecord& c = log_.Record(1);
  EXPECT_EQ(c.Date, "2007/06/10");  // local 20:30 plus 5 hours
  EXPECT_EQ(c.Time, "01:30:00");
  EXPECT_EQ(c.GridSent, "FN20");
  EXPECT_EQ(c.Freq, "144.200");
  EXPECT_EQ(storage_.text, FormatLogLine(c));
  EXPECT_EQ(contest_.FrequencyText, "");  // one logging attempt per reported frequency
  EXPECT_TRUE(r.clear_entry);
  EXPECT_EQ(r.focus, EntryField::kCall);
  EXPECT_EQ(r.dialog, "Logged K2XX, contact 1");
  EXPECT_EQ(r.beeps, 0);
  EXPECT_TRUE(r.tally.colour_grid);
  EXPECT_GT(r.tally.list_band, 0);
}

TEST_F(LogContactTest, RefusalsKeepTheEntry) {
  log_.Add(SampleContact("N0CALL"));
  struct Case {
    const char* call;
    const char* grid;
    const char* dialog_start;
    EntryField focus;
    int beeps;
  };
  const Case cases[] = {
      {"", "", "Need Call Sign!", EntryField::kCall, 2},
      {"K2", "FN31", "Need Call Sign!", EntryField::kCall, 1},
      {"K2XX", "", "Need Grid!", EntryField::kSec, 1},
      {"K2XX", "ZZ99", "Not a grid locator: ZZ99", EntryField::kSec, 1},
      {"K2XX", "FN2", "Not a grid locator: FN2", EntryField::kSec, 1},
      {"K2XX", "12AB", "Not a grid locator: 12AB", EntryField::kSec, 1},
      {"K2XX", "FN31pz", "Not a grid locator: FN31pz", EntryField::kSec, 1},
      {"K2XX", "FN31 ", "Not a grid locator: FN31 ", EntryField::kSec, 1},
  };
  for (const Case& c : cases) {
    const MainsResult r = Run(Entry(c.call, c.grid));
    EXPECT_FALSE(r.logged) << c.grid;
    EXPECT_TRUE(r.entry_incomplete) << c.grid;
    EXPECT_FALSE(r.clear_entry) << c.grid;
    ASSERT_TRUE(r.dialog) << c.grid;
    EXPECT_EQ(r.dialog->rfind(c.dialog_start, 0), 0u) << *r.dialog;
    EXPECT_EQ(r.focus, c.focus) << c.grid;
    EXPECT_EQ(r.beeps, c.beeps) << c.grid;
  }
  EXPECT_EQ(log_.ContactCount(), 1);
  EXPECT_EQ(storage_.text, "");
}

TEST_F(LogContactTest, DuplicateIsRefusedAndClearsTheEntry) {
  log_.Add(SampleContact("N0CALL"));
  const MainsResult r = Run(Entry("n0call", "fn31"));
  EXPECT_FALSE(r.logged);
  EXPECT_TRUE(r.dupe_found);
  EXPECT_TRUE(r.clear_entry);
  EXPECT_TRUE(r.dialog_red);
  EXPECT_TRUE(r.announce_dupe);
  EXPECT_EQ(r.last_dupe_time, clock_.Now());
  EXPECT_EQ(r.focus, EntryField::kCall);
  EXPECT_EQ(*r.dialog, "Duplicate N0CALL FN31 2007/06/09 18:30:15 ON 144 M  Rec#  1");
  EXPECT_EQ(log_.ContactCount(), 1);
}

TEST_F(LogContactTest, EmptyGridIsFilledForTheSecondEnter) {
  log_.Add(SampleContact("K2XX", "FN31", "50 M"));
  MainsResult r = Run(Entry("K2XX", ""));
  EXPECT_EQ(r.grid_fill, "FN31");
  EXPECT_EQ(*r.dialog, "Need Grid!");
  EXPECT_FALSE(r.logged);
  EXPECT_TRUE(r.finished);
  r = Run(Entry("K2XX", "FN31"));
  EXPECT_TRUE(r.logged);
}

TEST_F(LogContactTest, PostContestTextsAndEarlyEnds) {
  EntryTexts e = Entry("K2XX", "FN31");
  e.post_contest = true;
  e.post_date = "6/9/2007";
  e.post_time = "930";
  MainsResult r = Run(e);
  ASSERT_TRUE(r.logged);
  EXPECT_EQ(log_.Record(1).Date, "2007/06/09");
  EXPECT_EQ(log_.Record(1).Time, "09:30");
  EXPECT_EQ(r.post_date, "2007/06/09");
  EXPECT_EQ(r.post_time, "09:30");

  contest_.FrequencyText = "144.100";
  e.call = "W1AW";
  e.post_time = "2561";
  r = Run(e);
  EXPECT_FALSE(r.logged);
  EXPECT_FALSE(r.finished);
  EXPECT_EQ(*r.dialog, "Invalid time format!");
  EXPECT_EQ(contest_.FrequencyText, "144.100");
}

TEST_F(LogContactTest, FailedAppendLogsNothing) {
  storage_.fail = true;
  const MainsResult r = Run(Entry("K2XX", "FN31"));
  EXPECT_FALSE(r.logged);
  EXPECT_FALSE(r.finished);
  EXPECT_FALSE(r.clear_entry);
  EXPECT_EQ(*r.dialog, "NOT LOGGED - cannot write log.txt: disk full");
  EXPECT_EQ(log_.ContactCount(), 0);
  const BandTally* band = tallies_.Band(BandIndex("144 M"));
  EXPECT_EQ(band ? band->ContactCount : 0, 0);
}

}  // namespace
}  // namespace vantrel

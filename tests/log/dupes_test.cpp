#include "log/dupes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/sample_contact.h"

namespace vantrel {
namespace {

ContactRecord Contact(std::string call, std::string grid, std::string band = "144 M",
                      std::string own_grid = "FN20", std::string mode = "PH",
                      std::string time = "18:30:15") {
  ContactRecord r = SampleContact(call, grid, band);
  r.GridSent = std::move(own_grid);
  r.Mode = std::move(mode);
  r.Time = std::move(time);
  return r;
}

ContactLog LogOf(std::initializer_list<ContactRecord> records) {
  ContactLog log;
  for (const auto& r : records) log.Add(r);
  return log;
}

TEST(Dupcheck, OncePerBandGridAndOwnGrid) {
  const ContactLog log = LogOf({Contact("N0CALL", "FN31")});
  const DupeEntry same{"N0CALL", "FN31", "144 M", "FN20"};
  const auto refused = dupcheck(log, same);
  EXPECT_TRUE(refused.DupeFound);
  EXPECT_EQ(refused.record, 1);
  EXPECT_EQ(refused.message, "Duplicate N0CALL FN31 2007/06/09 18:30:15 ON 144 M  Rec#  1");

  EXPECT_FALSE(dupcheck(log, {"N0CALL", "FN31", "432 M", "FN20"}).DupeFound);  // other band
  EXPECT_FALSE(dupcheck(log, {"N0CALL", "FN31", "144 M", "FN21"}).DupeFound);  // rover moved
  EXPECT_FALSE(dupcheck(log, {"N0CALL", "FN32", "144 M", "FN20"}).DupeFound);  // they moved
  EXPECT_FALSE(dupcheck(log, {"N0CALM", "FN31", "144 M", "FN20"}).DupeFound);
  EXPECT_FALSE(dupcheck(log, {"N0CAL", "FN31", "144 M", "FN20"}).DupeFound);
}

TEST(Dupcheck, ModeDoesNotMatterAndCaseIsIgnored) {
  const ContactLog log = LogOf({Contact("N0CALL", "FN31", "144 M", "FN20", "CW")});
  // The entry is in the other mode; the rule has no mode in it.
  EXPECT_TRUE(dupcheck(log, {"N0CALL", "FN31", "144 M", "FN20"}).DupeFound);
  EXPECT_TRUE(dupcheck(log, {"n0call", "fn31", "144 m", "fn20"}).DupeFound);
}

// A six-character grid is its square: FM29jx after FM29 is the same contact.
// Failed before: every spelling of the subsquare escaped the check.
TEST(Dupcheck, SixCharacterGridsAreTheirSquare) {
  const ContactLog log =
      LogOf({Contact("N0CALL", "FM29jx"), Contact("W1AW", "FM29", "144 M", "FN20ab")});
  struct Row {
    DupeEntry entry;
    bool dupe;
  };
  for (const Row& row : {Row{{"N0CALL", "FM29", "144 M", "FN20"}, true},
                         Row{{"N0CALL", "fm29AB", "144 M", "fn20xx"}, true},
                         Row{{"W1AW", "FM29jx", "144 M", "FN20"}, true},
                         Row{{"N0CALL", "FM28jx", "144 M", "FN20"}, false},
                         Row{{"N0CALL", "FM29jx", "144 M", "FN21ab"}, false},
                         // Odd grids of an old log compare as their whole text.
                         Row{{"N0CALL", "FM2", "144 M", "FN20"}, false}}) {
    EXPECT_EQ(dupcheck(log, row.entry).DupeFound, row.dupe)
        << row.entry.call << " " << row.entry.grid << " " << row.entry.own_grid;
    EXPECT_EQ(dupcheck2(log, row.entry, false).duplicates.size(), row.dupe ? 1u : 0u);
  }
  // The partial check lists the station worked from the same own square.
  EXPECT_EQ(PartialDupeCheck(log, "W1", 'A', "144 M", "FN20", true).match_text, "W1AW ");
}

TEST(Dupcheck, MessageNamesTheRecordNumberAndStopsAtTheFirstDuplicate) {
  ContactLog log;
  for (int i = 0; i < 11; ++i) log.Add(Contact("W1AW", "FN31"));
  log.Add(Contact("N0CALL", "FN31", "144 M", "FN20", "PH", "18:30:15"));
  log.Add(Contact("N0CALL", "FN31", "144 M", "FN20", "PH", "19:00:00"));
  const auto r = dupcheck(log, {"N0CALL", "FN31", "144 M", "FN20"});
  EXPECT_EQ(r.record, 12);
  EXPECT_EQ(r.message, "Duplicate N0CALL FN31 2007/06/09 18:30:15 ON 144 M  Rec#  12");
}

TEST(Dupcheck, EmptyGridIsFilledFromTheOldestContact) {
  // A rover worked from FN31 first, then FN32 on 432.
  const ContactLog log =
      LogOf({Contact("K1ROV", "FN31", "144 M"), Contact("K1ROV", "FN32", "432 M"),
             Contact("K1ROV", "FN32", "144 M")});
  // On 144 the first grid makes record 1 a duplicate.
  auto r = dupcheck(log, {"K1ROV", "", "144 M", "FN20"});
  EXPECT_TRUE(r.grid_filled);
  EXPECT_EQ(r.grid, "FN31");
  EXPECT_TRUE(r.DupeFound);
  EXPECT_EQ(r.record, 1);

  // On 432 the offered grid is still the first one, which was never worked
  // there: no duplicate, the grid waits for a second Enter.
  r = dupcheck(log, {"K1ROV", "", "432 M", "FN20"});
  EXPECT_TRUE(r.grid_filled);
  EXPECT_EQ(r.grid, "FN31");
  EXPECT_FALSE(r.DupeFound);

  // A typed grid is never replaced.
  r = dupcheck(log, {"K1ROV", "FN32", "432 M", "FN20"});
  EXPECT_FALSE(r.grid_filled);
  EXPECT_TRUE(r.DupeFound);
  EXPECT_EQ(r.record, 2);

  // Unknown call: nothing to fill.
  r = dupcheck(log, {"W9XYZ", "", "144 M", "FN20"});
  EXPECT_FALSE(r.grid_filled);
  EXPECT_FALSE(r.DupeFound);
}

TEST(Dupcheck2, WarnsWithoutBandAndListsPreviousContacts) {
  const ContactLog log = LogOf({Contact("N0CALL", "FN31", "144 M"), Contact("W1AW", "FN31"),
                                Contact("N0CALL", "FN31", "432 M"),
                                Contact("N0CALL", "FN31", "144 M", "FN20", "CW", "20:00:00")});
  const DupeEntry entry{"N0CALL", "", "144 M", "FN20"};

  auto r = dupcheck2(log, entry, false);
  EXPECT_TRUE(r.previous.empty());
  EXPECT_EQ(r.duplicates, std::vector<int>{1});
  EXPECT_EQ(r.message, "Duplicate Unless Rover! N0CALL FN31 2007/06/09 18:30:15  Rec#  1");
  EXPECT_TRUE(r.grid_filled);
  EXPECT_EQ(r.grid, "FN31");

  // Listing goes on past the first duplicate; the last warning stands.
  r = dupcheck2(log, entry, true);
  EXPECT_EQ(r.previous, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(r.duplicates, (std::vector<int>{1, 4}));
  EXPECT_EQ(r.message, "Duplicate Unless Rover! N0CALL FN31 2007/06/09 20:00:00  Rec#  4");

  r = dupcheck2(log, {"N0CALL", "FN99", "144 M", "FN20"}, true);
  EXPECT_EQ(r.previous.size(), 3u);
  EXPECT_TRUE(r.duplicates.empty());
  EXPECT_TRUE(r.message.empty());
  EXPECT_FALSE(r.grid_filled);
}

class PartialDupeTest : public ::testing::Test {
 protected:
  // Types `text` key by key the way the call field does, returning the last result.
  PartialDupeResult Type(const std::string& text, bool on = true) {
    PartialDupeResult r;
    std::string call;
    for (char key : text) {
      r = PartialDupeCheck(log_, call, key, "144 M", "FN20", on);
      call += key;
    }
    return r;
  }
  ContactLog log_ =
      LogOf({Contact("N0CALL", "FN31"), Contact("K0CABB", "FN31"), Contact("N0CATT", "FN31"),
             Contact("N0CAXX", "FN31", "432 M"), Contact("N0CAYY", "FN31", "144 M", "FN21")});
};

TEST_F(PartialDupeTest, NewestFirstFromTheFirstKeyOnThisBandAndOwnGridOnly) {
  for (const char* typed : {"N", "N0", "N0C"}) {
    const auto r = Type(typed);
    EXPECT_TRUE(r.scanned);
    EXPECT_EQ(r.match_text, "N0CATT N0CALL ") << typed;
  }
  // The key arrives upper-cased; the text before it is compared ignoring case.
  EXPECT_EQ(PartialDupeCheck(log_, "n0", 'C', "144 m", "fn20", true).match_text, "N0CATT N0CALL ");
  // Three characters already typed and still matching.
  auto r = Type("N0CA");
  EXPECT_EQ(r.match_text, "N0CATT N0CALL ");
  EXPECT_EQ(r.dialog, "Possible Duplicate!");
  r = Type("N0CAZ");
  EXPECT_EQ(r.match_text, "");
  EXPECT_EQ(r.dialog, " ");
  // A station worked twice is listed twice.
  log_.Add(Contact("N0CALL", "FN32"));
  EXPECT_EQ(Type("N0CAL").match_text, "N0CALL N0CALL ");
}

TEST_F(PartialDupeTest, KeysOutsideTheRangeAndSwitchedOff) {
  // Backspace and blank empty the list without a scan.
  for (char key : {'\b', ' ', '-', '['}) {
    const auto r = PartialDupeCheck(log_, "N0C", key, "144 M", "FN20", true);
    EXPECT_FALSE(r.scanned);
    EXPECT_EQ(r.match_text, "");
    EXPECT_EQ(r.dialog, " ");
  }
  // "." and "/" scan.
  EXPECT_TRUE(PartialDupeCheck(log_, "N0C", '/', "144 M", "FN20", true).scanned);
  EXPECT_EQ(Type("N0CA", false).dialog, " ");  // switched off: never "Possible Duplicate!"
  // Without the operating-time clock nothing blanks the status line.
  EXPECT_FALSE(PartialDupeCheck(log_, "N0CA", 'Z', "144 M", "FN20", true, false).dialog);
}

TEST_F(PartialDupeTest, MatchTextStopsOnceLongerThanTheCap) {
  ContactLog log;
  for (int i = 0; i < 40; ++i) log.Add(Contact("W" + std::to_string(1000 + i), "FN31"));
  // Each match adds six characters: 17 matches make 102 (> 100), the scan stops.
  const auto r = PartialDupeCheck(log, "", 'W', "144 M", "FN20", true);
  EXPECT_EQ(r.match_text.size(), 102u);
  EXPECT_EQ(r.match_text.substr(0, 6), "W1016 ");  // newest of those kept stands first
  EXPECT_EQ(r.match_text.substr(96), "W1000 ");

  // The shortest calls pass the cap too without overrunning anything.
  ContactLog tiny;
  for (int i = 0; i < 200; ++i) tiny.Add(Contact("W", "FN31"));
  EXPECT_EQ(PartialDupeCheck(tiny, "", 'W', "144 M", "FN20", true).match_text.size(), 102u);
}

TEST_F(PartialDupeTest, ThirdCharacterCheck) {
  struct Case {
    const char* typed;
    bool warns;
  };
  for (const Case c : {Case{"WA1", false}, Case{"WAA", true}, Case{"W/A", false},
                       Case{"W1A", false}, Case{"K0C", false}, Case{"ABC", true}}) {
    const auto r = Type(c.typed);
    EXPECT_EQ(r.beep, c.warns) << c.typed;
    EXPECT_EQ(r.dialog, c.warns ? "The second or third character is not numeric!" : " ") << c.typed;
  }
  // Only the third key is checked, and only keys that scan.
  EXPECT_FALSE(Type("WAAA").beep);
  EXPECT_FALSE(PartialDupeCheck(log_, "WA", '\b', "144 M", "FN20", true).beep);
  // With partial dupes off the check still runs.
  EXPECT_TRUE(Type("WAA", false).beep);
}

TEST(HoldAfterDupe, WaitsUntilThreeWholeSecondsAfterTheRefusal) {
  const LocalTime refused = MakeLocalTime(2007, 6, 9, 18, 30, 15, 0);
  using std::chrono::milliseconds;
  EXPECT_EQ(HoldAfterDupe(refused, refused + milliseconds{1000}), milliseconds{2000});
  // The refusal late in its second: the hold ends at the third whole second.
  EXPECT_EQ(HoldAfterDupe(refused + milliseconds{900}, refused + milliseconds{1000}),
            milliseconds{2000});
  EXPECT_EQ(HoldAfterDupe(refused, refused + milliseconds{60000}), milliseconds{0});
}

}  // namespace
}  // namespace vantrel

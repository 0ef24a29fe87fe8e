#include "log/log_maintenance.h"

#include <gtest/gtest.h>

#include "support/sample_contact.h"

#include <string>

namespace vantrel {
namespace {

ContactRecord Contact(const std::string& call, const std::string& grid = "FN31",
                      const std::string& band = "144 M", const std::string& own = "FN20") {
  ContactRecord r = SampleContact(call, grid, band);
  r.GridSent = own;
  return r;
}

TEST(MaintenanceNames, BackupAndArchiveNamesFromLocalTime) {
  const LocalTime t = MakeLocalTime(2007, 6, 9, 18, 30, 59, 999);
  EXPECT_EQ(BackupFileName(t), "200706091830.log");
  EXPECT_EQ(BackupFileName(MakeLocalTime(2008, 1, 2, 3, 4)), "200801020304.log");
  EXPECT_EQ(ReplacedLogFileName(t), "200706091830-replaced.log");
  EXPECT_EQ(ArchiveFileName("N0CALL", t), "N0CALL2007-06-09.log");
  EXPECT_EQ(ArchiveFileName("", t), "YourCall2007-06-09.log");
  // A portable call keeps only its leading plain part, so the name stays a file name.
  EXPECT_EQ(ArchiveFileName("W1AW/R", MakeLocalTime(2007, 12, 31, 23, 59)), "W1AW2007-12-31.log");
}

TEST(BackupRule, CountAgainstTheFirstNonEmptyLoad) {
  EXPECT_EQ(LoadedCountAfterLoad(0, 0), 0);
  EXPECT_EQ(LoadedCountAfterLoad(0, 10), 10);
  EXPECT_EQ(LoadedCountAfterLoad(10, 3), 10);
}

TEST(BackupRule, AnyChangeSinceTheFirstLoad) {
  const std::string ten = "ten contacts\r\n", nine = "nine\r\n";
  const std::string edited = "ten Contacts\r\n";  // same count, same size
  struct Row {
    std::string now;
    std::optional<LogFingerprint> first;
    bool due;
  };
  const Row rows[] = {
      {ten, FingerprintOf(""), true},      // logged into an empty log
      {nine, FingerprintOf(ten), true},    // one deleted
      {ten, FingerprintOf(ten), false},    // nothing changed
      {edited, FingerprintOf(ten), true},  // an edit kept the count
      {ten, std::nullopt, true},           // never loaded: keep it
      {"", FingerprintOf(ten), false},     // an emptied log is never backed up
      {"", FingerprintOf(""), false},
  };
  for (const Row& r : rows) EXPECT_EQ(BackupNeeded(r.now, r.first), r.due) << r.now;
}

TEST(MaintenanceNames, NumberedNamesNeverRepeat) {
  EXPECT_EQ(NumberedFileName("200706091830.log", 1), "200706091830.log");
  EXPECT_EQ(NumberedFileName("200706091830.log", 2), "200706091830-2.log");
  EXPECT_EQ(NumberedFileName("200706091830-replaced.log", 12), "200706091830-replaced-12.log");
  EXPECT_EQ(NumberedFileName("plain", 3), "plain-3");
}

TEST(EditChecks, BandAndModeExactCase) {
  for (const char* ok :
       {"50 M", "144 M", "222 M", "432 M", "902 M", "1.3 G", "2.3 G", "3.5 G", "5.8 G", "10 G"})
    EXPECT_TRUE(IsEditBand(ok)) << ok;
  for (const char* bad : {"24 G", "300 G", "144 m", "144M", "144 M ", " 144 M", "", "10 g"})
    EXPECT_FALSE(IsEditBand(bad)) << bad;
  EXPECT_TRUE(IsEditMode("PH"));
  EXPECT_TRUE(IsEditMode("CW"));
  for (const char* bad : {"ph", "Cw", "SSB", "", "PH "}) EXPECT_FALSE(IsEditMode(bad)) << bad;
}

TEST(EditDuplicates, ExactCaseAgainstEveryOtherRecord) {
  ContactLog log;
  log.Add(Contact("W1AW"));                           // 1
  log.Add(Contact("K2XX"));                           // 2, being edited
  log.Add(Contact("W1AW", "FN31", "432 M"));          // 3, other band
  log.Add(Contact("W1AW", "FN31", "144 M", "FN21"));  // 4, other own grid
  log.Add(Contact("W1AW"));                           // 5, a second copy of 1

  EditFields edit = EditFieldsOf(log.Record(2));
  edit.Call = "W1AW";
  EXPECT_EQ(EditDuplicates(log, 2, edit), (std::vector<int>{1, 5}));
  // The record itself never counts, so storing an unchanged record is fine.
  EXPECT_TRUE(EditDuplicates(log, 2, EditFieldsOf(log.Record(2))).empty());
  EXPECT_EQ(EditDuplicates(log, 1, EditFieldsOf(log.Record(1))), (std::vector<int>{5}));

  // Another letter case is no duplicate here, unlike at logging time.
  edit.Call = "w1aw";
  EXPECT_TRUE(EditDuplicates(log, 2, edit).empty());
  edit.Call = "W1AW";
  edit.GridRcvd = "fn31";
  EXPECT_TRUE(EditDuplicates(log, 2, edit).empty());
  edit.GridRcvd = "FN31";
  edit.Band = "144 m";
  EXPECT_TRUE(EditDuplicates(log, 2, edit).empty());

  // Mode, reports, date and time play no part; trailing blanks do not hide one.
  edit = EditFieldsOf(log.Record(1));
  edit.Mode = "CW";
  edit.RstRcvd = "";
  edit.Date = "2007/06/10";
  edit.Call = "W1AW  ";
  edit.GridSent = "FN20 ";
  EXPECT_EQ(EditDuplicates(log, 2, edit), (std::vector<int>{1, 5}));
}

TEST(StoreEdit, TrimsNormalisesAndKeepsFreq) {
  const ContactRecord original = Contact("K2XX");
  EditFields edit = EditFieldsOf(original);
  EXPECT_EQ(StoreEdit(original, edit), original);

  edit.Call = "W1AW ";
  edit.GridRcvd = "FN31pr  ";
  edit.GridSent = "FN20 ";
  edit.RstRcvd = "5 ";
  edit.Band = "432 M";
  edit.Mode = "CW";
  edit.Date = "6/9/2007";
  edit.Time = "9:05";
  const ContactRecord stored = StoreEdit(original, edit);
  EXPECT_EQ(stored.Call, "W1AW");
  EXPECT_EQ(stored.GridRcvd, "FN31pr");
  EXPECT_EQ(stored.GridSent, "FN20");
  EXPECT_EQ(stored.RstRcvd, "5");
  EXPECT_EQ(stored.RstSnt, "59");
  EXPECT_EQ(stored.Band, "432 M");
  EXPECT_EQ(stored.Mode, "CW");
  EXPECT_EQ(stored.Date, "2007/06/09");
  EXPECT_EQ(stored.Time, "09:05");
  EXPECT_EQ(stored.Freq, "144.200");

  edit.Time = "9:05:07";
  EXPECT_EQ(StoreEdit(original, edit).Time, "09:05:07");
  EXPECT_EQ(TrimTrailingBlanks("   "), "");
  EXPECT_EQ(TrimTrailingBlanks(" A B "), " A B");
}

}  // namespace
}  // namespace vantrel

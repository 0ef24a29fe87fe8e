#include "log/contact_list.h"

#include <gtest/gtest.h>

#include "support/sample_contact.h"

#include <string>

namespace vantrel {
namespace {

ContactRecord Contact(const std::string& call, const std::string& band = "144 M") {
  ContactRecord r = SampleContact(call, "FN31", band);
  r.RstSnt = "57";
  return r;
}

// Five and thirty contacts are covered with the real list; here the edges.
TEST(ListedRecords, EdgesOfTheLastTwenty) {
  EXPECT_TRUE(ListedRecords(0, false).empty());
  EXPECT_TRUE(ListedRecords(0, true).empty());
  EXPECT_EQ(ListedRecords(1, false), std::vector<int>{1});
  EXPECT_EQ(ListedRecords(19, false).size(), 19u);
  EXPECT_EQ(ListedRecords(20, false).size(), 20u);
  EXPECT_EQ(ListedRecords(20, false).back(), 1);
  EXPECT_EQ(ListedRecords(21, false).size(), 20u);
  EXPECT_EQ(ListedRecords(21, false).back(), 2);
  EXPECT_EQ(ListedRecords(12000, false).back(), 11981);
  EXPECT_EQ(ListedRecords(12000, true).size(), 12000u);
}

TEST(ContactListRow, ColumnsOfARecord) {
  ContactLog log;
  log.Add(Contact("W1AW"));
  ContactRecord second = Contact("K2XX", "10 G");
  second.RstRcvd.clear();
  second.GridRcvd = "FN12ab";
  log.Add(second);

  EXPECT_EQ(ContactListRowOf(log, 1),
            (ContactListRow{"1", "W1AW", "59", "FN31", "57", "06/09  18:30", "144", "FN20", "PH"}));
  EXPECT_EQ(ContactListRowOf(log, 2),
            (ContactListRow{"2", "K2XX", "", "FN12ab", "57", "06/09  18:30", "10 ", "FN20", "PH"}));
}

TEST(ContactListRow, BandColumnIsTheLabelsFirstThreeCharacters) {
  ContactLog log;
  for (const char* band : {"10 G", "1.3 G", "50 M", "144 M", "300 G", "", "2G"})
    log.Add(Contact("W1AW", band));
  const char* shown[] = {"10 ", "1.3", "50 ", "144", "300", "", "2G"};
  for (int i = 1; i <= log.ContactCount(); ++i)
    EXPECT_EQ(ContactListRowOf(log, i)[6], shown[i - 1]) << log.Record(i).Band;
}

TEST(ListDateTime, FormsOfDateAndTime) {
  EXPECT_EQ(ListDateTime("2007/06/09", "18:30:15"), "06/09  18:30");
  EXPECT_EQ(ListDateTime("2007/12/31", "00:00"), "12/31  00:00");
  // Post-contest and edited records may hold the other accepted forms.
  EXPECT_EQ(ListDateTime("6/9/2007", "9:05"), "06/09  09:05");
  // Damaged texts are shown as they stand rather than hidden.
  EXPECT_EQ(ListDateTime("2007/13/09", "25:00"), "2007/13/09  25:00");
  EXPECT_EQ(ListDateTime("", ""), "  ");
}

}  // namespace
}  // namespace vantrel

#include "common/date_time_text.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using std::chrono::year_month_day;

TEST(ParseDateText, AcceptedForms) {
  const year_month_day june9{std::chrono::year{2007}, std::chrono::June, std::chrono::day{9}};
  for (const char* text : {"2007/06/09", "2007/6/9", "6/9/2007", "06/09/2007", "2007-06-09"}) {
    const auto date = ParseDateText(text);
    ASSERT_TRUE(date.has_value()) << text;
    EXPECT_EQ(*date, june9) << text;
  }
  EXPECT_TRUE(ParseDateText("2008/02/29").has_value());
  EXPECT_TRUE(ParseDateText("2/29/2000").has_value());
}

TEST(ParseDateText, RefusesWhatIsNotARealDate) {
  for (const char* text : {"",
                           "/",
                           "//",
                           "2007/06",
                           "2007/06/09/01",
                           "2007/13/01",
                           "2007/00/10",
                           "2007/06/31",
                           "2007/02/29",
                           "1900/02/29",
                           "6/9/07",
                           "06-09-2007",
                           "2007-06/09",
                           "2007/06/09 ",
                           " 2007/06/09",
                           "2007/6a/9",
                           "2007/+6/9",
                           "20070/06/09",
                           "2007/006/09",
                           "0000/01/01",
                           "a/b/cdef",
                           "99999999999999999999/1/1"}) {
    EXPECT_FALSE(ParseDateText(text).has_value()) << '"' << text << '"';
  }
}

TEST(ParseTimeText, AcceptedAndRefusedForms) {
  EXPECT_EQ(ParseTimeText("9:30"), (TimeOfDay{9, 30, 0}));
  EXPECT_EQ(ParseTimeText("09:30"), (TimeOfDay{9, 30, 0}));
  EXPECT_EQ(ParseTimeText("18:30:15"), (TimeOfDay{18, 30, 15}));
  for (const char* text : {"", "930", "9:5", "24:00", "9:60", "12:30:60", "123:00", "12:30:", ":30",
                           "12:30:00:00", "-1:30"}) {
    EXPECT_FALSE(ParseTimeText(text).has_value()) << '"' << text << '"';
  }
}

struct PostContestCase {
  const char* name;
  const char* date_in;
  const char* time_in;
  PostContestError error;
  const char* date_out;
  const char* time_out;
};

class PostContestTest : public ::testing::TestWithParam<PostContestCase> {};

TEST_P(PostContestTest, NormalisesOrRefuses) {
  const auto& c = GetParam();
  const PostContestResult r = NormalisePostContest(c.date_in, c.time_in);
  EXPECT_EQ(r.error, c.error);
  EXPECT_EQ(r.date_text, c.date_out);
  EXPECT_EQ(r.time_text, c.time_out);
  switch (c.error) {
    case PostContestError::kNone:
      EXPECT_EQ(r.message, "");
      break;
    case PostContestError::kInvalidDate:
      EXPECT_EQ(r.message, "Invalid date format!");
      break;
    case PostContestError::kInvalidTime:
      EXPECT_EQ(r.message, "Invalid time format!");
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PostContestTest,
    ::testing::Values(PostContestCase{"ShortFormsFromTheOperator", "6/9/2007", "930",
                                      PostContestError::kNone, "2007/06/09", "09:30"},
                      PostContestCase{"TimeWithColon", "2007-06-09", "9:30",
                                      PostContestError::kNone, "2007/06/09", "09:30"},
                      // A bad date stops before the time is looked at; both fields unchanged.
                      PostContestCase{"BadDate", "2007/06/31", "930",
                                      PostContestError::kInvalidDate, "2007/06/31", "930"},
                      // A bad time after a good date: the date is already rewritten.
                      PostContestCase{"BadMinutes", "6/9/2007", "960",
                                      PostContestError::kInvalidTime, "2007/06/09", "9:60"},
                      PostContestCase{"HourTooLarge", "6/9/2007", "2400",
                                      PostContestError::kInvalidTime, "2007/06/09", "24:00"},
                      PostContestCase{"Letters", "6/9/2007", "9a0", PostContestError::kInvalidTime,
                                      "2007/06/09", "9a0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vantrel

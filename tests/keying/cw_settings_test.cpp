#include "keying/cw_settings.h"

#include <gtest/gtest.h>

#include <set>

namespace vantrel {
namespace {

CwSettings Sample() {
  CwSettings s;
  for (int i = 0; i < kCwMessageCount; ++i) s.messages[i] = "MSG " + std::to_string(i + 1) + " $";
  s.serial_port = "3";
  s.speed = "24";
  s.word_space = "-2";
  s.keying_line = 2;
  s.parallel_address = "&H278";
  s.show_text = 1;
  s.repeat_seconds = "4.5";
  return s;
}

TEST(CwSettingsFile, WritesEighteenLinesInFileOrderAndReadsThemBack) {
  const std::string text = FormatCwSettings(Sample());
  EXPECT_EQ(text,
            "\"MSG 1 $\"\r\n\"MSG 2 $\"\r\n\"MSG 3 $\"\r\n\"MSG 4 $\"\r\n\"MSG 5 $\"\r\n"
            "\"MSG 6 $\"\r\n\"MSG 7 $\"\r\n\"MSG 8 $\"\r\n\"MSG 9 $\"\r\n\"3\"\r\n\"24\"\r\n"
            "\"MSG 10 $\"\r\n\"MSG 11 $\"\r\n\"-2\"\r\n2\r\n\"&H278\"\r\n1\r\n\"4.5\"\r\n");
  CwSettings back;
  EXPECT_TRUE(ParseCwSettings(text, back).ok());
  EXPECT_EQ(back, Sample());
}

TEST(CwSettingsFile, DoubleQuotesInMessagesAreDroppedOnWrite) {
  CwSettings s;
  s.messages[0] = "CQ \"TEST\"";
  CwSettings back;
  ASSERT_TRUE(ParseCwSettings(FormatCwSettings(s), back).ok());
  EXPECT_EQ(back.messages[0], "CQ TEST");
}

TEST(CwSettingsFile, EmptyNinthMessageLoadsAsVvvDe) {
  CwSettings s = Sample();
  s.messages[8].clear();
  CwSettings back;
  ASSERT_TRUE(ParseCwSettings(FormatCwSettings(s), back).ok());
  EXPECT_EQ(back.messages[8], "VVV DE ");
}

// Short, damaged or non-numeric files: the values before the fault are
// taken, the rest keep their defaults, and Message 9 is not defaulted.
TEST(CwSettingsFile, ReadingStopsAtTheFirstBadValue) {
  const std::string good = FormatCwSettings(Sample());
  const struct {
    const char* name;
    std::string text;
    int items;
  } rows[] = {
      {"empty", "", 0},
      {"three lines", "\"A\"\r\n\"B\"\r\n\"C\"\r\n", 3},
      {"keying line not a number",
       good.substr(0, good.find("2\r\n\"&H278")) + "RTS\r\n\"&H278\"\r\n1\r\n\"4\"\r\n", 14},
      {"keying line out of range", good.substr(0, good.find("2\r\n\"&H278")) + "999\r\n", 14},
      {"show text flag 7", good.substr(0, good.find("1\r\n\"4.5")) + "7\r\n\"4.5\"\r\n", 16},
      {"unterminated quote", "\"A\"\r\n\"B", 1},
      {"binary", std::string("\"A\"\r\n\x01\x02\"\xff", 10), 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    CwSettings s;
    EXPECT_EQ(ParseCwSettings(row.text, s).items_read, row.items);
    EXPECT_EQ(s.messages[8], row.items >= 9 ? "MSG 9 $" : "");
    if (row.items < 15) {
      EXPECT_EQ(s.keying_line, 0);
    }
    if (row.items < 11) {
      EXPECT_EQ(s.speed, "13");
    }
    EXPECT_EQ(s.parallel_address, row.items >= 16 ? "&H278" : "&H378");
  }
}

TEST(CwSettingsFile, ReadsTheUpperCaseNameAndFallsBackToLowerCase) {
  const struct {
    std::set<std::string> present;
    const char* read;
  } rows[] = {{{"CW.txt"}, "CW.txt"},
              {{"cw.txt"}, "cw.txt"},
              {{"CW.txt", "cw.txt"}, "CW.txt"},
              {{}, "CW.txt"}};
  for (const auto& row : rows)
    EXPECT_EQ(CwSettingsFileToRead([&](const std::string& n) { return row.present.count(n) > 0; }),
              row.read);
}

TEST(CwSettingsFields, RepeatPeriodAcceptsZeroUpToUnderSixtySeconds) {
  const struct {
    const char* text;
    int period;  // -1: refused, field becomes "0"
  } rows[] = {{"0", 0},   {"5", 5000}, {"59.9", 59900}, {"0.0004", 0}, {"2.5", 2500}, {"60", -1},
              {"-1", -1}, {"", -1},    {"abc", -1},     {"1..2", -1},  {" 7 ", 7000}};
  for (const auto& row : rows) {
    const auto p = RepeatPeriodMs(row.text);
    EXPECT_EQ(p ? *p : -1, row.period) << row.text;
  }
}

TEST(CwSettingsFields, WordSpaceNeverBelowMinusEight) {
  const struct {
    const char* text;
    int value;
  } rows[] = {{"0", 0}, {"3", 3}, {"-8", -8}, {"-9", -8}, {"-1000", -8}, {"x", 0}, {"", 0}};
  for (const auto& row : rows) EXPECT_EQ(WordSpaceValue(row.text), row.value) << row.text;
}

TEST(CwSettingsFields, TimingMethodNames) {
  EXPECT_EQ(ParseCwTiming("Loop"), CwTiming::kLoop);
  EXPECT_EQ(ParseCwTiming("Sleep"), CwTiming::kSleep);
  EXPECT_EQ(ParseCwTiming("Timer"), CwTiming::kTimer);
  EXPECT_EQ(ParseCwTiming("loop"), CwTiming::kTimer);
  EXPECT_EQ(ParseCwTiming(""), CwTiming::kTimer);
  for (CwTiming t : {CwTiming::kTimer, CwTiming::kLoop, CwTiming::kSleep})
    EXPECT_EQ(ParseCwTiming(CwTimingName(t)), t);
}

}  // namespace
}  // namespace vantrel

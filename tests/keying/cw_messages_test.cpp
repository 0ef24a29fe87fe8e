#include "keying/cw_messages.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(CwMessageKeys, KeyCodesAndStringsRowsMapToMessageSlots) {
  const struct {
    int code;
    int slot;  // -1: none
  } rows[] = {{111, -1}, {112, 0},  {116, 4}, {120, 8},  {121, -1},
              {122, 10}, {123, -1}, {124, 9}, {125, -1}, {38, -1}};
  for (const auto& row : rows) {
    const auto slot = CwMessageSlot(row.code);
    EXPECT_EQ(slot ? *slot : -1, row.slot) << row.code;
  }
  const struct {
    int index;
    int code;
  } clicks[] = {{0, 112}, {8, 120}, {9, 124}, {10, 122}, {11, -1}, {-1, -1}, {12, -1}};
  for (const auto& row : clicks) {
    const auto code = CwStringsRowCode(row.index);
    EXPECT_EQ(code ? *code : -1, row.code) << row.index;
  }
}

TEST(CwMacros, WildcardsExpandFromTheCallAndReportFields) {
  const struct {
    const char* text;
    const char* call;
    const char* rst;
    const char* expanded;
  } rows[] = {
      {"TU $ 5NN", "k1abcd ", "", "TU k1abcd 5NN"},
      {"$ *", "W1AW", "599", "W1AW 5NN"},
      {"$ *", "W1AW", "", "W1AW 5NN"},
      {"$ *", "W1AW", "579", "W1AW 579"},
      {"$ *", "W1AW", "599 ", "W1AW 599"},
      {"$ *", "W1AW", " 59", "W1AW 59"},
      {"NR ## # END", "X", "", "NR   END"},
      {"$$", "", "", ""},
      {"$$", "  ", "", ""},
      {"QSO ! TU", "", "", "QSO ! TU"},
      // A pass does not rescan what it inserted, but the later passes ("#",
      // then "*") do see it.
      {"$ *", "A$*#B", "5#9", "A$5#9B 5#9"},
      {"", "W1AW", "", ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(ExpandCWMacros(row.text, row.call, row.rst), row.expanded) << row.text;
}

TEST(CwMacros, MessageKeyDecidesTextAndRepeat) {
  CwSettings s;
  s.keying_line = 2;
  s.messages[0] = "CQ TEST $";
  s.messages[1] = "TU $ *";
  s.messages[9] = "F10";
  s.repeat_seconds = "5";

  auto a = CwMessageForKey(s, 113, "k1abcd ", "599");
  EXPECT_EQ(a.text.value_or("-"), "TU k1abcd 5NN");
  EXPECT_FALSE(a.arm_repeat);

  a = CwMessageForKey(s, 112, "", "");
  EXPECT_EQ(a.text.value_or("-"), "CQ TEST ");
  EXPECT_TRUE(a.arm_repeat);
  EXPECT_EQ(CwMessageForKey(s, 124, "", "").text.value_or("-"), "F10");

  // Empty message, codes without a message, codes outside 112..124.
  for (int code : {114, 121, 123, 111, 125})
    EXPECT_FALSE(CwMessageForKey(s, code, "", "").text) << code;

  s.repeat_seconds = "0";
  EXPECT_FALSE(CwMessageForKey(s, 112, "", "").arm_repeat);
  s.repeat_seconds = "junk";
  EXPECT_FALSE(CwMessageForKey(s, 112, "", "").arm_repeat);

  // No keying line: nothing from any key, not even arming the repeat.
  s.repeat_seconds = "5";
  s.keying_line = 0;
  for (int code = 112; code <= 124; ++code) {
    const auto none = CwMessageForKey(s, code, "W1AW", "");
    EXPECT_FALSE(none.text);
    EXPECT_FALSE(none.arm_repeat);
  }
}

TEST(CwRepeat, CycleRunsFromEachFinishedSendingUntilAKey) {
  CwRepeatCycle cycle;
  EXPECT_FALSE(cycle.SendFinished());  // not armed: no timer
  cycle.MessageSent(true);
  EXPECT_TRUE(cycle.armed());
  EXPECT_FALSE(cycle.timer_running());  // the interval counts from the end
  EXPECT_TRUE(cycle.SendFinished());
  EXPECT_TRUE(cycle.TimerFired());  // send F1 again
  EXPECT_FALSE(cycle.timer_running());
  cycle.MessageSent(true);
  EXPECT_TRUE(cycle.SendFinished());
  EXPECT_TRUE(cycle.Stop());  // the key empties the buffer too
  EXPECT_FALSE(cycle.armed());
  EXPECT_FALSE(cycle.timer_running());
  EXPECT_FALSE(cycle.TimerFired());  // a tick already queued sends nothing
  EXPECT_FALSE(cycle.Stop());
  // Another message key does not disarm a running cycle.
  cycle.MessageSent(true);
  cycle.MessageSent(false);
  EXPECT_TRUE(cycle.armed());
}

}  // namespace
}  // namespace vantrel

#include "keying/keying_engine.h"

#include <gtest/gtest.h>

#include <string>

#include "keying/morse.h"
#include "keying/parallel_key_line.h"
#include "support/keying_doubles.h"

namespace vantrel {
namespace {

constexpr std::int64_t kMs = 1'000'000;

struct Rig {
  ManualKeyingClock clock;
  RecordingKeyLine line{clock};
  KeyingEngine engine{clock};
  int marks = 0, refused = 0, failed = 0, finished = 0;
  std::string progress;

  explicit Rig(double wpm = 20, CwTiming timing = CwTiming::kSleep, int space = 0) {
    engine.SetLine(&line);
    engine.SetWpm(wpm);
    engine.SetTiming(timing);
    engine.SetWordSpace(space);
    engine.SetLoopsPer60ms(1'200'000);
    engine.set_events({[this] { ++marks; }, [this] { ++refused; }, [this] { ++failed; },
                       [this](const std::string& waiting) { progress += "[" + waiting + "]"; },
                       [this] { ++finished; }});
  }
  // Keys `text` as one send operation; the ms it took from the first change.
  double Send(std::string_view text) {
    engine.Append(text);
    engine.RunSendOperation();
    const auto c = line.changes();
    return c.empty() ? 0 : static_cast<double>(clock.NowNs() - c.front().ns) / 1e6;
  }
};

// Timelines: "+t" key down, "-t" key up, in ms from the first change; then
// the length of the whole operation.
struct Row {
  const char* name;
  const char* text;
  double wpm;
  CwTiming timing;
  int space;
  const char* timeline;
  double total_ms;
};

class KeyingTimeline : public testing::TestWithParam<Row> {};

TEST_P(KeyingTimeline, LineChangesAtTheIdealTimes) {
  const Row& row = GetParam();
  Rig rig(row.wpm, row.timing, row.space);
  const double total = rig.Send(row.text);
  EXPECT_EQ(rig.line.Timeline(), row.timeline);
  EXPECT_DOUBLE_EQ(total, row.total_ms);
  EXPECT_FALSE(rig.line.down());
  EXPECT_FALSE(rig.engine.Sending());
  EXPECT_EQ(rig.finished, 1);
}

const Row kRows[] = {
    {"E20", "E", 20, CwTiming::kSleep, 0, "+0 -60", 240},
    {"T20", "T", 20, CwTiming::kSleep, 0, "+0 -180", 360},
    {"E20Timer", "E", 20, CwTiming::kTimer, 0, "+0 -60", 240},
    {"T20Timer", "T", 20, CwTiming::kTimer, 0, "+0 -180", 360},
    {"LowerCaseA", "a", 20, CwTiming::kSleep, 0, "+0 -60 +120 -300", 480},
    // Word gap: three closing elements of "E" plus the blank's own.
    {"SpaceAdj0", "E E", 20, CwTiming::kSleep, 0, "+0 -60 +720 -780", 960},
    {"SpaceAdjMinus8", "E E", 20, CwTiming::kSleep, -8, "+0 -60 +240 -300", 480},
    {"SpaceAdjPlus2", "E E", 20, CwTiming::kSleep, 2, "+0 -60 +840 -900", 1080},
    {"ProsignAR", "[", 20, CwTiming::kSleep, 0, "+0 -60 +120 -300 +360 -420 +480 -660 +720 -780",
     960},
    {"BTFromMinus", "-", 20, CwTiming::kSleep, 0, "+0 -180 +240 -300 +360 -420 +480 -540 +600 -780",
     960},
    {"BTFromEquals", "=", 20, CwTiming::kSleep, 0,
     "+0 -180 +240 -300 +360 -420 +480 -540 +600 -780", 960},
    // Characters without a pattern take no time.
    {"NoPatternNoTime", "$E#*\x01", 20, CwTiming::kSleep, 0, "+0 -60", 240},
    // 13 WPM: 92.3 ms rounds up to the next tick with "Timer", to the
    // nearest ms with "Sleep".
    {"E13Timer", "E", 13, CwTiming::kTimer, 0, "+0 -93", 372},
    {"E13Sleep", "E", 13, CwTiming::kSleep, 0, "+0 -92", 368},
    // "Loop": 1,200,000 rounds per 60 ms at 20 WPM (the clock double counts
    // 50 ns a round), half as many at 40.
    {"E20Loop", "E", 20, CwTiming::kLoop, 0, "+0 -60", 240},
    {"E40Loop", "E", 40, CwTiming::kLoop, 0, "+0 -30", 120},
};

INSTANTIATE_TEST_SUITE_P(Keying, KeyingTimeline, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// A wait that returns late shortens the next element; the edges after it
// keep their places. Held up for longer than an element (a suspended
// machine), the timing starts again from then.
TEST(KeyingDeadlines, LateWakeUpIsMadeUpByTheNextElement) {
  const struct {
    CwTiming timing;
    std::int64_t late_ms;
    const char* timeline;
  } rows[] = {{CwTiming::kSleep, 12, "+0 -72 +240 -300"},
              {CwTiming::kTimer, 12, "+0 -72 +240 -300"},
              {CwTiming::kSleep, 100, "+0 -160 +340 -400"},
              {CwTiming::kTimer, 100, "+0 -160 +340 -400"}};
  for (const auto& row : rows) {
    Rig rig(20, row.timing);
    // The Timer method's first wait aligns the start to a clock tick.
    if (row.timing == CwTiming::kTimer) rig.clock.late.push_back(0);
    rig.clock.late.push_back(row.late_ms * kMs);
    rig.Send("EE");
    EXPECT_EQ(rig.line.Timeline(), row.timeline) << row.late_ms;
  }
}

TEST(KeyingLoop, CountsTheCalibratedRoundsPerElement) {
  Rig rig(40, CwTiming::kLoop);
  rig.engine.SetLoopsPer60ms(1'200'000);
  rig.Send("E");
  ASSERT_EQ(rig.clock.counted.size(), 4u);
  for (double n : rig.clock.counted) EXPECT_EQ(n, 600'000.0);
}

TEST(KeyingLoop, CalibrationTimesFiveMillionRounds) {
  ManualKeyingClock clock(123'456'789);
  clock.ns_per_round = 50;  // 5,000,000 rounds take 250 ms
  EXPECT_EQ(CalibrateLoops(clock), 1'200'000.0);
  clock.ns_per_round = 0.01;  // faster than the clock can see
  EXPECT_EQ(CalibrateLoops(clock), 300'000'000.0);
}

// The printer port keys with the control register: 3 down, 2 up.
TEST(KeyingParallel, WritesTheControlRegister) {
  struct Port : ParallelPort {
    void Write(std::uint16_t address, std::uint8_t value) override {
      writes += std::to_string(address) + ":" + std::to_string(value) + " ";
    }
    std::string writes;
  } port;
  ManualKeyingClock clock;
  ParallelKeyLine line(port, 0x378);
  KeyingEngine engine(clock);
  engine.SetLine(&line);
  engine.SetWpm(20);
  engine.Append("E");
  engine.RunSendOperation();
  EXPECT_EQ(port.writes, "890:3 890:2 890:2 890:2 890:2 ");
}

TEST(KeyingOrder, NewMessageKeyReplacesTheRestAfterTheCurrentCharacter) {
  Rig rig(20);
  // During the first "T" (0..360 ms) a message key empties the buffer and
  // appends its own text.
  rig.clock.At(100 * kMs, [&] {
    rig.engine.Clear();
    rig.engine.Append("E");
  });
  rig.Send("TTT");
  EXPECT_EQ(rig.line.Timeline(), "+0 -180 +360 -420");
  EXPECT_EQ(rig.finished, 1);
}

TEST(KeyingOrder, BackspaceRemovesQueuedCharactersOnly) {
  Rig rig(20);
  rig.clock.At(10 * kMs, [&] {
    EXPECT_TRUE(rig.engine.RemoveLast());  // the "T" still waiting
    EXPECT_FALSE(rig.engine.RemoveLast());
  });
  rig.Send("ET");
  EXPECT_EQ(rig.line.Timeline(), "+0 -60");
  EXPECT_EQ(rig.progress, "[]");
}

TEST(KeyingOrder, AbortEndsAfterTheCharacterWithTheLineUp) {
  Rig rig(20);
  rig.clock.At(30 * kMs, [&] { rig.engine.Clear(); });
  EXPECT_DOUBLE_EQ(rig.Send("EEE"), 240);
  EXPECT_EQ(rig.line.Timeline(), "+0 -60");
  EXPECT_FALSE(rig.line.down());
}

TEST(KeyingOrder, TypingAheadQueuesAndProgressShowsWhatWaits) {
  Rig rig(20);
  rig.clock.At(30 * kMs, [&] { rig.engine.Append("T"); });
  rig.Send("E");
  EXPECT_EQ(rig.line.Timeline(), "+0 -60 +240 -420");
  EXPECT_EQ(rig.progress, "[T][]");
}

TEST(KeyingOrder, SpeedChangeActsAtTheNextElement) {
  Rig rig(20);
  rig.clock.At(30 * kMs, [&] { rig.engine.SetWpm(40); });
  rig.Send("A");  // dot at 20 WPM, the rest at 40
  EXPECT_EQ(rig.line.Timeline(), "+0 -60 +90 -180");
}

TEST(KeyingFaults, SpeedZeroOrBelowReleasesTheLineAndDropsTheBuffer) {
  for (double wpm : {0.0, -3.0}) {
    Rig rig(20);
    rig.clock.At(30 * kMs, [&] { rig.engine.SetWpm(wpm); });
    rig.Send("TEST");
    EXPECT_EQ(rig.line.Timeline(), "+0 -60") << wpm;  // cut at the dash's first boundary
    EXPECT_FALSE(rig.line.down());
    EXPECT_EQ(rig.refused, 1);
    EXPECT_EQ(rig.engine.Buffer(), "");
  }
}

TEST(KeyingFaults, FailingLineEndsEachCharacterAndReportsOnce) {
  Rig rig(20);
  rig.line.fail_after = 3;  // the port vanishes inside the first "A"
  rig.Send("AAA");
  EXPECT_EQ(rig.failed, 1);
  EXPECT_EQ(rig.finished, 1);
  EXPECT_EQ(rig.engine.Buffer(), "");
  EXPECT_EQ(rig.line.Timeline(), "+0 -60 +120");  // the last Set(false) failed too
}

TEST(KeyingFaults, StopNowEndsMidCharacterAtAnElementBoundary) {
  Rig rig(20);
  rig.clock.At(130 * kMs, [&] { rig.engine.StopNow(); });
  rig.Send("0");
  EXPECT_EQ(rig.line.Timeline(), "+0 -180");
  EXPECT_FALSE(rig.line.down());
  EXPECT_FALSE(rig.engine.Sending());
  // The next operation is not stopped by the earlier request.
  EXPECT_GT(rig.Send("E"), 0);
  EXPECT_EQ(rig.line.changes().size(), 4u);
}

TEST(KeyingFaults, TimerGuardSkipsTheCharacterNearTheClockWrap) {
  // Start a few ms before the guard: the first element would end past it.
  ManualKeyingClock near((4294967296LL - 2003) * kMs);
  RecordingKeyLine line(near);
  KeyingEngine engine(near);
  engine.SetLine(&line);
  engine.SetWpm(20);
  engine.SetTiming(CwTiming::kTimer);
  engine.Append("TT");
  engine.RunSendOperation();
  EXPECT_EQ(line.Timeline(), "+0 -0 +0 -0");
  EXPECT_FALSE(line.down());
  EXPECT_LT(near.NowNs() - (4294967296LL - 2003) * kMs, 2 * kMs);
}

TEST(KeyingMarks, ExclamationMarkIsReportedWhereTheSendingReachesIt) {
  Rig rig(20);
  int marks_before_t = -1;
  rig.clock.At(250 * kMs, [&] { marks_before_t = rig.marks; });
  rig.Send("E!T");
  EXPECT_EQ(rig.marks, 1);
  EXPECT_EQ(marks_before_t, 1);  // after "E" ended at 240 ms, before "T"
  EXPECT_EQ(rig.line.Timeline(), "+0 -60 +240 -420");
}

TEST(KeyingBuffer, LongMessageIsKeyedWhole) {
  Rig rig(100);
  std::string text;
  for (int i = 0; i < 10'000; ++i) text += "PARIS "[i % 6];
  std::int64_t elements = 0;
  for (char c : text) elements += static_cast<std::int64_t>(MorseElements(c, 0).size());
  EXPECT_DOUBLE_EQ(rig.Send(text), static_cast<double>(elements * 12));
  EXPECT_EQ(rig.finished, 1);
}

}  // namespace
}  // namespace vantrel

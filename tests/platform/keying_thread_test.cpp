// The keying engine on its own thread with the real clock, against a line
// that records when each change happened.
#include <gtest/gtest.h>

#include <sys/ioctl.h>
#include <cmath>
#include <string>
#include <vector>

#include "keying/keying_engine.h"
#include "keying/morse.h"
#include "platform/keying_clock.h"
#include "platform/modem_key_line.h"
#include "support/keying_doubles.h"

namespace vantrel {
namespace {

// The ideal changes of `text` in elements from the first one.
std::vector<std::pair<long, bool>> IdealEdges(const std::string& text) {
  std::vector<std::pair<long, bool>> edges;
  long t = 0;
  bool down = false;
  for (char c : text)
    for (char e : MorseElements(c, 0)) {
      if ((e == '1') != down) {
        down = !down;
        edges.emplace_back(t, down);
      }
      ++t;
    }
  for (auto& e : edges) e.first -= edges.front().first;
  return edges;
}

class KeyingThreadReal : public testing::TestWithParam<CwTiming> {};

// The order and element position of every change equals the ideal
// timeline; positions are rounded to whole elements, so a loaded test
// machine does not make this a timing test.
TEST_P(KeyingThreadReal, SendsAWordGapAndLettersInTheIdealOrder) {
  PosixKeyingClock clock;
  RecordingKeyLine line(clock);
  KeyingEngine engine(clock);
  engine.SetLine(&line);
  engine.SetWpm(40);
  engine.SetTiming(GetParam());
  int finished = 0;
  KeyingEngine::Events events;
  events.finished = [&] { ++finished; };
  engine.set_events(events);
  {
    KeyingThread thread(engine);
    engine.Append("PA RIS");
    EXPECT_TRUE(engine.Sending());
    engine.WaitIdle();
  }
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(line.down());
  const auto changes = line.changes();
  const auto ideal = IdealEdges("PA RIS");
  ASSERT_EQ(changes.size(), ideal.size());
  for (std::size_t i = 0; i < ideal.size(); ++i) {
    const double elements = static_cast<double>(changes[i].ns - changes[0].ns) / 30e6;
    EXPECT_EQ(std::lround(elements), ideal[i].first) << i;
    EXPECT_EQ(changes[i].down, ideal[i].second) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Timing, KeyingThreadReal,
                         testing::Values(CwTiming::kTimer, CwTiming::kSleep));

// Program exit and port changes: the thread stops within an element, with
// the line up, and queued text is dropped.
TEST(KeyingThreadStop, StoppingMidCharacterReleasesTheLine) {
  PosixKeyingClock clock;
  RecordingKeyLine line(clock);
  KeyingEngine engine(clock);
  engine.SetLine(&line);
  engine.SetWpm(5);  // 240 ms elements: "0" takes over five seconds
  engine.SetTiming(CwTiming::kSleep);
  const std::int64_t start = clock.NowNs();
  {
    KeyingThread thread(engine);
    engine.Append("000");
    while (!line.down()) {
    }
  }  // the destructor stops and joins
  EXPECT_FALSE(line.down());
  EXPECT_FALSE(engine.Sending());
  EXPECT_EQ(engine.Buffer(), "");
  EXPECT_LT(clock.NowNs() - start, 1'000'000'000);
}

TEST(KeyingThreadStop, StopNowThenWaitIdleFromAnotherThread) {
  PosixKeyingClock clock;
  RecordingKeyLine line(clock);
  KeyingEngine engine(clock);
  engine.SetLine(&line);
  engine.SetWpm(5);
  engine.SetTiming(CwTiming::kTimer);
  KeyingThread thread(engine);
  engine.Append("TTT");
  while (!line.down()) {
  }
  engine.StopNow();
  engine.WaitIdle();
  EXPECT_FALSE(line.down());
  // A new send runs normally afterwards.
  engine.SetWpm(60);
  engine.Append("E");
  engine.WaitIdle();
  EXPECT_EQ(line.changes().size(), 4u);
}

struct ModemLog {
  std::vector<std::string> calls;
  ModemCalls Calls(int ioctl_result = 0) {
    return {[this](int fd) {
              calls.push_back("dup " + std::to_string(fd));
              return 40 + fd;
            },
            [this, ioctl_result](int fd, unsigned long request, int* bits) {
              calls.push_back(std::to_string(fd) + (request == TIOCMBIS ? " on " : " off ") +
                              (*bits == TIOCM_DTR   ? "DTR"
                               : *bits == TIOCM_RTS ? "RTS"
                                                    : "?"));
              return ioctl_result;
            },
            [this](int fd) { calls.push_back("close " + std::to_string(fd)); }};
  }
};

TEST(ModemKeyLine, SwitchesItsLineOnItsOwnDescriptorAndReleasesOnDestruction) {
  ModemLog log;
  {
    ModemKeyLine dtr(3, ModemLine::kDtr, log.Calls());
    EXPECT_TRUE(dtr.Set(true));
    EXPECT_TRUE(dtr.Set(false));
    ModemKeyLine rts(4, ModemLine::kRts, log.Calls());
    EXPECT_TRUE(rts.Set(true));
  }
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{"dup 3", "43 on DTR", "43 off DTR", "dup 4", "44 on RTS",
                                      "44 off RTS", "close 44", "43 off DTR", "close 43"}));
}

TEST(ModemKeyLine, AVanishedDeviceFailsEverySet) {
  ModemLog log;
  ModemKeyLine gone(3, ModemLine::kDtr, log.Calls(-1));
  EXPECT_FALSE(gone.Set(true));
  EXPECT_FALSE(gone.Set(false));
  ModemKeyLine none(-1, ModemLine::kRts, log.Calls());
  EXPECT_FALSE(none.Set(true));
}

}  // namespace
}  // namespace vantrel

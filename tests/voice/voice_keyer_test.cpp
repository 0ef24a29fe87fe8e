#include "voice/voice_keyer.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/fake_wave_player.h"
#include "support/manual_millisecond_clock.h"
#include "support/recording_serial_port.h"

namespace vantrel {
namespace {

struct ParallelWrites : ParallelPort {
  void Write(std::uint16_t address, std::uint8_t value) override {
    writes.push_back(std::to_string(address) + "=" + std::to_string(value));
  }
  std::vector<std::string> writes;
};

// Runs the two timers on the manual clock the way the window's QTimers do.
struct Timers : VoiceTimers {
  void StartPoll() override { poll = true; }
  void StopPoll() override { poll = false; }
  void StartRepeat(int ms) override { repeat_due = ms; }
  void StopRepeat() override { repeat_due.reset(); }
  bool poll = false;
  std::optional<int> repeat_due;  // ms left
};

class VoiceKeyerTest : public ::testing::Test {
 protected:
  VoiceKeyerTest() {
    player.lengths = {{"/w/f1.wav", 1000}, {"/w/f2.wav", 500}};
    keyer.settings().files[0] = "/w/f1.wav";
    keyer.settings().files[1] = " /w/f2.wav ";
    keyer.OnReleaseOtherPorts([this] { serial.events.push_back("others released"); });
  }
  void Run(int ms) {
    for (int t = 0; t < ms; t += kVoicePollMs) {
      clock.Advance(kVoicePollMs);
      if (timers.poll) keyer.PollTick();
      if (timers.repeat_due && (*timers.repeat_due -= kVoicePollMs) <= 0) keyer.RepeatFired();
    }
  }
  void Use(const char* port, std::optional<PttLine> line) {
    keyer.settings().port = port;
    keyer.settings().line = line;
  }

  ManualMillisecondClock clock;
  FakeWavePlayer player{clock};
  RecordingSerialPort serial;
  ParallelWrites parallel;
  Timers timers;
  VoiceKeyer keyer{player, serial, parallel, timers};
};

TEST_F(VoiceKeyerTest, PttLineOfEachChoice) {
  // 0x37A = 890: the control register of the port at &H378.
  const struct {
    const char* name;
    const char* port;
    std::optional<PttLine> line;
    std::vector<std::string> serial;
    std::vector<std::string> parallel;
  } rows[] = {
      {"no port, RTS: no line", "0", PttLine::kRts, {}, {}},
      {"no port, parallel", "0", PttLine::kParallel, {}, {"890=3", "890=2"}},
      {"RTS",
       "2",
       PttLine::kRts,
       {"others released", "DTR off", "RTS off", "open COM2 9600,N,8,1", "RTS on", "RTS off"},
       {}},
      {"DTR",
       "2",
       PttLine::kDtr,
       {"others released", "DTR off", "RTS off", "open COM2 9600,N,8,1", "DTR on", "DTR off"},
       {}},
      {"port and parallel: both",
       "2",
       PttLine::kParallel,
       {"others released", "DTR off", "RTS off", "open COM2 9600,N,8,1", "RTS on", "RTS off"},
       {"890=3", "890=2"}},
      {"none chosen: RTS",
       "2",
       std::nullopt,
       {"others released", "DTR off", "RTS off", "open COM2 9600,N,8,1", "RTS on", "RTS off"},
       {}},
      {"port field not a number", "x", PttLine::kDtr, {}, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    serial.Close();
    serial.events.clear();
    parallel.writes.clear();
    Use(row.port, row.line);
    ASSERT_TRUE(keyer.FKeyPhone(112));
    Run(960);
    EXPECT_TRUE(keyer.IsPlaying());
    Run(80);
    EXPECT_FALSE(keyer.IsPlaying());
    EXPECT_FALSE(keyer.PttOn());
    EXPECT_FALSE(timers.poll);
    EXPECT_EQ(serial.events, row.serial);
    EXPECT_EQ(parallel.writes, row.parallel);
  }
}

TEST_F(VoiceKeyerTest, KeysWithoutAMessagePlayNothing) {
  Use("2", PttLine::kRts);
  for (int code : {111, 114, 120, 121, 122, 123, 124}) {
    EXPECT_FALSE(keyer.FKeyPhone(code)) << code;
    EXPECT_FALSE(timers.poll);
  }
  EXPECT_TRUE(serial.events.empty()) << "no PTT for an empty field";
  EXPECT_FALSE(keyer.VoiceRepeatArmed());
}

TEST_F(VoiceKeyerTest, AKeyDuringAPlayingCutsItOffWithPttHeld) {
  Use("1", PttLine::kRts);
  keyer.FKeyPhone(112);
  Run(400);
  serial.events.clear();
  ASSERT_TRUE(keyer.FKeyPhone(113));
  EXPECT_EQ(player.events.back(), "play /w/f2.wav");
  Run(440);
  EXPECT_TRUE(keyer.IsPlaying()) << "F2 plays its own length";
  EXPECT_EQ(serial.events, std::vector<std::string>{"RTS on"}) << "never off in between";
  Run(80);
  EXPECT_EQ(serial.events.back(), "RTS off");

  // An empty key during a playing ends it and lets the line go.
  keyer.FKeyPhone(112);
  Run(200);
  keyer.FKeyPhone(115);
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_FALSE(timers.poll);
}

TEST_F(VoiceKeyerTest, F1RepeatsAfterTheIntervalUntilStopped) {
  keyer.SetRepeatPeriodMs(10000);
  keyer.FKeyPhone(112);
  EXPECT_TRUE(keyer.VoiceRepeatArmed());
  Run(1040);
  EXPECT_FALSE(keyer.IsPlaying());
  ASSERT_TRUE(timers.repeat_due);
  Run(9960);
  EXPECT_EQ(player.events, (std::vector<std::string>{"play /w/f1.wav", "close", "play /w/f1.wav"}));
  EXPECT_TRUE(keyer.IsPlaying());
  keyer.StopRepeating();
  EXPECT_FALSE(keyer.VoiceRepeatArmed());
  Run(20000);
  EXPECT_EQ(player.events.size(), 3u) << "the playing ends, no more repeats";

  // Other keys never arm it; F1 with no interval neither.
  keyer.SetRepeatPeriodMs(0);
  keyer.FKeyPhone(112);
  EXPECT_FALSE(keyer.VoiceRepeatArmed());
  keyer.SetRepeatPeriodMs(5000);
  keyer.FKeyPhone(113);
  EXPECT_FALSE(keyer.VoiceRepeatArmed());
}

TEST_F(VoiceKeyerTest, EscStopsAndPttGoesAtTheNextPoll) {
  Use("1", PttLine::kDtr);
  keyer.FKeyPhone(112);
  Run(200);
  EXPECT_TRUE(keyer.StopPlaying());
  EXPECT_EQ(player.events.back(), "stop");
  Run(40);
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_EQ(serial.events.back(), "DTR off");
  EXPECT_FALSE(keyer.StopPlaying()) << "nothing plays: Esc does its usual work";
}

TEST_F(VoiceKeyerTest, PttNeverStaysOnWhenAFileDoesNotPlay) {
  Use("1", PttLine::kParallel);
  std::vector<std::string> no_audio;
  keyer.OnNoAudio([&](const std::string& why) { no_audio.push_back(why); });

  keyer.settings().files[2] = "/w/missing.wav";
  EXPECT_FALSE(keyer.FKeyPhone(114));
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_EQ(serial.events.back(), "RTS off");
  EXPECT_EQ(parallel.writes.back(), "890=2");
  EXPECT_FALSE(timers.poll);
  EXPECT_TRUE(no_audio.empty()) << "a bad file is silent";

  player.play_failure = "no sound card";
  EXPECT_FALSE(keyer.FKeyPhone(112));
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_EQ(no_audio, std::vector<std::string>{"no sound card"});
}

TEST_F(VoiceKeyerTest, SettingsChangedDuringAPlayingReleaseWhatWasKeyed) {
  Use("1", PttLine::kRts);
  keyer.FKeyPhone(112);
  Use("1", PttLine::kDtr);
  keyer.settings().parallel = "&H278";
  Run(1040);
  EXPECT_EQ(serial.events.back(), "RTS off");
  EXPECT_TRUE(parallel.writes.empty());
}

TEST_F(VoiceKeyerTest, PortSharedWithTheOtherKeyers) {
  Use("3", PttLine::kRts);
  int invalid = 0;
  keyer.OnInvalidPort([&] { ++invalid; });

  // The CW keyer takes the port in the middle of a playing: PTT off, closed.
  keyer.FKeyPhone(112);
  keyer.ReleasePttPort();
  EXPECT_FALSE(keyer.PttPortOpen());
  EXPECT_FALSE(keyer.PttOn());
  Run(1040);
  serial.events.clear();
  // The next playing takes it back, asking the others to let go first.
  keyer.FKeyPhone(113);
  EXPECT_EQ(serial.events.front(), "others released");
  EXPECT_TRUE(keyer.PttPortOpen());
  Run(600);

  // A port that will not open: the message, and the playing goes ahead.
  keyer.ReleasePttPort();
  serial.refuse_open = "busy";
  EXPECT_TRUE(keyer.FKeyPhone(112));
  EXPECT_EQ(invalid, 1);
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_TRUE(keyer.OpenPttPort() == false && invalid == 2);
  Use("0", PttLine::kRts);
  EXPECT_TRUE(keyer.OpenPttPort()) << "no port set: nothing to open";
}

TEST_F(VoiceKeyerTest, ShutdownLetsEverythingGo) {
  Use("1", PttLine::kParallel);
  keyer.SetRepeatPeriodMs(3000);
  keyer.FKeyPhone(112);
  keyer.Shutdown();
  EXPECT_FALSE(keyer.IsPlaying());
  EXPECT_FALSE(keyer.PttOn());
  EXPECT_FALSE(keyer.PttPortOpen());
  EXPECT_FALSE(keyer.VoiceRepeatArmed());
  EXPECT_FALSE(timers.poll);
  EXPECT_FALSE(timers.repeat_due);
  EXPECT_EQ(parallel.writes.back(), "890=2");
}

}  // namespace
}  // namespace vantrel

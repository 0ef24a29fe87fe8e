#include "rig/rigctld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "rig/rig_command.h"
#include "rig/rig_poller.h"

namespace vantrel {
namespace {

RigReading Before() {
  RigReading r;
  r.state = {50.125, "CW"};
  return r;
}

struct ReplyRow {
  const char* name;
  std::string reply;
  double frequency;  // MHz after the parse
  const char* mode;
};

// The frequency and mode a read gives, malformed and refused replies
// included: those keep what was read before.
TEST(RigctldReply, ReadingOrTheOldOne) {
  const ReplyRow rows[] = {
      {"both",
       "get_freq:\nFrequency: 144200000\nRPRT 0\nget_mode:\nMode: USB\nPassband: 2400\nRPRT 0\n",
       144.2, "PH"},
      {"23 cm to the hertz", "get_freq:\nFrequency: 1296100000\nRPRT 0\n", 1296.1, "CW"},
      {"fraction printed", "get_freq:\nFrequency: 432100000.000000\nRPRT 0\n", 432.1, "CW"},
      {"CR LF lines", "get_freq:\r\nFrequency: 144200000\r\nRPRT 0\r\n", 144.2, "CW"},
      {"reverse CW", "get_mode:\nMode: CWR\nPassband: 500\nRPRT 0\n", 50.125, "CW"},
      {"FM is phone", "get_mode:\nMode: FM\nPassband: 15000\nRPRT 0\n", 50.125, "PH"},
      {"empty", "", 50.125, "CW"},
      {"empty lines", "\n\n\n", 50.125, "CW"},
      {"refused", "get_freq:\nRPRT -1\n", 50.125, "CW"},
      {"refused after a value", "get_freq:\nFrequency: 7000000\nRPRT -5\n", 50.125, "CW"},
      {"frequency not a number", "get_freq:\nFrequency: 14.2MHz\nRPRT 0\n", 50.125, "CW"},
      {"frequency empty", "get_freq:\nFrequency:\nRPRT 0\n", 50.125, "CW"},
      {"frequency zero", "get_freq:\nFrequency: 0\nRPRT 0\n", 50.125, "CW"},
      {"frequency negative", "get_freq:\nFrequency: -144200000\nRPRT 0\n", 50.125, "CW"},
      {"no end line yet", "get_freq:\nFrequency: 144200000\n", 50.125, "CW"},
      {"end line cut", "get_freq:\nFrequency: 144200000\nRPRT 0", 50.125, "CW"},
      {"end code not a number", "get_freq:\nFrequency: 144200000\nRPRT x\n", 50.125, "CW"},
      {"plain form bare number", "144200000\nUSB\n2400\n", 50.125, "CW"},
      {"key inside a word", "get_freq:\nFrequencyX: 144200000\nRPRT 0\n", 50.125, "CW"},
      {"refused mode, good frequency",
       "get_freq:\nFrequency: 144200000\nRPRT 0\nget_mode:\nRPRT -11\n", 144.2, "CW"},
      {"set echo is no reading", "set_freq: 222100000\nRPRT 0\n", 50.125, "CW"},
  };
  for (const ReplyRow& row : rows) {
    const RigReading r = ParseRigctldReply(row.reply, Before());
    EXPECT_DOUBLE_EQ(r.state.frequency, row.frequency) << row.name;
    EXPECT_EQ(r.state.mode, row.mode) << row.name;
  }
}

// A reply cut anywhere across two reads gives the same reading as whole,
// through the poller that keeps the unfinished part; neither half alone
// gives a wrong one.
TEST(RigctldReply, SplitOverTwoReadsAnywhere) {
  const std::string whole =
      "get_freq:\nFrequency: 1296100000\nRPRT 0\nget_mode:\nMode: CW\nPassband: 500\nRPRT 0\n";
  RigSettings s;
  s.RigType = "Hamlib rigctld";
  for (size_t cut = 0; cut <= whole.size(); ++cut) {
    RigPoller poller;
    poller.Tick(s, false, {});  // send
    TickInput first;
    const std::string a = whole.substr(0, cut);
    first.received = a;
    poller.Tick(s, false, first);
    const double f = poller.state().frequency;
    EXPECT_TRUE(f == 0 || f == 1296.1) << cut;
    poller.Tick(s, false, {});
    TickInput second;
    const std::string b = whole.substr(cut);
    second.received = b;
    poller.Tick(s, false, second);
    EXPECT_EQ(std::llround(poller.state().frequency * 1e6), 1296100000) << cut;
    EXPECT_EQ(poller.state().mode, "CW") << cut;
  }
}

// Tuning sends whole hertz and Hamlib's names; modes it cannot name send nothing.
TEST(RigctldCommands, ExactHertzAndModeNames) {
  const RigModel& rigctld = *FindRigModel("Hamlib rigctld");
  const RigSettings s;
  struct FreqRow {
    Hertz hz;
    const char* bytes;
  };
  for (const FreqRow& row :
       {FreqRow{144200000, "+F 144200000\n"}, FreqRow{1296100000, "+F 1296100000\n"},
        FreqRow{10368100001, "+F 10368100001\n"}}) {
    const FrequencyCommand c = BuildFrequencyCommand(rigctld, s, kNoActiveVfo, row.hz, "");
    EXPECT_EQ(c.bytes, row.bytes);
    EXPECT_TRUE(c.pauses_ms.empty());
    EXPECT_TRUE(c.error.empty());
  }
  EXPECT_FALSE(BuildFrequencyCommand(rigctld, s, kNoActiveVfo, 0, "").error.empty());
  struct ModeRow {
    const char* mode;
    const char* bytes;
  };
  for (const ModeRow& row : {ModeRow{"CW", "+M CW 0\n"},
                             {"CW-R", "+M CWR 0\n"},
                             {"LSB", "+M LSB 0\n"},
                             {"USB", "+M USB 0\n"},
                             {"AM", "+M AM 0\n"},
                             {"FM", "+M FM 0\n"},
                             {"RTTY", "+M RTTY 0\n"},
                             {"RTTY-R", "+M RTTYR 0\n"},
                             {"FSK", "+M RTTY 0\n"},
                             {"DIG", "+M PKTUSB 0\n"},
                             {"PKT", "+M PKTFM 0\n"},
                             {"PH", ""},
                             {"", ""}})
    EXPECT_EQ(BuildModeCommand(rigctld, s, row.mode), row.bytes) << row.mode;
  uint8_t turn = 0;
  EXPECT_EQ(PollQueries(rigctld, s, turn), "+f\n+m\n");
}

// The refusal a change reports, and what the connection counts as answered.
TEST(RigctldReply, RefusalsAndAnswerCount) {
  const RigctldRefusal none = FirstRigctldRefusal("set_freq: 144200000\nRPRT 0\n");
  EXPECT_FALSE(none.found());
  const RigctldRefusal bad =
      FirstRigctldRefusal("set_mode: USB 0\nRPRT 0\nset_freq: abc\nRPRT -1\nget_freq:\nRPRT -5\n");
  EXPECT_EQ(DescribeRefusal(bad), "set_freq: abc: RPRT -1 (invalid parameter)");
  EXPECT_EQ(DescribeRefusal({"", -99}), "RPRT -99");
  EXPECT_FALSE(FirstRigctldRefusal("set_freq: abc\nRPRT -1").found());  // not ended yet

  EXPECT_EQ(RigctldCommandsAwaitingAnswer("+f\n+m\n"), 2);
  EXPECT_EQ(RigctldCommandsAwaitingAnswer("f\nm\n"), 0);  // plain form, typed by hand
  EXPECT_EQ(RigctldCommandsAwaitingAnswer("+F 144200000\n+M USB 0\n"), 2);
  RigctldAnswerCounter counter;
  EXPECT_EQ(counter.Feed("get_freq:\nFrequency: 1\nRP"), 0);
  EXPECT_EQ(counter.Feed("RT 0\nget_mode:\nMode: CW\nPassband: 500\nRPRT -1\n"), 2);
  EXPECT_EQ(counter.Feed("Frequency: RPRT 0\n\n"), 0);
}

// Junk that never ends a reply is not carried from read to read for ever.
TEST(RigctldReply, UnendedJunkIsNotKept) {
  const std::string junk(5000, 'x');
  EXPECT_EQ(RigctldFinishedLength(junk), junk.size());
  EXPECT_EQ(RigctldFinishedLength("get_freq:\nRPRT 0\nget_m"), 17u);
}

}  // namespace
}  // namespace vantrel

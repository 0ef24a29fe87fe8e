#include "rig/rig_poller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_radio.h"

namespace vantrel {
namespace {

using std::string_literals::operator""s;

RigSettings Chosen(std::string_view rig_type) {
  RigSettings s;
  ApplyRigChoice(rig_type, s);
  return s;
}

// What the first two send ticks write with the family's default queries.
TEST(PollQueries, EachFamilyWritesItsQueries) {
  struct Row {
    const char* type;
    std::string first, second;
  };
  const std::vector<Row> rows = {
      {"Kenwood", "FA;MD;", "FA;MD;"},
      {"Elecraft", "FA;MD;", "FA;MD;"},
      {"Kenwood 2", "IF;", "IF;"},
      {"Icom", "\xFE\xFE\x64\xE0\x03\xFD", "\xFE\xFE\x64\xE0\x04\xFD"},
      {"Icom 735", "\xFE\xFE\x64\xE0\x03\xFD", "\xFE\xFE\x64\xE0\x04\xFD"},
      {"Ten Tec Omni VI", "\xFE\xFE\x04\xE0\x03\xFD", "\xFE\xFE\x04\xE0\x04\xFD"},
      {"Yaesu", "\0\0\0\0\x03"s, "\0\0\0\0\x03"s},
      {"Yaesu 757 GX II", "\0\0\0\0\x10"s, "\0\0\0\0\x10"s},
      {"Yaesu 890", "\0\0\0\x02\x10"s, "\0\0\0\x02\x10"s},
      {"Yaesu 1000", "\0\0\0\x02\x10"s, "\0\0\0\x02\x10"s},
      {"Yaesu FTdx9000", "FA;", "MD0;"},
      {"Ten Tec Fnt Pnl", "?A\r", "?M\r"},
      {"Ten Tec Orion", "?AF\r?RMM\r", "?AF\r?RMM\r"},
      {"Ten Tec Pegasus", "", ""},
      {"None", "", ""},
  };
  for (const Row& row : rows) {
    const RigSettings s = Chosen(row.type);
    RigPoller poller;
    EXPECT_FALSE(poller.read_tick_next());
    EXPECT_EQ(poller.Tick(s, false, {}).to_send, row.first) << row.type;
    EXPECT_TRUE(poller.read_tick_next());
    poller.Tick(s, false, {});
    EXPECT_EQ(poller.Tick(s, false, {}).to_send, row.second) << row.type;
  }
}

TEST(PollQueries, ShortQueriesAreNotSentButTheTurnMovesOn) {
  RigSettings s = Chosen("Icom");
  s.FrequencyQuery = "FE FE 64 E0 03";  // 14 characters: fewer than six pairs
  uint8_t turn = 0;
  const RigModel& icom = *FindRigModel("Icom");
  EXPECT_EQ(PollQueries(icom, s, turn), "");
  EXPECT_EQ(turn, 1);
  EXPECT_EQ(PollQueries(icom, s, turn), "\xFE\xFE\x64\xE0\x04\xFD");
  EXPECT_EQ(turn, 0);
  s = Chosen("Yaesu");
  s.FrequencyQuery = "00 00 00 00 0";  // 13 characters
  EXPECT_EQ(PollQueries(*FindRigModel("Yaesu"), s, turn), "");
  s = Chosen("Yaesu FTdx9000");
  s.FrequencyQuery = "F";
  turn = 0;
  EXPECT_EQ(PollQueries(*FindRigModel("Yaesu FTdx9000"), s, turn), "");
  EXPECT_EQ(turn, 1);
}

TEST(PollQueries, OtherSendsTextOrHexPairs) {
  RigSettings s = Chosen("Other");
  s.FrequencyQuery = "FA;";
  s.ModeQuery = "MD;";
  uint8_t turn = 0;
  const RigModel& other = *FindRigModel("Other");
  EXPECT_EQ(PollQueries(other, s, turn), "FA;MD;");
  s.ConvertToHex = 1;
  s.FrequencyQuery = "46 41 3B";
  s.ModeQuery = "4D 44 3b";
  EXPECT_EQ(PollQueries(other, s, turn), "FA;MD;");
  s.ModeQuery = "";
  EXPECT_EQ(PollQueries(other, s, turn), "FA;");
}

TEST(RigPoller, AFullOutputQueueSkipsTheQueriesButNotThePhase) {
  const RigSettings s = Chosen("Yaesu FTdx9000");
  RigPoller poller;
  TickInput busy;
  busy.output_queue_empty = false;
  EXPECT_EQ(poller.Tick(s, false, busy).to_send, "");
  EXPECT_EQ(poller.mode_turn(), 0);
  EXPECT_TRUE(poller.read_tick_next());
  poller.Tick(s, false, {});
  EXPECT_EQ(poller.Tick(s, false, {}).to_send, "FA;");
}

TEST(RigPoller, SilenceChangesNothingAndFeedsNothing) {
  const RigSettings s = Chosen("Kenwood");
  RigPoller poller;
  poller.Tick(s, false, {});
  const TickResult r = poller.Tick(s, false, {});
  EXPECT_TRUE(r.read_tick);
  EXPECT_FALSE(r.processed);
  EXPECT_EQ(poller.state(), RigState{});
}

TEST(RigPoller, ReadTickParsesShowsAndAppliesTheModeSource) {
  RigSettings s = Chosen("Kenwood");
  RigPoller poller;
  poller.Tick(s, false, {});
  TickInput in;
  in.received = "FA00014200000;MD3;";
  TickResult r = poller.Tick(s, false, in);
  EXPECT_TRUE(r.processed);
  EXPECT_EQ(r.unprocessed, "FA00014200000;MD3;");
  EXPECT_EQ(poller.state(), (RigState{14.2, "CW"}));

  s.ModeSource = static_cast<int16_t>(RigModeSource::kFrequency);
  poller.Tick(s, false, {});
  r = poller.Tick(s, true, in);
  EXPECT_EQ(poller.state().mode, "PH");  // 14.2 lies in the phone segment
  EXPECT_EQ(r.unprocessed.substr(0, 9), "46 41 30 ");

  in.received = "FA00014150000;MD3;";  // on the edge: the radio's mode stays
  poller.Tick(s, false, {});
  poller.Tick(s, false, in);
  EXPECT_EQ(poller.state().mode, "CW");

  poller.ClearMode();
  EXPECT_EQ(poller.state().mode, "");
}

TEST(RigPoller, PegasusReadsTheFileWithoutAPort) {
  const RigSettings s = Chosen("Ten Tec Pegasus");
  RigPoller poller;
  EXPECT_EQ(poller.Tick(s, false, {}).to_send, "");
  TickInput missing;  // no file: processed, nothing changed
  TickResult r = poller.Tick(s, false, missing);
  EXPECT_TRUE(r.processed);
  EXPECT_EQ(poller.state(), RigState{});
  poller.Tick(s, false, {});
  const std::string file = PegasusOutText(144.2, "USB");
  TickInput in;
  in.received = file;
  in.pegasus_file_read = true;
  r = poller.Tick(s, false, in);
  EXPECT_TRUE(r.processed);
  EXPECT_EQ(r.unprocessed, "");
  EXPECT_EQ(poller.state(), (RigState{144.2, "PH"}));
}

// Every family against its fake radio: a few cycles end with the dial's
// frequency and mode, whatever the fault that only delays the answer.
struct PollCase {
  std::string type;
  RadioMode mode;
  int64_t hz;
  RadioFault fault;
};

void PrintTo(const PollCase& c, std::ostream* os) {
  *os << c.type << " " << static_cast<int>(c.mode) << " " << c.hz << " fault "
      << static_cast<int>(c.fault);
}

class PollFakeRadio : public ::testing::TestWithParam<PollCase> {};

TEST_P(PollFakeRadio, EndsWithTheDialAndNeverShowsAWrongValue) {
  const PollCase& c = GetParam();
  const RigSettings s = Chosen(c.type);
  auto radio = MakeFakeRadio(c.type);
  ASSERT_NE(radio, nullptr);
  radio->dial.hz = c.hz;
  radio->dial.mode = c.mode;
  FaultyRadio wire(*radio);
  wire.set_fault(c.fault);
  const double want = static_cast<double>(c.hz) / 1e6;  // exact to the hertz the dial holds
  const std::string want_mode = ExpectedRigMode(c.type, c.mode);
  RigPoller poller;
  std::string in_flight;
  for (int tick = 0; tick < 12; ++tick) {
    TickInput in;
    const std::string received = in_flight;
    in.received = received;
    const TickResult r = poller.Tick(s, false, in);
    if (r.read_tick) in_flight.clear();
    if (!r.to_send.empty()) in_flight = wire.Respond(r.to_send);
    const RigState& now = poller.state();
    EXPECT_TRUE(now.frequency == 0 || now.frequency == want) << tick << ": " << now.frequency;
    EXPECT_TRUE(now.mode.empty() || now.mode == want_mode) << tick << ": " << now.mode;
  }
  EXPECT_EQ(poller.state().frequency, want);
  EXPECT_EQ(poller.state().mode, want_mode);
}

std::vector<PollCase> AllFamilies() {
  std::vector<PollCase> out;
  const char* types[] = {
      "Elecraft",        "Icom",          "Icom 735",        "Kenwood",      "Kenwood 2",
      "Ten Tec Omni VI", "Ten Tec Orion", "Ten Tec Fnt Pnl", "Yaesu",        "Yaesu 757 GX II",
      "Yaesu 890",       "Yaesu 920",     "Yaesu 990",       "Yaesu 1000 D", "Yaesu 1000",
      "Yaesu FTdx9000"};
  for (const char* t : types) {
    for (RadioMode m : {RadioMode::kCw, RadioMode::kUsb, RadioMode::kLsb, RadioMode::kFm}) {
      out.push_back({t, m, 14250000, RadioFault::kNone});
      out.push_back({t, m, 50125000, RadioFault::kEcho});
    }
    // Eight digits of the 735 (BCD to 10 MHz) and the FTdx9000 (Hz) stop below 100 MHz.
    if (std::string_view(t) != "Icom 735" && std::string_view(t) != "Yaesu FTdx9000")
      out.push_back({t, RadioMode::kUsb, 144200000, {}});
  }
  return out;
}

// Families whose answers are framed: a cut answer must never give a reading.
std::vector<PollCase> FramedFamiliesCut() {
  std::vector<PollCase> out;
  for (const char* t : {"Elecraft", "Icom", "Icom 735", "Kenwood", "Kenwood 2", "Ten Tec Omni VI",
                        "Ten Tec Orion", "Yaesu FTdx9000"})
    out.push_back({t, RadioMode::kCw, 14250000, RadioFault::kCut});
  return out;
}

INSTANTIATE_TEST_SUITE_P(EveryFamily, PollFakeRadio, ::testing::ValuesIn(AllFamilies()));
INSTANTIATE_TEST_SUITE_P(CutAnswers, PollFakeRadio, ::testing::ValuesIn(FramedFamiliesCut()));

// Silence and noise from any radio leave the reading where it was.
TEST(PollFaults, SilenceAndGarbageNeverChangeTheReading) {
  for (const RigModel& model : RigModels()) {
    auto radio = MakeFakeRadio(model.name);
    if (!radio) continue;
    const RigSettings s = Chosen(model.name);
    FaultyRadio wire(*radio);
    RigPoller poller;
    std::string in_flight;
    for (int tick = 0; tick < 24; ++tick) {
      if (tick == 8) wire.set_fault(RadioFault::kSilence);
      if (tick == 16) wire.set_fault(RadioFault::kGarbage);
      if (tick == 8) radio->dial.hz = 7025000;  // never heard: the old reading stays
      TickInput in;
      const std::string received = in_flight;
      in.received = received;
      const TickResult r = poller.Tick(s, false, in);
      if (r.read_tick) in_flight.clear();
      if (!r.to_send.empty()) in_flight = wire.Respond(r.to_send);
      if (tick >= 8) {
        EXPECT_FLOAT_EQ(poller.state().frequency, 14.25f) << model.name << tick;
      }
    }
  }
}

}  // namespace
}  // namespace vantrel

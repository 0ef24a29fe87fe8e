#include "rig/rig_command.h"

#include <gtest/gtest.h>

#include "rig/rig_poller.h"
#include "support/fake_radio.h"
#include "support/manual_millisecond_clock.h"

namespace vantrel {
namespace {

const char* const kFreqs[] = {"50.125", "144.2", "432.1", "1296.1", "2304.1", "10368.1"};

RigSettings SettingsFor(std::string_view type) {
  RigSettings s;
  ApplyRigChoice(type, s);
  return s;
}

std::string Hex(std::string_view pairs) {
  return HexPairsToBytes(pairs).value_or("bad hex in test");
}

// Whether the fake's status reply can carry the frequency back: the binary
// Yaesus report 24 bits of 10 Hz, the 735 eight BCD digits.
bool StatusCarries(std::string_view type, Hertz hz) {
  const RigModel& m = *FindRigModel(type);
  if (m.family == RigFamily::kYaesuBinary && type != "Yaesu 920") return hz < 167000000;
  if (type == "Icom 735") return hz < 100000000;
  return true;
}

// Polls the fake once as the rig window would and returns what it read.
double PolledMhz(std::string_view type, DialRadio& radio) {
  const RigSettings s = SettingsFor(type);
  RigPoller poller;
  for (int cycle = 0; cycle < 2; ++cycle) {  // the one-query families need both turns
    TickResult send = poller.Tick(s, false, {});
    const std::string reply = radio.Respond(send.to_send);
    TickInput in;
    in.received = reply;
    poller.Tick(s, false, in);
  }
  return poller.state().frequency;
}

struct FrequencyRow {
  const char* type;
  // One per kFreqs entry: text, or hex pairs for the binary families; "" when
  // the frequency does not fit the command.
  std::array<const char*, 6> expected;
  bool hex;
};

const FrequencyRow kFrequencyRows[] = {
    {"Kenwood",
     {"FA00050125000;", "FA00144200000;", "FA00432100000;", "FA01296100000;", "FA02304100000;",
      "FA10368100000;"},
     false},
    {"Elecraft",
     {"FA00050125000;", "FA00144200000;", "FA00432100000;", "FA01296100000;", "FA02304100000;",
      "FA10368100000;"},
     false},
    {"Kenwood 2",
     {"FA00050125000;", "FA00144200000;", "FA00432100000;", "FA01296100000;", "FA02304100000;",
      "FA10368100000;"},
     false},
    {"Yaesu FTdx9000", {"FA50125000;", "", "", "", "", ""}, false},
    {"Ten Tec Orion",
     {"*AF50.125\r", "*AF144.2\r", "*AF432.1\r", "*AF1296.1\r", "*AF2304.1\r", "*AF10368.1\r"},
     false},
    {"Icom",
     {"FE FE 64 E0 05 00 50 12 50 00 FD", "FE FE 64 E0 05 00 00 20 44 01 FD",
      "FE FE 64 E0 05 00 00 10 32 04 FD", "FE FE 64 E0 05 00 00 10 96 12 FD",
      "FE FE 64 E0 05 00 00 10 04 23 FD", ""},
     true},
    {"Icom 735",
     {"FE FE 64 E0 05 00 50 12 50 00 FD", "FE FE 64 E0 05 00 00 20 44 01 FD",
      "FE FE 64 E0 05 00 00 10 32 04 FD", "FE FE 64 E0 05 00 00 10 96 12 FD",
      "FE FE 64 E0 05 00 00 10 04 23 FD", ""},
     true},
    {"Ten Tec Omni VI",
     {"FE FE 04 E0 05 00 50 12 50 00 FD", "FE FE 04 E0 05 00 00 20 44 01 FD",
      "FE FE 04 E0 05 00 00 10 32 04 FD", "FE FE 04 E0 05 00 00 10 96 12 FD",
      "FE FE 04 E0 05 00 00 10 04 23 FD", ""},
     true},
    {"Yaesu", {"05 01 25 00 01", "14 42 00 00 01", "43 21 00 00 01", "", "", ""}, true},
    {"Yaesu 757 GX II", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Yaesu 890", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Yaesu 920", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Yaesu 990", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Yaesu 1000 D", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Yaesu 1000", {"00 25 01 05 0A", "00 00 42 14 0A", "00 00 21 43 0A", "", "", ""}, true},
    {"Ten Tec Fnt Pnl",
     {"2A 41 02 FC D8 C8 0D", "2A 41 08 98 51 40 0D", "2A 41 19 C1 52 A0 0D",
      "2A 41 4D 40 EA A0 0D", "2A 41 89 55 C6 A0 0D", ""},
     true},
};

// Every family at every test frequency: the exact bytes, the fake radio set
// to exactly that frequency, and the poll reading it back; or the refusal.
TEST(FrequencyCommand, EveryFamilyAtEveryBandIsExactOrRefused) {
  for (const FrequencyRow& row : kFrequencyRows) {
    const RigModel& model = *FindRigModel(row.type);
    const RigSettings s = SettingsFor(row.type);
    for (size_t i = 0; i < std::size(kFreqs); ++i) {
      SCOPED_TRACE(std::string(row.type) + " at " + kFreqs[i]);
      const Hertz hz = ParseMhz(kFreqs[i]).value();
      const FrequencyCommand c = BuildFrequencyCommand(model, s, kNoActiveVfo, hz, "CW");
      const std::string want = row.hex ? Hex(row.expected[i]) : row.expected[i];
      EXPECT_EQ(c.bytes, want);
      if (want.empty()) {
        EXPECT_NE(c.error.find(std::string(kFreqs[i]) + " MHz does not fit"), std::string::npos)
            << c.error;
        EXPECT_NE(c.error.find(row.type), std::string::npos) << c.error;
        EXPECT_TRUE(c.pauses_ms.empty());
        continue;
      }
      EXPECT_EQ(c.error, "");
      auto radio = MakeFakeRadio(row.type);
      radio->Respond(c.bytes);
      EXPECT_EQ(radio->dial.hz, hz);
      if (StatusCarries(row.type, hz)) {
        EXPECT_DOUBLE_EQ(PolledMhz(row.type, *radio), static_cast<double>(hz) / 1e6);
      }
    }
  }
}

TEST(FrequencyCommand, DetailsOfKeysUnitsAndPauses) {
  const RigModel& kenwood2 = *FindRigModel("Kenwood 2");
  const Hertz f = 14250000;
  EXPECT_EQ(BuildFrequencyCommand(kenwood2, {}, 1, f, "").bytes, "FB00014250000;");
  EXPECT_EQ(BuildFrequencyCommand(kenwood2, {}, 0, f, "").bytes, "FA00014250000;");
  RigSettings kenwood = SettingsFor("Kenwood");
  kenwood.FrequencyQuery = "FB;";
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Kenwood"), kenwood, 0, f, "").bytes,
            "FB00014250000;");

  // Digits are of the frequency rounded to the command's unit.
  const RigModel& yaesu = *FindRigModel("Yaesu");
  EXPECT_EQ(BuildFrequencyCommand(yaesu, {}, 0, 14250005, "").bytes, Hex("01 42 50 01 01"));
  EXPECT_EQ(BuildFrequencyCommand(yaesu, {}, 0, 14250004, "").bytes, Hex("01 42 50 00 01"));
  EXPECT_NE(BuildFrequencyCommand(yaesu, {}, 0, 999999995, "").error, "");  // rounds past 8 digits
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Yaesu 890"), {}, 0, f, "").bytes,
            Hex("00 50 42 01 0A"));
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Ten Tec Fnt Pnl"), {}, 0, 14025000, "").bytes,
            Hex("2A 41 00 D6 01 28 0D"));
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Ten Tec Orion"), {}, 0, 144200010, "").bytes,
            "*AF144.2\r");  // seven significant digits

  const FrequencyCommand pegasus =
      BuildFrequencyCommand(*FindRigModel("Ten Tec Pegasus"), {}, 0, 432100000, "CW");
  EXPECT_TRUE(pegasus.to_file);
  EXPECT_EQ(pegasus.bytes, "432.1\r\nCW\r\n");

  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Elecraft"), {}, 0, f, "").pauses_ms,
            (std::vector<uint32_t>{205, 1000}));
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Icom"), {}, 0, f, "").pauses_ms,
            (std::vector<uint32_t>{140}));
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Ten Tec Omni VI"), {}, 0, f, "").pauses_ms,
            (std::vector<uint32_t>{140, 220}));
  EXPECT_EQ(BuildFrequencyCommand(*FindRigModel("Yaesu 1000"), {}, 0, f, "").pauses_ms,
            (std::vector<uint32_t>{10}));
  for (const char* type : {"None", "Other"}) {
    const FrequencyCommand none = BuildFrequencyCommand(*FindRigModel(type), {}, 0, f, "");
    EXPECT_TRUE(none.bytes.empty() && none.error.empty() && none.pauses_ms.empty()) << type;
  }
  EXPECT_NE(BuildFrequencyCommand(*FindRigModel("Icom"), {}, 0, 0, "").error, "");
  EXPECT_NE(BuildFrequencyCommand(*FindRigModel("Kenwood"), {}, 0, -14250000, "").error, "");
}

struct ModeRow {
  const char* mode;
  const char* kenwood;  // text
  const char* ftdx;     // text
  const char* icom;     // hex pairs, also for the Omni VI at 04
  const char* yaesu;
  const char* yaesu_old;
};
const ModeRow kModeRows[] = {
    {"CW", "MD3;", "MD03;", "FE FE 64 E0 06 03 FD", "02 00 00 00 07", "00 00 00 02 0C"},
    {"CW-R", "", "MD07;", "FE FE 64 E0 06 07 FD", "", "00 00 00 03 0C"},
    {"LSB", "MD1;", "MD01;", "FE FE 64 E0 06 00 FD", "00 00 00 00 07", "00 00 00 00 0C"},
    {"USB", "MD2;", "MD02;", "FE FE 64 E0 06 01 FD", "01 00 00 00 07", "00 00 00 01 0C"},
    {"AM", "MD5;", "MD05;", "FE FE 64 E0 06 02 FD", "04 00 00 00 07", "00 00 00 04 0C"},
    {"FM", "MD4;", "MD04;", "FE FE 64 E0 06 05 FD", "08 00 00 00 07", "00 00 00 06 0C"},
    {"RTTY", "MD6;", "MD06;", "FE FE 64 E0 06 04 FD", "0A 00 00 00 07", "00 00 00 08 0C"},
    {"RTTY-R", "", "", "FE FE 64 E0 06 08 FD", "", ""},
    {"FSK", "MD6;", "", "", "", ""},
    {"DIG", "", "", "", "0A 00 00 00 07", ""},
    {"PKT", "", "", "", "0C 00 00 00 07", "00 00 00 0A 0C"},
};

// Every mode for every family, and the fakes following the five they know.
TEST(ModeCommand, EveryModeForEveryFamily) {
  auto check = [](const char* type, const ModeRow& row, std::string want) {
    SCOPED_TRACE(std::string(type) + " " + row.mode);
    const std::string got = BuildModeCommand(*FindRigModel(type), SettingsFor(type), row.mode);
    EXPECT_EQ(got, want);
    static const std::pair<const char*, RadioMode> kKnown[] = {{"CW", RadioMode::kCw},
                                                               {"LSB", RadioMode::kLsb},
                                                               {"USB", RadioMode::kUsb},
                                                               {"AM", RadioMode::kAm},
                                                               {"FM", RadioMode::kFm}};
    for (const auto& [name, mode] : kKnown) {
      if (std::string_view(name) != row.mode || got.empty()) continue;
      auto radio = MakeFakeRadio(type);
      radio->dial.mode = mode == RadioMode::kCw ? RadioMode::kUsb : RadioMode::kCw;
      radio->Respond(got);
      EXPECT_EQ(radio->dial.mode, mode);
    }
  };
  for (const ModeRow& row : kModeRows) {
    for (const char* type : {"Kenwood", "Kenwood 2", "Elecraft"}) check(type, row, row.kenwood);
    check("Yaesu FTdx9000", row, row.ftdx);
    check("Icom", row, Hex(row.icom));
    std::string omni = Hex(row.icom);
    if (!omni.empty()) omni[2] = '\x04';
    check("Ten Tec Omni VI", row, omni);
    check("Yaesu", row, Hex(row.yaesu));
    for (const char* type :
         {"Yaesu 757 GX II", "Yaesu 890", "Yaesu 920", "Yaesu 990", "Yaesu 1000", "Yaesu 1000 D"})
      check(type, row, Hex(row.yaesu_old));
    for (const char* type :
         {"None", "Other", "Icom 735", "Ten Tec Fnt Pnl", "Ten Tec Orion", "Ten Tec Pegasus"})
      check(type, row, "");
  }
  EXPECT_EQ(BuildModeCommand(*FindRigModel("Kenwood"), {}, "cw"), "");  // modes are exact
  EXPECT_EQ(BuildModeCommand(*FindRigModel("Kenwood"), {}, ""), "");
}

TEST(BandPlanMode, FirstStrictRowWithPhoneSidebandsAndQuiet160) {
  BandPlan plan;
  plan.rows = {{"160", "E", "CW", 1.8f, 2.0f},    {"80", "E", "PH", 3.6f, 4.0f},
               {"20", "G", "PH", 14.0f, 14.15f},  {"20", "E", "CW", 14.0f, 14.15f},
               {"20", "E", "PH", 14.15f, 14.35f}, {"6", "E", "PH", 50.1f, 54.0f},
               {"6", "E", "CW", 50.0f, 54.0f},    {"40", "E", "PH", 7.125f, 7.3f},
               {"60", "E", "PH", 5.33f, 5.41f}};
  const auto rows = ExtraClassRows(plan);
  ASSERT_EQ(rows.size(), 8u);  // the General row is dropped
  const std::pair<Hertz, const char*> cases[] = {
      {1850000, ""},    {3750000, "LSB"}, {7200000, "LSB"},  {5368000, "LSB"},
      {14025000, "CW"}, {14150000, ""},   {14200000, "USB"}, {50125000, "USB"},
      {50050000, "CW"}, {432100000, ""},  {14000000, ""},
  };
  for (const auto& [hz, want] : cases) EXPECT_EQ(BandPlanMode(rows, hz), want) << hz;
  EXPECT_EQ(BandPlanMode({}, 14025000), "");
}

TEST(TypedFrequency, ExactHertzAndClearRefusals) {
  const std::pair<const char*, Hertz> good[] = {
      {"432.1", 432100000},     {" 1296.1 ", 1296100000}, {"10368.1", 10368100000},
      {".5", 500000},           {"50.", 50000000},        {"50.12499", 50124990},
      {"14.0250004", 14025000}, {"14.0250005", 14025001}, {"144.200000000", 144200000},
  };
  for (const auto& [text, hz] : good) EXPECT_EQ(ParseMhz(text), hz) << text;
  for (const char* bad :
       {"", " ", ".", "-14.2", "+14.2", "abc", "1e9", "14.2.1", "14,2", "1234567", "14.2x", "0x10"})
    EXPECT_FALSE(ParseMhz(bad)) << bad;

  const std::pair<Hertz, const char*> formats[] = {{432100000, "432.1"},     {50124990, "50.12499"},
                                                   {1296000000, "1296"},     {500000, "0.5"},
                                                   {10368100000, "10368.1"}, {-500000, "-0.5"}};
  for (const auto& [hz, text] : formats) EXPECT_EQ(FormatMhz(hz), text);

  EXPECT_EQ(CheckTypedFrequency("432.1").hz, 432100000);
  EXPECT_EQ(CheckTypedFrequency("1.8").hz, 1800000);  // edges are inside
  const std::pair<const char*, const char*> refused[] = {
      {"", "Type the frequency"},
      {"-432.1", "cannot be negative"},
      {"abc", "\"abc\" is not a frequency"},
      {"1e9", "\"1e9\" is not a frequency"},
      {"3.0", "3 MHz is outside every amateur band"},
      {"0", "outside every amateur band"},
      {"460", "outside"}};
  for (const auto& [text, words] : refused) {
    const TypedFrequency t = CheckTypedFrequency(text);
    EXPECT_FALSE(t.hz) << text;
    EXPECT_NE(t.problem.find(words), std::string::npos) << text << ": " << t.problem;
  }
}

// The sequencer against a hand-moved clock: the waits, where the writes fall,
// and the drain wait giving up after two seconds.
TEST(CommandSequencer, WalksTheStepsOnTheClock) {
  const FrequencyCommand elecraft =
      BuildFrequencyCommand(*FindRigModel("Elecraft"), {}, 0, 14250000, "");
  ManualMillisecondClock clock(0xFFFFFF00u);  // wraps during the change
  const uint32_t t0 = clock.Milliseconds();
  CommandSequencer seq;
  seq.Start(FrequencySteps("MD3;", elecraft), t0);
  size_t pending = 0;
  std::vector<std::pair<uint32_t, std::string>> writes;
  int waits = 0;
  for (int guard = 0; guard < 1000; ++guard) {
    const auto a = seq.Next(clock.Milliseconds(), pending);
    if (a.kind == CommandSequencer::Action::Kind::kDone) break;
    if (a.kind == CommandSequencer::Action::Kind::kWait) {
      ++waits;
      clock.Advance(a.ms);
      if (pending > 0) pending = pending > 10 ? pending - 10 : 0;  // the line drains
      continue;
    }
    writes.emplace_back(MillisecondsSince(t0, clock.Milliseconds()), a.bytes);
    pending = 30;
  }
  EXPECT_FALSE(seq.Running());
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0], (std::pair<uint32_t, std::string>{99, "MD3;"}));
  EXPECT_EQ(writes[1], (std::pair<uint32_t, std::string>{99 + 30 + 205 + 1000, "FA00014250000;"}));
  EXPECT_GT(waits, 4);

  // A queue that never empties holds each drain for two seconds, no longer.
  seq.Start(ModeSteps("MD3;"), 0);
  uint32_t now = 0;
  std::vector<uint32_t> at;
  for (auto a = seq.Next(now, 1); a.kind != CommandSequencer::Action::Kind::kDone;
       a = seq.Next(now, 1)) {
    if (a.kind == CommandSequencer::Action::Kind::kWrite) at.push_back(now);
    now += a.ms;
  }
  EXPECT_EQ(at, std::vector<uint32_t>{kDrainLimitMs + kModePauseMs});
  EXPECT_EQ(now, 2 * kDrainLimitMs + kModePauseMs);
  EXPECT_TRUE(ModeSteps("").empty());
}

}  // namespace
}  // namespace vantrel

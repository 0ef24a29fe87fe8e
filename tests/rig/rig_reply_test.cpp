#include "rig/rig_reply.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using std::string_literals::operator""s;

// A reading no reply in these tables produces, so "unchanged" is visible.
RigReading Sentinel() {
  return {{432.1f, "FM"}, kNoActiveVfo};
}

std::string Bytes(const std::vector<int>& values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

std::string KenwoodIf(const std::string& hz11, char mode, char vfo) {
  return "IF" + hz11 + std::string(16, '0') + mode + vfo + "0000000;";
}

struct ReplyRow {
  const char* name;
  const char* rig_type;
  std::string reply;
  uint8_t mode_turn;
  std::optional<float> frequency;  // nullopt: unchanged
  std::optional<std::string> mode;
  uint8_t vfo = kNoActiveVfo;
};

void PrintTo(const ReplyRow& r, std::ostream* os) {
  *os << r.name;
}

class ReplyTable : public ::testing::TestWithParam<ReplyRow> {};

TEST_P(ReplyTable, GivesTheReadingOrKeepsTheOldOne) {
  const ReplyRow& row = GetParam();
  const RigModel* model = FindRigModel(row.rig_type);
  ASSERT_NE(model, nullptr);
  const ReplyContext ctx{model->defaults.frequency_query, model->defaults.mode_query,
                         row.mode_turn};
  const RigReading got = ParseRigReply(*model, row.reply, ctx, Sentinel());
  EXPECT_FLOAT_EQ(got.state.frequency, row.frequency.value_or(Sentinel().state.frequency));
  EXPECT_EQ(got.state.mode, row.mode.value_or(Sentinel().state.mode));
  EXPECT_EQ(got.active_vfo, row.vfo);
}

const std::optional<float> kSame;
const std::optional<std::string> kSameMode;

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ReplyTable,
    ::testing::Values(
        ReplyRow{"KenwoodFaAndMd3", "Kenwood", "FA00014250000;MD3;", 0, 14.25f, "CW"s},
        ReplyRow{"KenwoodMd2IsPhone", "Kenwood", "FA00014250000;MD2;", 0, 14.25f, "PH"s},
        ReplyRow{"KenwoodMd7IsCw", "Kenwood", "MD7;", 0, kSame, "CW"s},
        ReplyRow{"KenwoodEchoThenAnswer", "Kenwood", "FA;MD;FA00014250000;MD3;", 0, 14.25f, "CW"s},
        ReplyRow{"Ftdx9000EchoThenAnswer", "Yaesu FTdx9000", "MD0;MD03;", 0, kSame, "CW"s},
        ReplyRow{"ElecraftSameAsKenwood", "Elecraft", "FA00050125000;MD3;", 0, 50.125f, "CW"s},
        ReplyRow{"KenwoodShortDigits", "Kenwood", "FA0001425;", 0, kSame, kSameMode},
        ReplyRow{"KenwoodNoSemicolonYet", "Kenwood", "FA00014250000", 0, kSame, kSameMode},
        ReplyRow{"KenwoodRoundsToFiveDecimals", "Kenwood", "FA00014250006;", 0, 14.25001f,
                 kSameMode},
        ReplyRow{"Kenwood2IfLine", "Kenwood 2", KenwoodIf("00144200000", '3', '1'), 0, 144.2f,
                 "CW"s, 1},
        ReplyRow{"Kenwood2IfPhoneVfoA", "Kenwood 2", KenwoodIf("00050125000", '2', '0'), 0, 50.125f,
                 "PH"s, 0},
        ReplyRow{"IcomEchoThenReply", "Icom",
                 Bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD, 0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00,
                        0x50, 0x23, 0x14, 0x00, 0xFD}),
                 1, 14.235f, kSameMode},
        ReplyRow{"Icom735FourBytes", "Icom 735",
                 Bytes({0xFE, 0xFE, 0xE0, 0x04, 0x03, 0x00, 0x50, 0x23, 0x14, 0xFD}), 1, 14.235f,
                 kSameMode},
        ReplyRow{"IcomModeCw", "Icom", Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03, 0x01, 0xFD}), 0,
                 kSame, "CW"s},
        ReplyRow{"IcomModeSevenIsPhone", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x07, 0x01, 0xFD}), 0, kSame, "PH"s},
        ReplyRow{"OmniViIsCiV", "Ten Tec Omni VI",
                 Bytes({0xFE, 0xFE, 0xE0, 0x04, 0x03, 0x00, 0x00, 0x20, 0x44, 0x01, 0xFD}), 1,
                 144.2f, kSameMode},
        ReplyRow{"IcomHigherBands", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x00, 0x10, 0x32, 0x04, 0xFD}), 1,
                 432.1f, kSameMode},
        ReplyRow{"YaesuFrequencyAndCw", "Yaesu", Bytes({0x01, 0x42, 0x50, 0x00, 0x02}), 0, 14.25f,
                 "CW"s},
        ReplyRow{"YaesuModeByte0AKeepsMode", "Yaesu", Bytes({0x01, 0x42, 0x50, 0x00, 0x0A}), 0,
                 14.25f, kSameMode},
        ReplyRow{"YaesuMode84IsPhone", "Yaesu", Bytes({0x14, 0x42, 0x00, 0x00, 0x84}), 0, 144.2f,
                 "PH"s},
        ReplyRow{"YaesuMode82IsCw", "Yaesu", Bytes({0x05, 0x01, 0x00, 0x00, 0x82}), 0, 50.1f,
                 "CW"s},
        ReplyRow{"Yaesu757LeastSignificantFirst", "Yaesu 757 GX II",
                 Bytes({0, 0, 0, 0, 0, 0x00, 0x50, 0x42, 0x01, 0x02}), 0, 14.25f, "CW"s},
        ReplyRow{"Yaesu757Am", "Yaesu 757 GX II",
                 Bytes({0, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x05, 0x04}), 0, 50.0f, "AM"s},
        ReplyRow{"Yaesu757Fm", "Yaesu 757 GX II",
                 Bytes({0, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x05, 0x05}), 0, 50.0f, "FM"s},
        ReplyRow{"Yaesu890BytesThreeToFive", "Yaesu 890",
                 Bytes({0, 0, 0x15, 0xBE, 0x68, 0, 0, 0x02}), 0, 14.25f, "CW"s},
        ReplyRow{"Yaesu1000DigitsFourToNine", "Yaesu 1000",
                 Bytes({0, 0x01, 0x5B, 0xE6, 0x80, 0, 0, 0x01}), 0, 14.25f, "PH"s},
        ReplyRow{"Yaesu990BytesTwoToFour", "Yaesu 990", Bytes({0, 0x15, 0xBE, 0x68, 0, 0, 0, 0x07}),
                 0, 14.25f, "PH"s},
        ReplyRow{"Yaesu1000DLikeThe990", "Yaesu 1000 D",
                 Bytes({0, 0x15, 0xBE, 0x68, 0, 0, 0, 0x02}), 0, 14.25f, "CW"s},
        ReplyRow{"Yaesu990ModeEightKeepsMode", "Yaesu 990",
                 Bytes({0, 0x15, 0xBE, 0x68, 0, 0, 0, 0x08}), 0, 14.25f, kSameMode},
        ReplyRow{"Yaesu920DigitSixteenZeroIsPhone", "Yaesu 920",
                 Bytes({0, 0x00, 0xD9, 0x70, 0x10, 0, 0, 0x00}), 0, 14.25f, "PH"s},
        ReplyRow{"Yaesu920OneIsCw", "Yaesu 920", Bytes({0, 0x00, 0xD9, 0x70, 0x10, 0, 0, 0x01}), 0,
                 14.25f, "CW"s},
        ReplyRow{"Yaesu890WithoutModeByte", "Yaesu 890", Bytes({0, 0, 0x15, 0xBE, 0x68}), 0, 14.25f,
                 kSameMode},
        ReplyRow{"YaesuEchoThenAnswer", "Yaesu",
                 Bytes({0, 0, 0, 0, 0x03, 0x01, 0x42, 0x50, 0x00, 0x02}), 0, 14.25f, "CW"s},
        ReplyRow{"Yaesu990EchoThenAnswer", "Yaesu 990",
                 Bytes({0, 0, 0, 0x02, 0x10, 0, 0x15, 0xBE, 0x68, 0, 0, 0, 0x02}), 0, 14.25f,
                 "CW"s},
        ReplyRow{"FntPnlEchoThenAnswer", "Ten Tec Fnt Pnl",
                 "?A\rA"s + Bytes({0x00, 0xD9, 0x70, 0x10}) + "\r", 1, 14.25f, kSameMode},
        ReplyRow{"Ftdx9000Frequency", "Yaesu FTdx9000", "FA14250000;", 0, 14.25f, kSameMode},
        ReplyRow{"Ftdx9000ModeCw", "Yaesu FTdx9000", "MD03;", 0, kSame, "CW"s},
        ReplyRow{"Ftdx9000ModeUsb", "Yaesu FTdx9000", "MD02;", 0, kSame, "PH"s},
        ReplyRow{"Ftdx9000BothInOneRead", "Yaesu FTdx9000", "FA50125000;MD03;", 1, 50.125f, "CW"s},
        ReplyRow{"Ftdx9000SevenDigits", "Yaesu FTdx9000", "FA1425000", 0, kSame, kSameMode},
        ReplyRow{"FntPnlFrequency", "Ten Tec Fnt Pnl",
                 "A"s + Bytes({0x00, 0xD9, 0x70, 0x10}) + "\r", 1, 14.25f, kSameMode},
        ReplyRow{"FntPnlModeCw", "Ten Tec Fnt Pnl", "M33\r", 0, kSame, "CW"s},
        ReplyRow{"FntPnlModeUsb", "Ten Tec Fnt Pnl", "M11\r", 0, kSame, "PH"s},
        ReplyRow{"FntPnlModeFiveKeepsMode", "Ten Tec Fnt Pnl", "M55\r", 0, kSame, kSameMode},
        ReplyRow{"OrionModeCw", "Ten Tec Orion", "@RMM3\r", 0, kSame, "CW"s},
        ReplyRow{"OrionModeTwoIsCw", "Ten Tec Orion", "@RMM2\r", 0, kSame, "CW"s},
        ReplyRow{"OrionModeUsb", "Ten Tec Orion", "@RMM0\r", 0, kSame, "PH"s},
        ReplyRow{"OrionFrequencyAnywhere", "Ten Tec Orion", "junk@RMM1\r@AF14025000\r", 0, 14.025f,
                 "PH"s},
        ReplyRow{"PegasusFile", "Ten Tec Pegasus", "14.2\r\n\"USB\"\r\n", 0, 14.2f, "PH"s},
        ReplyRow{"PegasusCw", "Ten Tec Pegasus", "7.025,\"CW\"", 0, 7.025f, "CW"s},
        ReplyRow{"PegasusQuotedNumber", "Ten Tec Pegasus", "\"50.125\",\"LSB\"", 0, 50.125f, "PH"s},
        ReplyRow{"PegasusEmptyMode", "Ten Tec Pegasus", "7.025,\"\"", 0, 7.025f, ""s},
        ReplyRow{"PegasusModeMissing", "Ten Tec Pegasus", "7.025", 0, 7.025f, kSameMode},
        ReplyRow{"OtherNeverParses", "Other", "FA00014250000;MD3;", 0, kSame, kSameMode},
        ReplyRow{"NoneNeverParses", "None", "FA00014250000;MD3;", 0, kSame, kSameMode}),
    [](const auto& info) { return std::string(info.param.name); });

// Replies no radio of the family would send whole: each leaves the reading
// exactly as it was.
INSTANTIATE_TEST_SUITE_P(
    Malformed, ReplyTable,
    ::testing::Values(
        ReplyRow{"KenwoodLettersForDigits", "Kenwood", "FA000142500X0;", 0, kSame, kSameMode},
        ReplyRow{"KenwoodNulInDigits", "Kenwood",
                 "FA0001\0"
                 "250000;"s,
                 0, kSame, kSameMode},
        ReplyRow{"KenwoodHighBytes", "Kenwood", "\xFF\xFE\x80\x81\x82\x83\x84\x85\x86\x87", 0,
                 kSame, kSameMode},
        ReplyRow{"KenwoodEchoOfQuery", "Kenwood", "FA;MD;", 0, kSame, kSameMode},
        ReplyRow{"Kenwood2EchoThenAnswer", "Kenwood 2", "IF;" + KenwoodIf("00014250000", '3', '0'),
                 0, 14.25f, "CW"s, 0},
        ReplyRow{"KenwoodSecondHalfOfSplit", "Kenwood", "50000;", 0, kSame, kSameMode},
        ReplyRow{"KenwoodMdAtEnd", "Kenwood", "xxMD", 0, kSame, kSameMode},
        ReplyRow{"KenwoodSignedDigits", "Kenwood", "FA-0014250000;", 0, kSame, kSameMode},
        ReplyRow{"Kenwood2Short", "Kenwood 2", "IF000142500", 0, kSame, kSameMode},
        ReplyRow{"Kenwood2Echo", "Kenwood 2", "IF;", 0, kSame, kSameMode},
        ReplyRow{"Kenwood2Garbage", "Kenwood 2", "IF0001425000X" + std::string(30, '0'), 0, kSame,
                 kSameMode},
        // The frequency is whole, the line stops before mode and VFO.
        ReplyRow{"Kenwood2CutAfterFrequency", "Kenwood 2", "IF00014250000    ", 0, 14.25f,
                 kSameMode},
        ReplyRow{"IcomEchoOnly", "Icom", Bytes({0xFE, 0xFE, 0x64, 0xE0, 0x03, 0xFD}), 1, kSame,
                 kSameMode},
        ReplyRow{"IcomFrameCutBeforeFd", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x50, 0x23, 0x14, 0x00}), 1, kSame,
                 kSameMode},
        ReplyRow{"IcomSecondHalfOfSplit", "Icom", Bytes({0x23, 0x14, 0x00, 0xFD}), 1, kSame,
                 kSameMode},
        ReplyRow{"IcomNotBcd", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x5A, 0x23, 0x14, 0x00, 0xFD}), 1,
                 kSame, kSameMode},
        ReplyRow{"IcomFourBytesForFive", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x50, 0x23, 0x14, 0xFD}), 1, kSame,
                 kSameMode},
        ReplyRow{"IcomModeReplyInFrequencyTurn", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x04, 0x03, 0x01, 0xFD}), 1, kSame, kSameMode},
        ReplyRow{"IcomFrequencyReplyInModeTurn", "Icom",
                 Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x50, 0x23, 0x14, 0x00, 0xFD}), 0,
                 kSame, kSameMode},
        ReplyRow{"IcomNgFrame", "Icom", Bytes({0xFE, 0xFE, 0xE0, 0x64, 0xFA, 0xFD}), 1, kSame,
                 kSameMode},
        ReplyRow{"IcomModeEchoOnly", "Icom", Bytes({0xFE, 0xFE, 0x64, 0xE0, 0x04, 0xFD}), 0, kSame,
                 kSameMode},
        ReplyRow{"YaesuFourBytes", "Yaesu", Bytes({0x01, 0x42, 0x50, 0x00}), 0, kSame, kSameMode},
        ReplyRow{"YaesuNotBcd", "Yaesu", Bytes({0x01, 0x4F, 0x50, 0x00, 0x02}), 0, kSame,
                 kSameMode},
        ReplyRow{"YaesuAscii", "Yaesu", "hello", 0, kSame, kSameMode},
        ReplyRow{"Yaesu757FiveBytes", "Yaesu 757 GX II", Bytes({0, 0, 0, 0, 0}), 0, kSame,
                 kSameMode},
        ReplyRow{"Yaesu757NotBcd", "Yaesu 757 GX II",
                 Bytes({0, 0, 0, 0, 0, 0x00, 0xFF, 0x42, 0x01, 0x02}), 0, kSame, kSameMode},
        ReplyRow{"Yaesu890FourBytes", "Yaesu 890", Bytes({0, 0, 0x15, 0xBE}), 0, kSame, kSameMode},
        ReplyRow{"Yaesu920Empty", "Yaesu 920", "", 0, kSame, kSameMode},
        ReplyRow{"YaesuEchoOnly", "Yaesu", Bytes({0, 0, 0, 0, 0x03}), 0, kSame, kSameMode},
        ReplyRow{"Yaesu890EchoOnly", "Yaesu 890", Bytes({0, 0, 0, 0x02, 0x10}), 0, kSame,
                 kSameMode},
        ReplyRow{"FntPnlModeEchoOnly", "Ten Tec Fnt Pnl", "?M\r", 0, kSame, kSameMode},
        ReplyRow{"Ftdx9000Letters", "Yaesu FTdx9000", "FA1425O000;", 0, kSame, kSameMode},
        ReplyRow{"Ftdx9000Echo", "Yaesu FTdx9000", "FA;MD0;", 0, kSame, kSameMode},
        ReplyRow{"Ftdx9000ModeCut", "Yaesu FTdx9000", "MD0", 0, kSame, kSameMode},
        ReplyRow{"FntPnlFourBytes", "Ten Tec Fnt Pnl", "A\x00\xD9\x70"s, 1, kSame, kSameMode},
        ReplyRow{"FntPnlModeTwoBytes", "Ten Tec Fnt Pnl", "M3", 0, kSame, kSameMode},
        ReplyRow{"OrionFrequencyWithoutCr", "Ten Tec Orion", "@AF14025000", 0, kSame, kSameMode},
        ReplyRow{"OrionFrequencyNotDigits", "Ten Tec Orion", "@AF14.025\r", 0, kSame, kSameMode},
        ReplyRow{"OrionEmptyFrequency", "Ten Tec Orion", "@AF\r", 0, kSame, kSameMode},
        ReplyRow{"OrionModeCut", "Ten Tec Orion", "@RMM", 0, kSame, kSameMode},
        ReplyRow{"OrionEcho", "Ten Tec Orion", "?AF\r?RMM\r", 0, kSame, kSameMode},
        ReplyRow{"PegasusEmptyFile", "Ten Tec Pegasus", "", 0, kSame, kSameMode},
        ReplyRow{"PegasusTextFirst", "Ten Tec Pegasus", "\"CW\",14.2", 0, kSame, kSameMode},
        ReplyRow{"PegasusBrokenQuote", "Ten Tec Pegasus", "\"14.2", 0, kSame, kSameMode}),
    [](const auto& info) { return std::string(info.param.name); });

// Every family, every reply that carries nothing: silence, noise bytes, NUL
// runs, an 8-bit run shorter than any reply. Same reading out as in.
TEST(ReplyEveryFamily, NoiseLeavesTheReadingUnchanged) {
  const std::vector<std::string> noise = {"",     "\0"s,  "\0\0"s, "\xFF\xFE\xFD",
                                          ";;;;", "\r\n", "\x80"};
  for (const RigModel& model : RigModels()) {
    for (uint8_t turn : {0, 1}) {
      const ReplyContext ctx{model.defaults.frequency_query, model.defaults.mode_query, turn};
      for (const std::string& reply : noise) {
        EXPECT_EQ(ParseRigReply(model, reply, ctx, Sentinel()), Sentinel())
            << model.name << " turn " << int(turn) << " reply of " << reply.size() << " bytes";
      }
    }
  }
}

// A reply cut in two across read phases never gives a reading from either
// half alone for the framed families.
TEST(ReplyEveryFamily, HalvesOfASplitReplyGiveNothing) {
  struct Split {
    const char* rig_type;
    std::string whole;
    uint8_t turn;
  };
  const std::vector<Split> splits = {
      {"Kenwood", "FA00014250000;", 0},
      {"Kenwood 2", "IF00014250000 ", 0},
      {"Icom", Bytes({0xFE, 0xFE, 0xE0, 0x64, 0x03, 0x00, 0x50, 0x23, 0x14, 0x00, 0xFD}), 1},
      {"Yaesu FTdx9000", "FA14250000;", 0},
      {"Ten Tec Orion", "@AF14025000\r", 0},
  };
  for (const Split& s : splits) {
    const RigModel& model = *FindRigModel(s.rig_type);
    const ReplyContext ctx{model.defaults.frequency_query, model.defaults.mode_query, s.turn};
    for (size_t cut = 1; cut + 1 < s.whole.size(); ++cut) {
      for (const std::string& half : {s.whole.substr(0, cut), s.whole.substr(cut)}) {
        const RigReading got = ParseRigReply(model, half, ctx, Sentinel());
        EXPECT_EQ(got.state.frequency, Sentinel().state.frequency)
            << s.rig_type << " cut at " << cut;
      }
    }
    EXPECT_NE(ParseRigReply(model, s.whole, ctx, Sentinel()).state.frequency,
              Sentinel().state.frequency)
        << s.rig_type;
  }
}

TEST(ModeFromFrequency, SegmentsAreStrictAndKeepTheRadioModeOutside) {
  EXPECT_EQ(ModeFromFrequency(14.2f, "CW"), "PH");
  EXPECT_EQ(ModeFromFrequency(14.1f, "PH"), "CW");
  EXPECT_EQ(ModeFromFrequency(14.15f, "CW"), "CW");  // on the edge: neither side
  EXPECT_EQ(ModeFromFrequency(14.15f, "PH"), "PH");
  EXPECT_EQ(ModeFromFrequency(144.05f, "PH"), "CW");
  EXPECT_EQ(ModeFromFrequency(144.2f, "CW"), "PH");
  EXPECT_EQ(ModeFromFrequency(432.1f, "CW"), "CW");
  EXPECT_EQ(ModeFromFrequency(0.0f, ""), "");
  EXPECT_EQ(ModeFromFrequency(10.12f, "PH"), "CW");
  EXPECT_EQ(ModeFromFrequency(10.2f, "PH"), "PH");  // no phone segment on 30 m
}

TEST(FormatRigFrequency, FiveDecimals) {
  EXPECT_EQ(FormatRigFrequency(14.25f), "14.25000");
  EXPECT_EQ(FormatRigFrequency(144.2f), "144.20000");
  EXPECT_EQ(FormatRigFrequency(1296.1f), "1296.09998");  // single precision shows through
  EXPECT_EQ(FormatRigFrequency(0.5f), ".50000");
}

}  // namespace
}  // namespace vantrel

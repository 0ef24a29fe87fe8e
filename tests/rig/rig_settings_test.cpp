#include "rig/rig_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

RigSettings Kenwood9600Port2() {
  RigSettings s;
  s.Baud = "9600 ";
  s.ModeQuery = "MD;";
  s.FrequencyQuery = "FA;";
  s.SerialSettings = "9600,N,8,1";
  s.Port = 2;
  s.RigType = "Kenwood";
  return s;
}

// Fourteen serial-era lines, then the rigctld host and port.
TEST(RigCntrlFile, WritesFourteenLinesTextsQuotedNumbersBare) {
  EXPECT_EQ(FormatRigSettings(Kenwood9600Port2()),
            Join({"\"9600 \"", "\"N\"", "\"8\"", "\"1\"", "\"MD;\"", "\"FA;\"", "\"9600,N,8,1\"",
                  "2", "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1", "1", "\"localhost\"", "4532"}));
}

// A file from before the rigctld lines loads whole with their defaults; a
// damaged pair of rigctld lines is ignored, the rest of the file still holds.
TEST(RigCntrlFile, RigctldLinesAreOptional) {
  const std::string fourteen =
      Join({"\"9600 \"", "\"N\"", "\"8\"", "\"1\"", "\"MD;\"", "\"FA;\"", "\"9600,N,8,1\"", "2",
            "\"N\"", "\"M\"", "\"Kenwood\"", "0", "1", "1"});
  struct Row {
    const char* name;
    std::string tail;
    int read;
    const char* host;
    int port;
  };
  const Row rows[] = {
      {"older file", "", 14, "localhost", 4532},
      {"both lines", Join({"\"shack-pi\"", "4533"}), 16, "shack-pi", 4533},
      {"host only", Join({"\"shack-pi\""}), 14, "localhost", 4532},
      {"port zero", Join({"\"shack-pi\"", "0"}), 14, "localhost", 4532},
      {"port beyond 16 bits", Join({"\"shack-pi\"", "70000"}), 14, "localhost", 4532},
      {"port as text", Join({"\"shack-pi\"", "\"4533\""}), 14, "localhost", 4532},
      {"empty host", Join({"\"\"", "4533"}), 14, "localhost", 4532},
  };
  for (const Row& row : rows) {
    RigSettings s;
    const RigSettingsReadResult r = ParseRigSettings(fourteen + row.tail, s);
    EXPECT_TRUE(r.ok()) << row.name;
    EXPECT_EQ(r.items_read, row.read) << row.name;
    EXPECT_EQ(s.RigType, "Kenwood") << row.name;
    EXPECT_EQ(s.RigctldHost, row.host) << row.name;
    EXPECT_EQ(s.RigctldPort, row.port) << row.name;
  }
}

TEST(RigCntrlFile, RoundTripsEveryRigTypeWithItsDefaults) {
  for (const RigModel& model : RigModels()) {
    RigSettings s;
    ApplyRigChoice(model.name, s);
    s.SerialSettings = SerialSettingsString(s);
    RigSettings back;
    back.RigType = "changed";
    const RigSettingsReadResult r = ParseRigSettings(FormatRigSettings(s), back);
    EXPECT_TRUE(r.ok()) << model.name;
    EXPECT_EQ(back, s) << model.name;
  }
}

TEST(RigCntrlFile, Baud1200IsPaddedAndPort10Survives) {
  RigSettings s = Kenwood9600Port2();
  s.Baud = "1200";
  s.Port = 10;
  s.SerialSettings = SerialSettingsString(s);
  const std::string text = FormatRigSettings(s);
  EXPECT_EQ(text.substr(0, 9), "\"1200 \"\r\n");
  EXPECT_NE(text.find("\r\n10\r\n"), std::string::npos);
  RigSettings back;
  ASSERT_TRUE(ParseRigSettings(text, back).ok());
  EXPECT_EQ(back.Baud, "1200 ");
  EXPECT_EQ(back.Port, 10);
  EXPECT_EQ(back.SerialSettings, "1200,N,8,1");
}

TEST(RigCntrlFile, ReadsLfOnlyAndRepadsAnUnpaddedBaud) {
  const std::string text =
      "\"1200\"\n\"E\"\n\"7\"\n\"2\"\n\"\"\n\"IF;\"\n\"1200,E,7,2\"\n3\n\"R\"\n\"F\"\n\"Kenwood "
      "2\"\n0\n0\n3\n";
  RigSettings s;
  ASSERT_TRUE(ParseRigSettings(text, s).ok());
  EXPECT_EQ(s.Baud, "1200 ");
  EXPECT_EQ(s.Parity, "E");
  EXPECT_EQ(s.PowerLine, "R");
  EXPECT_EQ(s.PollRate, "F");
  EXPECT_EQ(s.RigType, "Kenwood 2");
  EXPECT_EQ(s.ModeSource, 3);
  EXPECT_EQ(s.UseFrequency, 0);
}

// Values before the failing line replace the held ones; the rest stay.
TEST(RigCntrlFile, MissingAndShortFilesKeepWhatWasNotRead) {
  const std::string full = FormatRigSettings(Kenwood9600Port2());
  struct Row {
    const char* name;
    std::string text;
    int read;
  };
  const std::vector<Row> rows = {
      {"missing", "", 0},
      {"first line only", "\"9600 \"\r\n", 1},
      {"eleven lines", full.substr(0, full.find("\"Kenwood\"") + 11), 11},
      {"port is text",
       Join({"\"9600 \"", "\"N\"", "\"8\"", "\"1\"", "\"MD;\"", "\"FA;\"", "\"9600,N,8,1\"",
             "\"2\"", "\"N\""}),
       7},
      {"port beyond a byte",
       Join(
           {"\"9600 \"", "\"N\"", "\"8\"", "\"1\"", "\"MD;\"", "\"FA;\"", "\"9600,N,8,1\"", "300"}),
       7},
      {"unclosed quote", "\"9600 \r\n\"N\"\r\n", 0},
      {"thirteen lines", full.substr(0, full.rfind("1\r\n")), 13},
  };
  for (const Row& row : rows) {
    RigSettings s;
    s.RigType = "Other";
    const RigSettingsReadResult r = ParseRigSettings(row.text, s);
    EXPECT_EQ(r.items_read, row.read) << row.name;
    EXPECT_FALSE(r.ok()) << row.name;
    RigSettings expected = Kenwood9600Port2();
    RigSettings initial;
    initial.RigType = "Other";
    // Fields past the failure keep the initial values.
    if (row.read < 14) expected.ModeSource = initial.ModeSource;
    if (row.read < 13) expected.UseFrequency = initial.UseFrequency;
    if (row.read < 12) expected.ConvertToHex = initial.ConvertToHex;
    if (row.read < 11) expected.RigType = initial.RigType;
    if (row.read < 10) expected.PollRate = initial.PollRate;
    if (row.read < 9) expected.PowerLine = initial.PowerLine;
    if (row.read < 8) expected.Port = initial.Port;
    if (row.read < 7) expected.SerialSettings = initial.SerialSettings;
    if (row.read < 6) expected.FrequencyQuery = initial.FrequencyQuery;
    if (row.read < 5) expected.ModeQuery = initial.ModeQuery;
    if (row.read < 4) expected.StopBits = initial.StopBits;
    if (row.read < 3) expected.DataBits = initial.DataBits;
    if (row.read < 2) expected.Parity = initial.Parity;
    if (row.read < 1) expected.Baud = initial.Baud;
    EXPECT_EQ(s, expected) << row.name;
  }
}

TEST(RigCntrlFile, QuotesAndLineEndsInQueriesCannotBreakLaterLines) {
  RigSettings s = Kenwood9600Port2();
  s.FrequencyQuery = "F\"A\r\n;";
  RigSettings back;
  ASSERT_TRUE(ParseRigSettings(FormatRigSettings(s), back).ok());
  EXPECT_EQ(back.FrequencyQuery, "FA;");
  EXPECT_EQ(back.RigType, "Kenwood");
}

TEST(RigChoice, Kenwood2SetsSerialAndIfQuery) {
  RigSettings s;
  s.Baud = "1200 ";
  s.StopBits = "1";
  s.Parity = "E";
  s.DataBits = "7";
  s.ModeQuery = "old";
  s.ConvertToHex = 1;
  const RigChoice c = ApplyRigChoice("Kenwood 2", s);
  EXPECT_EQ(s.Baud, "4800 ");
  EXPECT_EQ(s.DataBits, "8");
  EXPECT_EQ(s.StopBits, "2");
  EXPECT_EQ(s.Parity, "N");
  EXPECT_EQ(s.FrequencyQuery, "IF;");
  EXPECT_EQ(s.ModeQuery, "");
  EXPECT_EQ(s.ConvertToHex, 0);
  EXPECT_FALSE(c.convert_to_hex_enabled);
  EXPECT_EQ(s.RigType, "Kenwood 2");
}

TEST(RigChoice, Ftdx9000ChangesOnlyBaudAndQueries) {
  RigSettings s;
  s.Baud = "9600 ";
  s.Parity = "E";
  s.DataBits = "7";
  s.StopBits = "1";
  ApplyRigChoice("Yaesu FTdx9000", s);
  EXPECT_EQ(s.Baud, "4800 ");
  EXPECT_EQ(s.Parity, "E");
  EXPECT_EQ(s.DataBits, "7");
  EXPECT_EQ(s.StopBits, "1");
  EXPECT_EQ(s.FrequencyQuery, "FA;");
  EXPECT_EQ(s.ModeQuery, "MD0;");
  EXPECT_EQ(s.ConvertToHex, 0);
}

TEST(RigChoice, EveryFamilyAsTheListShowsIt) {
  struct Row {
    const char* type;
    const char* baud;  // nullptr: unchanged from "9600 "
    const char* freq;
    const char* mode;
    int hex;
    bool hex_enabled;
    bool hint;
  };
  const Row rows[] = {
      {"None", nullptr, "", "", 0, false, false},
      {"Elecraft", "4800 ", "FA;", "MD;", 0, false, false},
      {"Icom", "1200 ", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false, true},
      {"Icom 735", "1200 ", "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 1, false, true},
      {"Kenwood", "4800 ", "FA;", "MD;", 0, false, false},
      {"Kenwood 2", "4800 ", "IF;", "", 0, false, false},
      {"Ten Tec Omni VI", "1200 ", "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", 1, false, false},
      {"Ten Tec Orion", "56000", "?AF", "?RMM", 0, false, false},
      {"Ten Tec Fnt Pnl", "56000", "3F 41 0D", "3F 4D 0D", 1, false, false},
      {"Ten Tec Pegasus", nullptr, "", "", 0, false, false},
      {"Yaesu", "4800 ", "00 00 00 00 03", "", 1, false, false},
      {"Yaesu 757 GX II", "4800 ", "00 00 00 00 10", "", 1, false, false},
      {"Yaesu 890", "4800 ", "00 00 00 02 10", "", 1, false, false},
      {"Yaesu 920", "4800 ", "00 00 00 02 10", "", 1, false, false},
      {"Yaesu 990", "4800 ", "00 00 00 02 10", "", 1, false, false},
      {"Yaesu 1000 D", "4800 ", "00 00 00 02 10", "", 1, false, false},
      {"Yaesu 1000", "4800 ", "00 00 00 02 10", "", 1, false, false},
      {"Yaesu FTdx9000", "4800 ", "FA;", "MD0;", 0, false, false},
      {"Other", nullptr, "", "", 0, true, false},
      {"Hamlib rigctld", nullptr, "", "", 0, false, false},
  };
  ASSERT_EQ(std::size(rows), RigModels().size());
  for (size_t i = 0; i < std::size(rows); ++i) {
    const Row& row = rows[i];
    EXPECT_EQ(RigModels()[i].name, row.type);  // list order
    RigSettings s;
    s.Baud = "9600 ";
    s.FrequencyQuery = "x";
    s.ConvertToHex = 1;
    const RigChoice c = ApplyRigChoice(row.type, s);
    EXPECT_EQ(s.Baud, row.baud ? row.baud : "9600 ") << row.type;
    EXPECT_EQ(s.FrequencyQuery, row.freq) << row.type;
    EXPECT_EQ(s.ModeQuery, row.mode) << row.type;
    EXPECT_EQ(s.ConvertToHex, row.hex) << row.type;
    EXPECT_EQ(c.convert_to_hex_enabled, row.hex_enabled) << row.type;
    EXPECT_EQ(c.icom_hint, row.hint) << row.type;
  }
}

TEST(RigTypes, ComparisonIsExact) {
  EXPECT_NE(FindRigModel("Kenwood"), nullptr);
  EXPECT_EQ(FindRigModel("kenwood"), nullptr);
  EXPECT_EQ(FindRigModel("Kenwood "), nullptr);
}

TEST(SerialSettings, TrimmedBaudAndThreeLetters) {
  RigSettings s;
  s.Baud = "4800 ";
  s.Parity = "E";
  s.DataBits = "7";
  s.StopBits = "2";
  EXPECT_EQ(SerialSettingsString(s), "4800,E,7,2");
  s.Baud = "56000";
  EXPECT_EQ(SerialSettingsString(s), "56000,E,7,2");
}

TEST(PollRates, IntervalIsHalfTheCycle) {
  EXPECT_EQ(PollIntervalMs("F"), 50);
  EXPECT_EQ(PollIntervalMs("M"), 250);
  EXPECT_EQ(PollIntervalMs("S"), 1000);
  EXPECT_EQ(PollIntervalMs("R"), 5000);
  EXPECT_EQ(PollIntervalMs(""), 250);
}

TEST(HexPairs, TextToBytesAndBack) {
  EXPECT_EQ(HexPairsToBytes("FE FE 64 E0 03 FD", 6), std::string("\xFE\xFE\x64\xE0\x03\xFD"));
  EXPECT_EQ(HexPairsToBytes("00 00 00 00 03", 5), std::string("\0\0\0\0\x03", 5));
  EXPECT_EQ(HexPairsToBytes("3f 41 0d"), std::string("?A\r"));
  EXPECT_EQ(HexPairsToBytes("3F 4"), std::string("?\x04"));  // a cut pair reads its one digit
  EXPECT_EQ(HexPairsToBytes("FE FE 64", 6), std::nullopt);   // too short for six pairs
  EXPECT_EQ(HexPairsToBytes("FE XE"), std::nullopt);
  EXPECT_EQ(HexPairsToBytes(""), std::string());
  EXPECT_EQ(BytesToHexPairs(std::string("\xFE\x00\x0A", 3)), "FE 00 0A");
  EXPECT_EQ(HexDisplay("FA"), "46 41 ");
  EXPECT_EQ(HexDisplay(""), "");
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// The port-opening and unload bytes follow the rig type's name: every
// "Yaesu..." but the FTdx9000 gets five zero bytes at open and 00 00 00 00 80
// at unload; the Orion gets "X" CR; the two Ten-Tec serial heads want RTS/CTS.
TEST(RigTypes, OpenAndCloseBytesFollowTheName) {
  for (const RigModel& m : RigModels()) {
    const bool yaesu = m.name.substr(0, 5) == "Yaesu" && m.name != "Yaesu FTdx9000";
    const std::string_view open = yaesu                       ? std::string_view("\0\0\0\0\0", 5)
                                  : m.name == "Ten Tec Orion" ? "X\r"
                                                              : "";
    EXPECT_EQ(m.open_bytes, open) << m.name;
    EXPECT_EQ(m.close_bytes, yaesu ? std::string_view("\0\0\0\0\x80", 5) : "") << m.name;
    EXPECT_EQ(m.hardware_handshake, m.name == "Ten Tec Fnt Pnl" || m.name == "Ten Tec Orion")
        << m.name;
  }
}

}  // namespace
}  // namespace vantrel

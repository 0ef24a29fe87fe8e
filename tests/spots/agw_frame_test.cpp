#include "spots/agw_frame.h"

#include <gtest/gtest.h>

#include "spots/cluster_lines.h"

namespace vantrel {
namespace {

AgwFrame Frame(char kind, const char* from, std::string data, const char* to = "N0CALL") {
  AgwFrame f;
  f.kind = kind;
  f.call_from = from;
  f.call_to = to;
  f.data = std::move(data);
  return f;
}

TEST(AgwCodec, HeaderLayoutIsLittleEndianWithNulPaddedCalls) {
  const std::string bytes = AgwSendData("N0CALL", "W1AWX-10", "hi\r");
  ASSERT_EQ(bytes.size(), kAgwHeaderSize + 3);
  EXPECT_EQ(bytes[4], 'D');
  EXPECT_EQ(static_cast<uint8_t>(bytes[6]), 0xF0);
  EXPECT_EQ(bytes.substr(8, 10), std::string("N0CALL\0\0\0\0", 10));
  EXPECT_EQ(bytes.substr(18, 10), std::string("W1AWX-10\0\0", 10));
  EXPECT_EQ(bytes.substr(28, 4), std::string("\3\0\0\0", 4));
  EXPECT_EQ(AgwRegister("N0CALL")[4], 'X');
  EXPECT_EQ(AgwUnregister("N0CALL")[4], 'x');
  EXPECT_EQ(AgwMonitorOn()[4], 'm');
  EXPECT_EQ(AgwVersionRequest()[4], 'R');
  EXPECT_EQ(AgwConnect("N0CALL", "W1AWX")[4], 'C');
  EXPECT_EQ(AgwDisconnect("N0CALL", "W1AWX")[4], 'd');
  // A ten-character call is cut so its NUL fits.
  EXPECT_EQ(EncodeAgwFrame(Frame('U', "ABCDEFGHIJK", "")).substr(8, 10),
            std::string("ABCDEFGHI\0", 10));
}

TEST(AgwDecoder, FramesSurviveAnySplitOfTheStream) {
  AgwFrame a = Frame('U', "W1AW", " 1:Fm W1AW To DX <UI>\rDX de W1AW: x\r");
  a.port = 2;
  a.user = 0x01020304;
  const AgwFrame b = Frame('d', "W1AWX", "");
  const std::string stream = EncodeAgwFrame(a) + EncodeAgwFrame(b);
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    AgwDecoder d;
    d.Feed(stream.substr(0, cut));
    d.Feed(stream.substr(cut));
    AgwFrame got;
    ASSERT_TRUE(d.Next(got));
    EXPECT_EQ(got, a);
    ASSERT_TRUE(d.Next(got));
    EXPECT_EQ(got, b);
    EXPECT_FALSE(d.Next(got));
  }
}

TEST(AgwDecoder, OversizedFramesAreSkippedWithoutBufferingThem) {
  AgwDecoder d;
  std::string huge = EncodeAgwFrame(Frame('U', "W1AW", ""));
  const uint32_t length = kAgwMaxData + 1;
  for (int i = 0; i < 4; ++i) huge[28 + i] = static_cast<char>((length >> (8 * i)) & 0xFF);
  d.Feed(huge);
  for (uint32_t sent = 0; sent < length; sent += 4096) {
    d.Feed(std::string(std::min<uint32_t>(4096, length - sent), 'z'));
    EXPECT_LT(d.buffered(), kAgwHeaderSize);
  }
  d.Feed(EncodeAgwFrame(Frame('U', "K1ABCD", "ok")));
  AgwFrame got;
  ASSERT_TRUE(d.Next(got));
  EXPECT_EQ(got.call_from, "K1ABCD");
  EXPECT_EQ(d.skipped(), 1u);

  // A length beyond what follows just waits; a flood keeps the newest frames.
  AgwDecoder w;
  w.Feed(EncodeAgwFrame(Frame('U', "W1AW", "abc")).substr(0, 38));
  EXPECT_FALSE(w.Next(got));
  AgwDecoder f;
  for (size_t i = 0; i < AgwDecoder::kMaxQueued + 10; ++i)
    f.Feed(EncodeAgwFrame(Frame('U', "W1AW", std::to_string(i))));
  EXPECT_EQ(f.queued(), AgwDecoder::kMaxQueued);
  ASSERT_TRUE(f.Next(got));
  EXPECT_EQ(got.data, "10");
}

TEST(AgwFrameHandling, MonitoredSpotsRepeatsAndOtherTraffic) {
  SpotDisplay display;
  AgwSession session;
  const std::string spot = ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42");
  const AgwFrame u = Frame('U', "W3LPL", " 1:Fm W3LPL To DX <UI pid=F0>\r" + spot + "\r");
  AgwFrameOutcome out = HandleAgwFrame(u, session, false, display);
  EXPECT_EQ(out.spot_line, spot + "\r\n");
  EXPECT_EQ(display.text(), spot + "\r\n");
  // The same spot again, by another digipeater: a repeat.
  out = HandleAgwFrame(u, session, false, display);
  EXPECT_EQ(out.spot_line, "");
  EXPECT_EQ(display.text(), spot + "\r\n");
  // Other monitored traffic shows as its monitor text, unless DX only.
  const AgwFrame beacon = Frame('U', "W1XYZ", " 1:Fm W1XYZ To ID\rbeacon\r");
  HandleAgwFrame(beacon, session, true, display);
  EXPECT_EQ(display.text(), spot + "\r\n");
  HandleAgwFrame(beacon, session, false, display);
  EXPECT_EQ(display.text(), spot + "\r\n" + "UW1XYZ  1:Fm W1XYZ To ID\r\nbeacon\r\n");
}

TEST(AgwFrameHandling, ConnectDataAndDisconnectOfTheConnectedStation) {
  SpotDisplay display;
  AgwSession session;
  AgwFrameOutcome out = HandleAgwFrame(
      Frame('C', "W1AWX-10", "*** CONNECTED With Station W1AWX-10\r"), session, false, display);
  EXPECT_EQ(session.connected, "W1AWX-10");
  EXPECT_EQ(out.caption, "DX Spotting Setup - Connected to W1AWX-10");
  EXPECT_EQ(out.beeps, 1);
  display.Replace("");
  out = HandleAgwFrame(Frame('D', "W1AWX-10", "Hello N0CALL\r\r"), session, false, display);
  EXPECT_EQ(display.text(), "Hello N0CALL\r\n");
  const std::string spot = ClusterLine("W3LPL", "144200.0", "K1ABCD", "FN42");
  out = HandleAgwFrame(Frame('D', "W1AWX-10", spot + "\r"), session, false, display);
  EXPECT_EQ(out.spot_line, spot + "\r\n");
  // Another station's frames are not shown while connected.
  HandleAgwFrame(Frame('D', "K9ZZZ", "chatter\r"), session, false, display);
  EXPECT_EQ(display.text().find("chatter"), std::string::npos);
  out = HandleAgwFrame(Frame('d', "W1AWX-10", "*** DISCONNECTED From Station W1AWX-10\r"), session,
                       true, display);
  EXPECT_EQ(out.beeps, 2);
  EXPECT_EQ(out.caption, "DX Spotting Setup");
  EXPECT_EQ(session.connected, "");
  EXPECT_NE(display.text().find("\r\n** Disconnected from W1AWX-10 **\r\n"), std::string::npos);
}

TEST(AgwSend, SendBoxTexts) {
  AgwSession idle, connected{"W1AWX"};
  const struct {
    const char* text;
    const AgwSession& session;
    AgwSendAction::Kind kind;
    const char* station;
    const char* data;
  } cases[] = {
      {":c w1awx", idle, AgwSendAction::kConnect, "W1AWX", ""},
      {":C  qx9zz-1 ", idle, AgwSendAction::kConnect, "QX9ZZ-1", ""},
      {":C", idle, AgwSendAction::kCallRequired, "", ""},
      {":C   ", idle, AgwSendAction::kCallRequired, "", ""},
      {":d", idle, AgwSendAction::kNothing, "", ""},
      {":D", connected, AgwSendAction::kDisconnect, "W1AWX", ""},
      {":x", connected, AgwSendAction::kNothing, "", ""},
      {":", connected, AgwSendAction::kNothing, "", ""},
      {"hello", idle, AgwSendAction::kNothing, "", ""},
      {"DX 50125 K1ABCD", connected, AgwSendAction::kData, "W1AWX", "DX 50125 K1ABCD\r"},
  };
  for (const auto& c : cases) {
    const AgwSendAction a = ReadAgwSend(c.text, c.session);
    EXPECT_EQ(a.kind, c.kind) << c.text;
    EXPECT_EQ(a.station, c.station) << c.text;
    EXPECT_EQ(a.data, c.data) << c.text;
  }
}

}  // namespace
}  // namespace vantrel

#include "spots/spot_settings.h"

#include <gtest/gtest.h>

#include "spots/tcp_error_text.h"

namespace vantrel {
namespace {

TEST(SpotSettings, FileLinesAndRoundTrip) {
  SpotSettings s;
  ApplyTncDefaults(s);
  s.Port = 3;
  s.Source = "TNC";
  s.ListDisplay = true;
  s.TelnetHost = "dxc.example.net";
  s.TelnetPort = "7300";
  const std::string text = FormatSpotSettings(s);
  EXPECT_EQ(text,
            "\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n3\r\n\"N\"\r\n\"TNC\"\r\n0\r\n3\r\n0\r\n"
            "#TRUE#\r\n\"03\"\r\n\"7300\"\r\n\"dxc.example.net\"\r\n");
  SpotSettings back;
  EXPECT_TRUE(ParseSpotSettings(text, back).ok());
  EXPECT_EQ(back, s);
  // LF-only files read the same; a file cut short reports how far it got.
  std::string lf = text;
  std::erase(lf, '\r');
  SpotSettings again;
  EXPECT_TRUE(ParseSpotSettings(lf, again).ok());
  SpotSettings partial;
  EXPECT_EQ(ParseSpotSettings("\"1200\"\r\n\"E\"\r\n\"x\"\r\n", partial).items_read, 3);
  EXPECT_EQ(
      ParseSpotSettings("\"1200\"\r\n\"E\"\r\n\"7\"\r\n\"2\"\r\n\"five\"\r\n", partial).items_read,
      4);
}

TEST(SpotSettings, SourcesAndCommandBytes) {
  EXPECT_EQ(SpotSourceOf("telnet"), SpotSource::kTelnet);
  EXPECT_EQ(SpotSourceOf("AGW PACKET ENGINE"), SpotSource::kAgw);
  EXPECT_EQ(SpotSourceOf("Tnc"), SpotSource::kTnc);
  EXPECT_EQ(SpotSourceOf("modem"), SpotSource::kNone);
  const struct {
    const char* hex;
    bool ok;
    char byte;
  } cases[] = {{"03", true, 3}, {"1b", true, 27}, {" 3 ", true, 3}, {"FF", true, '\xff'},
               {"", false, 0},  {"3G", false, 0}, {"103", false, 0}};
  for (const auto& c : cases) {
    char b = 0;
    EXPECT_EQ(CommandByte(c.hex, b), c.ok) << c.hex;
    if (c.ok) {
      EXPECT_EQ(b, c.byte) << c.hex;
    }
  }
}

TEST(TcpErrorText, NumbersAndTheFallback) {
  EXPECT_EQ(TcpErrorText(10061), "ERROR: Connection is forcefully rejected.");
  EXPECT_EQ(TcpErrorText(10058), TcpErrorText(10060));
  EXPECT_EQ(TcpErrorText(10054), "ERROR: The connection is reset by remote side.!");
  EXPECT_EQ(TcpErrorText(11001), "ERROR: Authoritative answer: Host not found.");
  EXPECT_EQ(TcpErrorText(12345), "Error number 12345");
}

}  // namespace
}  // namespace vantrel

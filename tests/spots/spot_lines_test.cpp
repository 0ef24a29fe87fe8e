#include "spots/spot_lines.h"

#include <gtest/gtest.h>

#include "spots/cluster_lines.h"

namespace vantrel {
namespace {

struct LineCase {
  const char* name;
  std::string line;
  const char* call;
  const char* khz;
};

class SpotLineColumns : public ::testing::TestWithParam<LineCase> {};

TEST_P(SpotLineColumns, CallAndFrequencyComeFromTheirColumns) {
  const SpotLineFields f = ReadSpotLine(GetParam().line);
  EXPECT_EQ(f.call, GetParam().call);
  EXPECT_EQ(f.frequency_khz, GetParam().khz);
  EXPECT_EQ(f.spot_text, std::string(TrimBlanks(GetParam().line.substr(3))));
}

INSTANTIATE_TEST_SUITE_P(
    Cluster, SpotLineColumns,
    ::testing::Values(
        LineCase{"SixMetres", ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42 CW 559"), "K1ABCD",
                 "50125.0"},
        LineCase{"TwoMetres", ClusterLine("K1TEO", "144200.0", "VE3XYZZ", "FN03<ES>EM12"),
                 "VE3XYZZ", "144200.0"},
        LineCase{"Seventy", ClusterLine("N2NT", "432100.0", "W1AWX/R", "rover FN31"), "W1AWX/R",
                 "432100.0"},
        LineCase{"TwentyThreeCm", ClusterLine("W2SZ", "1296100.0", "KB1ABCDEF", "EME"), "KB1ABCDEF",
                 "1296100.0"},
        // Ten characters start in column 15: cut literally they read 368.1 MHz.
        LineCase{"TenGhz", ClusterLine("K2UYH", "10368100.0", "W5LUA", "rain scatter"), "W5LUA",
                 "10368100.0"},
        LineCase{"TwentyFourGhz", ClusterLine("AA2", "24048100.0", "W2SZ", "FN32"), "W2SZ",
                 "24048100.0"},
        LineCase{"LongComment", ClusterLine("VE3ABC", "50313.0", "K1ABCD", std::string(60, 'x')),
                 "K1ABCD", "50313.0"},
        LineCase{"LowerCaseDx", "dx de W1AW:      50125.0  k1abcd       tnx", "k1abcd", "50125.0"},
        LineCase{"ShortLine", "DX de W1AW:    ", "", ""},
        LineCase{"EmptyFrequency", "DX de W1AW:               N0CALL       hi", "N0CALL", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpotLineColumns, SpotterTouchingATenGhzFrequencyIsNotPartOfIt) {
  EXPECT_EQ(ReadSpotLine("DX de KB1ABCD:10368100.0  W5LUA        x").frequency_khz, "10368100.0");
  // A blank in column 16 means the field is an ordinary nine-character one.
  EXPECT_EQ(ReadSpotLine("DX de KB1ABCDE7  50125.0  W5LUA        x").frequency_khz, "50125.0");
}

TEST(SpotDisplay, KeepsTheLastNineThousandOncePastTenThousand) {
  SpotDisplay d;
  d.Append(std::string(10000, 'a'));
  EXPECT_EQ(d.text().size(), 10000u);
  d.Append("bc");
  EXPECT_EQ(d.text().size(), 9000u);
  EXPECT_EQ(d.text().substr(8998), "bc");
  EXPECT_EQ(d.Caret(), 8999u);
  d.Replace("ab");
  EXPECT_EQ(d.Caret(), 0u);
  d.Append(std::string("x\0y", 3));
  EXPECT_EQ(d.text(), "abxy");
}

TEST(SpotDisplay, RepeatCheckLooksOnlyAtTheLast800Characters) {
  SpotDisplay d;
  d.Append("OLD LINE\r\n");
  d.Append(std::string(790, '.'));
  EXPECT_TRUE(d.RecentlyShown("OLD LINE"));  // exactly 800 characters: still in view
  d.Append(std::string(20, '.'));
  EXPECT_FALSE(d.RecentlyShown("OLD LINE"));
}

TEST(TncLineSplitter, StrayTextBeforeTheFirstLineEndIsDroppedAndALineWaitsForItsEnd) {
  SpotDisplay d;
  TncLineSplitter s;
  const std::string spot = ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42") + "\r\n";
  auto lines = s.Feed("x\n" + spot + "DX de W1", d, false);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], spot);
  EXPECT_EQ(d.text(), spot);
  EXPECT_TRUE(s.Feed("AW:  144200.0  W1ABC", d, false).empty());
  EXPECT_EQ(s.Feed("\r\n", d, false).size(), 1u);
}

TEST(TncLineSplitter, RepeatsAreIgnoredAndOtherLinesShownUnlessDxOnly) {
  SpotDisplay d;
  TncLineSplitter s;
  const std::string spot = ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42") + "\r\n";
  EXPECT_EQ(s.Feed("\n" + spot + spot, d, false).size(), 1u);
  EXPECT_EQ(d.text(), spot);
  s.Feed("WWV de W0MU <18>:   SFI=70\r\nN0CALL de K1ABC> \r\n", d, true);
  EXPECT_EQ(d.text(), spot);
  s.Feed("WWV de W0MU <18>:   SFI=70\r\n", d, false);
  EXPECT_EQ(d.text(), spot + "WWV de W0MU <18>:   SFI=70\r\n");
}

TEST(TncLineSplitter, BytesOneAtATimeGiveTheSameLines) {
  std::string stream = "junk\n";
  for (const char* khz : {"50125.0", "144200.0", "10368100.0"})
    stream += ClusterLine("W3LPL", khz, "K1ABCD", khz) + "\r\n";
  SpotDisplay whole_display, byte_display;
  TncLineSplitter whole, bytes;
  const auto expected = whole.Feed(stream, whole_display, false);
  std::vector<std::string> got;
  for (char c : stream)
    for (auto& l : bytes.Feed(std::string(1, c), byte_display, false)) got.push_back(l);
  EXPECT_EQ(expected.size(), 3u);
  EXPECT_EQ(got, expected);
  EXPECT_EQ(byte_display.text(), whole_display.text());
}

TEST(TncLineSplitter, AStreamWithoutLineEndsStaysBoundedAndTheLongLineIsLost) {
  SpotDisplay d;
  TncLineSplitter s;
  s.Feed("\n", d, false);
  for (int i = 0; i < 100; ++i) s.Feed("DX" + std::string(1000, 'z'), d, false);
  EXPECT_LE(s.buffer().size(), kLineBufferLimit);
  const std::string spot = ClusterLine("W3LPL", "50125.0", "K1ABCD", "x") + "\r\n";
  const auto lines = s.Feed("\n" + spot, d, false);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], spot);
}

TEST(TncLineSplitter, ABurstLargerThanTheBufferInOneReadLosesNoLine) {
  SpotDisplay d;
  TncLineSplitter s;
  std::string burst = "\n";
  for (int i = 0; i < 100; ++i)
    burst += ClusterLine("W3LPL", std::to_string(50100 + i) + ".0", "K" + std::to_string(i) + "AB",
                         "x") +
             "\r\n";
  ASSERT_GT(burst.size(), kLineBufferLimit);
  EXPECT_EQ(s.Feed(burst, d, true).size(), 100u);
}

TEST(TelnetLineSplitter, EverySplitOfTheStreamGivesTheSameWholeLines) {
  const std::string a = ClusterLine("W3LPL", "50125.0", "K1ABCD", "FN42");
  const std::string b = ClusterLine("K2UYH", "10368100.0", "W5LUA", "EM13");
  const std::string stream = "login: \r\n" + a + "\r\n" + b + "\r" + "\n\n" + a + "\r";
  const std::vector<std::string> expected = {"login: ", a, b, a};
  for (size_t cut = 0; cut <= stream.size(); ++cut) {
    TelnetLineSplitter s;
    auto lines = s.Feed(stream.substr(0, cut));
    for (auto& l : s.Feed(stream.substr(cut))) lines.push_back(l);
    EXPECT_EQ(lines, expected) << "cut at " << cut;
  }
}

TEST(TelnetLineSplitter, AHundredKilobyteLineIsDroppedWholeAndTheNextLineSurvives) {
  TelnetLineSplitter s;
  for (int i = 0; i < 100; ++i) EXPECT_TRUE(s.Feed("DX" + std::string(1000, 'q')).empty());
  EXPECT_LE(s.partial().size(), kLineBufferLimit);
  const auto lines = s.Feed("tail\r\nDX de W1AW: next\r\n");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "DX de W1AW: next");
}

}  // namespace
}  // namespace vantrel

#include "settings/program_prefs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

// Line by line what FormatPrefs(Sample()) writes.
const std::vector<std::string> kSampleLines = {"\"W1AW/R\"",
                                               "\"FN31\"",
                                               "-3.5",
                                               "\"CW\"",
                                               "\"144 M\"",
                                               "12345.25",
                                               "5",
                                               "2",
                                               "30",
                                               "1",
                                               "72.71928456789013",
                                               "-41.71458333333333",
                                               "\"View Bands\"",
                                               "16711680",
                                               "-2147483648",
                                               "2",
                                               "\"Kenwood, TS-2000\"",
                                               "1",
                                               "1"};

ProgramPrefs Sample() {
  return {"W1AW/R",
          "FN31",
          -3.5f,
          "CW",
          "144 M",
          12345.25f,
          5,
          2,
          30,
          1,
          72.7192845678901234,
          -41.71458333333333,
          "View Bands",
          16711680,
          -2147483647 - 1,
          2,
          "Kenwood, TS-2000",
          1,
          1};
}

std::string Join(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
  std::string out;
  for (const auto& l : lines) out += l + eol;
  return out;
}

TEST(ProgramPrefs, SavedFileIsNineteenCrLfLinesAndReadsBackEqual) {
  EXPECT_EQ(FormatPrefs(Sample()), Join(kSampleLines));
  for (const std::string eol : {"\r\n", "\n", "\r"}) {
    ProgramPrefs read;
    ASSERT_TRUE(ParsePrefs(Join(kSampleLines, eol), read).ok()) << int(eol[0]);
    EXPECT_EQ(read, Sample());
  }
  // Empty texts are two quotes and stay empty.
  ProgramPrefs empty = Sample();
  empty.OwnCall.clear();
  empty.RigType.clear();
  const std::string text = FormatPrefs(empty);
  EXPECT_EQ(text.substr(0, 4), "\"\"\r\n");
  ProgramPrefs read = Sample();
  ASSERT_TRUE(ParsePrefs(text, read).ok());
  EXPECT_EQ(read, empty);
}

TEST(ProgramPrefs, FiveLineExampleAndEighteenLinesStopAtTheFirstMissingValue) {
  ProgramPrefs p;
  p.OwnCall = "N0CALL";
  p.OwnGrid = "FN20";
  p.UtcOffsetHours = 5;
  p.CurrentMode = "PH";
  p.CurrentBand = "144 M";
  const std::string head = "\"N0CALL\"\r\n\"FN20\"\r\n5\r\n\"PH\"\r\n\"144 M\"\r\n";
  EXPECT_EQ(FormatPrefs(p).substr(0, head.size()), head);

  ProgramPrefs read;
  PrefsReadResult r = ParsePrefs(head, read);
  EXPECT_EQ(r.error, PrefsReadError::kMissing);
  EXPECT_EQ(r.line, 6);
  EXPECT_EQ(read, p);  // the five values, defaults elsewhere (RecordRst 1, size 100)

  read = ProgramPrefs();
  read.ListPreviousContacts = 7;
  r = ParsePrefs(Join({kSampleLines.begin(), kSampleLines.end() - 1}), read);
  EXPECT_EQ(r.error, PrefsReadError::kMissing);
  EXPECT_EQ(r.line, 19);
  ProgramPrefs expected = Sample();
  expected.ListPreviousContacts = 7;
  EXPECT_EQ(read, expected);

  EXPECT_EQ(ParsePrefs("", read).line, 1);
  EXPECT_EQ(ParsePrefs("\r\n  \n\r", read).line, 1);
}

TEST(ProgramPrefs, BareTextsEdgeNumbersAndTrailingLinesAreAccepted) {
  std::vector<std::string> lines = kSampleLines;
  lines[0] = "  K1ABC  ";
  lines[12] = "View Grids";
  lines[2] = "-12.75";
  lines[6] = "255";
  lines[9] = "0";
  lines[13] = "2147483647";
  lines.push_back("\"ignored\"");
  ProgramPrefs read;
  ASSERT_TRUE(ParsePrefs(Join(lines), read).ok());
  EXPECT_EQ(read.OwnCall, "K1ABC");
  EXPECT_EQ(read.GridMapView, "View Grids");
  EXPECT_EQ(read.UtcOffsetHours, -12.75f);
  EXPECT_EQ(read.ContestId, 255);
  EXPECT_EQ(read.WorkedColor, 2147483647);
}

struct BadLine {
  const char* name;
  int line;
  const char* text;
};

class ProgramPrefsBadLine : public ::testing::TestWithParam<BadLine> {};

TEST_P(ProgramPrefsBadLine, StopsThereKeepingEarlierValuesAndLeavingLaterOnes) {
  const BadLine& bad = GetParam();
  std::vector<std::string> lines = kSampleLines;
  lines[static_cast<size_t>(bad.line - 1)] = bad.text;
  ProgramPrefs read;
  read.RigType = "untouched";
  const PrefsReadResult r = ParsePrefs(Join(lines), read);
  EXPECT_EQ(r.error, PrefsReadError::kWrongType);
  EXPECT_EQ(r.line, bad.line);
  EXPECT_EQ(read.OwnCall, bad.line > 1 ? "W1AW/R" : "");
  EXPECT_EQ(read.RigType, "untouched");
  EXPECT_EQ(read.ListPreviousContacts, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ProgramPrefsBadLine,
    ::testing::Values(BadLine{"QuotedNumber", 3, "\"5\""}, BadLine{"Word", 3, "abc"},
                      BadLine{"SingleOverflow", 6, "3.5E+38"}, BadLine{"Infinite", 6, "1e999"},
                      BadLine{"Nan", 11, "nan"}, BadLine{"EmptyNumber", 12, ","},
                      BadLine{"ByteAbove255", 7, "256"}, BadLine{"NegativeByte", 10, "-1"},
                      BadLine{"QuotedByte", 9, "\"100\""}, BadLine{"Int32Above", 14, "2147483648"},
                      BadLine{"Int32Below", 15, "-2147483649"},
                      BadLine{"UnclosedQuote", 1, "\"N0CALL"},
                      BadLine{"StrayQuote", 5, "\"144 M\"x"},
                      BadLine{"QuoteInBareText", 13, "View\"Grids"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramPrefs, UnstorableTextsAndNumbersNeverBreakTheFile) {
  ProgramPrefs p = Sample();
  p.OwnCall = "W1\"AW";
  p.OwnGrid = "FN\r\n31";
  p.UtcOffsetHours = std::numeric_limits<float>::quiet_NaN();
  p.OwnLatitude = std::numeric_limits<double>::infinity();
  ProgramPrefs read;
  ASSERT_TRUE(ParsePrefs(FormatPrefs(p), read).ok());
  EXPECT_EQ(read.OwnCall, "W1AW");
  EXPECT_EQ(read.OwnGrid, "FN31");
  EXPECT_EQ(read.UtcOffsetHours, 0.0f);
  EXPECT_EQ(read.OwnLatitude, 0.0);
}

TEST(ProgramPrefs, AnySingleAndDoubleSurvivesTheTextForm) {
  std::mt19937_64 rng(20070609);
  ProgramPrefs p;
  for (int i = 0; i < 20000; ++i) {
    // The first float is one whose shortest text, read through a double,
    // rounds to its neighbour.
    const uint64_t bits = i == 0 ? 0x15ae43fdu : rng();
    const uint32_t fbits = static_cast<uint32_t>(bits);
    std::memcpy(&p.UtcOffsetHours, &fbits, sizeof(float));
    std::memcpy(&p.OwnLongitude, &bits, sizeof(double));
    if (!std::isfinite(p.UtcOffsetHours) || !std::isfinite(p.OwnLongitude)) continue;
    ProgramPrefs read;
    ASSERT_TRUE(ParsePrefs(FormatPrefs(p), read).ok());
    ASSERT_EQ(read.UtcOffsetHours, p.UtcOffsetHours) << FormatPrefs(p);
    ASSERT_EQ(read.OwnLongitude, p.OwnLongitude) << FormatPrefs(p);
  }
}

TEST(ProgramPrefs, ShippedFirstStartFileReadsCompletelyAndSavesUnchanged) {
  std::ifstream in(VANTREL_SHIPPED_DATA_DIR "/vhfpref.txt", std::ios::binary);
  ASSERT_TRUE(in);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ProgramPrefs read;
  const PrefsReadResult r = ParsePrefs(text, read);
  ASSERT_TRUE(r.ok()) << "line " << r.line;
  EXPECT_EQ(read.RigType, "None");
  EXPECT_GE(read.ContestId, 1);
  EXPECT_LE(read.ContestId, 5);
  EXPECT_EQ(FormatPrefs(read), text);
  // A folder without a readable file starts from these same values.
  EXPECT_EQ(read, ShippedDefaultPrefs());
}

}  // namespace
}  // namespace vantrel

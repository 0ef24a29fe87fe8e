#include "log/contact_log.h"

#include <gtest/gtest.h>

#include "support/sample_contact.h"

#include <string>

namespace vantrel {
namespace {

ContactRecord MakeRecord(const std::string& call, const std::string& freq = "144.200") {
  ContactRecord r = SampleContact(call);
  r.Freq = freq;
  return r;
}

std::string Lines(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += FormatLogLine(MakeRecord("W" + std::to_string(i)));
  return text;
}

// A log with one known record, to see that failed parses leave it alone.
ContactLog Sentinel() {
  ContactLog log;
  log.Add(MakeRecord("SENTINEL"));
  return log;
}

TEST(LogLine, ExampleContactIsWrittenExactly) {
  EXPECT_EQ(FormatLogLine(MakeRecord("N0CALL")),
            "\"N0CALL\",\"59\",\"FN31\",\"59\",\"FN20\",\"2007/06/09\",\"18:30:15\",\"144 M\","
            "\"PH\",\"144.200\"\r\n");
}

TEST(LogLine, RecordsSurviveWriteAndRead) {
  ContactRecord sparse = MakeRecord("K2XX/R", "");
  sparse.RstRcvd.clear();
  sparse.RstSnt.clear();
  sparse.GridRcvd = "FN12ab";
  sparse.Time = "03:15";
  const ContactRecord blank;  // every field empty
  ContactRecord spaced = MakeRecord(" W1AW ");

  ContactLog log;
  log.Add(sparse);
  log.Add(blank);
  log.Add(spaced);
  const std::string text = FormatLog(log);
  EXPECT_NE(text.find("\"K2XX/R\",\"\",\"FN12ab\",\"\","), std::string::npos);

  ContactLog back;
  ASSERT_TRUE(ParseLog(text, back).ok());
  ASSERT_EQ(back.ContactCount(), 3);
  EXPECT_EQ(back.Record(1), sparse);
  EXPECT_EQ(back.Record(2), blank);
  EXPECT_EQ(back.Record(3).Call, " W1AW ");  // blanks inside quotes are text
  EXPECT_EQ(FormatLog(back), text);
}

TEST(LogLine, BytesAbove127AreKept) {
  ContactRecord r = MakeRecord("VE2\xC9T\xFF");
  r.GridRcvd = "FN\x80\x9F";
  ContactLog back;
  ASSERT_TRUE(ParseLog(FormatLogLine(r), back).ok());
  ASSERT_EQ(back.ContactCount(), 1);
  EXPECT_EQ(back.Record(1), r);
}

TEST(LogLine, PastedQuotesAndLineEndsCannotBreakTheFile) {
  ContactRecord r = MakeRecord("N0\"CALL");
  r.GridRcvd = "FN\r\n31";
  ContactLog back;
  ASSERT_TRUE(ParseLog(FormatLogLine(r), back).ok());
  ASSERT_EQ(back.ContactCount(), 1);
  EXPECT_EQ(back.Record(1).Call, "N0CALL");
  EXPECT_EQ(back.Record(1).GridRcvd, "FN31");
}

TEST(ParseLog, AcceptsEveryLineEnd) {
  const std::string crlf = Lines(3);
  std::string lf, cr, mixed;
  for (char c : crlf) {
    if (c != '\r') lf += c;
    if (c != '\n') cr += c;
  }
  const auto bare = [](const char* call) {
    const std::string line = FormatLogLine(MakeRecord(call));
    return line.substr(0, line.size() - 2);
  };
  mixed = bare("W1") + "\n" + bare("W2") + "\r" + bare("W3");  // no line end at the end

  ContactLog expected;
  ASSERT_TRUE(ParseLog(crlf, expected).ok());
  ASSERT_EQ(expected.ContactCount(), 3);
  for (const std::string* text : {&lf, &cr, &mixed}) {
    ContactLog log;
    const auto result = ParseLog(*text, log);
    ASSERT_TRUE(result.ok()) << DescribeParseError(result);
    EXPECT_EQ(log.records(), expected.records());
  }
}

TEST(ParseLog, EmptyFileAndBlankLinesGiveNoContacts) {
  for (const char* text : {"", "\r\n", "\n\n  \r\n\t\r"}) {
    ContactLog log = Sentinel();
    ASSERT_TRUE(ParseLog(text, log).ok());
    EXPECT_EQ(log.ContactCount(), 0);
    EXPECT_TRUE(log.Empty());
  }
}

TEST(ParseLog, FieldsFormAStreamNotLines) {
  // Line ends separate fields like commas, and bare fields lose their
  // surrounding blanks.
  const std::string text =
      "\"N0CALL\",,\"FN31\"\r\n  59 ,FN20\r\n\"2007/06/09\",18:30:15,\"144 M\",PH,\"\"\r\n";
  ContactLog log;
  const auto result = ParseLog(text, log);
  ASSERT_TRUE(result.ok()) << DescribeParseError(result);
  ASSERT_EQ(log.ContactCount(), 1);
  ContactRecord expected = MakeRecord("N0CALL", "");
  expected.RstRcvd.clear();
  EXPECT_EQ(log.Record(1), expected);

  // A value deleted by hand from the end of a line, comma left behind, is an
  // empty field, not the first field of the next line.
  const std::string trimmed =
      "\"N0CALL\",\"59\",\"FN31\",\"59\",\"FN20\",\"2007/06/09\",\"18:30:15\",\"144 "
      "M\",\"PH\",\r\n";
  ContactLog two;
  ASSERT_TRUE(ParseLog(trimmed + trimmed, two).ok());
  ASSERT_EQ(two.ContactCount(), 2);
  EXPECT_EQ(two.Record(2).Call, "N0CALL");
  EXPECT_EQ(two.Record(2).Freq, "");
}

struct BadLog {
  const char* name;
  std::string text;
  LogParseError error;
  int record;
};

class ParseLogRefuses : public testing::TestWithParam<BadLog> {};

TEST_P(ParseLogRefuses, AndLeavesTheLogAlone) {
  const BadLog& bad = GetParam();
  ContactLog log = Sentinel();
  const auto result = ParseLog(bad.text, log);
  EXPECT_EQ(result.error, bad.error);
  EXPECT_EQ(result.record, bad.record);
  EXPECT_FALSE(DescribeParseError(result).empty());
  ASSERT_EQ(log.ContactCount(), 1);
  EXPECT_EQ(log.Record(1), MakeRecord("SENTINEL"));
}

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseLogRefuses,
    testing::Values(BadLog{"StrayQuoteInQuotedField", ReplaceFirst(Lines(3), "\"W2\"", "\"W\"2\""),
                           LogParseError::kMalformedField, 2},
                    BadLog{"QuoteInsideBareField", Lines(2) + "W3\"X,59,FN31,59,FN20,a,b,c,d,e\r\n",
                           LogParseError::kMalformedField, 3},
                    BadLog{"TextAfterClosingQuote", Lines(1) + "\"W2\"59,\"59\"\r\n",
                           LogParseError::kMalformedField, 2},
                    BadLog{"QuoteOpenAtEndOfFile", Lines(1) + "\"W2",
                           LogParseError::kMalformedField, 2},
                    BadLog{"QuoteRunsToLineEnd",
                           ReplaceFirst(Lines(2), "\"144.200\"\r\n\"W2", "\"144.200\r\n\"W2"),
                           LogParseError::kMalformedField, 1},
                    BadLog{"ShortLastRecord", Lines(4).substr(0, Lines(4).size() - 12) + "\r\n",
                           LogParseError::kShortRecord, 4},
                    BadLog{"OneField", "\"W1\"", LogParseError::kShortRecord, 1},
                    BadLog{"TooManyRecords", Lines(kMaxContacts + 1),
                           LogParseError::kTooManyRecords, kMaxContacts + 1}),
    [](const testing::TestParamInfo<BadLog>& info) { return info.param.name; });

TEST(ParseLog, HoldsExactlyTheMaximum) {
  ContactLog log;
  ASSERT_TRUE(ParseLog(Lines(kMaxContacts), log).ok());
  EXPECT_EQ(log.ContactCount(), kMaxContacts);
  EXPECT_TRUE(log.Full());
  EXPECT_EQ(log.Record(kMaxContacts).Call, "W12000");
  EXPECT_FALSE(log.Add(MakeRecord("ONEMORE")));
  EXPECT_EQ(log.ContactCount(), kMaxContacts);
}

TEST(ContactLog, RemovingRenumbersLaterRecords) {
  ContactLog log;
  for (const char* call : {"W1", "W2", "W3", "W4", "W5"}) ASSERT_TRUE(log.Add(MakeRecord(call)));
  EXPECT_FALSE(log.Remove(0));
  EXPECT_FALSE(log.Remove(6));
  ASSERT_TRUE(log.Remove(3));
  ASSERT_EQ(log.ContactCount(), 4);
  EXPECT_EQ(log.Record(3).Call, "W4");
  EXPECT_EQ(log.Record(4).Call, "W5");
  // The file written afterwards has the same order, so line = record number.
  ContactLog back;
  ASSERT_TRUE(ParseLog(FormatLog(log), back).ok());
  EXPECT_EQ(back.records(), log.records());
}

}  // namespace
}  // namespace vantrel

#include "common/quoted_value.h"

#include "log/contact_log.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using Status = FieldReader::Status;

// Every field up to the end or the first failure; the failure shows as "!".
std::vector<std::string> Fields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> out;
  std::string field;
  for (;;) {
    const Status s = reader.Next(field);
    if (s == Status::kEnd) return out;
    if (s == Status::kMalformed) {
      out.push_back("!");
      return out;
    }
    out.push_back(field);
  }
}

using V = std::vector<std::string>;

TEST(FieldReader, SplitsQuotedAndBareFields) {
  EXPECT_EQ(Fields("\"a b\",c,  d  ,\" e \""), (V{"a b", "c", "d", " e "}));
  EXPECT_EQ(Fields("\"x\" , y\r\n\"z\"\n1\r2"), (V{"x", "y", "z", "1", "2"}));
  EXPECT_EQ(Fields("\"\",,\"\""), (V{"", "", ""}));  // empty fields, quoted or not
  EXPECT_EQ(Fields("\t\"q\"\t,\t7\t"), (V{"q", "7"}));
  EXPECT_EQ(Fields("\"a,b\",c"), (V{"a,b", "c"}));  // comma inside quotes is text
  EXPECT_EQ(Fields(""), V{});
  EXPECT_EQ(Fields("\r\n\r\n  \n"), V{});  // empty lines give no fields
}

TEST(FieldReader, RefusesBrokenQuotes) {
  EXPECT_EQ(Fields("a,\"open"), (V{"a", "!"}));
  EXPECT_EQ(Fields("\"open\r\nnext\""), V{"!"});  // a quote never spans lines
  EXPECT_EQ(Fields("ab\"c\",d"), V{"!"});
  EXPECT_EQ(Fields("\"ab\"c,d"), V{"!"});
  EXPECT_EQ(Fields("\"ab\" \"c\""), V{"!"});
}

TEST(FieldReader, FailureLeavesOutputAndPosition) {
  FieldReader reader("ok,\"bad");
  std::string out = "before";
  ASSERT_EQ(reader.Next(out), Status::kOk);
  const size_t pos = reader.position();
  out = "before";
  EXPECT_EQ(reader.Next(out), Status::kMalformed);
  EXPECT_EQ(out, "before");
  EXPECT_EQ(reader.position(), pos);
  EXPECT_EQ(reader.Next(out), Status::kMalformed);  // stays refused
}

TEST(FieldReader, ReportsQuoting) {
  FieldReader reader("\"5\",5");
  std::string out;
  bool quoted = false;
  ASSERT_EQ(reader.Next(out, &quoted), Status::kOk);
  EXPECT_TRUE(quoted);
  ASSERT_EQ(reader.Next(out, &quoted), Status::kOk);
  EXPECT_FALSE(quoted);
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ParseNumber, AcceptsPlainDecimalForms) {
  const std::pair<const char*, double> good[] = {
      {"-3.5", -3.5},   {".5", 0.5},        {"1E+07", 1e7}, {"+5", 5},       {"0", 0},
      {"-0.25", -0.25}, {"144.200", 144.2}, {"5.", 5},      {"2e-3", 0.002}, {"007", 7}};
  for (const auto& [text, value] : good) {
    double v = -1;
    EXPECT_TRUE(ParseNumber(text, v)) << text;
    EXPECT_DOUBLE_EQ(v, value) << text;
  }
}

TEST(ParseNumber, RefusesEverythingElseAndKeepsOutput) {
  for (const char* text : {"inf", "-inf", "nan", "NaN", "0x10", "", "+", "-", ".", "1e", "1,5",
                           "5 ", " 5", "--5", "+-5", "1e999", "12a", "#TRUE#", "e5"}) {
    double v = 42;
    EXPECT_FALSE(ParseNumber(text, v)) << '"' << text << '"';
    EXPECT_EQ(v, 42) << text;
  }
}

TEST(FieldReader, TypedReads) {
  FieldReader reader("1.5,\"2\",-7,#TRUE#,#FALSE#,\"#TRUE#\",abc");
  double d = 0;
  EXPECT_EQ(reader.NextNumber(d), Status::kOk);
  EXPECT_EQ(d, 1.5);
  EXPECT_EQ(reader.NextNumber(d), Status::kOk);
  EXPECT_EQ(d, 2);
  int64_t i = 0;
  EXPECT_EQ(reader.NextInteger(-10, 10, i), Status::kOk);
  EXPECT_EQ(i, -7);
  bool b = false;
  EXPECT_EQ(reader.NextBool(b), Status::kOk);
  EXPECT_TRUE(b);
  EXPECT_EQ(reader.NextBool(b), Status::kOk);
  EXPECT_FALSE(b);
  b = true;
  EXPECT_EQ(reader.NextBool(b), Status::kMalformed);  // a quoted text is no truth value
  EXPECT_TRUE(b);
  std::string s;
  EXPECT_EQ(reader.NextText(s), Status::kOk);  // the refused field can be read as text
  EXPECT_EQ(s, "#TRUE#");
  d = 9;
  EXPECT_EQ(reader.NextNumber(d), Status::kMalformed);
  EXPECT_EQ(d, 9);
  EXPECT_EQ(reader.NextText(s), Status::kOk);
  EXPECT_EQ(s, "abc");
  EXPECT_EQ(reader.NextNumber(d), Status::kEnd);
}

TEST(FieldReader, IntegerRange) {
  const auto read = [](const char* text, int64_t lo, int64_t hi, int64_t& out) {
    FieldReader reader(text);
    return reader.NextInteger(lo, hi, out);
  };
  int64_t v = 99;
  EXPECT_EQ(read("0", 0, 5, v), Status::kOk);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(read("5", 0, 5, v), Status::kOk);
  EXPECT_EQ(v, 5);
  EXPECT_EQ(read("2.0", 0, 5, v), Status::kOk);
  EXPECT_EQ(v, 2);
  EXPECT_EQ(read("2.5", 0, 5, v), Status::kOk);  // half to even
  EXPECT_EQ(v, 2);
  v = 99;
  EXPECT_EQ(read("6", 0, 5, v), Status::kMalformed);
  EXPECT_EQ(read("-1", 0, 5, v), Status::kMalformed);
  EXPECT_EQ(read("5.6", 0, 5, v), Status::kMalformed);
  EXPECT_EQ(v, 99);
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(read("-9223372036854775808", kMin, kMax, v), Status::kOk);
  EXPECT_EQ(v, kMin);
  v = 99;
  // 2^63 does not fit although it compares equal to the largest value as a double.
  EXPECT_EQ(read("9223372036854775808", kMin, kMax, v), Status::kMalformed);
  EXPECT_EQ(read("1e300", kMin, kMax, v), Status::kMalformed);
  EXPECT_EQ(v, 99);
}

TEST(FieldReader, SingleRange) {
  FieldReader reader("3.25,1e39,3.5E+38,-1e-50");
  float f = 0;
  std::string skip;
  EXPECT_EQ(reader.NextSingle(f), Status::kOk);
  EXPECT_EQ(f, 3.25f);
  EXPECT_EQ(reader.NextSingle(f), Status::kMalformed);
  EXPECT_EQ(reader.NextText(skip), Status::kOk);
  EXPECT_EQ(reader.NextSingle(f), Status::kMalformed);
  EXPECT_EQ(reader.NextText(skip), Status::kOk);
  EXPECT_EQ(reader.NextSingle(f), Status::kMalformed);
  EXPECT_EQ(f, 3.25f);
}

TEST(FieldReader, SinglesReadBackBitForBit) {
  // This one's shortest text, read through a double and then narrowed, lands
  // on its neighbour.
  uint32_t bits = 0x15ae43fd;
  std::mt19937 gen(42);
  for (int i = 0; i < 5000; ++i, bits = gen()) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    FieldWriter w;
    w.Single(value);
    FieldReader r(w.str());
    float back = 0;
    ASSERT_EQ(r.NextSingle(back), Status::kOk) << w.str();
    ASSERT_EQ(back, value) << w.str();
  }
}

TEST(FieldWriter, WritesTheSameForm) {
  FieldWriter w;
  w.Text("N0CALL");
  w.Text("");
  w.Number(144.2);
  w.Number(-3.5);
  w.Integer(-12);
  w.Bool(true);
  w.Bool(false);
  w.EndLine();
  w.Single(0.1f);
  w.Number(0);
  w.EndLine();
  EXPECT_EQ(w.str(), "\"N0CALL\",\"\",144.2,-3.5,-12,#TRUE#,#FALSE#\r\n0.1,0\r\n");
}

TEST(FieldWriter, OrdinaryNumbersAreWrittenInPlainDigits) {
  // The preference file is edited by hand; 100000 must not turn into 1e+05.
  EXPECT_EQ(FormatSingle(100000.0f), "100000");
  EXPECT_EQ(FormatDouble(1e7), "10000000");
  EXPECT_EQ(FormatDouble(-0.0001), "-0.0001");
  EXPECT_EQ(FormatDouble(1e-7), "1e-07");
  EXPECT_EQ(FormatDouble(1e20), "1e+20");
}

TEST(FieldWriter, ReaderGetsBackWhatWasWritten) {
  const double numbers[] = {1e7, -1e-7, 0.1, 123456789.125, -0.0, 3.0};
  FieldWriter w;
  for (double d : numbers) w.Number(d);
  w.EndLine();
  w.Single(1.1f);
  w.Integer(std::numeric_limits<int64_t>::min());
  w.Text(" spaced \xE9 ");
  w.EndLine();
  FieldReader r(w.str());
  for (double d : numbers) {
    double v = 99;
    ASSERT_EQ(r.NextNumber(v), Status::kOk);
    EXPECT_EQ(v, d);
  }
  float f = 0;
  ASSERT_EQ(r.NextSingle(f), Status::kOk);
  EXPECT_EQ(f, 1.1f);
  int64_t i = 0;
  ASSERT_EQ(r.NextInteger(std::numeric_limits<int64_t>::min(), 0, i), Status::kOk);
  EXPECT_EQ(i, std::numeric_limits<int64_t>::min());
  std::string s;
  ASSERT_EQ(r.NextText(s), Status::kOk);
  EXPECT_EQ(s, " spaced \xE9 ");
  EXPECT_TRUE(r.AtEnd());
}

}  // namespace
}  // namespace vantrel

namespace vantrel {
namespace {

// A comma promises a field: hand-edited lines that end in a comma keep their
// field count instead of shifting every later record.
TEST(FieldReaderTrailingComma, CommaBeforeLineEndIsAnEmptyField) {
  FieldReader r("\"a\",\r\n\"b\",\n\"c\",");
  std::string f;
  std::vector<std::string> fields;
  while (r.Next(f) == FieldReader::Status::kOk) fields.push_back(f);
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "", "b", "", "c", ""}));
  // Empty lines still produce nothing.
  FieldReader blank("\"a\"\r\n\r\n\r\n\"b\"\r\n");
  fields.clear();
  while (blank.Next(f) == FieldReader::Status::kOk) fields.push_back(f);
  EXPECT_EQ(fields, (std::vector<std::string>{"a", "b"}));
  // A failed typed read rewinds completely.
  FieldReader typed("1,\r\n");
  double d = 0;
  ASSERT_EQ(typed.NextNumber(d), FieldReader::Status::kOk);
  EXPECT_EQ(typed.NextNumber(d), FieldReader::Status::kMalformed);
  EXPECT_EQ(typed.Next(f), FieldReader::Status::kOk);
  EXPECT_EQ(f, "");
  EXPECT_TRUE(typed.AtEnd());
}

TEST(FieldReaderTrailingComma, LogLineWithATrailingCommaIsRefusedNotMisread) {
  // Ten fields and a comma: an eleventh, empty field, so the record count
  // no longer divides and the file is refused rather than shifted.
  const std::string line =
      "\"N0CALL\",\"59\",\"FN31\",\"59\",\"FN20\",\"2007/06/09\",\"18:30:15\",\"144 M\",\"PH\","
      "\"144.200\",\r\n";
  ContactLog log;
  EXPECT_FALSE(ParseLog(line + line, log).ok());
  EXPECT_EQ(log.ContactCount(), 0);
}

}  // namespace
}  // namespace vantrel

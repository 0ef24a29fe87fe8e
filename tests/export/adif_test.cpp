// The ADIF export: exact bytes for the layout rules, and a reader written
// here from the ADIF field syntax (not the writer's code) to prove that
// every contact of a full log comes back.
#include "export/adif.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/sample_contact.h"
#include "support/sample_log.h"

namespace vantrel {
namespace {

const std::string kCaption =
    "QX9ZZ's Vantrel 3.0" + std::string(64, ' ') + "https://vantrel.example.org";

ContactRecord Contact() {
  ContactRecord r = SampleContact("N0CALL");
  r.RstSnt = "57";
  return r;
}

// A whole expected file from tests/data, byte for byte.
std::string Golden(const std::string& name) {
  std::ifstream in(std::string(VANTREL_TEST_DATA_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << name;
  return bytes.str();
}

std::string Record(const ContactRecord& r, AdifAnswers answers = {"100", "SSB", ""}) {
  return FormatAdifRecord(r, answers);
}

// --- an independent reader -------------------------------------------------

using Fields = std::map<std::string, std::string>;  // lower-case name -> value

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Reads "<name:len[:type]>value" tags; "<eoh>" ends the header, "<eor>" a
// record. Anything outside a tag is ignored, as ADIF allows. Returns false on
// a malformed tag.
bool ReadAdif(const std::string& text, std::vector<Fields>& records) {
  Fields current;
  bool in_header = true;
  size_t i = 0;
  while ((i = text.find('<', i)) != std::string::npos) {
    const size_t close = text.find('>', i);
    if (close == std::string::npos) return false;
    const std::string tag = text.substr(i + 1, close - i - 1);
    i = close + 1;
    const size_t colon = tag.find(':');
    const std::string name = Lower(tag.substr(0, colon));
    if (colon == std::string::npos) {
      if (name == "eoh") {
        in_header = false;
        current.clear();
      } else if (name == "eor") {
        records.push_back(current);
        current.clear();
      } else {
        return false;
      }
      continue;
    }
    const std::string rest = tag.substr(colon + 1);
    const std::string digits = rest.substr(0, rest.find(':'));
    if (digits.empty()) return false;
    for (char c : digits)
      if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const size_t length = std::stoul(digits);
    if (i + length > text.size()) return false;
    if (!in_header) current[name] = text.substr(i, length);
    i += length;
  }
  return current.empty();
}

// --- the writer --------------------------------------------------------------

TEST(AdifFile, EmptyLogIsHeaderOnly) {
  EXPECT_EQ(FormatAdif(ContactLog{}, {kCaption, "6/9/2007 6:30:15 PM"}, {}),
            Golden("adif_empty.adi"));
}

TEST(AdifRecord, AllAnswersGiveThreeLinesAndEorAlone) {
  EXPECT_EQ(Record(Contact(), {"100", "SSB", "ARRL June VHF QSO Party"}),
            "<Call:6>N0CALL <Qso_Date:8:d>20070609 <Band:2>2M\r\n"
            "<Mode:3>SSB\r\n"
            "<Tx_Pwr:3>100 <Freq:7>144.200 <Time_On:4>1830 <RST_Sent:2>57 <RST_Rcvd:2>59 "
            "<Gridsquare:4>FN31 <My_Gridsquare:4>FN20 <Comment:23>ARRL June VHF QSO Party\r\n"
            "<eor>\r\n"
            "\r\n");
}

TEST(AdifRecord, WithoutCommentEorFollowsTheLastBlank) {
  EXPECT_EQ(Record(Contact(), {"", "SSB", ""}),
            "<Call:6>N0CALL <Qso_Date:8:d>20070609 <Band:2>2M\r\n"
            "<Mode:3>SSB\r\n"
            "<Freq:7>144.200 <Time_On:4>1830 <RST_Sent:2>57 <RST_Rcvd:2>59 "
            "<Gridsquare:4>FN31 <My_Gridsquare:4>FN20 <eor>\r\n"
            "\r\n");
}

TEST(AdifRecord, BandField) {
  ContactRecord r = Contact();
  r.Band = "300 G";
  EXPECT_NE(Record(r).find("<Band:0>\r\n<Mode:3>SSB"), std::string::npos);
  r.Band = "1.3 g";  // labels compare without case
  EXPECT_NE(Record(r).find("<Band:4>23CM\r\n"), std::string::npos);
  // No band at all: no field and no line end, so the mode joins the first line.
  r.Band = "";
  EXPECT_NE(Record(r).find("20070609 <Mode:3>SSB\r\n"), std::string::npos);
  EXPECT_EQ(AdifBandName("222 M"), "1.25M");
  EXPECT_EQ(AdifBandName("24 G"), "1.25CM");
  EXPECT_EQ(AdifBandName("241 G"), "1MM");
  EXPECT_EQ(AdifBandName("300 G"), "");
  EXPECT_EQ(AdifBandName("145 M"), "");
}

TEST(AdifRecord, PhoneModeAnswer) {
  ContactRecord r = Contact();
  EXPECT_NE(Record(r, {"", "fm", ""}).find("<Band:2>2M\r\n<Mode:2>FM\r\n"), std::string::npos);
  r.Mode = "ph";
  EXPECT_NE(Record(r, {"", "fm", ""}).find("<Mode:2>FM\r\n"), std::string::npos);
  // An empty answer leaves phone contacts without a mode.
  const std::string none = Record(r, {"", "", ""});
  EXPECT_EQ(none.find("<Mode"), std::string::npos);
  EXPECT_NE(none.find("<Band:2>2M\r\n<Freq:7>"), std::string::npos);
  r.Mode = "cw";
  EXPECT_NE(Record(r, {"", "fm", ""}).find("<Mode:2>CW\r\n"), std::string::npos);
  EXPECT_NE(Record(r, {"", "", ""}).find("<Mode:2>CW\r\n"), std::string::npos);
}

TEST(AdifRecord, EmptyFieldsAreLeftOut) {
  ContactRecord r = Contact();
  r.Freq = "";
  r.RstRcvd = "";
  r.RstSnt = "";
  r.GridRcvd = "";
  r.GridSent = "";
  r.Call = "";
  const std::string rec = Record(r, {"", "SSB", ""});
  EXPECT_EQ(rec,
            "<Qso_Date:8:d>20070609 <Band:2>2M\r\n<Mode:3>SSB\r\n<Time_On:4>1830 <eor>\r\n\r\n");
  // Blanks around the frequency and after the grids are not part of the value.
  r.Freq = " 1296.100 ";
  r.GridRcvd = "FN31pr  ";
  r.GridSent = "FN20 ";
  EXPECT_NE(
      Record(r, {"", "SSB", ""})
          .find("<Freq:8>1296.100 <Time_On:4>1830 <Gridsquare:6>FN31pr <My_Gridsquare:4>FN20 "),
      std::string::npos);
}

TEST(AdifRecord, DateThatIsNotADateKeepsTheRest) {
  ContactRecord r = Contact();
  r.Date = "2007/02/30";
  const std::string rec = Record(r);
  EXPECT_EQ(rec.find("Qso_Date"), std::string::npos);
  EXPECT_EQ(rec.substr(0, 27), "<Call:6>N0CALL <Band:2>2M\r\n");
  EXPECT_NE(rec.find("<Time_On:4>1830 "), std::string::npos);
  EXPECT_NE(rec.find("<Gridsquare:4>FN31 "), std::string::npos);
  r.Date = "June 9";
  EXPECT_EQ(Record(r).find("Qso_Date"), std::string::npos);
}

TEST(AdifRecord, TimeOn) {
  EXPECT_EQ(AdifTimeOn("18:02:45"), "1802");
  EXPECT_EQ(AdifTimeOn("18:02"), "1802");
  EXPECT_EQ(AdifTimeOn("9:05"), "0905");
  EXPECT_EQ(AdifTimeOn(" 07:05 "), "0705");
  EXPECT_EQ(AdifTimeOn(""), "0000");
  EXPECT_EQ(AdifTimeOn("1802"), "1802");
  EXPECT_EQ(AdifTimeOn("180245"), "1802");
  EXPECT_EQ(AdifTimeOn("5"), "0005");
  EXPECT_EQ(AdifTimeOn(":"), "0000");
}

TEST(AdifRecord, DefaultComment) {
  EXPECT_EQ(DefaultAdifComment(1), "ARRL January VHF Sweepstakes");
  EXPECT_EQ(DefaultAdifComment(4), "ARRL September VHF QSO Party");
  EXPECT_EQ(DefaultAdifComment(5), "");
  EXPECT_EQ(DefaultAdifComment(0), "");
}

TEST(AdifFile, ReaderFindsEveryContactOfAFullLog) {
  const ContactLog log = MakeSampleLog(kMaxContacts, 7);
  const std::string file = FormatAdif(log, {kCaption, "now"}, {"10", "SSB", "June"});
  std::vector<Fields> records;
  ASSERT_TRUE(ReadAdif(file, records));
  ASSERT_EQ(records.size(), static_cast<size_t>(log.ContactCount()));
  for (int n = 1; n <= log.ContactCount(); ++n) {
    const ContactRecord& c = log.Record(n);
    const Fields& f = records[static_cast<size_t>(n - 1)];
    SCOPED_TRACE("record " + std::to_string(n));
    EXPECT_EQ(f.at("call"), c.Call);
    // yyyy/mm/dd -> yyyymmdd
    EXPECT_EQ(f.at("qso_date"), c.Date.substr(0, 4) + c.Date.substr(5, 2) + c.Date.substr(8, 2));
    EXPECT_EQ(f.at("time_on"), c.Time.substr(0, 2) + c.Time.substr(3, 2));
    EXPECT_EQ(f.at("band"), std::string(AdifBandName(c.Band)));
    EXPECT_FALSE(f.at("band").empty());
    EXPECT_EQ(f.at("mode"), c.Mode == "PH" ? "SSB" : "CW");
    if (c.Freq.empty())
      EXPECT_EQ(f.count("freq"), 0u);
    else
      EXPECT_EQ(f.at("freq"), c.Freq);
    EXPECT_EQ(f.at("gridsquare"), c.GridRcvd);
    // Where the contact was made from. Failed before: no record said so.
    EXPECT_EQ(f.at("my_gridsquare"), c.GridSent);
    EXPECT_EQ(f.at("tx_pwr"), "10");
    EXPECT_EQ(f.at("comment"), "June");
  }
}

}  // namespace
}  // namespace vantrel

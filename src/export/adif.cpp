#include "export/adif.h"

#include <array>
#include <charconv>
#include <cstdio>

#include "common/date_time_text.h"
#include "contest/bands.h"
#include "export/export_text.h"

namespace vantrel {
namespace {

// ADIF band names in band-table order; the last band has no ADIF name.
constexpr std::array<std::string_view, kBandCount> kAdifBands = {
    "6M",  "2M",     "1.25M", "70CM", "33CM",  "23CM", "13CM", "9CM", "6CM",
    "3CM", "1.25CM", "6MM",   "4MM",  "2.5MM", "2MM",  "1MM",  ""};

constexpr std::string_view kCrLf = "\r\n";

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = FoldCase(c);
  return out;
}

void AppendField(std::string& out, std::string_view name, std::string_view value) {
  char digits[24];
  const auto length = std::to_chars(digits, digits + sizeof digits, value.size()).ptr;
  out.push_back('<');
  out.append(name);
  out.push_back(':');
  out.append(digits, length);
  out.push_back('>');
  out.append(value);
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// A field followed by the blank that keeps the next field on the same line.
void SameLine(std::string& out, std::string_view name, std::string_view value) {
  AppendField(out, name, value);
  out.push_back(' ');
}

void EndsLine(std::string& out, std::string_view name, std::string_view value) {
  AppendField(out, name, value);
  out.append(kCrLf);
}

void AppendRecord(std::string& out, const ContactRecord& record, const AdifAnswers& answers) {
  if (!record.Call.empty()) SameLine(out, "Call", record.Call);

  // A date that does not read as one is left out; the rest of the contact
  // is still worth importing.
  if (const auto date = ParseDateText(TrimBlanks(record.Date))) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d%02u%02u", static_cast<int>(date->year()),
                  static_cast<unsigned>(date->month()), static_cast<unsigned>(date->day()));
    out.append("<Qso_Date:8:d>");
    out.append(buffer);
    out.push_back(' ');
  }

  // An unknown band still gets its (empty) field, so the importer sees the
  // band was not left out by accident.
  if (!record.Band.empty()) EndsLine(out, "Band", AdifBandName(record.Band));

  const std::string mode =
      Upper(EqualsNoCase(record.Mode, kModePhone) ? answers.phone_mode : record.Mode);
  if (!mode.empty()) EndsLine(out, "Mode", mode);

  if (!answers.power.empty()) SameLine(out, "Tx_Pwr", answers.power);
  const std::string_view freq = TrimBlanks(record.Freq);
  if (!freq.empty()) SameLine(out, "Freq", freq);
  SameLine(out, "Time_On", AdifTimeOn(record.Time));
  if (!record.RstSnt.empty()) SameLine(out, "RST_Sent", record.RstSnt);
  if (!record.RstRcvd.empty()) SameLine(out, "RST_Rcvd", record.RstRcvd);
  if (const auto grid = WithoutTrailingBlanks(record.GridRcvd); !grid.empty())
    SameLine(out, "Gridsquare", grid);
  // Where the contact was made from: a rover's own grid changes during the
  // contest, and a logging program cannot tell it otherwise.
  if (const auto own = WithoutTrailingBlanks(record.GridSent); !own.empty())
    SameLine(out, "My_Gridsquare", own);
  if (!answers.comment.empty()) EndsLine(out, "Comment", answers.comment);

  out.append("<eor>");
  out.append(kCrLf);
  out.append(kCrLf);
}

}  // namespace

std::string_view AdifBandName(std::string_view band_label) {
  const BandInfo* band = FindBand(band_label);
  return band ? kAdifBands[static_cast<size_t>(band->index - 1)] : std::string_view{};
}

std::string_view DefaultAdifComment(int contest_id) {
  if (contest_id == kCqContestId) return {};
  const ContestInfo* contest = FindContest(contest_id);
  return contest ? contest->name : std::string_view{};
}

std::string AdifTimeOn(std::string_view time) {
  time = TrimBlanks(time);
  std::string digits;
  const size_t colon = time.find(':');
  if (colon == std::string_view::npos) {
    digits = std::string(time);
  } else {
    digits = std::string(time.substr(0, colon));
    digits.append(time.substr(colon + 1, 2));
  }
  if (digits.size() > 4) digits.resize(4);
  digits.insert(0, 4 - digits.size(), '0');
  return digits;
}

std::string AdifField(std::string_view name, std::string_view value) {
  std::string out;
  AppendField(out, name, value);
  return out;
}

std::string FormatAdifHeader(const AdifHeader& header) {
  const std::string product = ProductFromCaption(header.MainCaption);
  // The program id is the product without its version number (" 3.0").
  const std::string program_id(TrimBlanks(
      std::string_view(product).substr(0, product.size() >= 4 ? product.size() - 4 : 0)));
  std::string out = "ADIF Export from " + product;
  out.append(kCrLf);
  out.append("Contest log of one station in the North-American VHF and UHF contests.");
  out.append(kCrLf);
  out.append("Each record holds one contact, in the order it was logged.");
  out.append(kCrLf);
  out.append(AdifField("PROGRAMID", program_id));
  out.append(kCrLf);
  out.append("Log exported on: " + header.ExportedOn);
  out.append(kCrLf);
  out.append(kCrLf);
  out.append("<EOH>");
  out.append(kCrLf);
  return out;
}

std::string FormatAdifRecord(const ContactRecord& record, const AdifAnswers& answers) {
  std::string out;
  AppendRecord(out, record, answers);
  return out;
}

std::string FormatAdif(const ContactLog& log, const AdifHeader& header,
                       const AdifAnswers& answers) {
  std::string out = FormatAdifHeader(header);
  out.reserve(out.size() + static_cast<size_t>(log.ContactCount()) *
                               (160 + answers.power.size() + answers.comment.size()));
  for (const ContactRecord& record : log.records()) AppendRecord(out, record, answers);
  return out;
}

}  // namespace vantrel

#include "export/cabrillo.h"

#include <array>
#include <cstdio>

#include "common/date_time_text.h"
#include "contest/bands.h"
#include "export/export_text.h"

namespace vantrel {
namespace {

// Designators in band-table order, as log checkers read them: bands above
// 1 GHz carry a "G" and some are named by another edge ("1.2G" for the
// 1.3 GHz band, "122G" for 120 GHz), so these are not the labels. 300 GHz
// has no standard designator and keeps its number.
constexpr std::array<std::string_view, kBandCount> kDesignators = {
    "50",  "144", "222", "432", "902",  "1.2G", "2.3G", "3.4G", "5.7G",
    "10G", "24G", "47G", "75G", "122G", "134G", "241G", "300"};

constexpr std::string_view kCrLf = "\r\n";

// Blanks up to `column` (1-based) so the next text starts there; when the line
// already reaches it, one blank keeps the fields apart rather than cutting text.
void PadToColumn(std::string& line, int column) {
  const size_t want = static_cast<size_t>(column - 1);
  if (line.size() < want)
    line.append(want - line.size(), ' ');
  else
    line.push_back(' ');
}

// "yyyy-mm-dd" for a date; any other text goes out as it is, so nothing the
// log holds is lost from the entry.
std::string CabrilloDate(std::string_view date) {
  const auto parsed = ParseDateText(TrimBlanks(date));
  if (!parsed) return std::string(date);
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", static_cast<int>(parsed->year()),
                static_cast<unsigned>(parsed->month()), static_cast<unsigned>(parsed->day()));
  return buffer;
}

// hh and mm of "hh:mm[:ss]" by position; a time with a one-digit hour
// ("9:05", from a hand-edited log) still gives the four digits checkers need.
std::string CabrilloTime(std::string_view time) {
  if (const auto t = ParseTimeText(TrimBlanks(time))) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d%02d", t->hour, t->minute);
    return buffer;
  }
  std::string out(time.substr(0, 2));
  if (time.size() > 3) out.append(time.substr(3, 2));
  return out;
}

void AddLine(std::string& out, std::string_view a, std::string_view b = {}) {
  out.append(a);
  out.append(b);
  out.append(kCrLf);
}

}  // namespace

std::string_view CabrilloBandDesignator(std::string_view band_label) {
  const BandInfo* band = FindBand(band_label);
  return band ? kDesignators[static_cast<size_t>(band->index - 1)] : std::string_view{};
}

std::string_view CabrilloContestName(int contest_id) {
  const ContestInfo* contest = FindContest(contest_id);
  return contest ? contest->cabrillo : std::string_view{};
}

std::string CabrilloCategoryLine(int contest_id, const CabrilloSheet& sheet) {
  std::string_view c, b, p;
  if (contest_id == kCqContestId) {
    switch (sheet.op) {
      case OperatorChoice::Option1:
        c = "SINGLE-OP ALL HIGH";
        break;
      case OperatorChoice::Option2:
        c = "SINGLE-OP ALL QRP";
        break;
      case OperatorChoice::Option3:
        c = "SINGLE-OP 6M HIGH";
        break;
      case OperatorChoice::Option6:
        c = "SINGLE-OP 2M HIGH";
        break;
      case OperatorChoice::Option7:
        c = "MULTI-ONE ALL HIGH";
        break;
      case OperatorChoice::Option4:
        c = "ROVER ALL HIGH";
        break;
    }
  } else {
    switch (sheet.op) {
      case OperatorChoice::Option1:
        c = "SINGLE-OP";
        break;
      case OperatorChoice::Option2:
        c = "SINGLE-OP-PORTABLE";
        break;
      case OperatorChoice::Option3:
        c = "ROVER";
        break;
      case OperatorChoice::Option6:
        c = "MULTI-LIMITED";
        break;
      case OperatorChoice::Option7:
        c = "MULTI-UNLIMITED";
        break;
      case OperatorChoice::Option4:
        c = "CHECKLOG";
        break;
    }
    switch (sheet.band) {
      case BandChoice::Option8:
        b = "ALL";
        break;
      case BandChoice::Option5:
        b = "LIMITED";
        break;
      case BandChoice::Option12:
        b = "VHF-3-BAND";
        break;
      case BandChoice::Option13:
        b = "VHF-FM-ONLY";
        break;
    }
    // Only a single operator enters a power class.
    if (sheet.op == OperatorChoice::Option1)
      p = sheet.power == PowerChoice::Option18 ? "HIGH" : "LOW";
  }
  std::string line = "CATEGORY: ";
  line.append(c);
  if (sheet.op == OperatorChoice::Option1) {
    line.append(" ").append(b).append(" ").append(p).append(" ");
  }
  return line;
}

std::string CabrilloQsoLine(const ContactRecord& record, std::string_view own_call) {
  std::string line = "QSO:";
  line.reserve(96);
  const std::string_view designator = CabrilloBandDesignator(record.Band);
  PadToColumn(line, kQsoBandEndColumn + 1 - static_cast<int>(designator.size()));
  line.append(designator);
  PadToColumn(line, kQsoModeColumn);
  line.append(record.Mode);
  PadToColumn(line, kQsoDateColumn);
  line.append(CabrilloDate(record.Date));
  PadToColumn(line, kQsoTimeColumn);
  line.append(CabrilloTime(record.Time));
  PadToColumn(line, kQsoOwnCallColumn);
  line.append(own_call);
  PadToColumn(line, kQsoGridSentColumn);
  line.append(record.GridSent);
  PadToColumn(line, kQsoCallColumn);
  line.append(record.Call);
  PadToColumn(line, kQsoGridRcvdColumn);
  line.append(record.GridRcvd);
  // The line ends in a blank of its own at column 81 (or after an overlong grid).
  PadToColumn(line, kQsoFinalBlankColumn + 1);
  return line;
}

std::string FormatCabrillo(const ContactLog& log, const CabrilloStation& station,
                           const CabrilloSheet& sheet) {
  const bool cq = station.ContestId == kCqContestId;
  std::string out;
  out.reserve(1024 + static_cast<size_t>(log.ContactCount()) * 84);
  AddLine(out, "START-OF-LOG: 2.0");
  AddLine(out, "CREATED-BY: ", ProductFromCaption(station.MainCaption));
  if (!cq) AddLine(out, "ARRL-SECTION: ", sheet.Section);
  AddLine(out, "CONTEST: ", CabrilloContestName(station.ContestId));
  AddLine(out, "CALLSIGN: ", station.OwnCall);
  AddLine(out, CabrilloCategoryLine(station.ContestId, sheet));
  if (cq) {
    AddLine(out, sheet.power == PowerChoice::Option18 ? "CATEGORY-ASSISTED: NON-ASSISTED"
                                                      : "CATEGORY-ASSISTED: ASSISTED");
  }
  AddLine(out, "CLAIMED-SCORE: ", station.ClaimedScore);
  AddLine(out, "OPERATORS: ", sheet.Operators.empty() ? station.OwnCall : sheet.Operators);
  AddLine(out, "CLUB: ", sheet.Club);
  AddLine(out, "NAME: ", sheet.Name);
  AddLine(out, "ADDRESS: ", sheet.Address1);
  AddLine(out, "ADDRESS: ", sheet.Address2);
  AddLine(out, "ADDRESS: (e-mail) ", sheet.Email);
  AddLine(out, "SOAPBOX: ", sheet.Soapbox);
  AddLine(out, "SOAPBOX:");
  AddLine(out, "SOAPBOX:");
  for (const ContactRecord& record : log.records())
    AddLine(out, CabrilloQsoLine(record, station.OwnCall));
  AddLine(out, "END-OF-LOG:");
  return out;
}

}  // namespace vantrel

// The Cabrillo entry file: a version 2.0 header built from the summary sheet,
// one fixed-column QSO line per contact, and "END-OF-LOG:".
//
// Responsibilities: the header lines and their order, the category line, the
// band designators and the QSO line columns; the whole file as bytes.
// Collaborations: log/contact_log (the contacts), contest/bands (band labels,
// contest names); the summary window, which gathers the choices and writes
// the bytes to disk.
#pragma once

#include <string>
#include <string_view>

#include "log/contact_log.h"

namespace vantrel {

// The option buttons of the summary sheet, named after the buttons because
// their meaning changes with the contest (Option3 is "Rover" in the ARRL
// contests and "Single Op 6M" in the CQ contest).
enum class OperatorChoice { Option1, Option2, Option3, Option6, Option7, Option4 };
enum class BandChoice { Option8, Option5, Option12, Option13 };
// Option18: "High" (CQ contest: "NON-ASSISTED"); Option19: "Low" ("ASSISTED").
enum class PowerChoice { Option18, Option19 };

// What the operator filled in on the summary sheet (the Mode frame is not
// here: it never changes the file).
struct CabrilloSheet {
  OperatorChoice op = OperatorChoice::Option1;
  BandChoice band = BandChoice::Option8;
  PowerChoice power = PowerChoice::Option19;
  std::string Section;    // Text1
  std::string Operators;  // Text2; empty means the own call
  std::string Club;       // Text10
  std::string Name;       // Text5
  std::string Address1;   // Text6
  std::string Address2;   // Text7
  std::string Email;      // Text8
  std::string Soapbox;    // Text11
};

// What the file takes from the rest of the program.
struct CabrilloStation {
  std::string OwnCall;
  int ContestId = 0;
  std::string MainCaption;   // the main window's caption
  std::string ClaimedScore;  // the text of the score label
};

// Column of each QSO line field (1-based); a field never starts earlier, and
// a field that overruns the room before the next one pushes that one right.
inline constexpr int kQsoBandEndColumn = 10;
inline constexpr int kQsoModeColumn = 12;
inline constexpr int kQsoDateColumn = 15;
inline constexpr int kQsoTimeColumn = 26;
inline constexpr int kQsoOwnCallColumn = 31;
inline constexpr int kQsoGridSentColumn = 49;
inline constexpr int kQsoCallColumn = 56;
inline constexpr int kQsoGridRcvdColumn = 74;
inline constexpr int kQsoFinalBlankColumn = 81;

// "50" for "50 M", "1.2G" for "1.3 G", "10G" for "10 G" ...; labels compare
// without regard to case ("144 m" is 144), anything else gets an empty
// designator.
std::string_view CabrilloBandDesignator(std::string_view band_label);

// "ARRL-VHF-JAN" .. "CQ-VHF" for ids 1..5, empty for any other id.
std::string_view CabrilloContestName(int contest_id);

// "CATEGORY: " and the parts the choices give; with Option1 it ends in a
// blank (three of them in the CQ contest, whose band and power are empty).
std::string CabrilloCategoryLine(int contest_id, const CabrilloSheet& sheet);

// One QSO line without its line end.
std::string CabrilloQsoLine(const ContactRecord& record, std::string_view own_call);

// The whole file, every line ended by CR LF.
std::string FormatCabrillo(const ContactLog& log, const CabrilloStation& station,
                           const CabrilloSheet& sheet);

}  // namespace vantrel

// The ADIF export: a short header and one record per contact, for import into
// general-purpose logging programs.
//
// Responsibilities: the header, the field layout and line breaks of each
// record, the ADIF band names, Time_On from the time text; the whole file as
// bytes.
// Collaborations: log/contact_log (the contacts), contest/bands (band table,
// contest names); the export flow in ui/, which asks the three questions,
// supplies the export time and writes the bytes to disk.
#pragma once

#include <string>
#include <string_view>

#include "log/contact_log.h"

namespace vantrel {

// The operator's answers to the three questions; each may be empty.
struct AdifAnswers {
  std::string power;       // Tx_Pwr of every record
  std::string phone_mode;  // replaces the mode of phone contacts
  std::string comment;     // Comment of every record
};

struct AdifHeader {
  std::string MainCaption;  // the main window's caption
  std::string ExportedOn;   // local date and time, already formatted
};

// "6M" for "50 M" ... "1MM" for "241 G" (case-insensitive); empty for any
// other label, "300 G" included.
std::string_view AdifBandName(std::string_view band_label);

// The offered comment: the contest's name for ids 1..4, empty otherwise (the
// CQ contest included).
std::string_view DefaultAdifComment(int contest_id);

// Four digits hhmm from the time text: "18:02:45" -> "1802", "9:05" -> "0905",
// "" -> "0000".
std::string AdifTimeOn(std::string_view time);

// "<name:length>value".
std::string AdifField(std::string_view name, std::string_view value);

// Everything up to and including "<EOH>" and its line end.
std::string FormatAdifHeader(const AdifHeader& header);

// One record: the fields, "<eor>", the line end and an empty line.
std::string FormatAdifRecord(const ContactRecord& record, const AdifAnswers& answers);

// The whole file, every line ended by CR LF.
std::string FormatAdif(const ContactLog& log, const AdifHeader& header, const AdifAnswers& answers);

}  // namespace vantrel

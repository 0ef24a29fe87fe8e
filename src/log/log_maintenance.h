// Log maintenance without the windows: the names of backups and archives,
// when a backup is due, and the rules the edit window applies before it
// stores a corrected contact.
//
// Responsibilities: backup and archive file names from the local time; the
// changed-since-loaded rule behind the backup on closing; the date, time, band and
// mode checks of the edit window; its exact-case duplicate test; turning the
// edit fields into the stored record.
// Collaborations: contest/date_time_text (what counts as a date or time),
// contest/bands (the band labels), settings/user_folders (the call in file
// names); ui/frm_edit_con and ui/log_maintenance_ui do the asking and the
// disk work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utc_clock.h"
#include "log/contact_log.h"

namespace vantrel {

// "yyyymmddhhnn.log" of the local time: one backup per minute at most.
std::string BackupFileName(LocalTime now);
// CallForFileName(OwnCall) + "yyyy-mm-dd" + ".log", e.g. N0CALL2007-06-09.log.
std::string ArchiveFileName(std::string_view OwnCall, LocalTime now);
// Where a restore keeps the log it replaces: "yyyymmddhhnn-replaced.log".
std::string ReplacedLogFileName(LocalTime now);

// `name` ("stem.log") for the first try, then "stem-2.log", "stem-3.log",
// ...: backups and kept logs are never written over an earlier one.
std::string NumberedFileName(std::string_view name, int attempt);

// What the run first loaded from log.txt, to tell later whether the file
// changed: an edit that keeps the count still changes it.
struct LogFingerprint {
  size_t size = 0;
  uint64_t hash = 0;
  bool operator==(const LogFingerprint&) const = default;
};
LogFingerprint FingerprintOf(std::string_view log_text);

// The backup on closing is due when log.txt holds something and differs from
// what the run first loaded (`first_load`; none: nothing was loaded yet).
bool BackupNeeded(std::string_view log_text, const std::optional<LogFingerprint>& first_load);
// LoadedContactCount after a load of `ContactCount` records: set once, by
// the first load that finds contacts.
int LoadedCountAfterLoad(int LoadedContactCount, int ContactCount);

// The edit window's nine fields (Freq is not edited).
struct EditFields {
  std::string Call;      // txtEditCall
  std::string RstRcvd;   // txtEditCk
  std::string GridRcvd;  // txtEditSec
  std::string RstSnt;    // txtEditNum
  std::string GridSent;  // txtEditPre
  std::string Date;      // txtEditDate
  std::string Time;      // txtEditTime
  std::string Band;      // txtEditBnd
  std::string Mode;      // txtEditMode
  bool operator==(const EditFields&) const = default;
};

EditFields EditFieldsOf(const ContactRecord& record);

bool IsEditDate(std::string_view text);
bool IsEditTime(std::string_view text);
// One of the ten band labels "50 M" .. "10 G", exact case. The bands above
// 10 GHz are deliberately not offered here.
bool IsEditBand(std::string_view text);
// "PH" or "CW", exact case.
bool IsEditMode(std::string_view text);

// `text` without its trailing blanks.
std::string TrimTrailingBlanks(std::string_view text);

// Every other record (all but `EditRecordNumber`) whose Call, GridRcvd,
// GridSent and Band equal the edited ones with exact case, oldest first.
// Unlike the logging-time check, case matters: the edit window is where a
// wrongly cased grid gets corrected. The texts compared are the ones that
// would be stored (trailing blanks removed).
std::vector<int> EditDuplicates(const ContactLog& log, int EditRecordNumber,
                                const EditFields& fields);

// The record after the edit: the fields stored, the free-text ones without
// trailing blanks, a valid date as "yyyy/mm/dd" and a valid time as "hh:mm"
// or "hh:mm:ss" (as typed), Freq kept from `original`.
ContactRecord StoreEdit(const ContactRecord& original, const EditFields& fields);

}  // namespace vantrel

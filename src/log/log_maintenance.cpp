#include "log/log_maintenance.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "common/band_table.h"
#include "common/date_time_text.h"
#include "common/text.h"

namespace vantrel {
namespace {

struct LocalFields {
  int year, month, day, hour, minute;
};

LocalFields Split(LocalTime now) {
  const auto days = std::chrono::floor<std::chrono::days>(now);
  const std::chrono::year_month_day date{days};
  const std::chrono::hh_mm_ss time{std::chrono::floor<std::chrono::seconds>(now - days)};
  return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
          static_cast<int>(static_cast<unsigned>(date.day())),
          static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count())};
}

std::string Stamp(LocalTime now) {
  const LocalFields f = Split(now);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d", f.year, f.month, f.day, f.hour,
                f.minute);
  return buffer;
}

}  // namespace

std::string BackupFileName(LocalTime now) {
  return Stamp(now) + ".log";
}

std::string ReplacedLogFileName(LocalTime now) {
  return Stamp(now) + "-replaced.log";
}

std::string ArchiveFileName(std::string_view OwnCall, LocalTime now) {
  const LocalFields f = Split(now);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d.log", f.year, f.month, f.day);
  return CallForFileName(OwnCall) + buffer;
}

std::string NumberedFileName(std::string_view name, int attempt) {
  if (attempt <= 1) return std::string(name);
  const size_t dot = name.rfind('.');
  const std::string_view stem = name.substr(0, dot);
  const std::string_view ext = dot == std::string_view::npos ? "" : name.substr(dot);
  return std::string(stem) + "-" + std::to_string(attempt) + std::string(ext);
}

LogFingerprint FingerprintOf(std::string_view log_text) {
  // FNV-1a: cheap, and a changed log is what matters, not an adversary.
  uint64_t hash = 14695981039346656037ull;
  for (const char c : log_text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return {log_text.size(), hash};
}

bool BackupNeeded(std::string_view log_text, const std::optional<LogFingerprint>& first_load) {
  return !log_text.empty() && (!first_load || FingerprintOf(log_text) != *first_load);
}

int LoadedCountAfterLoad(int LoadedContactCount, int ContactCount) {
  return LoadedContactCount == 0 ? ContactCount : LoadedContactCount;
}

EditFields EditFieldsOf(const ContactRecord& r) {
  return {r.Call, r.RstRcvd, r.GridRcvd, r.RstSnt, r.GridSent, r.Date, r.Time, r.Band, r.Mode};
}

bool IsEditDate(std::string_view text) {
  return ParseDateText(text).has_value();
}

bool IsEditTime(std::string_view text) {
  return ParseTimeText(text).has_value();
}

bool IsEditBand(std::string_view text) {
  for (const BandInfo& band : kBands)
    if (band.OnWindow() && band.label == text) return true;
  return false;
}

bool IsEditMode(std::string_view text) {
  return text == kModePhone || text == kModeCw;
}

std::string TrimTrailingBlanks(std::string_view text) {
  const size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1));
}

std::vector<int> EditDuplicates(const ContactLog& log, int EditRecordNumber,
                                const EditFields& fields) {
  const std::string call = TrimTrailingBlanks(fields.Call);
  const std::string grid = TrimTrailingBlanks(fields.GridRcvd);
  const std::string own_grid = TrimTrailingBlanks(fields.GridSent);
  std::vector<int> found;
  for (int i = 1; i <= log.ContactCount(); ++i) {
    if (i == EditRecordNumber) continue;
    const ContactRecord& r = log.Record(i);
    if (r.Band == fields.Band && r.GridSent == own_grid && r.GridRcvd == grid && r.Call == call)
      found.push_back(i);
  }
  return found;
}

ContactRecord StoreEdit(const ContactRecord& original, const EditFields& fields) {
  ContactRecord r = original;
  r.Call = TrimTrailingBlanks(fields.Call);
  r.RstRcvd = TrimTrailingBlanks(fields.RstRcvd);
  r.GridRcvd = TrimTrailingBlanks(fields.GridRcvd);
  r.RstSnt = TrimTrailingBlanks(fields.RstSnt);
  r.GridSent = TrimTrailingBlanks(fields.GridSent);
  // The log keeps one date form and one time form whatever was typed, so
  // the exports and the list read every record alike.
  if (const auto date = ParseDateText(fields.Date))
    r.Date = FormatDateText(*date);
  else
    r.Date = fields.Date;
  if (const auto time = ParseTimeText(fields.Time))
    r.Time = FormatTimeText(*time, std::count(fields.Time.begin(), fields.Time.end(), ':') == 2);
  else
    r.Time = fields.Time;
  r.Band = fields.Band;
  r.Mode = fields.Mode;
  return r;
}

}  // namespace vantrel

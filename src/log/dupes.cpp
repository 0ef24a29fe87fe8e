#include "log/dupes.h"

#include <array>

#include "common/locator.h"
#include "common/text.h"

namespace vantrel {
namespace {

// Folds without building upper-cased copies: the scans below touch every
// record on every key, so they must not allocate per record.
inline bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
  return true;
}

// The fields of record n as the duplicate messages show them: call, grid,
// date and time, then (for dupcheck only) the band, then the record number
// written with the leading blank of a positive number.
std::string DupeMessage(std::string_view head, const ContactRecord& r, int n, bool with_band) {
  std::string text;
  text.reserve(96);
  text.append(head);
  for (const std::string* field : {&r.Call, &r.GridRcvd, &r.Date}) {
    text.append(*field);
    text += ' ';
  }
  text.append(r.Time);
  if (with_band) {
    text.append(" ON ");
    text.append(r.Band);
  }
  text.append("  Rec#  ");
  text.append(std::to_string(n));
  return text;
}

// A key from "." to "Z": what a call sign is made of, Backspace and blank not.
constexpr bool InScanRange(char key) {
  return key > '-' && key < '[';
}

constexpr bool SlashOrDigit(char c) {
  return c >= '/' && c <= '9';
}

}  // namespace

bool IsDuplicate(const ContactRecord& record, const DupeEntry& entry) {
  return EqualsNoCase(record.Call, entry.call) && SameGridSquare(record.GridRcvd, entry.grid) &&
         EqualsNoCase(record.Band, entry.band) && SameGridSquare(record.GridSent, entry.own_grid);
}

DupcheckResult dupcheck(const ContactLog& log, const DupeEntry& entry) {
  DupcheckResult result;
  DupeEntry current = entry;
  const int count = log.ContactCount();
  for (int i = 1; i <= count; ++i) {
    const ContactRecord& r = log.Record(i);
    if (!EqualsNoCase(r.Call, current.call)) continue;
    // Oldest first, so an empty grid is offered the station's first grid.
    if (current.grid.empty() && !r.GridRcvd.empty()) {
      result.grid_filled = true;
      result.grid = r.GridRcvd;
      current.grid = r.GridRcvd;
    }
    if (IsDuplicate(r, current)) {
      result.DupeFound = true;
      result.record = i;
      result.message = DupeMessage("Duplicate ", r, i, true);
      break;
    }
  }
  return result;
}

Dupcheck2Result dupcheck2(const ContactLog& log, const DupeEntry& entry, bool list_previous) {
  Dupcheck2Result result;
  DupeEntry current = entry;
  const int count = log.ContactCount();
  for (int i = 1; i <= count; ++i) {
    const ContactRecord& r = log.Record(i);
    if (!EqualsNoCase(r.Call, current.call)) continue;
    if (list_previous) result.previous.push_back(i);
    if (current.grid.empty() && !r.GridRcvd.empty()) {
      result.grid_filled = true;
      result.grid = r.GridRcvd;
      current.grid = r.GridRcvd;
    }
    if (IsDuplicate(r, current)) {
      result.duplicates.push_back(i);
      result.message = DupeMessage("Duplicate Unless Rover! ", r, i, false);
      if (!list_previous) break;
    }
  }
  return result;
}

std::optional<std::string_view> ThirdCharacterCheck(std::string_view partial_call, char key) {
  if (partial_call.size() != 3 || !InScanRange(key)) return std::nullopt;
  if (SlashOrDigit(partial_call[2]) || SlashOrDigit(partial_call[1])) return " ";
  return kNotNumeric;
}

PartialDupeResult PartialDupeCheck(const ContactLog& log, std::string_view call, char key,
                                   std::string_view band, std::string_view own_grid,
                                   bool PartialDupesOn, bool clock_runs) {
  PartialDupeResult result;
  std::string partial;
  partial.reserve(call.size() + 1);
  partial.append(call);
  partial += key;

  if (PartialDupesOn && InScanRange(key)) {
    result.scanned = true;
    // Matches are collected oldest first and shown newest first; the text is
    // capped, not the scan, and each match adds at least two characters, so
    // the cap is passed within kPartialMatchCap / 2 + 1 matches.
    std::array<int, kPartialMatchCap / 2 + 1> matches{};
    size_t found = 0;
    size_t length = 0;
    const int count = log.ContactCount();
    for (int i = 1; i <= count && length <= kPartialMatchCap; ++i) {
      const ContactRecord& r = log.Record(i);
      // Call first: it rejects nearly every record from the record's first
      // cache line.
      if (!StartsWithNoCase(r.Call, partial)) continue;
      if (!SameGridSquare(r.GridSent, own_grid) || !EqualsNoCase(r.Band, band)) continue;
      matches[found++] = i;
      length += r.Call.size() + 1;
    }
    result.match_text.reserve(length);
    for (size_t m = found; m-- > 0;) {
      result.match_text += log.Record(matches[m]).Call;
      result.match_text += ' ';
    }
  }

  if (call.size() > 2 && !result.match_text.empty())
    result.dialog = std::string(kPossibleDuplicate);
  else if (clock_runs)
    result.dialog.emplace(1, ' ');

  if (const auto third = ThirdCharacterCheck(partial, key)) {
    result.dialog = std::string(*third);
    result.beep = *third == kNotNumeric;
  }
  return result;
}

std::chrono::milliseconds HoldAfterDupe(LocalTime LastDupeTime, LocalTime now) {
  const LocalTime until =
      std::chrono::floor<std::chrono::seconds>(LastDupeTime) + std::chrono::seconds{3};
  if (now >= until) return std::chrono::milliseconds{0};
  return until - now;
}

}  // namespace vantrel

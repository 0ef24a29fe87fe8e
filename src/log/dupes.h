// Duplicate checks over the contact log.
//
// A contact counts once per band and grid pair: the same station may be
// worked again on another band, from another own grid, or when it reports
// another grid square. Grids compare by their four-character square, so
// FN31pr and FN31 are the same. Mode, reports, date and time play no part.
//
// Responsibilities: the duplicate rule; dupcheck (refusal at logging time),
// dupcheck2 (early warning on leaving the call field), PartialDupeCheck (the
// per-key list of calls worked on this band) and the hold after a refusal.
// Everything returns what to show; the main window shows it, beeps, clears
// fields and announces.
// Collaborations: log/contact_log (the records), the main window.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/utc_clock.h"
#include "log/contact_log.h"

namespace vantrel {

// What the entry holds when a check runs.
struct DupeEntry {
  std::string_view call;      // txtCall
  std::string_view grid;      // txtSec, may be empty
  std::string_view band;      // CurrentBand
  std::string_view own_grid;  // OwnGrid
};

// The duplicate rule: call and band equal, received and own grid in the same
// square, all ignoring letter case.
bool IsDuplicate(const ContactRecord& record, const DupeEntry& entry);

struct DupcheckResult {
  bool DupeFound = false;
  int record = 0;       // the duplicate's record number, when DupeFound
  std::string message;  // lblDialog text (red background), when DupeFound
  // The grid field was empty and an earlier contact with the call supplied
  // `grid` (the oldest such contact's grid); put it in txtSec and select it.
  bool grid_filled = false;
  std::string grid;
};

// Logging-time check, oldest record first. On DupeFound the caller shows the
// message on red, empties lblDupe, beeps, announces "Dupe", sets LastDupeTime,
// focuses txtCall and empties the four entry fields.
DupcheckResult dupcheck(const ContactLog& log, const DupeEntry& entry);

struct Dupcheck2Result {
  // Every earlier contact with the call, oldest first, for the contact list;
  // filled only when listing previous contacts (the caller empties the list
  // first in that case, matches or not).
  std::vector<int> previous;
  // Duplicates warned about, in scan order: at most one unless listing.
  // Each one beeps; the message is the last one's.
  std::vector<int> duplicates;
  std::string message;  // lblDialog text (red background) when duplicates is not empty
  bool grid_filled = false;
  std::string grid;
};

// Early warning when the focus enters the report field. Refuses nothing and
// leaves DupeFound alone.
Dupcheck2Result dupcheck2(const ContactLog& log, const DupeEntry& entry, bool list_previous);

inline constexpr std::string_view kPossibleDuplicate = "Possible Duplicate!";
inline constexpr std::string_view kNotNumeric = "The second or third character is not numeric!";
// The match text stops growing once it is longer than this.
inline constexpr size_t kPartialMatchCap = 100;

struct PartialDupeResult {
  // lblDupe's new text: empty unless the key started a scan. Shown on
  // RGB 0, 192, 192 when not empty, on the button colour when empty.
  std::string match_text;
  bool scanned = false;
  // lblDialog's new text, if it changes (its background goes back to normal
  // in every case).
  std::optional<std::string> dialog;
  bool beep = false;
};

// Per-key partial-call check. `call` is txtCall before the key, `key` the
// typed character after upper-casing. Only "." through "Z" start a scan;
// records from other bands or other own grids are never listed.
// `clock_runs`: whether the operating-time clock runs, which blanks the
// status line when nothing else is said.
PartialDupeResult PartialDupeCheck(const ContactLog& log, std::string_view call, char key,
                                   std::string_view band, std::string_view own_grid,
                                   bool PartialDupesOn, bool clock_runs = true);

// The third-character check on its own: for a 3-character partial call made
// by a key in the scan range, the warning text (and a beep) when neither the
// second nor the third character is "/" or a digit, " " when one is, nothing
// otherwise.
std::optional<std::string_view> ThirdCharacterCheck(std::string_view partial_call, char key);

// How long a key typed in the call field waits after a refused duplicate:
// until the clock's whole second reaches LastDupeTime (whole seconds) plus 3.
// Zero once that time has passed.
std::chrono::milliseconds HoldAfterDupe(LocalTime LastDupeTime, LocalTime now);

}  // namespace vantrel

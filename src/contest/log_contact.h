// The logging transaction (Mains): what the entry fields hold becomes a
// contact, or the operator is told why not.
//
// Responsibilities: the completeness check (frmcmp) and the locator check,
// the duplicate refusal, the post-contest date and time, the UTC stamp, the
// durable append, the tallies of the new contact, and what the window shows
// afterwards.
// Collaborations: log/dupes (dupcheck), log/log_storage (the append),
// contest/tallies (TallyContact), a Clock; the main window applies the
// result to its controls.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/utc_clock.h"
#include "contest/bands.h"
#include "contest/tallies.h"
#include "log/contact_log.h"
#include "log/entry_keys.h"
#include "log/log_storage.h"

namespace vantrel {

inline constexpr std::string_view kNeedGrid = "Need Grid!";
inline constexpr std::string_view kNeedCall = "Need Call Sign!";

// What the entry fields hold when Enter is pressed.
struct EntryTexts {
  std::string call;      // txtCall
  std::string rst_rcvd;  // txtRSTR
  std::string grid;      // txtSec
  std::string rst_sent;  // txtRSTS
  bool post_contest = false;
  std::string post_date;  // txtPostConDate
  std::string post_time;  // txtPostConTime
};

// The pieces of the run that logging reads and changes.
struct MainsRun {
  ContactLog& log;
  Tallies& tallies;
  ContestState& contest;  // FrequencyText serves one logging attempt
  std::string_view own_grid;
  float utc_offset_hours = 0;
  LogStorage& storage;
  const Clock& clock;
};

struct MainsResult {
  bool logged = false;
  bool entry_incomplete = false;  // EntryIncomplete
  bool dupe_found = false;        // DupeFound
  LocalTime last_dupe_time{};     // LastDupeTime, when dupe_found
  // lblDialog's text and whether on red; nothing when it stays as it is.
  std::optional<std::string> dialog;
  bool dialog_red = false;
  int beeps = 0;
  bool announce_dupe = false;
  // An empty grid field got the grid of the oldest contact with the call:
  // put it in txtSec and select it.
  std::optional<std::string> grid_fill;
  // The four entry fields empty (a duplicate, or logged).
  bool clear_entry = false;
  // Where the focus goes, if anywhere.
  std::optional<EntryField> focus;
  // The post-contest fields rewritten in their normal form.
  std::optional<std::string> post_date;
  std::optional<std::string> post_time;
  // When logged: the new contact's tally hand-off (grid map and grid list).
  TallyChange tally;
  // False when the attempt ended early (a bad date or time, a refusal for
  // room or a failed write): then lblDupe, the score and the rates stay, and
  // so does the radio's frequency.
  bool finished = true;
};

// `new_shown`: the "New" indicator at the moment of Enter.
MainsResult Mains(MainsRun run, const EntryTexts& entry, bool new_shown);

}  // namespace vantrel

#include "contest/log_contact.h"

#include "common/date_time_text.h"
#include "common/locator.h"
#include "log/dupes.h"

namespace vantrel {

namespace {

void Say(MainsResult& r, std::string text, bool red = false) {
  r.dialog = std::move(text);
  r.dialog_red = red;
  ++r.beeps;
}

// frmcmp, then the locator: both the grid and the call are checked, so with
// both bad the call's message and focus win.
void CheckComplete(MainsResult& r, const EntryTexts& e) {
  if (e.grid.empty()) {
    Say(r, std::string(kNeedGrid));
    r.entry_incomplete = true;
    r.focus = EntryField::kSec;
  } else if (!IsValidLocator(e.grid)) {
    // A grid that is no locator would count as a multiplier of its own and
    // point the antenna nowhere.
    Say(r, "Not a grid locator: " + e.grid + "  (AA00 to RR99, then aa to xx)");
    r.entry_incomplete = true;
    r.focus = EntryField::kSec;
  }
  if (e.call.size() < 3) {
    Say(r, std::string(kNeedCall));
    r.entry_incomplete = true;
    r.focus = EntryField::kCall;
  }
}

}  // namespace

MainsResult Mains(MainsRun run, const EntryTexts& typed, bool new_shown) {
  MainsResult r;
  EntryTexts e = typed;
  CheckComplete(r, e);

  // The duplicate check runs even for an incomplete entry: a call already in
  // the log fills an empty grid, so a second Enter can log it.
  const DupcheckResult dupe =
      dupcheck(run.log, {e.call, e.grid, run.contest.CurrentBand, run.own_grid});
  if (dupe.grid_filled) {
    r.grid_fill = dupe.grid;
    e.grid = dupe.grid;
  }
  r.dupe_found = dupe.DupeFound;
  if (dupe.DupeFound) {
    Say(r, dupe.message, true);
    r.announce_dupe = true;
    r.last_dupe_time = run.clock.Now();
    r.focus = EntryField::kCall;
    r.clear_entry = true;
  }

  if (e.post_contest) {
    const PostContestResult normal = NormalisePostContest(e.post_date, e.post_time);
    if (normal.error == PostContestError::kInvalidDate) {
      Say(r, std::string(normal.message));
      r.finished = false;
      return r;
    }
    r.post_date = e.post_date = normal.date_text;
    if (!normal.ok()) {
      Say(r, std::string(normal.message));
      r.finished = false;
      return r;
    }
    r.post_time = e.post_time = normal.time_text;
  }

  if (!r.entry_incomplete && !r.dupe_found) {
    const TallyOverflow overflow = WouldOverflow(run.tallies, run.contest, e.grid, run.own_grid);
    if (run.log.Full() || overflow != TallyOverflow::kNone) {
      Say(r,
          run.log.Full() ? "Log full: 12000 contacts is the most a log can hold.  Not logged."
                         : std::string(OverflowMessage(overflow)),
          true);
      r.finished = false;
      return r;
    }
    ContactRecord c;
    c.RstSnt = e.rst_sent;
    c.GridSent = std::string(run.own_grid);
    c.Call = e.call;
    c.RstRcvd = e.rst_rcvd;
    c.GridRcvd = e.grid;
    if (e.post_contest) {
      c.Date = e.post_date;
      c.Time = e.post_time;
    } else {
      const LogStamp stamp = MakeLogStamp(UtcNow(run.clock, run.utc_offset_hours));
      c.Date = stamp.Date;
      c.Time = stamp.Time;
    }
    c.Band = run.contest.CurrentBand;
    c.Mode = run.contest.CurrentMode;
    c.Freq = run.contest.FrequencyText;
    std::string error;
    if (!run.storage.Append(FormatLogLine(c), error)) {
      // Memory follows the file: what is not on disk is not logged, and the
      // entry stays for another try.
      Say(r, "NOT LOGGED - cannot write log.txt: " + error, true);
      r.finished = false;
      return r;
    }
    run.log.Add(c);
    r.tally = TallyContact(run.tallies, run.log.Record(run.log.ContactCount()),
                           run.contest.ContestId, run.contest.RoverStation, new_shown);
    r.logged = true;
    // Said in words: at speed a new row in the list is easy to miss.
    r.dialog = "Logged " + c.Call + ", contact " + std::to_string(run.log.ContactCount());
    r.dialog_red = false;
    r.clear_entry = true;
    r.focus = EntryField::kCall;
  }
  run.contest.FrequencyText.clear();
  return r;
}

}  // namespace vantrel

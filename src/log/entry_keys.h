// What a key typed into one of the main window's entry fields does.
//
// Responsibilities: the key filters of the call, report, grid and
// post-contest fields, Space moving on, the type-through from a complete
// call into the report field and from the report field into the grid field,
// the grid's upper-case square, and the hold after a refused duplicate. The
// decision is a value; the window applies it (focus, text, logging).
// Collaborations: the main window's entry panel, which describes each key
// and the field that received it and applies the answer.
#pragma once

#include <chrono>
#include <string>

namespace vantrel {

enum class EntryField { kCall, kRstR, kSec, kRstS, kPostConTime, kPostConDate, kNext };

enum class EntryKeyKind {
  kChar,       // a typed character, `ch`
  kEnter,      // Return or Enter
  kBackspace,  //
  kTab,        // Tab or Backtab
  kEsc,        //
  kOther,      // caret movement, Delete and the like
};

struct EntryKey {
  EntryKeyKind kind = EntryKeyKind::kChar;
  char32_t ch = 0;   // the character of a kChar
  bool alt = false;  // typed with Alt held: an accelerator that matched nothing
};

// The field that received the key, as it stands before the key.
struct EntryFieldState {
  EntryField field = EntryField::kCall;
  std::string text;  // 8-bit text
  int caret = 0;
  int selection_start = -1;  // -1: nothing selected
  int selection_length = 0;
  int max_length = 32767;
};

struct EntryState {
  EntryFieldState focus;
  bool record_rst = true;  // RecordRst 1: reports are recorded
  // The hold after a refused duplicate: keys wait until it is over, and a
  // key typed while earlier keys still wait queues behind them.
  std::chrono::milliseconds hold_left{0};
  bool keys_held = false;
};

enum class EntryActionKind {
  kPass,         // not ours: the field's own handling (caret movement, Tab, Delete)
  kSwallow,      // discarded
  kHold,         // kept until the hold ends, then replayed in order
  kEdit,         // the field's text and caret become `text` and `caret`
  kMoveOn,       // focus `target`
  kTypeThrough,  // focus `target`, whose text then becomes `text`, caret after it
  kMains,        // log the contact
};

struct EntryAction {
  EntryActionKind kind = EntryActionKind::kPass;
  EntryField target = EntryField::kCall;
  std::string text;
  int caret = 0;
  // Call-field side effects, applied before the action in this order.
  bool clear_dialog = false;  // the call field was empty: lblDialog empties
  bool blank_dialog = false;  // fewer than 3 characters: lblDialog shows one blank
  // Run the partial-call check with `partial_key` (the upper-cased key, or 8
  // for Backspace) against the text before the key.
  bool partial_check = false;
  char partial_key = 0;
};

EntryAction DecideEntryKey(const EntryState& state, const EntryKey& key);

// A digit typed after this call text (caret at its end) carries over into
// the report field: more than 2 characters, at least one digit after the
// first character, not ending in a digit, nothing below "0" such as "/".
bool CallIsComplete(const std::string& call);

}  // namespace vantrel

#include "log/entry_keys.h"

#include <algorithm>

namespace vantrel {

namespace {

bool IsDigit(char32_t c) {
  return c >= '0' && c <= '9';
}

// Text typed into the call and grid fields: a..z become A..Z.
char Capital(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

bool HasSelection(const EntryFieldState& f) {
  return f.selection_start >= 0 && f.selection_length > 0;
}

// The field's text after typing `c`: the selection is replaced, and nothing
// goes in beyond the field's maximum length.
// The field's text with its selection taken out, and where the caret then
// stands; `selected` says whether there was a selection.
EntryAction WithoutSelection(const EntryFieldState& f, size_t& at, bool& selected) {
  EntryAction a;
  a.kind = EntryActionKind::kEdit;
  a.text = f.text;
  at = static_cast<size_t>(std::clamp(f.caret, 0, static_cast<int>(f.text.size())));
  selected = HasSelection(f);
  if (selected) {
    at = std::min(static_cast<size_t>(f.selection_start), a.text.size());
    a.text.erase(at, static_cast<size_t>(f.selection_length));
  }
  return a;
}

EntryAction Insert(const EntryFieldState& f, char c) {
  size_t at = 0;
  bool selected = false;
  EntryAction a = WithoutSelection(f, at, selected);
  if (static_cast<int>(a.text.size()) < f.max_length) {
    a.text.insert(at, 1, c);
    ++at;
  }
  a.caret = static_cast<int>(at);
  return a;
}

EntryAction Backspace(const EntryFieldState& f) {
  size_t at = 0;
  bool selected = false;
  EntryAction a = WithoutSelection(f, at, selected);
  if (!selected && at > 0) {
    a.text.erase(--at, 1);
  }
  a.caret = static_cast<int>(at);
  return a;
}

EntryAction Simple(EntryActionKind kind, EntryField target = EntryField::kCall) {
  EntryAction a;
  a.kind = kind;
  a.target = target;
  return a;
}

// The first four characters of a grid are its square, always upper case,
// wherever the caret or a selection was; subsquare letters keep their case.
void UpperSquare(std::string& grid) {
  for (size_t i = 0; i < grid.size() && i < 4; ++i) grid[i] = Capital(grid[i]);
}

EntryAction CallChar(const EntryState& s, char c) {
  const EntryFieldState& f = s.focus;
  EntryAction a;
  a.clear_dialog = f.text.empty();
  if (c == '"') {
    a.kind = EntryActionKind::kSwallow;
    return a;
  }
  if (IsDigit(static_cast<unsigned char>(c)) && f.caret == static_cast<int>(f.text.size()) &&
      !HasSelection(f) && CallIsComplete(f.text)) {
    // Without reports the focus passes through the report field to the grid
    // and the digit has nowhere to go.
    a.kind = s.record_rst ? EntryActionKind::kTypeThrough : EntryActionKind::kMoveOn;
    a.target = EntryField::kRstR;
    if (s.record_rst) {
      a.text = std::string(1, c);
      a.caret = 1;
    }
    return a;
  }
  a.blank_dialog = f.text.size() < 3;
  if (c == ' ') {
    a.kind = EntryActionKind::kMoveOn;
    a.target = EntryField::kRstR;
    return a;
  }
  const char upper = Capital(c);
  EntryAction edit = Insert(f, upper);
  edit.clear_dialog = a.clear_dialog;
  edit.blank_dialog = a.blank_dialog;
  edit.partial_check = true;
  edit.partial_key = upper;
  return edit;
}

EntryAction FieldChar(const EntryState& s, char c) {
  const EntryFieldState& f = s.focus;
  const bool digit = IsDigit(static_cast<unsigned char>(c));
  switch (f.field) {
    case EntryField::kCall:
      return CallChar(s, c);
    case EntryField::kRstR:
      if (static_cast<unsigned char>(c) > '9') {
        // A letter belongs to the grid: it starts the grid afresh.
        EntryAction a = Simple(EntryActionKind::kTypeThrough, EntryField::kSec);
        a.text = std::string(1, Capital(c));
        a.caret = 1;
        return a;
      }
      if (c == ' ') return Simple(EntryActionKind::kMoveOn, EntryField::kSec);
      return digit ? Insert(f, c) : Simple(EntryActionKind::kSwallow);
    case EntryField::kSec: {
      if (c == '"') return Simple(EntryActionKind::kSwallow);
      if (c == ' ') return Simple(EntryActionKind::kMoveOn, EntryField::kRstS);
      EntryAction a = Insert(f, c);
      UpperSquare(a.text);
      return a;
    }
    case EntryField::kRstS:
      if (c == ' ') return Simple(EntryActionKind::kMoveOn, EntryField::kNext);
      return digit ? Insert(f, c) : Simple(EntryActionKind::kSwallow);
    case EntryField::kPostConTime:
    case EntryField::kPostConDate: {
      if (c == ' ') return Simple(EntryActionKind::kMoveOn, EntryField::kNext);
      const char allowed = f.field == EntryField::kPostConTime ? ':' : '/';
      return digit || c == allowed ? Insert(f, c) : Simple(EntryActionKind::kSwallow);
    }
    case EntryField::kNext:
      break;
  }
  return Simple(EntryActionKind::kPass);
}

}  // namespace

bool CallIsComplete(const std::string& call) {
  if (call.size() <= 2) return false;
  int digits = 0;
  size_t last_digit = 0;
  for (size_t i = 1; i < call.size(); ++i) {
    if (IsDigit(static_cast<unsigned char>(call[i]))) {
      ++digits;
      last_digit = i + 1;
    }
    if (static_cast<unsigned char>(call[i]) < '0') return false;
  }
  return digits > 0 && call.size() > last_digit;
}

EntryAction DecideEntryKey(const EntryState& s, const EntryKey& key) {
  if (s.keys_held || s.hold_left.count() > 0) return Simple(EntryActionKind::kHold);
  switch (key.kind) {
    case EntryKeyKind::kEnter:
      return Simple(EntryActionKind::kMains);
    case EntryKeyKind::kBackspace: {
      EntryAction a = Backspace(s.focus);
      if (s.focus.field == EntryField::kCall) {
        a.clear_dialog = s.focus.text.empty();
        a.blank_dialog = s.focus.text.size() < 3;
        a.partial_check = true;
        a.partial_key = 8;
      }
      return a;
    }
    case EntryKeyKind::kTab:
    case EntryKeyKind::kEsc:
    case EntryKeyKind::kOther:
      return Simple(EntryActionKind::kPass);
    case EntryKeyKind::kChar:
      break;
  }
  // Alt with a character is an accelerator that matched nothing, and the
  // fields hold 8-bit text only: neither types anything.
  if (key.alt || key.ch < 32 || key.ch > 255 || key.ch == 127)
    return Simple(EntryActionKind::kSwallow);
  return FieldChar(s, static_cast<char>(key.ch));
}

}  // namespace vantrel

// The entry-key rules, one row per case: filters, Space, type-through, the
// grid's upper-case square, the hold after a refused duplicate.
#include "log/entry_keys.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace vantrel {
namespace {

using F = EntryField;
using A = EntryActionKind;

EntryKey Char(char32_t c, bool alt = false) {
  return {EntryKeyKind::kChar, c, alt};
}
EntryKey Kind(EntryKeyKind k) {
  return {k, 0, false};
}

struct Row {
  const char* name;
  F field;
  std::string text;
  int caret;  // -1: at the end
  int sel_start, sel_length;
  EntryKey key;
  A kind;
  std::string result;  // kEdit / kTypeThrough text
  F target = F::kCall;
  bool record_rst = true;
};

const Row kRows[] = {
    // Type-through from a complete call.
    {"DigitAfterCompleteCall", F::kCall, "N0CALL", -1, -1, 0, Char('5'), A::kTypeThrough, "5",
     F::kRstR},
    {"DigitAfterW1A", F::kCall, "W1A", -1, -1, 0, Char('5'), A::kTypeThrough, "5", F::kRstR},
    {"SlashStopsTypeThrough", F::kCall, "N0CALL/P", -1, -1, 0, Char('5'), A::kEdit, "N0CALL/P5"},
    {"BlankStopsTypeThrough", F::kCall, "N0 CAL", -1, -1, 0, Char('5'), A::kEdit, "N0 CAL5"},
    {"TwoCharactersStay", F::kCall, "W1", -1, -1, 0, Char('5'), A::kEdit, "W15"},
    {"LastDigitStays", F::kCall, "4X4", -1, -1, 0, Char('5'), A::kEdit, "4X45"},
    {"NoDigitStays", F::kCall, "WAA", -1, -1, 0, Char('5'), A::kEdit, "WAA5"},
    {"CaretInsideStays", F::kCall, "W1A", 1, -1, 0, Char('5'), A::kEdit, "W51A"},
    {"SelectionIsReplaced", F::kCall, "W1A", 3, 0, 3, Char('5'), A::kEdit, "5"},
    {"WithoutReportsOnlyMovesOn", F::kCall, "W1A", -1, -1, 0, Char('5'), A::kMoveOn, "", F::kRstR,
     false},
    // Type-through from the report field into the grid.
    {"LetterInReportStartsGrid", F::kRstR, "59", 2, 0, 2, Char('f'), A::kTypeThrough, "F", F::kSec},
    {"ColonInReportStartsGrid", F::kRstR, "5", -1, -1, 0, Char(':'), A::kTypeThrough, ":", F::kSec},
    // Call filters.
    {"CallUpperCase", F::kCall, "K2", -1, -1, 0, Char('x'), A::kEdit, "K2X"},
    {"CallQuoteDiscarded", F::kCall, "K", -1, -1, 0, Char('"'), A::kSwallow, ""},
    {"CallAltDiscarded", F::kCall, "K", -1, -1, 0, Char('q', true), A::kSwallow, ""},
    {"CallAltQuoteDiscarded", F::kCall, "K", -1, -1, 0, Char('"', true), A::kSwallow, ""},
    {"CallOutside8BitDiscarded", F::kCall, "K", -1, -1, 0, Char(0x20AC), A::kSwallow, ""},
    {"CallControlDiscarded", F::kCall, "K", -1, -1, 0, Char(0x7F), A::kSwallow, ""},
    {"CallLatin1Kept", F::kCall, "K", -1, -1, 0, Char(0xE9), A::kEdit, "K\xE9"},
    {"CallSpaceMovesOn", F::kCall, "K2XX", -1, -1, 0, Char(' '), A::kMoveOn, "", F::kRstR},
    {"CallFull", F::kCall, "ABCDEFGHIJKLM", -1, -1, 0, Char('N'), A::kEdit, "ABCDEFGHIJKLM"},
    {"CallBackspace", F::kCall, "K2X", -1, -1, 0, Kind(EntryKeyKind::kBackspace), A::kEdit, "K2"},
    // Report filters.
    {"ReportDigit", F::kRstR, "5", -1, -1, 0, Char('7'), A::kEdit, "57"},
    {"ReportDigitReplacesPrefill", F::kRstR, "599", 3, 0, 3, Char('5'), A::kEdit, "5"},
    {"ReportSlashDiscarded", F::kRstR, "5", -1, -1, 0, Char('/'), A::kSwallow, ""},
    {"ReportSpaceMovesOn", F::kRstR, "59", -1, -1, 0, Char(' '), A::kMoveOn, "", F::kSec},
    {"ReportFull", F::kRstR, "599", -1, -1, 0, Char('9'), A::kEdit, "599"},
    {"SentDigit", F::kRstS, "5", -1, -1, 0, Char('9'), A::kEdit, "59"},
    {"SentLetterDiscarded", F::kRstS, "5", -1, -1, 0, Char('a'), A::kSwallow, ""},
    {"SentSpaceMovesOn", F::kRstS, "59", -1, -1, 0, Char(' '), A::kMoveOn, "", F::kNext},
    {"SentAltDiscarded", F::kRstS, "5", -1, -1, 0, Char('9', true), A::kSwallow, ""},
    // Post-contest filters.
    {"TimeColon", F::kPostConTime, "18", -1, -1, 0, Char(':'), A::kEdit, "18:"},
    {"TimeSlashDiscarded", F::kPostConTime, "18", -1, -1, 0, Char('/'), A::kSwallow, ""},
    {"DateSlash", F::kPostConDate, "2007", -1, -1, 0, Char('/'), A::kEdit, "2007/"},
    {"DateColonDiscarded", F::kPostConDate, "2007", -1, -1, 0, Char(':'), A::kSwallow, ""},
    {"DateSpaceMovesOn", F::kPostConDate, "2007", -1, -1, 0, Char(' '), A::kMoveOn, "", F::kNext},
    // The grid's square is upper case wherever the caret or selection is.
    {"GridOverSelection", F::kSec, "FN31", 4, 0, 4, Char('f'), A::kEdit, "F"},
    {"GridOverPartSelection", F::kSec, "FN31", 4, 2, 2, Char('x'), A::kEdit, "FNX"},
    {"GridSquareLetter", F::kSec, "F", -1, -1, 0, Char('n'), A::kEdit, "FN"},
    {"GridCaretAtStart", F::kSec, "N31", 0, -1, 0, Char('f'), A::kEdit, "FN31"},
    {"GridSubsquareKeepsCase", F::kSec, "FN31", -1, -1, 0, Char('p'), A::kEdit, "FN31p"},
    {"GridSubsquareUpperKept", F::kSec, "FN31", -1, -1, 0, Char('P'), A::kEdit, "FN31P"},
    {"GridLetterShiftedIntoSquare", F::kSec, "FN3pr", 2, -1, 0, Char('x'), A::kEdit, "FNX3pr"},
    {"GridQuoteDiscarded", F::kSec, "FN", -1, -1, 0, Char('"'), A::kSwallow, ""},
    {"GridAltDiscarded", F::kSec, "FN", -1, -1, 0, Char('3', true), A::kSwallow, ""},
    {"GridSpaceMovesOn", F::kSec, "FN31", -1, -1, 0, Char(' '), A::kMoveOn, "", F::kRstS},
    {"GridFull", F::kSec, "FN31prab", -1, -1, 0, Char('c'), A::kEdit, "FN31prab"},
    // Keys the fields pass on or log with.
    {"EnterLogs", F::kSec, "FN31", -1, -1, 0, Kind(EntryKeyKind::kEnter), A::kMains, ""},
    {"EnterLogsFromDate", F::kPostConDate, "", -1, -1, 0, Kind(EntryKeyKind::kEnter), A::kMains,
     ""},
    {"TabPassed", F::kCall, "K2XX", -1, -1, 0, Kind(EntryKeyKind::kTab), A::kPass, ""},
    {"EscPassed", F::kCall, "K2XX", -1, -1, 0, Kind(EntryKeyKind::kEsc), A::kPass, ""},
    {"ArrowPassed", F::kCall, "K2XX", -1, -1, 0, Kind(EntryKeyKind::kOther), A::kPass, ""},
};

EntryState StateFor(const Row& r) {
  EntryState s;
  s.focus.field = r.field;
  s.focus.text = r.text;
  s.focus.caret = r.caret < 0 ? static_cast<int>(r.text.size()) : r.caret;
  s.focus.selection_start = r.sel_start;
  s.focus.selection_length = r.sel_length;
  s.focus.max_length = r.field == F::kCall ? 13 : r.field == F::kSec ? 8 : 3;
  if (r.field == F::kPostConTime) s.focus.max_length = 5;
  if (r.field == F::kPostConDate) s.focus.max_length = 10;
  s.record_rst = r.record_rst;
  return s;
}

// The row's name is enough in listings; its bytes hold pointers.
void PrintTo(const Row& row, std::ostream* os) {
  *os << row.name;
}

class EntryKeyRows : public ::testing::TestWithParam<Row> {};

TEST_P(EntryKeyRows, Decides) {
  const Row& r = GetParam();
  const EntryAction a = DecideEntryKey(StateFor(r), r.key);
  EXPECT_EQ(a.kind, r.kind);
  if (r.kind == A::kEdit || r.kind == A::kTypeThrough) {
    EXPECT_EQ(a.text, r.result);
  }
  if (r.kind == A::kMoveOn || r.kind == A::kTypeThrough) {
    EXPECT_EQ(a.target, r.target);
  }
  if (r.kind == A::kTypeThrough) {
    EXPECT_EQ(a.caret, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(EntryKeys, EntryKeyRows, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

// Types `keys` into a field the way the window applies each answer.
std::string TypeInto(F field, std::string text, int caret, int sel_start, int sel_length,
                     const std::string& keys) {
  for (char c : keys) {
    EntryState s;
    s.focus = {field, text, caret, sel_start, sel_length, 8};
    const EntryAction a = DecideEntryKey(s, Char(static_cast<unsigned char>(c)));
    if (a.kind != A::kEdit) continue;
    text = a.text;
    caret = a.caret;
    sel_start = -1;
    sel_length = 0;
  }
  return text;
}

TEST(EntryKeys, GridTypedOverAPrefilledGrid) {
  EXPECT_EQ(TypeInto(F::kSec, "FN31", 4, 0, 4, "fn32"), "FN32");
  EXPECT_EQ(TypeInto(F::kSec, "", 0, -1, 0, "fn31pr"), "FN31pr");
  EXPECT_EQ(TypeInto(F::kSec, "FN31PR", 6, 0, 6, "em29jx"), "EM29jx");
}

TEST(EntryKeys, CallFieldSideEffects) {
  EntryState s;
  s.focus = {F::kCall, "", 0, -1, 0, 13};
  EntryAction a = DecideEntryKey(s, Char('n'));
  EXPECT_TRUE(a.clear_dialog);
  EXPECT_TRUE(a.blank_dialog);
  EXPECT_TRUE(a.partial_check);
  EXPECT_EQ(a.partial_key, 'N');
  a = DecideEntryKey(s, Char('"'));
  EXPECT_TRUE(a.clear_dialog);
  EXPECT_FALSE(a.partial_check);
  s.focus = {F::kCall, "N0CA", 4, -1, 0, 13};
  a = DecideEntryKey(s, Char('l'));
  EXPECT_FALSE(a.clear_dialog);
  EXPECT_FALSE(a.blank_dialog);
  a = DecideEntryKey(s, Kind(EntryKeyKind::kBackspace));
  EXPECT_TRUE(a.partial_check);
  EXPECT_EQ(a.partial_key, 8);
  // Other fields run no partial check.
  s.focus = {F::kSec, "FN", 2, -1, 0, 8};
  EXPECT_FALSE(DecideEntryKey(s, Char('3')).partial_check);
}

TEST(EntryKeys, EveryKeyWaitsDuringTheHold) {
  const EntryKey keys[] = {Char('w'),
                           Char('5'),
                           Char(' '),
                           Char('"'),
                           Char('q', true),
                           Kind(EntryKeyKind::kEnter),
                           Kind(EntryKeyKind::kBackspace),
                           Kind(EntryKeyKind::kTab),
                           Kind(EntryKeyKind::kEsc),
                           Kind(EntryKeyKind::kOther)};
  for (F field : {F::kCall, F::kRstR, F::kSec}) {
    EntryState timed;
    timed.focus = {field, "W9ZZ", 4, -1, 0, 13};
    timed.hold_left = std::chrono::milliseconds(2000);
    EntryState queued = timed;
    queued.hold_left = {};
    queued.keys_held = true;  // the hold is over but earlier keys still wait
    EntryState free = queued;
    free.keys_held = false;
    for (const EntryKey& k : keys) {
      EXPECT_EQ(DecideEntryKey(timed, k).kind, A::kHold);
      EXPECT_EQ(DecideEntryKey(queued, k).kind, A::kHold);
      EXPECT_NE(DecideEntryKey(free, k).kind, A::kHold);
    }
  }
}

TEST(EntryKeys, CallIsComplete) {
  for (const char* call : {"W1A", "N0CALL", "VE3ABC", "K2XX"})
    EXPECT_TRUE(CallIsComplete(call)) << call;
  for (const char* call : {"", "W1", "4X4", "WAA", "N0CALL/P", "N0 CAL", "W1A/"})
    EXPECT_FALSE(CallIsComplete(call)) << call;
}

}  // namespace
}  // namespace vantrel

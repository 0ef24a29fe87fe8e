#include "ui/form1_entry_panel.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <algorithm>

#include "common/date_time_text.h"
#include "contest/bands.h"
#include "contest/log_contact.h"
#include "log/dupes.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/form1_grid_map.h"
#include "ui/form1_score_panel.h"
#include "ui/widget_text.h"
#include "voice/voice_navigation.h"

namespace vantrel::ui {

namespace {

constexpr QColor kDialogColour(0, 192, 192);
constexpr QColor kDupeColour(255, 0, 0);

EntryKey Describe(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  EntryKey k;
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    k.kind = EntryKeyKind::kEnter;
  } else if (key == Qt::Key_Backspace) {
    k.kind = EntryKeyKind::kBackspace;
  } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    k.kind = EntryKeyKind::kTab;
  } else if (key == Qt::Key_Escape) {
    k.kind = EntryKeyKind::kEsc;
  } else if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127) {
    k.kind = EntryKeyKind::kOther;  // caret movement, Delete and the like
  } else {
    k.kind = EntryKeyKind::kChar;
    k.ch = text.size() == 1 ? text.at(0).unicode() : text.toUcs4().value(0);
    k.alt = modifiers & Qt::AltModifier;
  }
  return k;
}

}  // namespace

Form1EntryPanel::Form1EntryPanel(Form1& form) : QObject(&form), f_(form) {
  hold_timer_ = new QTimer(this);
  hold_timer_->setObjectName("holdTimer");
  hold_timer_->setSingleShot(true);
  connect(hold_timer_, &QTimer::timeout, this, &Form1EntryPanel::ReleaseHeldKeys);
}

EntryField Form1EntryPanel::FieldOf(const QLineEdit* field) const {
  if (field == f_.txtCall) return EntryField::kCall;
  if (field == f_.txtRSTR) return EntryField::kRstR;
  if (field == f_.txtSec) return EntryField::kSec;
  if (field == f_.txtRSTS) return EntryField::kRstS;
  if (field == f_.txtPostConTime) return EntryField::kPostConTime;
  return EntryField::kPostConDate;
}

QLineEdit* Form1EntryPanel::FieldFor(EntryField field) const {
  switch (field) {
    case EntryField::kCall:
      return f_.txtCall;
    case EntryField::kRstR:
      return f_.txtRSTR;
    case EntryField::kSec:
      return f_.txtSec;
    case EntryField::kRstS:
      return f_.txtRSTS;
    case EntryField::kPostConTime:
      return f_.txtPostConTime;
    case EntryField::kPostConDate:
      return f_.txtPostConDate;
    case EntryField::kNext:
      break;
  }
  return nullptr;
}

EntryState Form1EntryPanel::StateOf(QLineEdit* field) {
  EntryState s;
  s.focus.field = FieldOf(field);
  s.focus.text = Std(field->text());
  s.focus.caret = field->cursorPosition();
  s.focus.selection_start = field->selectionStart();
  s.focus.selection_length = field->selectionLength();
  s.focus.max_length = field->maxLength();
  s.record_rst = f_.state_.prefs.RecordRst == 1;
  s.keys_held =
      waiting_for_announcement_ || !held_keys_.empty() || (dupe_found_ && hold_timer_->isActive());
  if (dupe_found_ && !s.keys_held) {
    s.hold_left = vantrel::HoldAfterDupe(last_dupe_time_, f_.clock_->Now());
    if (s.hold_left.count() <= 0) dupe_found_ = false;
  }
  return s;
}

bool Form1EntryPanel::KeyPressed(QLineEdit* field, QKeyEvent* key) {
  // Pasting (Shift+Insert and the like) would pass the key filters by.
  if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut)) return true;
  const QString text = key->text();
  if (text.size() > 1 && !text.at(0).isHighSurrogate()) {
    // Several characters in one event: each goes through the filters.
    for (QChar c : text) Key(field, {0, key->modifiers(), QString(c)});
    return true;
  }
  return Key(field, {key->key(), key->modifiers(), text});
}

bool Form1EntryPanel::InputMethod(QLineEdit* field, QInputMethodEvent* event) {
  for (QChar c : event->commitString()) Key(field, {0, Qt::NoModifier, QString(c)});
  // Nothing composed is shown half-way: the field holds filtered text only.
  return true;
}

bool Form1EntryPanel::Key(QLineEdit* field, const HeldKey& key) {
  const EntryState state = StateOf(field);
  const bool holding = state.keys_held || state.hold_left.count() > 0;
  QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers, key.text);
  if (!holding && f_.FormWideKey(&event)) return true;
  const EntryAction action = DecideEntryKey(state, Describe(key.key, key.modifiers, key.text));
  if (action.kind == EntryActionKind::kHold) {
    held_keys_.push_back(key);
    if (!hold_timer_->isActive() && state.hold_left.count() > 0)
      hold_timer_->start(static_cast<int>(state.hold_left.count()));
    return true;
  }
  return Apply(field, action);
}

void Form1EntryPanel::ReleaseHeldKeys() {
  dupe_found_ = false;
  std::vector<HeldKey> keys;
  keys.swap(held_keys_);
  for (const HeldKey& k : keys) {
    // Each key goes where the focus is by then, as if typed now; a refusal
    // on the way holds the rest again.
    QWidget* to = f_.focusWidget();
    if (!to) continue;
    if (!held_keys_.empty() || hold_timer_->isActive()) {
      held_keys_.push_back(k);
      continue;
    }
    QKeyEvent replay(QEvent::KeyPress, k.key, k.modifiers, k.text);
    QApplication::sendEvent(to, &replay);
  }
  keys.clear();
  keys.shrink_to_fit();
}

void Form1EntryPanel::AnnouncementEnded(EntryField to) {
  waiting_for_announcement_ = false;
  MoveFocus(to);
  if (held_keys_.empty()) return;
  // The hold after a refused duplicate may outlast the announcement.
  const auto left = dupe_found_ ? vantrel::HoldAfterDupe(last_dupe_time_, f_.clock_->Now())
                                : std::chrono::milliseconds(0);
  if (left.count() > 0) {
    hold_timer_->start(static_cast<int>(left.count()));
  } else {
    ReleaseHeldKeys();
  }
}

void Form1EntryPanel::SetFieldText(QLineEdit* field, const QString& text, int caret) {
  // setText, not insert: the field keeps no undo history, which would grow
  // with every entry typed and cleared.
  if (field->text() != text) field->setText(text);
  field->setCursorPosition(caret);
}

void Form1EntryPanel::PartialCheck(const QString& text_before, char key) {
  const PartialDupeResult partial =
      PartialDupeCheck(f_.state_.log, Std(text_before), key, f_.state_.contest.CurrentBand,
                       f_.state_.prefs.OwnGrid, f_.state_.PartialDupesOn == 1);
  SetBackground(f_.lblDialog, kDialogColour);
  f_.lblDupe->setText(Latin1(partial.match_text));
  if (partial.match_text.empty())
    SetButtonColour(f_.lblDupe);
  else
    SetBackground(f_.lblDupe, kDialogColour);
  if (partial.dialog) f_.lblDialog->setText(Latin1(*partial.dialog));
  if (partial.beep) f_.prompter_.Beep();
}

bool Form1EntryPanel::Apply(QLineEdit* field, const EntryAction& a) {
  if (a.kind == EntryActionKind::kPass) return false;
  if (a.clear_dialog) f_.lblDialog->clear();
  if (a.blank_dialog) f_.lblDialog->setText(" ");
  switch (a.kind) {
    case EntryActionKind::kEdit:
      if (a.partial_check) PartialCheck(field->text(), a.partial_key);
      SetFieldText(field, Latin1(a.text), a.caret);
      break;
    case EntryActionKind::kMoveOn:
      MoveFocus(a.target);
      break;
    case EntryActionKind::kTypeThrough:
      MoveFocus(a.target);
      SetFieldText(FieldFor(a.target), Latin1(a.text), a.caret);
      break;
    case EntryActionKind::kMains:
      Mains();
      break;
    default:
      break;
  }
  return true;
}

void Form1EntryPanel::MoveFocus(EntryField field) {
  if (field == EntryField::kNext) {
    f_.focusNextChild();
    return;
  }
  MoveFocus(FieldFor(field));
}

void Form1EntryPanel::MoveFocus(QLineEdit* field) {
  field->setFocus();
  // Without an active window no focus event arrives.
  if (QApplication::focusWidget() != field && f_.focusWidget() == field) FocusEntered(field);
}

void Form1EntryPanel::FocusEntered(QLineEdit* field) {
  RunState& state = f_.state_;
  if (field == f_.txtCall) {
    f_.cmdEdit->setVisible(false);
    f_.cmdDelete->setVisible(false);
    if (f_.txtCall->text().isEmpty()) {
      f_.txtRSTR->setText(QString());
      f_.txtRSTS->setText(QString());
    }
    if (state.prefs.VoiceNavLevel != 0) f_.Announce("Call");
    if (f_.txtCall->text().isEmpty() && f_.ContactListItemCount() < state.log.ContactCount() &&
        f_.ContactListItemCount() < 18)
      f_.FillContactList();
  } else if (field == f_.txtRSTR) {
    // The early duplicate warning runs whether or not reports are recorded;
    // only their pre-fill depends on it.
    const bool record = state.prefs.RecordRst == 1;
    if (!f_.txtCall->text().isEmpty()) {
      const std::string call = Std(f_.txtCall->text()), grid = Std(f_.txtSec->text());
      const Dupcheck2Result found =
          dupcheck2(state.log, {call, grid, state.contest.CurrentBand, state.prefs.OwnGrid},
                    f_.mnuListPrevious->isChecked());
      if (f_.mnuListPrevious->isChecked()) {
        f_.ListView1->clear();
        for (int n : found.previous) f_.AddContactListItem(n);
      }
      if (found.grid_filled) {
        f_.txtSec->setText(Latin1(found.grid));
        f_.txtSec->selectAll();
      }
      if (!found.duplicates.empty()) {
        f_.ShowDialog(Latin1(found.message), kDupeColour);
        SetButtonColour(f_.lblDupe);
        for (size_t i = 0; i < found.duplicates.size(); ++i) f_.prompter_.Beep();
      }
      if (record) {
        const QString prefill =
            EqualsNoCase(state.contest.CurrentMode, kModeCw) ? QString("599") : QString("59");
        if (f_.txtRSTR->text().isEmpty()) f_.txtRSTR->setText(prefill);
        if (f_.txtRSTS->text().isEmpty()) f_.txtRSTS->setText(prefill);
        f_.txtRSTR->selectAll();
      }
    }
    if (!record) {
      MoveFocus(f_.txtSec);
      return;
    }
    if (state.prefs.VoiceNavLevel > 1) f_.Announce("RstRcvd");
  } else if (field == f_.txtSec) {
    if (state.prefs.VoiceNavLevel >= 2) f_.Announce("Grid");
  } else if (field == f_.txtRSTS) {
    if (state.prefs.RecordRst != 1) {
      f_.focusNextChild();
      return;
    }
    f_.txtRSTS->selectAll();
    if (state.prefs.VoiceNavLevel > 1) f_.Announce("RstSnt");
  } else if (field == f_.txtPostConTime) {
    f_.txtPostConTime->selectAll();
  } else if (field == f_.txtPostConDate) {
    if (f_.txtPostConDate->text().isEmpty()) {
      const auto today = std::chrono::floor<std::chrono::days>(f_.clock_->Now());
      f_.txtPostConDate->setText(Latin1(FormatDateText(
          std::chrono::year_month_day{std::chrono::sys_days{today.time_since_epoch()}})));
    }
    f_.txtPostConDate->selectAll();
  }
}

// ------------------------------------------------------------ logging ---

void Form1EntryPanel::ClearEntry() {
  for (QLineEdit* field : {f_.txtRSTS, f_.txtCall, f_.txtRSTR, f_.txtSec})
    field->setText(QString());
}

void Form1EntryPanel::Mains() {
  RunState& state = f_.state_;
  EntryTexts entry;
  entry.call = Std(f_.txtCall->text());
  entry.rst_rcvd = Std(f_.txtRSTR->text());
  entry.grid = Std(f_.txtSec->text());
  entry.rst_sent = Std(f_.txtRSTS->text());
  entry.post_contest = f_.PostContestMode();
  if (entry.post_contest) {
    entry.post_date = Std(f_.txtPostConDate->text());
    entry.post_time = Std(f_.txtPostConTime->text());
  }
  f_.RestoreWorkingDirectory();
  const MainsResult r = vantrel::Mains({state.log, f_.tallies_, state.contest, state.prefs.OwnGrid,
                                        state.prefs.UtcOffsetHours, f_.log_storage(), *f_.clock_},
                                       entry, !f_.Label3->isHidden());
  entry_incomplete_ = r.entry_incomplete;
  dupe_found_ = r.dupe_found;
  if (r.grid_fill) {
    f_.txtSec->setText(Latin1(*r.grid_fill));
    f_.txtSec->selectAll();
  }
  if (r.dupe_found) {
    last_dupe_time_ = r.last_dupe_time;
    f_.lblDupe->clear();
    SetButtonColour(f_.lblDupe);
  }
  if (r.post_date) f_.txtPostConDate->setText(Latin1(*r.post_date));
  if (r.post_time) f_.txtPostConTime->setText(Latin1(*r.post_time));
  if (r.logged) {
    f_.FillContactList();
    if (r.tally.colour_grid)
      f_.map_->ColorChange(state.log.Record(state.log.ContactCount()).GridRcvd);
    f_.score_->AddMultiplier(r.tally.list_band, Latin1(r.tally.key));
  }
  if (r.clear_entry) ClearEntry();
  if (r.dialog) f_.ShowDialog(Latin1(*r.dialog), r.dialog_red ? kDupeColour : kDialogColour);
  for (int i = 0; i < r.beeps; ++i) f_.prompter_.Beep();
  if (r.announce_dupe) f_.Announce("Dupe");
  if (r.focus && r.announce_dupe && DupeWaitsForAnnouncement(state.prefs.VoiceNavLevel)) {
    // The call field announces itself only after "Dupe"; keys typed
    // meanwhile wait and follow in order.
    waiting_for_announcement_ = true;
    f_.AwaitAnnouncement([this, to = *r.focus] { AnnouncementEnded(to); });
  } else if (r.focus) {
    MoveFocus(*r.focus);
  }
  if (!r.finished) return;
  f_.lblDupe->clear();
  SetButtonColour(f_.lblDupe);
  f_.Labeldisplay();
  f_.TimeStats();
}

void Form1EntryPanel::cmdClear_Click() {
  ClearEntry();
  f_.lblDupe->clear();
  SetButtonColour(f_.lblDupe);
  f_.ShowDialog(" ", kDialogColour);
  MoveFocus(f_.txtCall);
}

void Form1EntryPanel::mnuRecall_Click() {
  if (f_.state_.log.Empty()) return;
  MoveFocus(f_.txtCall);
  const ContactRecord& newest = f_.state_.log.Record(f_.state_.log.ContactCount());
  f_.txtCall->setText(Latin1(newest.Call));
  f_.txtSec->setText(Latin1(newest.GridRcvd));
  f_.txtSec->selectAll();
  MoveFocus(f_.txtRSTR);
}

}  // namespace vantrel::ui

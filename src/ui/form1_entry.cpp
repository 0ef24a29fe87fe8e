// Form1's entry fields and keys, logging a contact, duplicate checks, band
// and mode selection, and the clock.
#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <algorithm>

#include "common/date_time_text.h"
#include "contest/bands.h"
#include "log/dupes.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/frm_band_plan.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr QColor kDialogColour(0, 192, 192);
constexpr QColor kDupeColour(255, 0, 0);
constexpr QColor kNavy(0, 0, 128);
constexpr QColor kMaroon(128, 0, 0);

bool IsDigit(QChar c) {
  return c >= '0' && c <= '9';
}

// Text typed into the call and grid fields: a..z become A..Z.
QChar Capital(QChar key) {
  if (key >= 'a' && key <= 'z') return key.toUpper();
  return key;
}

}  // namespace

void Form1::ShowDialog(const QString& text, const QColor& background) {
  lblDialog->setText(text);
  SetBackground(lblDialog, background);
}

void Form1::ResetGridMapColours() {
  const QColor remaining = FromBgr(state_.prefs.RemainingColor);
  for (QLabel* g : lblGrid) SetTextColour(g, remaining);
}

// ---------------------------------------------------------------- keys ---

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseMove) {
    if (watched == client_) {
      // Pointing at the window's background clears what a pointed-at label
      // showed. A move over a label also reaches here, passed up from the
      // label, and must leave its text alone.
      const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
      if (!client_->childAt(at) && !lblDupe->text().isEmpty()) lblDupe->clear();
      return false;
    }
    if (auto* label = qobject_cast<QLabel*>(watched); label && client_->isAncestorOf(label)) {
      const auto it = std::find(lblGrid.begin(), lblGrid.end(), label);
      if (it != lblGrid.end()) ShowGridCounts(static_cast<int>(it - lblGrid.begin()));
    }
    return false;
  }
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
      IsEntryField(qobject_cast<QWidget*>(watched))) {
    return true;  // no selection paste: every character goes through the key filters
  }
  if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::MouseButtonRelease &&
      type != QEvent::ShortcutOverride)
    return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !isAncestorOf(widget)) return QMainWindow::eventFilter(watched, event);

  if (type == QEvent::FocusIn) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) FocusEntered(field);
    return false;
  }
  if (type == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (widget == Label30) {
      Label30_Click();
      return true;
    }
    if (auto it = std::find(lblGrid.begin(), lblGrid.end(), widget); it != lblGrid.end()) {
      txtSec->setText((*it)->text());
      return true;
    }
    if (widget == gridLists[0] || widget == gridLists[1] ||
        widget->parentWidget() == gridLists[0] || widget->parentWidget() == gridLists[1]) {
      ReduceRoverListFont(widget == gridLists[0] || widget->parentWidget() == gridLists[0]
                              ? gridLists[0]
                              : gridLists[1]);
      return false;
    }
    for (size_t i = 0; i < bandNameLabels.size(); ++i) {
      if (widget == bandNameLabels[i] || widget == bandCountLabels[i]) {
        SelectBand(static_cast<int>(i) + 1);
        return true;
      }
    }
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::ShortcutOverride) {
    // Ctrl combinations belong to the main window, never to a text box's
    // own copy, paste or undo.
    if (key->modifiers() == Qt::ControlModifier) {
      event->accept();
      return true;
    }
    return false;
  }
  // Only the widget that has the key handles it; parents see it again when
  // it propagates.
  if (widget != QApplication::focusWidget() && widget != this) return false;
  if (FormWideKey(key)) return true;
  if (auto* field = qobject_cast<QLineEdit*>(widget)) return HandleEntryKey(field, key);
  return false;
}

void Form1::OpenWindowForShortcut(int key) {
  // The other shortcuts open windows that are not part of the program yet.
  if (key == Qt::Key_F) ShowBandPrivileges(this, state_, prompter_, screen_);
}

bool Form1::FormWideKey(QKeyEvent* key) {
  if (key->modifiers() == Qt::ControlModifier) {
    RestoreWorkingDirectory();
    OpenWindowForShortcut(key->key());
    return true;  // the character that would follow is discarded too
  }
  StopRepeatingMessages();
  const int k = key->key();
  if (k == Qt::Key_Escape) {
    if (CwSending()) {
      EmptyCwBuffer();
    } else {
      cmdClear_Click();
    }
    return true;
  }
  // Function keys and arrows go to the CW and voice keyers, which are not
  // attached yet; F10 is never typed.
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return true;
  return false;
}

bool Form1::IsEntryField(const QWidget* w) const {
  return w && (w == txtCall || w == txtRSTR || w == txtSec || w == txtRSTS || w == txtPostConTime ||
               w == txtPostConDate);
}

bool Form1::HandleEntryKey(QLineEdit* field, QKeyEvent* key) {
  if (!IsEntryField(field)) return false;
  // Pasting (Shift+Insert and the like) would pass the key filters by.
  if (key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut)) return true;
  const int k = key->key();
  if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    Mains();
    return true;
  }
  if (k == Qt::Key_Backspace) {
    if (field == txtCall) {
      if (held_keys_.empty()) {
        CallKey(QChar(8));
      } else {
        held_keys_.push_back(QChar(8));
        return true;
      }
    }
    field->backspace();
    return true;
  }
  const QString text = key->text();
  if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() > 255 ||
      (key->modifiers() & Qt::AltModifier)) {
    // Caret movement, Tab, Delete, accelerators and the like keep their
    // usual meaning.
    return false;
  }
  const QChar ch = text.at(0);
  if (field == txtCall) {
    if (!held_keys_.empty() || (dupe_found_ && holdTimer->isActive())) {
      held_keys_.push_back(ch);
      return true;
    }
    if (dupe_found_) {
      const auto wait = vantrel::HoldAfterDupe(last_dupe_time_, clock_->Now());
      if (wait.count() > 0) {
        held_keys_.push_back(ch);
        holdTimer->start(static_cast<int>(wait.count()));
        return true;
      }
      dupe_found_ = false;
    }
    CallKey(ch);
  } else if (field == txtRSTR) {
    RstrKey(ch);
  } else if (field == txtSec) {
    SecKey(ch);
  } else if (field == txtRSTS) {
    RstsKey(ch);
  } else {
    PostConKey(field, ch);
  }
  return true;
}

void Form1::ReleaseHeldKeys() {
  dupe_found_ = false;
  std::vector<QChar> keys;
  keys.swap(held_keys_);
  for (QChar ch : keys) {
    if (ch == QChar(8)) {
      CallKey(ch);
      txtCall->backspace();
    } else if (QApplication::focusWidget() == txtCall || !isVisible()) {
      CallKey(ch);
    }
  }
}

// Returns true when the key was used up (discarded or handed on).
bool Form1::CallKey(QChar key) {
  const QString text = txtCall->text();
  if (text.isEmpty()) lblDialog->clear();
  // A double quote would break the quoted fields of log.txt.
  if (key == '"') return true;
  // Type-through: a digit after a complete call starts the report.
  if (IsDigit(key) && text.size() > 2 && txtCall->cursorPosition() == text.size() &&
      !txtCall->hasSelectedText()) {
    int digits = 0, last_digit = 0;
    bool below_zero = false;
    for (int i = 1; i < text.size(); ++i) {
      if (IsDigit(text.at(i))) {
        ++digits;
        last_digit = i + 1;
      }
      if (text.at(i) < '0') below_zero = true;
    }
    if (digits > 0 && text.size() > last_digit && !below_zero) {
      type_through_key_ = key;
      type_through_target_ = 4;
      txtRSTR->setFocus();
      if (QApplication::focusWidget() != txtRSTR) FocusEntered(txtRSTR);
      if (txtRSTR->isEnabled() && state_.prefs.RecordRst == 1) {
        RstrKey(key);
      } else {
        type_through_target_ = 0;
      }
      return true;
    }
  }
  if (text.size() < 3) lblDialog->setText(" ");
  if (key == ' ') {
    txtRSTR->setFocus();
    return true;
  }
  const QChar upper = Capital(key);
  // The match list follows the call as it will read after this key.
  const PartialDupeResult partial = PartialDupeCheck(
      state_.log, Std(text), static_cast<char>(upper.unicode()), state_.contest.CurrentBand,
      state_.prefs.OwnGrid, state_.PartialDupesOn == 1);
  SetBackground(lblDialog, kDialogColour);
  lblDupe->setText(Latin1(partial.match_text));
  if (partial.match_text.empty())
    SetButtonColour(lblDupe);
  else
    SetBackground(lblDupe, kDialogColour);
  if (partial.dialog) lblDialog->setText(Latin1(*partial.dialog));
  if (partial.beep) prompter_.Beep();
  if (upper == QChar(8)) return false;
  txtCall->insert(QString(upper));
  return false;
}

bool Form1::RstrKey(QChar key) {
  // A letter belongs to the grid.
  if (key > '9' && type_through_target_ != 4) {
    type_through_key_ = key;
    type_through_target_ = 3;
    SecKey(key);
    txtSec->setFocus();
    return true;
  }
  // While a digit is typed through from the call field, that digit is the key.
  if (type_through_target_ == 4) key = type_through_key_;
  if (key == ' ') {
    txtSec->setFocus();
    return true;
  }
  if (!IsDigit(key)) return true;  // `number`
  // The typed-through digit replaces the pre-filled report.
  if (type_through_target_ == 4) {
    txtRSTR->setText(QString(key));
    txtRSTR->setCursorPosition(1);
    type_through_target_ = 0;
    return true;
  }
  txtRSTR->insert(QString(key));
  return true;
}

bool Form1::SecKey(QChar key) {
  if (key == '"') return true;
  if (type_through_target_ == 3) key = type_through_key_;
  if (key == ' ') {
    txtRSTS->setFocus();
    return true;
  }
  // Sub-square letters keep the case typed.
  if (txtSec->cursorPosition() < 4 || type_through_target_ == 3) key = Capital(key);
  if (type_through_target_ == 3) {
    txtSec->setText(QString(key));
    txtSec->setCursorPosition(1);
    type_through_target_ = 0;
    return true;
  }
  txtSec->insert(QString(key));
  return true;
}

bool Form1::RstsKey(QChar key) {
  if (key == ' ') {
    focusNextChild();
    return true;
  }
  if (IsDigit(key)) txtRSTS->insert(QString(key));
  return true;
}

bool Form1::PostConKey(QLineEdit* field, QChar key) {
  if (key == ' ') {
    focusNextChild();
    return true;
  }
  const QChar allowed = field == txtPostConTime ? QChar(':') : QChar('/');
  if (IsDigit(key) || key == allowed) field->insert(QString(key));
  return true;
}

void Form1::FocusEntered(QLineEdit* field) {
  if (field == txtCall) {
    cmdEdit->setVisible(false);
    cmdDelete->setVisible(false);
    if (txtCall->text().isEmpty()) {
      txtRSTR->clear();
      txtRSTS->clear();
    }
    if (state_.prefs.VoiceNavLevel != 0) Announce("Call");
    if (txtCall->text().isEmpty() && ContactListItemCount() < state_.log.ContactCount() &&
        ContactListItemCount() < 18)
      FillContactList();
  } else if (field == txtRSTR) {
    if (state_.prefs.RecordRst != 1) {
      txtSec->setFocus();
      return;
    }
    if (!txtCall->text().isEmpty()) {
      const std::string call = Std(txtCall->text()), grid = Std(txtSec->text());
      const Dupcheck2Result found =
          dupcheck2(state_.log, {call, grid, state_.contest.CurrentBand, state_.prefs.OwnGrid},
                    mnuListPrevious->isChecked());
      if (mnuListPrevious->isChecked()) {
        ListView1->clear();
        for (int n : found.previous) AddContactListItem(n);
      }
      if (found.grid_filled) {
        txtSec->setText(Latin1(found.grid));
        txtSec->selectAll();
      }
      if (!found.duplicates.empty()) {
        ShowDialog(Latin1(found.message), kDupeColour);
        SetButtonColour(lblDupe);
        for (size_t i = 0; i < found.duplicates.size(); ++i) prompter_.Beep();
      }
      const QString prefill =
          EqualsNoCase(state_.contest.CurrentMode, kModeCw) ? QString("599") : QString("59");
      if (txtRSTR->text().isEmpty()) txtRSTR->setText(prefill);
      if (txtRSTS->text().isEmpty()) txtRSTS->setText(prefill);
      txtRSTR->selectAll();
    }
    if (state_.prefs.VoiceNavLevel > 1) Announce("RstRcvd");
  } else if (field == txtSec) {
    if (state_.prefs.VoiceNavLevel >= 2) Announce("Grid");
  } else if (field == txtRSTS) {
    if (state_.prefs.RecordRst != 1) {
      focusNextChild();
      return;
    }
    txtRSTS->selectAll();
    if (state_.prefs.VoiceNavLevel > 1) Announce("RstSnt");
  } else if (field == txtPostConTime) {
    txtPostConTime->selectAll();
  } else if (field == txtPostConDate) {
    if (txtPostConDate->text().isEmpty()) {
      const auto today = std::chrono::floor<std::chrono::days>(clock_->Now());
      txtPostConDate->setText(Latin1(FormatDateText(
          std::chrono::year_month_day{std::chrono::sys_days{today.time_since_epoch()}})));
    }
    txtPostConDate->selectAll();
  }
}

void Form1::txtSec_Change() {
  UpdateNewIndicator();
  if (txtSec->text().size() < 2) {
    Label23->clear();
    Label24->clear();
  } else {
    ShowBearingDistance();
  }
}

// ------------------------------------------------------------ logging ---

bool Form1::frmcmp() {
  entry_incomplete_ = false;
  if (txtSec->text().isEmpty()) {
    prompter_.Beep();
    lblDialog->setText("Need Grid!");
    entry_incomplete_ = true;
    txtSec->setFocus();
  }
  if (txtCall->text().size() < 3) {
    prompter_.Beep();
    lblDialog->setText("Need Call Sign!");
    entry_incomplete_ = true;
    txtCall->setFocus();
  }
  return !entry_incomplete_;
}

void Form1::ClearEntry() {
  txtRSTS->clear();
  txtCall->clear();
  txtRSTR->clear();
  txtSec->clear();
}

void Form1::Mains() {
  frmcmp();
  {
    const std::string call = Std(txtCall->text()), grid = Std(txtSec->text());
    const DupcheckResult dupe =
        dupcheck(state_.log, {call, grid, state_.contest.CurrentBand, state_.prefs.OwnGrid});
    if (dupe.grid_filled) {
      txtSec->setText(Latin1(dupe.grid));
      txtSec->selectAll();
    }
    dupe_found_ = dupe.DupeFound;
    if (dupe.DupeFound) {
      ShowDialog(Latin1(dupe.message), kDupeColour);
      lblDupe->clear();
      SetButtonColour(lblDupe);
      prompter_.Beep();
      Announce("Dupe");
      last_dupe_time_ = clock_->Now();
      txtCall->setFocus();
      ClearEntry();
    }
  }
  if (PostContestMode()) {
    const PostContestResult normal =
        NormalisePostContest(Std(txtPostConDate->text()), Std(txtPostConTime->text()));
    if (normal.error == PostContestError::kInvalidDate) {
      ShowDialog(Latin1(normal.message), kDialogColour);
      prompter_.Beep();
      return;
    }
    txtPostConDate->setText(Latin1(normal.date_text));
    if (!normal.ok()) {
      ShowDialog(Latin1(normal.message), kDialogColour);
      prompter_.Beep();
      return;
    }
    txtPostConTime->setText(Latin1(normal.time_text));
  }
  if (!entry_incomplete_ && !dupe_found_) {
    if (state_.log.Full() || MultiplierListFull()) {
      prompter_.Beep();
      ShowDialog(state_.log.Full()
                     ? QString("Log full: 12000 contacts is the most a log can hold.  Not logged.")
                     : Latin1(OverflowMessage(overflow_)),
                 kDupeColour);
      return;
    }
    ContactRecord r;
    r.RstSnt = Std(txtRSTS->text());
    r.GridSent = state_.prefs.OwnGrid;
    r.Call = Std(txtCall->text());
    r.RstRcvd = Std(txtRSTR->text());
    r.GridRcvd = Std(txtSec->text());
    if (PostContestMode()) {
      r.Date = Std(txtPostConDate->text());
      r.Time = Std(txtPostConTime->text());
    } else {
      const LogStamp stamp = MakeLogStamp(UtcNow(*clock_, state_.prefs.UtcOffsetHours));
      r.Date = stamp.Date;
      r.Time = stamp.Time;
    }
    r.Band = state_.contest.CurrentBand;
    r.Mode = state_.contest.CurrentMode;
    r.Freq = state_.contest.FrequencyText;
    RestoreWorkingDirectory();
    std::string error;
    if (!AppendDurably(state_.LogPath(), FormatLogLine(r), error)) {
      // Memory follows the file: what is not on disk is not logged, and the
      // entry stays for another try.
      prompter_.Beep();
      ShowDialog("NOT LOGGED - cannot write log.txt: " + Latin1(error), kDupeColour);
      return;
    }
    state_.log.Add(std::move(r));
    FillContactList();
    ShowDialog(QString(), kDialogColour);
    TallyContact();
    ClearEntry();
    txtCall->setFocus();
    lblDupe->clear();
    SetButtonColour(lblDupe);
  }
  // A frequency read from the radio belongs to one contact only.
  lblDupe->clear();
  SetButtonColour(lblDupe);
  Labeldisplay();
  TimeStats();
  state_.contest.FrequencyText.clear();
}

void Form1::cmdClear_Click() {
  ClearEntry();
  lblDupe->clear();
  SetButtonColour(lblDupe);
  ShowDialog(" ", kDialogColour);
  txtCall->setFocus();
}

void Form1::mnuRecall_Click() {
  if (state_.log.Empty()) return;
  txtCall->setFocus();
  const ContactRecord& newest = state_.log.Record(state_.log.ContactCount());
  txtCall->setText(Latin1(newest.Call));
  txtSec->setText(Latin1(newest.GridRcvd));
  txtSec->selectAll();
  txtRSTR->setFocus();
  if (QApplication::focusWidget() != txtRSTR) FocusEntered(txtRSTR);
}

void Form1::SetRecordRst(int value) {
  state_.prefs.RecordRst = static_cast<uint8_t>(value);
  mnuRstRecord->setChecked(value == 1);
  mnuRstDontRecord->setChecked(value != 1);
  SavePref();
}

void Form1::mnuPostContest_Click() {
  const bool on = !PostContestMode();
  for (QWidget* w : {static_cast<QWidget*>(txtPostConTime), static_cast<QWidget*>(txtPostConDate),
                     static_cast<QWidget*>(lblPostConTime), static_cast<QWidget*>(lblPostConDate)})
    w->setVisible(on);
  mnuPostContest->setChecked(on);
}

void Form1::mnuListPrevious_Click() {
  // The action has already toggled its own check mark.
  state_.prefs.ListPreviousContacts = mnuListPrevious->isChecked() ? 1 : 0;
  SavePref();
}

void Form1::cmdDup_Click() {
  state_.PartialDupesOn = state_.PartialDupesOn == 1 ? 0 : 1;
  cmdDup->setText(state_.PartialDupesOn == 1 ? "On" : "Off");
  SetButtonColour(lblDupe);
  txtCall->setFocus();
}

// ------------------------------------------------------ bands, modes ---

void Form1::PaintBandLabels(int highlighted_band) {
  for (size_t i = 0; i < bandNameLabels.size(); ++i) {
    const QColor c = static_cast<int>(i) + 1 == highlighted_band ? kMaroon : kNavy;
    SetBackground(bandNameLabels[i], c);
    SetBackground(bandCountLabels[i], c);
  }
}

void Form1::SelectBand(int band_index) {
  if (band_index < 1 || band_index > kBandCount) return;
  state_.contest.CurrentBand = std::string(kBands[static_cast<size_t>(band_index - 1)].label);
  RunBandChange();
}

void Form1::RunBandChange() {
  ResetGridMapColours();
  const BandChangeView view = vantrel::BandChange(state_.contest);
  Label21->setText(Latin1(view.caption));
  SavePref();
  for (QAction* item : bandMenuItems) item->setChecked(false);
  PaintBandLabels(0);
  if (view.band) {
    bandMenuItems[static_cast<size_t>(view.band->index - 1)]->setChecked(true);
    if (view.highlight_labels) PaintBandLabels(view.band->index);
  }
  if (txtSec->text().size() > 3) txtSec_Change();
  ShowWorkedGrids();
  RefreshBandMapSpots();
  txtSec_Change();
}

void Form1::SetMode(std::string_view mode) {
  state_.contest.CurrentMode = std::string(mode);
  const bool phone = mode == kModePhone;
  mnuPhone->setChecked(phone);
  mnuCW->setChecked(!phone);
  Label30->setText(Latin1(mode));
  SavePref();
  const int length = ReportMaxLength(mode);
  txtRSTR->setMaxLength(length);
  txtRSTS->setMaxLength(length);
  txtSec_Change();
}

void Form1::Label30_Click() {
  SetMode(ToggledMode(state_.contest.CurrentMode));
}

void Form1::ModeSelection(std::string_view radio_mode) {
  if (auto mode = DecideModeSelection(radio_mode, state_.contest.CurrentMode)) SetMode(*mode);
}

void Form1::BandFreqConversion(float mhz) {
  const FrequencyDecision d =
      DecideBandForFrequency(mhz, state_.contest.CurrentBand, state_.contest.ContestId);
  if (d.switch_to) SelectBand(d.switch_to->index);
  state_.contest.FrequencyText = d.frequency_text;
}

// -------------------------------------------------------------- clock ---

void Form1::Timer2_Tick() {
  const QLocale locale;
  const ClockTexts t = Timer2Texts(clock_->Now(), state_.prefs.UtcOffsetHours, Std(locale.amText()),
                                   Std(locale.pmText()));
  lblutctime->setText(Latin1(t.utc));
  lblCurTime->setText(Latin1(t.local));
  Label16->setText(Latin1(t.ampm));
}

}  // namespace vantrel::ui

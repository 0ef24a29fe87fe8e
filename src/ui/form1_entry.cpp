// Form1's event routing (keys to the entry panel, pointer actions to the
// panels), the entry-side menu handlers, the band and mode hand-offs, and the
// clock.
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>

#include "common/date_time_text.h"
#include "contest/bands.h"
#include "log/dupes.h"
#include "platform/durable_file.h"
#include "ui/accessible_names.h"
#include "ui/form1.h"
#include "ui/form1_band_map.h"
#include "ui/form1_band_mode.h"
#include "ui/form1_cw.h"
#include "ui/form1_entry_panel.h"
#include "ui/form1_grid_map.h"
#include "ui/form1_rover.h"
#include "ui/form1_score_panel.h"
#include "ui/form1_spots.h"
#include "ui/form1_voice.h"
#include "ui/frm_band_plan.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

void Form1::ShowDialog(const QString& text, const QColor& background) {
  lblDialog->setText(text);
  SetBackground(lblDialog, background);
  SayLive(this, text);  // said again even when the same result repeats
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
    if (auto* label = qobject_cast<QLabel*>(watched); label && client_->isAncestorOf(label))
      map_->PointerOver(label);
    return false;
  }
  if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton &&
      IsEntryField(qobject_cast<QWidget*>(watched))) {
    return true;  // no selection paste: every character goes through the key filters
  }
  if (type != QEvent::KeyPress && type != QEvent::FocusIn && type != QEvent::MouseButtonRelease &&
      type != QEvent::ShortcutOverride && type != QEvent::InputMethod)
    return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || !isAncestorOf(widget)) return QMainWindow::eventFilter(watched, event);

  if (type == QEvent::FocusIn) {
    if (auto* field = qobject_cast<QLineEdit*>(widget)) entry_->FocusEntered(field);
    return false;
  }
  if (type == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    if (widget == Label30) {
      Label30_Click();
      return true;
    }
    if (map_->SquareClicked(widget)) return true;
    if (score_->ListClicked(widget)) return false;  // the list still takes the click
    if (const int band = score_->BandOfLabel(widget)) {
      SelectBand(band);
      return true;
    }
    return false;
  }
  // The widget that received the key decides, whether or not the window is
  // the active one. Parents see the key again when it propagates; only the
  // receiver handles it.
  if (type == QEvent::InputMethod) {
    if (!IsEntryField(widget)) return false;
    return entry_->InputMethod(static_cast<QLineEdit*>(widget),
                               static_cast<QInputMethodEvent*>(event));
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
  if (IsEntryField(widget)) return entry_->KeyPressed(static_cast<QLineEdit*>(widget), key);
  if (widget != focusWidget() && widget != this) return false;
  return FormWideKey(key);
}

void Form1::OpenWindowForShortcut(int key) {
  // The other shortcuts open windows that are not part of the program yet.
  if (key == Qt::Key_F) ShowBandPrivileges(this, state_, prompter_, screen_);
  if (key == Qt::Key_R) mnuRigInterface_Click();
  if (key == Qt::Key_G) ShowRigTune();
  if (key == Qt::Key_P) voice_->OpenPhoneWindow();
  if (key == Qt::Key_D) spots_->ShowWindow();
  if (key == Qt::Key_B) band_map_->OpenSpectrumMap();
  cw_->OpenForShortcut(key);
}

bool Form1::FormWideKey(QKeyEvent* key) {
  if (key->modifiers() == Qt::ControlModifier) {
    RestoreWorkingDirectory();
    OpenWindowForShortcut(key->key());
    return true;  // the character that would follow is discarded too
  }
  StopRepeatingMessages();
  if (band_map_->Key(key)) return true;
  if (rover_->Key(key)) return true;
  if (cw_->Key(key)) return true;
  const int k = key->key();
  if (k == Qt::Key_Escape) {
    if (voice_->Escape()) return true;
    if (CwSending()) {
      EmptyCwBuffer();
    } else {
      cmdClear_Click();
    }
    return true;
  }
  if (voice_->FunctionKey(k)) return true;
  // Function keys and arrows go to the CW keyer, which is not attached yet;
  // F10 is never typed.
  if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return true;
  return false;
}

bool Form1::IsEntryField(const QWidget* w) const {
  return w && (w == txtCall || w == txtRSTR || w == txtSec || w == txtRSTS || w == txtPostConTime ||
               w == txtPostConDate);
}

// ------------------------------------------------------------ logging ---

void Form1::Mains() {
  entry_->Mains();
}

void Form1::cmdClear_Click() {
  entry_->cmdClear_Click();
}

void Form1::mnuRecall_Click() {
  entry_->mnuRecall_Click();
}

void Form1::ReleaseHeldKeys() {
  entry_->ReleaseHeldKeys();
}

bool Form1::DupeFound() const {
  return entry_->DupeFound();
}

bool Form1::EntryIncomplete() const {
  return entry_->EntryIncomplete();
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

void Form1::SelectBand(int band_index) {
  bands_->SelectBand(band_index);
}

void Form1::RunBandChange() {
  bands_->RunBandChange();
}

void Form1::SetMode(std::string_view mode) {
  bands_->SetMode(mode);
}

void Form1::Label30_Click() {
  bands_->Label30_Click();
}

void Form1::ModeSelection(std::string_view radio_mode) {
  bands_->ModeSelection(radio_mode);
}

void Form1::BandFreqConversion(float mhz) {
  bands_->BandFreqConversion(mhz);
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

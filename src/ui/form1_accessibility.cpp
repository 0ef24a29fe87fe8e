#include "ui/form1_accessibility.h"

#include <QKeyEvent>
#include <QShortcut>

#include "common/band_table.h"
#include "ui/accessible_names.h"
#include "ui/form1.h"
#include "ui/form1_rover.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

Form1Accessibility::Form1Accessibility(Form1& form)
    : QObject(&form), f_(form), announcer_(new LiveAnnouncer(&form)) {
  setObjectName("Form1Accessibility");
  NameControls();
  AddKeys();
  // Results and warnings reach the operator without the focus leaving the
  // entry fields.
  announcer_->WatchText(f_.lblDialog);
  announcer_->WatchText(f_.lblDupe);
  announcer_->WatchShown(f_.Label3);
  announcer_->WatchText(f_.rover().lblRoverWarning);
}

void Form1Accessibility::NameControls() {
  ::vantrel::ui::NameControls({
      {f_.txtCall, "Call", "Call sign of the station worked", f_.lblCallCaption},
      {f_.txtRSTR, "Report received", {}, f_.lblRstRCaption},
      {f_.txtSec, "Grid", "Grid square of the station worked", f_.lblGridCaption},
      {f_.txtRSTS, "Report sent", {}, f_.lblRstSCaption},
      {f_.txtPostConTime, "Contact time", "Hours and minutes, HH:MM", f_.lblPostConTime},
      {f_.txtPostConDate, "Contact date", "YYYY/MM/DD", f_.lblPostConDate},
      {f_.Label3, {}, "New multiplier on this band"},
      {f_.Label23, {}, "Bearing to the grid, degrees"},
      {f_.Label24, {}, "Distance to the grid, miles"},
      {f_.lblDialog, {}, "Last message"},
      {f_.lblutctime, {}, "UTC time"},
      {f_.lblCurTime, {}, "Local time"},
      {f_.cmdDup, "Possible duplicates On"},
      {f_.lblDupe, {}, "Possible duplicates of the call being typed"},
      {f_.lblTotCon, {}, "Total contacts"},
      {f_.lblTotSec, {}, "Total QSO points"},
      {f_.lblsectogo, {}, "Total multipliers"},
      {f_.lblTotScore, {}, "Total score"},
      {f_.lblAQSO20, {}, "Contacts per hour, last 20 minutes"},
      {f_.lblAQSO60, {}, "Contacts per hour, last 60 minutes"},
      {f_.Label2, {}, "Own call"},
      {f_.Label4, {}, "Own grid"},
      {f_.Label21, {}, "Current band"},
      {f_.Label30, {}, "Current mode"},
      {f_.ListView1, "Recent contacts", "Enter edits the chosen contact, Delete deletes it",
       f_.lblRecentContacts},
      {f_.Command3, "Move the map north"},
      {f_.Command4, "Move the map south"},
      {f_.Command5, "Move the map west"},
      {f_.Command6, "Move the map east"},
      {f_.rover().lblGps, {}, "GPS state"},
      {f_.rover().lblRoverWarning, {}, "GPS: the rover is in another square"},
  });
  for (size_t i = 0; i < f_.gridLists.size(); ++i) {
    const QString band = Latin1(kBands[i].name_caption);
    f_.gridLists[i]->setAccessibleName("Grids worked on " + band);
    f_.bandCountLabels[i]->setAccessibleDescription("Contacts and grids on " + band);
  }
  // The button's caption alone says "On" or "Off".
  connect(f_.cmdDup, &QPushButton::clicked, this,
          [this] { f_.cmdDup->setAccessibleName("Possible duplicates " + f_.cmdDup->text()); });
}

void Form1Accessibility::AddKeys() {
  // Shortcuts of their own: a button's caption change would reset the
  // button's shortcut to the caption's mnemonic.
  for (const ReachKey& k : kForm1ReachKeys) {
    auto* key = new QShortcut(QKeySequence(k.key), &f_);
    key->setObjectName(QString(k.control) + "Key");
    // Looked up when pressed: the spot list is built after this.
    connect(key, &QShortcut::activated, this, [this, name = QString(k.control)] { Reach(name); });
  }
  f_.ListView1->installEventFilter(this);
}

void Form1Accessibility::Reach(const QString& control) {
  QWidget* w = f_.findChild<QWidget*>(control);
  // A hidden control (the map's arrows without the map, the spot list
  // without spots shown) does nothing.
  if (!w || !w->isVisible() || !w->isEnabled()) return;
  if (auto* list = qobject_cast<QTreeWidget*>(w)) {
    FocusList(list);
  } else if (auto* button = qobject_cast<QPushButton*>(w)) {
    button->click();
  }
}

void Form1Accessibility::FocusList(QTreeWidget* list) {
  if (list->topLevelItemCount() == 0) return;
  if (!list->currentItem()) list->setCurrentItem(list->topLevelItem(0));  // the newest
  list->currentItem()->setSelected(true);
  list->installEventFilter(this);
  list->setFocus();
  if (list != f_.ListView1) return;
  f_.cmdEdit->setVisible(true);
  f_.cmdDelete->setVisible(true);
}

bool Form1Accessibility::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !qobject_cast<QTreeWidget*>(watched)) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) return false;
  if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
    f_.txtCall->setFocus();  // back to logging, the entry kept
    return true;
  }
  if (watched != f_.ListView1) return false;
  // Queued: the edit window and the question before a delete are modal and
  // must not run inside this filter.
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    QMetaObject::invokeMethod(&f_, &Form1::cmdEdit_Click, Qt::QueuedConnection);
    return true;
  }
  if (key->key() == Qt::Key_Delete) {
    QMetaObject::invokeMethod(&f_, &Form1::cmdDelete_Click, Qt::QueuedConnection);
    return true;
  }
  return false;
}

}  // namespace vantrel::ui

// The entry side of the main window: the four contact fields and the two
// post-contest fields, their keys, the hold after a refused duplicate, and
// logging a contact.
//
// Responsibilities: describe each key to the core (DecideEntryKey) and apply
// its answer; run the focus entries (early duplicate warning, report
// pre-fill); hold keys after a refused duplicate and replay them in order;
// run the logging transaction (Mains) and show its result.
// Collaborations: Form1 (its controls, run state, prompter and clock, and
// the score and contact list it refreshes), log/entry_keys, contest/log_contact.
#pragma once

#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>
#include <QString>
#include <QTimer>
#include <vector>

#include "common/utc_clock.h"
#include "log/entry_keys.h"

class QInputMethodEvent;

namespace vantrel::ui {

class Form1;

class Form1EntryPanel : public QObject {
  Q_OBJECT

 public:
  explicit Form1EntryPanel(Form1& form);

  // A key received by one of the entry fields. True when it was used up.
  bool KeyPressed(QLineEdit* field, QKeyEvent* key);
  // Composed or dead-key text for an entry field: each character is typed
  // through the same filters as a key.
  bool InputMethod(QLineEdit* field, QInputMethodEvent* event);
  void FocusEntered(QLineEdit* field);

  void Mains();
  void cmdClear_Click();
  void mnuRecall_Click();
  void ReleaseHeldKeys();
  void ClearEntry();

  bool DupeFound() const { return dupe_found_; }
  bool EntryIncomplete() const { return entry_incomplete_; }
  QTimer* holdTimer() const { return hold_timer_; }

 private:
  // A key as typed, kept for replay after the hold.
  struct HeldKey {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
  };
  bool Key(QLineEdit* field, const HeldKey& key);
  EntryField FieldOf(const QLineEdit* field) const;
  QLineEdit* FieldFor(EntryField field) const;
  EntryState StateOf(QLineEdit* field);
  bool Apply(QLineEdit* field, const EntryAction& action);
  void PartialCheck(const QString& text_before, char key);
  void SetFieldText(QLineEdit* field, const QString& text, int caret);
  // Focus a field and run its focus entry even when the window is not the
  // active one and so gets no focus event.
  void MoveFocus(QLineEdit* field);
  void MoveFocus(EntryField field);
  // The end of "Dupe": the focus goes back, and the keys held meanwhile go.
  void AnnouncementEnded(EntryField to);

  Form1& f_;
  QTimer* hold_timer_ = nullptr;
  bool dupe_found_ = false;
  bool waiting_for_announcement_ = false;
  bool entry_incomplete_ = false;
  LocalTime last_dupe_time_{};
  std::vector<HeldKey> held_keys_;
};

}  // namespace vantrel::ui

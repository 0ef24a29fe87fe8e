// The main window for an operator who does not use the pointer or cannot see
// the screen: what a screen reader hears for each control, the messages it
// speaks as they change, and the keys that reach what the entry keys do not.
//
// Responsibilities: the main window's table of accessible names; speaking
// the message line, the possible-duplicates box and the "New" mark; the
// keys of the contact list, the map's view switch and arrows, the list and
// partial-duplicate buttons (kForm1ReachKeys).
// Collaborations: Form1 (its controls and the handlers the keys run),
// accessible_names (the table and the live announcer).
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QTreeWidget>
#include <array>

namespace vantrel::ui {

class Form1;
class LiveAnnouncer;

struct ReachKey {
  const char* control;  // object name of what the key reaches
  QKeyCombination key;
};

// Alt plus a letter that no menu title or caption of the window uses, or
// Alt plus an arrow; never a Ctrl key, which the window keeps for its
// shortcuts.
inline constexpr std::array<ReachKey, 9> kForm1ReachKeys{{
    {"ListView1", Qt::ALT | Qt::Key_L},
    {"txtDX", Qt::ALT | Qt::Key_X},
    {"cmdList", Qt::ALT | Qt::Key_A},
    {"cmdDup", Qt::ALT | Qt::Key_P},
    {"Command2", Qt::ALT | Qt::Key_V},
    {"Command3", Qt::ALT | Qt::Key_Up},
    {"Command4", Qt::ALT | Qt::Key_Down},
    {"Command5", Qt::ALT | Qt::Key_Left},
    {"Command6", Qt::ALT | Qt::Key_Right},
}};

class Form1Accessibility : public QObject {
  Q_OBJECT

 public:
  explicit Form1Accessibility(Form1& form);
  LiveAnnouncer& announcer() const { return *announcer_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void NameControls();
  void AddKeys();
  void Reach(const QString& control);
  void FocusList(QTreeWidget* list);

  Form1& f_;
  LiveAnnouncer* announcer_;
};

}  // namespace vantrel::ui

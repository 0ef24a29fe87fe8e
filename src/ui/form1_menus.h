// The main window's menu bar: File, Edit, Band, Mode, RST, Options, Station,
// Graph and Help, under the established item names (Form1's mnu* members).
//
// Responsibilities: build the menus and connect each item to the window's
// handler or to the window it opens.
// Collaborations: Form1 (its menu members and handlers, and the run state,
// prompter and screen the opened windows need).
#pragma once

#include <QObject>
#include <QString>

class QAction;
class QMenu;

namespace vantrel::ui {

class Form1;

class Form1Menus : public QObject {
  Q_OBJECT

 public:
  explicit Form1Menus(Form1& form);

 private:
  static QAction* AddAction(QMenu* menu, const char* name, const QString& caption);

  Form1& f_;
};

}  // namespace vantrel::ui

// The one-step grid box: a small window holding only the own grid, for the
// rover who has just crossed a line. Enter takes the grid, Esc leaves it.
//
// Responsibilities: the grid typed with the grid field's rules (letters of
// the square upper-cased, no double quote, no blank), the check that it is
// a square, and the answer.
// Collaborations: the main window's rover panel opens it and applies the
// grid (Form1::ApplyOwnGrid); log/entry_keys decides each key.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QString>

#include "ui/prompter.h"

namespace vantrel::ui {

class OwnGridBox : public QDialog {
  Q_OBJECT

 public:
  OwnGridBox(const QString& grid, Prompter& prompter, QWidget* parent);

  // The grid taken by Enter.
  QString grid() const { return txtOwnGrid->text().trimmed(); }

  QLabel* lblOwnGrid = nullptr;
  QLineEdit* txtOwnGrid = nullptr;
  QLabel* lblHint = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Take();

  Prompter& prompter_;
};

}  // namespace vantrel::ui

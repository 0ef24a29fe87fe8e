// "On the Air Code Practice": random groups, clipboard text, typed text and
// live typing, keyed through the CW keyer one character at a time.
//
// Sending walks "Text to Send" by position, reading the box again before
// each character so edits made meanwhile count; the next character goes out
// when the keyer reports the previous one done. Closing empties CWBuffer and
// is refused while a character is being keyed, so the line is up when the
// window goes.
// Collaborations: CWFrm (speed buttons), CwKeyer (buffer, sending flag).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <memory>

#include "ui/cw_frm.h"

namespace vantrel::ui {

class frmCodePractice : public QDialog {
  Q_OBJECT

 public:
  frmCodePractice(CWFrm& cw, const ScreenGeometry& screen, QWidget* parent = nullptr);
  ~frmCodePractice() override;

  void Command1_Click();  // &Paste from Clipboard
  void Command2_Click();  // &Generate Random Characters
  void Command3_Click();  // &Send
  void Command4_Click();  // S&top
  bool Practising() const { return position_ >= 0; }
  // Tests draw from their own numbers.
  void set_uniform(std::function<double()> uniform) { uniform_ = std::move(uniform); }

  QPlainTextEdit* Text1 = nullptr;  // Text to Send
  QPlainTextEdit* Text2 = nullptr;  // Text Sent
  QLineEdit* Text5 = nullptr;       // live typing
  QLineEdit* Text3 = nullptr;       // groups
  QLineEdit* Text4 = nullptr;       // characters per group
  QRadioButton* Option1 = nullptr;  // Letters Only
  QRadioButton* Option2 = nullptr;  // All
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* Command8 = nullptr;
  QLabel* Label8 = nullptr;  // speed

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void SendNext();
  void AppendSent(const QString& text);
  void ShowSpeed();

  CWFrm& cw_;
  std::unique_ptr<DesignForm> design_;
  std::function<double()> uniform_;
  int position_ = -1;      // the next character of "Text to Send"; -1 when idle
  bool awaiting_ = false;  // a character of ours is with the keyer
};

}  // namespace vantrel::ui

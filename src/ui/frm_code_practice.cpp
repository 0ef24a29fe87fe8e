#include "ui/frm_code_practice.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QTimer>
#include <chrono>
#include <random>

#include "keying/code_practice.h"
#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

frmCodePractice::frmCodePractice(CWFrm& cw, const ScreenGeometry& screen, QWidget* parent)
    : QDialog(parent), cw_(cw) {
  setObjectName("frmCodePractice");
  setWindowTitle("On the Air Code Practice");
  design_ = std::make_unique<DesignForm>(this, QSize(9000, 6600), 8.0);
  auto label = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    design_->Add(l, ControlKind::kLabel, left, top, width, 255);
    return l;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, width, 360);
    return b;
  };
  auto box = [this](const char* name, int top) {
    auto* t = new QPlainTextEdit(this);
    t->setObjectName(name);
    design_->Add(t, ControlKind::kTextBox, 120, top, 6000, 1500);
    return t;
  };
  QLabel* lblToSend = label("Label1", "Text to Send", 120, 120, 3000);
  Text1 = box("Text1", 380);
  QLabel* lblSent = label("Label2", "Text Sent", 120, 1980, 3000);
  Text2 = box("Text2", 2240);
  Text2->setReadOnly(true);
  QLabel* lblLive =
      label("Label5", "Type characters here to send text from keyboard:", 120, 3860, 6000);
  Text5 = new QLineEdit(this);
  Text5->setObjectName("Text5");
  design_->Add(Text5, ControlKind::kTextBox, 120, 4120, 6000, 285);

  QLabel* lblGroups = label("Label3", "Groups", 6360, 120, 1300);
  Text3 = new QLineEdit("10", this);
  Text3->setObjectName("Text3");
  design_->Add(Text3, ControlKind::kTextBox, 7800, 100, 900, 285);
  QLabel* lblPerGroup = label("Label4", "Characters per group", 6360, 480, 1400);
  Text4 = new QLineEdit("5", this);
  Text4->setObjectName("Text4");
  design_->Add(Text4, ControlKind::kTextBox, 7800, 460, 900, 285);
  auto* frame = new QGroupBox("Include:", this);
  frame->setObjectName("Frame1");
  design_->Add(frame, ControlKind::kFrame, 6360, 840, 2400, 900);
  Option1 = new QRadioButton("Letters Only", frame);
  Option1->setObjectName("Option1");
  // Inside the frame: positions are the frame's own.
  design_->Add(Option1, ControlKind::kOptionButton, 120, 260, 2000, 255);
  Option2 = new QRadioButton("All", frame);
  Option2->setObjectName("Option2");
  design_->Add(Option2, ControlKind::kOptionButton, 120, 560, 2000, 255);
  Option1->setChecked(true);

  Command2 = button("Command2", "&Generate Random Characters", 6360, 1860, 2500);
  Command1 = button("Command1", "&Paste from Clipboard", 6360, 2280, 2500);
  Command3 = button("Command3", "&Send", 6360, 2700, 1200);
  Command4 = button("Command4", "S&top", 7660, 2700, 1200);
  Command6 = button("Command6", "&Clear", 6360, 3120, 1200);
  Command5 = button("Command5", "Cl&ear", 7660, 3120, 1200);
  Command7 = button("Command7", "&Faster", 6360, 3540, 1200);
  Command8 = button("Command8", "S&lower", 7660, 3540, 1200);
  Label8 = label("Label8", "", 6360, 3960, 2500);
  ScaleFormWorkArea(*design_, screen);

  NameControls({
      {Text1, "Text to send", {}, lblToSend},
      {Text2, "Text sent", {}, lblSent},
      {Text5, "Live typing", "Each character typed is sent at once", lblLive},
      {Text3, "Groups", {}, lblGroups},
      {Text4, "Characters per group", {}, lblPerGroup},
      {Command6, "Clear text to send"},
      {Command5, "Clear text sent"},
      {Label8, {}, "CW speed"},
  });
  // A tab is never sent, so Tab leaves the boxes like any field.
  Text1->setTabChangesFocus(true);
  Text2->setTabChangesFocus(true);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command6, &QPushButton::clicked, Text1, &QPlainTextEdit::clear);
  connect(Command5, &QPushButton::clicked, Text2, &QPlainTextEdit::clear);
  connect(Command7, &QPushButton::clicked, this, [this] {
    cw_.Command2_Click();
    ShowSpeed();
  });
  connect(Command8, &QPushButton::clicked, this, [this] {
    cw_.Command3_Click();
    ShowSpeed();
  });
  connect(&cw_.keyer(), &CwKeyer::sendFinished, this, [this] {
    if (!awaiting_) return;
    awaiting_ = false;
    SendNext();
  });
  Text1->installEventFilter(this);
  Text5->installEventFilter(this);
  ShowSpeed();
  // Faster and Slower keep the focus; a new speed is spoken.
  (new LiveAnnouncer(this))->WatchText(Label8);

  const auto seed =
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count());
  uniform_ = [gen = std::mt19937(seed)]() mutable {
    return std::uniform_real_distribution<double>(0.0, 1.0)(gen);
  };
}

frmCodePractice::~frmCodePractice() {
  cw_.keyer().EmptyBuffer();
}

void frmCodePractice::ShowSpeed() {
  Label8->setText(cw_.Text11->text() + " WPM");
}

void frmCodePractice::Command1_Click() {
  Text1->setPlainText(QApplication::clipboard()->text());
}

void frmCodePractice::Command2_Click() {
  Text1->setPlainText(
      Latin1(RandomGroups(Std(Text3->text()), Std(Text4->text()), Option1->isChecked(), uniform_)));
}

void frmCodePractice::Command3_Click() {
  Text1->setFocus();
  position_ = 0;
  if (!cw_.keyer().Sending()) SendNext();
}

void frmCodePractice::Command4_Click() {
  position_ = -1;
  awaiting_ = false;
  cw_.keyer().EmptyBuffer();
}

void frmCodePractice::SendNext() {
  if (position_ < 0) return;
  // The box is read again for every character: edits made while sending count.
  const QString text = Text1->toPlainText();
  if (position_ >= text.size()) {
    position_ = -1;
    return;
  }
  const QString c = text.mid(position_, 1);
  ++position_;
  CwKeyer& keyer = cw_.keyer();
  keyer.EmptyBuffer();
  AppendSent(c);
  QTextCursor caret = Text1->textCursor();
  caret.setPosition(position_);
  Text1->setTextCursor(caret);
  const bool keyed = !c.at(0).isSpace() || c == " ";
  const bool winkey = keyer.KeyingLine() == int(CwKeying::kWinKey);
  if (keyed && keyer.KeyingLine() != 0) {
    if (!keyer.Send(Std(c))) {
      position_ = -1;  // refused speed: one message, not one per character
      return;
    }
    if (!winkey) {
      awaiting_ = true;  // the keyer's end of sending moves on
      return;
    }
  }
  // Nothing keyed here (no line, WinKey, a line end): on to the next.
  QTimer::singleShot(0, this, [this] { SendNext(); });
}

void frmCodePractice::AppendSent(const QString& text) {
  Text2->moveCursor(QTextCursor::End);
  Text2->insertPlainText(text);
  Text2->moveCursor(QTextCursor::End);
}

bool frmCodePractice::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  if (watched == Text1) {
    if (!text.isEmpty() && text != text.toUpper()) {
      Text1->insertPlainText(text.toUpper());
      return true;
    }
    return false;
  }
  if (watched != Text5) return false;
  if (key->key() == Qt::Key_Tab || text.isEmpty()) return false;
  CwKeyer& keyer = cw_.keyer();
  if (key->key() == Qt::Key_Backspace) {
    keyer.RemoveLast();
    QString sent = Text2->toPlainText();
    if (!sent.isEmpty()) {
      sent.chop(1);
      Text2->setPlainText(sent);
      Text2->moveCursor(QTextCursor::End);
    }
    return true;
  }
  const QString upper = text.toUpper();
  AppendSent(upper);
  keyer.Send(Std(upper));
  return true;  // the typed key is not shown
}

void frmCodePractice::closeEvent(QCloseEvent* event) {
  position_ = -1;
  awaiting_ = false;
  cw_.keyer().EmptyBuffer();
  if (cw_.keyer().Sending()) {
    event->ignore();  // the character being keyed ends first; close again
    return;
  }
  Text1->clear();
  event->accept();
}

void frmCodePractice::reject() {
  // Esc and the close box go the same way as closing.
  if (close()) QDialog::reject();
}

}  // namespace vantrel::ui

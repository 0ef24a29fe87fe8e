#include "ui/cw_frm.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/ports.h"
#include "common/quoted_value.h"
#include "keying/cw_messages.h"
#include "keying/morse.h"
#include "platform/durable_file.h"
#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 9600;
constexpr int kDesignHeight = 7920;
constexpr int kRow = 330;

const char* const kMessageNames[kCwMessageCount] = {"Text1", "Text2",  "Text3", "Text4",
                                                    "Text5", "Text6",  "Text7", "Text8",
                                                    "Text9", "Text12", "Text13"};

const char* const kNoComPortTitle = "A com port is required.";
const char* const kNoComPortText = "Please enter a com port for CW rig interface.";

void SetOption(QRadioButton* option, bool on) {
  if (option->isChecked() == on) return;
  option->setAutoExclusive(false);
  option->setChecked(on);
  option->setAutoExclusive(true);
}

QString Number(double v) {
  return Latin1(FormatDouble(v));
}

// Keys a field lets through: Backspace and the characters in `allowed`.
bool KeyAllowed(const QKeyEvent* key, const QString& allowed) {
  if (key->key() == Qt::Key_Backspace) return true;
  const QString text = key->text();
  if (text.isEmpty() || !text.at(0).isPrint()) return true;  // navigation keys pass
  return allowed.contains(text.at(0));
}

const QString kDigitsColon = "0123456789:";
const QString kSpaceKeys = "-./0123456789:";  // codes 45 to 58
const QString kRepeatKeys = ".0123456789";

}  // namespace

CWFrm::CWFrm(RunState& state, Prompter& prompter, SettingsStore& store,
             const ScreenGeometry& screen, CwKeyerHooks keyer_hooks, CwFrmHooks hooks,
             QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      store_(store),
      hooks_(std::move(hooks)),
      run_modal_([](CWFrm& w) { w.exec(); }) {
  setObjectName("CWFrm");
  setWindowTitle("CW String Selections");
  setAttribute(Qt::WA_QuitOnClose, false);
  keyer_ = new CwKeyer(prompter_, store_, this);
  keyer_->hooks() = std::move(keyer_hooks);
  keyer_->hooks().repeat_message = [this] { FKeyCW(kKeyF1); };
  keyer_->hooks().invalid_port = [this] {
    if (!isVisible()) run_modal_(*this);
  };
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormWorkArea(*design_, screen);

  // The timing values live outside the working folder.
  SelectTiming(ParseCwTiming(
      store_.Get(kSettingsApplication, kSettingsSection, "UserCWSelection", "Timer")));
  double loops = 0;
  ParseNumber(store_.Get(kSettingsApplication, kSettingsSection, "UserCWLoopOffset", "0"), loops);
  SetLoops(loops);
  SpeedChanged();
}

CWFrm::~CWFrm() = default;

void CWFrm::BuildControls() {
  auto label = [this](const char* name, const QString& caption, int left, int top, int width,
                      int height = 255) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setWordWrap(height > 300);
    design_->Add(l, ControlKind::kLabel, left, top, width, height);
    return l;
  };
  auto field = [this](const char* name, int left, int top, int width) {
    auto* f = new QLineEdit(this);
    f->setObjectName(name);
    f->installEventFilter(this);
    design_->Add(f, ControlKind::kTextBox, left, top, width, 285);
    return f;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top, int width,
                       QWidget* parent = nullptr) {
    auto* b = new QPushButton(caption, parent ? parent : this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, width, 330);
    return b;
  };
  auto option = [this](QWidget* parent, const char* name, const QString& caption, int left, int top,
                       int width) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    // Positions are given on the window; a frame's children sit inside it.
    if (const DesignControl* frame = design_->Find(parent)) {
      left -= frame->rect.left();
      top -= frame->rect.top();
    }
    design_->Add(o, ControlKind::kOptionButton, left, top, width, 255);
    return o;
  };

  for (int i = 0; i < kCwMessageCount; ++i) {
    const int top = 120 + i * kRow;
    label(("lblF" + std::to_string(i + 1)).c_str(), QString("F%1").arg(i + 1), 120, top + 30, 420);
    messages[i] = field(kMessageNames[i], 600, top, 5400);
    // Message text is held in capitals as it is typed.
    connect(messages[i], &QLineEdit::textEdited, this, [f = messages[i]](const QString& text) {
      const QString upper = text.toUpper();
      if (upper == text) return;
      const int caret = f->cursorPosition();
      f->setText(upper);
      f->setCursorPosition(caret);
    });
  }
  label("lblWildcards", "Wildcards are $ for Call, * for RST  and # for Number (where applicable).",
        120, 3800, 5880);
  label("lblInstructions",
        "Type the messages sent by F1 to F11.  A ! in the string enters the contact.  F12 "
        "toggles keyboard CW mode.",
        120, 4080, 5880, 450);
  label("lblProsigns", "Prosigns:  [ AR   ] SK   ; KN   \\ CL   = BT", 120, 4560, 5880);

  label("lblSpeed", "Speed (WPM)", 6240, 120, 1200);
  Text11 = field("Text11", 7500, 90, 600);
  Command2 = button("Command2", "Faster", 8160, 60, 1200);
  Command3 = button("Command3", "Slower", 8160, 420, 1200);
  label("lblSpace", "Word space", 6240, 840, 1200);
  txtSpace = field("txtSpace", 7500, 810, 600);
  Command5 = button("Command5", "Less", 8160, 780, 1200);
  Command6 = button("Command6", "More", 8160, 1140, 1200);
  label("lblSpaceHint", "0 is standard, -8 is no spacing", 6240, 1500, 3240);
  label("lblRepeat", "Repeat F1 every (sec)", 6240, 1860, 1800);
  txtCWLoop = field("txtCWLoop", 8160, 1830, 600);
  label("lblPort", "Serial port (COM)", 6240, 2220, 1800);
  Text10 = field("Text10", 8160, 2190, 600);
  label("lblAddress", "Printer port address", 6240, 2580, 1800);
  Text14 = field("Text14", 8160, 2550, 1200);

  fraKeying = new QGroupBox("Keying Options", this);
  fraKeying->setObjectName("fraKeying");
  design_->Add(fraKeying, ControlKind::kFrame, 6240, 2940, 3240, 1080);
  Option4 = option(fraKeying, "Option4", "None", 6360, 3180, 1000);
  Option1 = option(fraKeying, "Option1", "RTS", 6360, 3420, 1000);
  Option2 = option(fraKeying, "Option2", "DTR", 6360, 3660, 1000);
  Option3 = option(fraKeying, "Option3", "Printer", 7560, 3180, 1200);
  Option5 = option(fraKeying, "Option5", "WinKey", 7560, 3420, 1200);
  cmdConfWinkey = button("cmdConfWinkey", "Configure Winkey", 6240, 4080, 1800);
  cmdConfWinkey->setVisible(false);

  QGroupBox* timing = new QGroupBox("Timing", this);
  timing->setObjectName("fraTiming");
  design_->Add(timing, ControlKind::kFrame, 6240, 4500, 3240, 1560);
  optTimer = option(timing, "optTimer", "Timer", 6360, 4740, 1000);
  optTimer->setToolTip("Times by Windows System time.");
  optLoop = option(timing, "optLoop", "Loop", 6360, 4980, 1000);
  optLoop->setToolTip("Times by a For Next loop.");
  OptSleep = option(timing, "OptSleep", "Sleep", 6360, 5220, 1000);
  OptSleep->setToolTip("Times by Windows System time.");
  lblLoop = label("lblLoop", "Loop Delay", 7440, 4740, 1100);
  txtLoop = field("txtLoop", 7440, 5000, 1100);
  txtLoop->setToolTip("Loops per 60 ms");
  cmdLoopFaster = button("cmdLoopFaster", "F", 8640, 4980, 360);
  cmdLoopFaster->setToolTip("Speed up CW");
  cmdLoopSlower = button("cmdLoopSlower", "S", 9060, 4980, 360);
  cmdLoopSlower->setToolTip("Slow Down CW");
  label("lblTimerAdvice", "Timer is the preferred option on most systems. ", 6360, 5500, 3000);
  label("lblPrecise",
        "For the most precise timing, do not run any other programs, virus software etc. while "
        "transmitting.",
        120, 5160, 5880, 450);
  label("lblSidetone",
        "This program makes no sidetone.  &Test keys your transmitter: it sends the F9 message.",
        120, 5640, 5880, 450);

  Check1 = new QCheckBox("Display CW text on main form (NA for WinKey).", this);
  Check1->setObjectName("Check1");
  design_->Add(Check1, ControlKind::kCheckBox, 120, 6180, 5880, 255);

  Label23 = label("Label23", "Sending!", 4200, 6600, 1200);
  Label23->setVisible(false);
  Command4 = button("Command4", "&Test", 120, 6600, 1500);
  Command7 = button("Command7", "Send Code Practice", 1740, 6600, 2300);
  Command1 = button("Command1", "Done", 7980, 6600, 1500);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
  connect(cmdLoopFaster, &QPushButton::clicked, this, [this] { cmdLoopFaster_Click(); });
  connect(cmdLoopSlower, &QPushButton::clicked, this, [this] { cmdLoopSlower_Click(); });
  connect(cmdConfWinkey, &QPushButton::clicked, this, [this] {
    if (hooks_.configure_winkey) hooks_.configure_winkey();
  });
  const std::pair<QRadioButton*, CwKeying> lines[] = {{Option4, CwKeying::kNone},
                                                      {Option1, CwKeying::kRts},
                                                      {Option2, CwKeying::kDtr},
                                                      {Option3, CwKeying::kPrinter},
                                                      {Option5, CwKeying::kWinKey}};
  for (const auto& [o, value] : lines)
    connect(o, &QRadioButton::clicked, this, [this, v = value] { SelectKeyingLine(int(v)); });
  connect(optTimer, &QRadioButton::clicked, this, [this] { SelectTiming(CwTiming::kTimer); });
  connect(optLoop, &QRadioButton::clicked, this, [this] { SelectTiming(CwTiming::kLoop); });
  connect(OptSleep, &QRadioButton::clicked, this, [this] { SelectTiming(CwTiming::kSleep); });
  connect(Text11, &QLineEdit::textChanged, this, [this] { SpeedChanged(); });
  connect(txtSpace, &QLineEdit::textChanged, this, [this](const QString& text) {
    const auto v = FieldNumber(Std(text));
    if (v && *v < -8) {
      txtSpace->setText("-8");
      return;
    }
    keyer_->SetWordSpace(WordSpaceValue(Std(text)));
  });
  connect(txtLoop, &QLineEdit::textChanged, this, [this](const QString& text) {
    if (const auto v = FieldNumber(Std(text))) {
      loops_ = *v;
      keyer_->SetLoopsPer60ms(loops_);
    }
  });
  connect(Text14, &QLineEdit::textChanged, this, [this](const QString& text) {
    keyer_->SetParallelAddress(ParseIoAddress(Std(text)).value_or(0x378));
  });
  connect(Text10, &QLineEdit::textChanged, this, [this](const QString& text) {
    keyer_->SetSerialPortNumber(static_cast<int>(FieldNumber(Std(text)).value_or(0)));
  });
  connect(Check1, &QCheckBox::toggled, this, [this](bool on) { keyer_->SetShowText(on); });

  auto caption = [this](const char* name) { return findChild<QLabel*>(name); };
  NameControls({
      {Text11, "Speed, words per minute", {}, caption("lblSpeed")},
      {txtSpace, "Word space", "0 is standard, -8 is no spacing", caption("lblSpace")},
      {Command5, "Less word space"},
      {Command6, "More word space"},
      {txtCWLoop, "Repeat F1 every, seconds", {}, caption("lblRepeat")},
      {Text10, "Serial port number", {}, caption("lblPort")},
      {Text14, "Printer port address", {}, caption("lblAddress")},
      {txtLoop, "Loop delay", "Loops per 60 ms", lblLoop},
      {cmdLoopFaster, "Speed up CW"},
      {cmdLoopSlower, "Slow down CW"},
      {Label23, {}, "CW is being sent"},
  });
  for (int i = 0; i < kCwMessageCount; ++i) {
    QLabel* key = caption(("lblF" + std::to_string(i + 1)).c_str());
    NameControls({{messages[i], key->text() + " message", {}, key}});
  }

  // The defaults a missing CW.txt leaves.
  const CwSettings defaults;
  Text10->setText(Latin1(defaults.serial_port));
  Text11->setText(Latin1(defaults.speed));
  txtSpace->setText(Latin1(defaults.word_space));
  Text14->setText(Latin1(defaults.parallel_address));
  txtCWLoop->setText(Latin1(defaults.repeat_seconds));
  SelectKeyingLine(0);
}

bool CWFrm::eventFilter(QObject* watched, QEvent* event) {
  auto* f = qobject_cast<QLineEdit*>(watched);
  if (!f) return false;
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (f == Text10 || f == Text11) return !KeyAllowed(key, kDigitsColon);
    if (f == txtSpace) return !KeyAllowed(key, kSpaceKeys);
    if (f == txtCWLoop) return !KeyAllowed(key, kRepeatKeys);
    return false;
  }
  if (event->type() == QEvent::FocusIn && (f == Text10 || f == Text11)) {
    QTimer::singleShot(0, f, [f] { f->selectAll(); });
    return false;
  }
  if (event->type() == QEvent::FocusOut) {
    if (f == Text11 || f == txtSpace) {
      if (!FieldNumber(Std(f->text()))) f->setText("0");
    } else if (f == Text10) {
      PortLeft();
    } else if (f == txtCWLoop) {
      RepeatLeft();
    }
  }
  return false;
}

void CWFrm::PortLeft() {
  if (!FieldNumber(Std(Text10->text()))) Text10->setText("0");
  keyer_->CWSetup();
}

void CWFrm::RepeatLeft() {
  const auto period = RepeatPeriodMs(Std(txtCWLoop->text()));
  if (!period) txtCWLoop->setText("0");
  keyer_->SetRepeatPeriodMs(period.value_or(0));
}

void CWFrm::SpeedChanged() {
  const double wpm = FieldNumber(Std(Text11->text())).value_or(0);
  keyer_->SetSpeed(wpm);
  if (wpm > 4 && wpm < 100 && keyer_->KeyingLine() == int(CwKeying::kWinKey) &&
      keyer_->hooks().winkey_open && keyer_->hooks().winkey_open() && hooks_.winkey_speed)
    hooks_.winkey_speed(static_cast<int>(wpm));
}

void CWFrm::AdjustSpeed(int step) {
  const double wpm = FieldNumber(Std(Text11->text())).value_or(0);
  Text11->setText(Number(wpm + step));
}

void CWFrm::Command2_Click() {
  AdjustSpeed(1);
}

void CWFrm::Command3_Click() {
  AdjustSpeed(-1);
}

void CWFrm::Command5_Click() {
  const auto v = FieldNumber(Std(txtSpace->text()));
  txtSpace->setText(v ? Number(*v - 1) : "0");
}

void CWFrm::Command6_Click() {
  const auto v = FieldNumber(Std(txtSpace->text()));
  txtSpace->setText(v ? Number(*v + 1) : "0");
}

void CWFrm::SelectKeyingLine(int keying_line) {
  keyer_->SetKeyingLine(keying_line);
  for (QRadioButton* o : {Option1, Option2, Option3, Option4, Option5}) SetOption(o, false);
  switch (keying_line) {
    case 0:
      SetOption(Option4, true);
      break;
    case 1:
      SetOption(Option1, true);
      break;
    case 2:
      SetOption(Option2, true);
      break;
    case 3:
      SetOption(Option3, true);
      break;
    case 5:
      SetOption(Option5, true);
      break;
    default:
      break;
  }
  // The WinKey window itself comes with the WinKey keyer.
  cmdConfWinkey->setVisible(keying_line == int(CwKeying::kWinKey));
}

void CWFrm::SelectTiming(CwTiming timing) {
  SetOption(optTimer, timing == CwTiming::kTimer);
  SetOption(optLoop, timing == CwTiming::kLoop);
  SetOption(OptSleep, timing == CwTiming::kSleep);
  const bool loop = timing == CwTiming::kLoop;
  for (QWidget* w : {static_cast<QWidget*>(txtLoop), static_cast<QWidget*>(lblLoop),
                     static_cast<QWidget*>(cmdLoopFaster), static_cast<QWidget*>(cmdLoopSlower)})
    w->setEnabled(loop);
  keyer_->SetTiming(timing);
  if (loop && loops_ == 0) SetLoops(keyer_->Calibrate());
}

void CWFrm::SetLoops(double loops) {
  loops_ = loops;
  txtLoop->setText(Number(loops));
  keyer_->SetLoopsPer60ms(loops);
}

void CWFrm::cmdLoopFaster_Click() {
  if (const auto v = FieldNumber(Std(txtLoop->text()))) SetLoops(LoopFaster(*v));
  Command1->setFocus();
}

void CWFrm::cmdLoopSlower_Click() {
  if (const auto v = FieldNumber(Std(txtLoop->text()))) SetLoops(LoopSlower(*v));
  Command1->setFocus();
}

CwSettings CWFrm::Settings() const {
  CwSettings s;
  for (int i = 0; i < kCwMessageCount; ++i) s.messages[i] = Std(messages[i]->text());
  s.serial_port = Std(Text10->text());
  s.speed = Std(Text11->text());
  s.word_space = Std(txtSpace->text());
  s.keying_line = keyer_->KeyingLine();
  s.parallel_address = Std(Text14->text());
  s.show_text = Check1->isChecked() ? 1 : 0;
  s.repeat_seconds = Std(txtCWLoop->text());
  return s;
}

void CWFrm::LoadSettings() {
  namespace fs = std::filesystem;
  const std::string name = CwSettingsFileToRead(
      [this](const std::string& n) { return fs::exists(fs::path(state_.WorkingFile(n))); });
  std::ifstream in(state_.WorkingFile(name), std::ios::binary);
  if (!in) return;
  std::stringstream text;
  text << in.rdbuf();
  CwSettings s = Settings();
  const CwSettingsReadResult read = ParseCwSettings(text.str(), s);
  // Values read before a fault stay; the steps after the reading need all.
  for (int i = 0; i < kCwMessageCount; ++i) messages[i]->setText(Latin1(s.messages[i]));
  Text10->setText(Latin1(s.serial_port));
  Text11->setText(Latin1(s.speed));
  txtSpace->setText(Latin1(s.word_space));
  Text14->setText(Latin1(s.parallel_address));
  Check1->setChecked(s.show_text == 1);
  txtCWLoop->setText(Latin1(s.repeat_seconds));
  if (!read.ok()) return;
  keyer_->SetRepeatPeriodMs(RepeatPeriodMs(s.repeat_seconds).value_or(0));
  SelectKeyingLine(s.keying_line);
}

void CWFrm::Command1_Click() {
  std::string error;
  const bool saved = ReplaceFileAtomically(state_.WorkingFile(std::string(kCwSettingsFile)),
                                           FormatCwSettings(Settings()), error);
  if (saved) {
    const CwTiming timing = optLoop->isChecked()    ? CwTiming::kLoop
                            : OptSleep->isChecked() ? CwTiming::kSleep
                                                    : CwTiming::kTimer;
    store_.Save(kSettingsApplication, kSettingsSection, "UserCWSelection", CwTimingName(timing));
    store_.Save(kSettingsApplication, kSettingsSection, "UserCWLoopOffset", FormatDouble(loops_));
  }
  hide();
  if (!saved) return;
  if (keyer_->KeyingLine() != 0 && hooks_.show_strings_minimized) hooks_.show_strings_minimized();
  if (hooks_.focus_main) hooks_.focus_main();
}

void CWFrm::Command4_Click() {
  const int line = keyer_->KeyingLine();
  // Only the serial lines need a port; the printer port, WinKey and None
  // are let through.
  if ((line == int(CwKeying::kRts) || line == int(CwKeying::kDtr)) &&
      FieldNumber(Std(Text10->text())).value_or(0) <= 0) {
    prompter_.Beep();
    prompter_.Message(this, kNoComPortTitle, kNoComPortText);
    Text10->setFocus();
    return;
  }
  Label23->setVisible(true);
  QApplication::processEvents();
  FKeyCW(kKeyF9);
  Label23->setVisible(false);
  if (isVisible()) messages[0]->setFocus();
}

void CWFrm::Command7_Click() {
  if (hooks_.code_practice) hooks_.code_practice(this);
}

void CWFrm::FKeyCW(int code) {
  keyer_->EmptyBuffer();
  const CwMessageAction action =
      CwMessageForKey(Settings(), code, Std(hooks_.call ? hooks_.call() : QString()),
                      Std(hooks_.rst_sent ? hooks_.rst_sent() : QString()));
  // The period follows the field as sent, so a value typed but not yet left
  // cannot arm a zero-length cycle that would send F1 back to back.
  if (action.arm_repeat)
    keyer_->SetRepeatPeriodMs(RepeatPeriodMs(Std(txtCWLoop->text())).value_or(0));
  keyer_->MessageKeySent(action.arm_repeat && keyer_->repeat_timer()->interval() > 0);
  if (action.text) keyer_->Send(*action.text);
  QApplication::processEvents();
}

}  // namespace vantrel::ui

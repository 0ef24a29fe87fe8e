#include "ui/phone_frm.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>

#include "common/quoted_value.h"
#include "platform/durable_file.h"
#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 7200;
constexpr int kDesignHeight = 6300;
constexpr int kRowHeight = 420;
constexpr int kFirstRow = 240;

const char* const kInvalidPortTitle = "Invalid port.";
const char* const kInvalidPortText =
    "The port you have selected for Phone keying is invalid.  Please select another or enter 0 "
    "for none.";

void SetOption(QRadioButton* option, bool on) {
  if (option->isChecked() == on) return;
  option->setAutoExclusive(false);
  option->setChecked(on);
  option->setAutoExclusive(true);
}

}  // namespace

PhoneFrm::PhoneFrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                   VoiceDevices devices, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      devices_(std::move(devices)),
      timers_(this),
      keyer_(*devices_.player, *devices_.serial, *devices_.parallel, timers_),
      file_dialog_([](QWidget* parent) {
        return QFileDialog::getOpenFileName(parent, QString(), QString(), "(*.wav)");
      }),
      run_modal_([](PhoneFrm& w) { w.exec(); }) {
  setObjectName("PhoneFrm");
  setWindowTitle("Phone Wave Selections");
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormWorkArea(*design_, screen);
  timers_.Attach(&keyer_);
  keyer_.OnInvalidPort([this] { InvalidPort(); });
}

PhoneFrm::~PhoneFrm() {
  keyer_.Shutdown();
}

void PhoneFrm::BuildControls() {
  auto label = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    design_->Add(l, ControlKind::kLabel, left, top, width, 255);
    return l;
  };
  auto text = [this](QWidget* parent, const char* name, int left, int top, int width) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    design_->Add(t, ControlKind::kTextBox, left, top, width, 315);
    t->installEventFilter(this);
    return t;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, width, 315);
    return b;
  };
  static const char* const kTextNames[] = {"Text1", "Text2", "Text3", "Text4", "Text5",
                                           "Text6", "Text7", "Text8", "Text9"};
  static const char* const kLabelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5",
                                            "Label6", "Label7", "Label8", "Label9"};
  static const char* const kBrowseNames[] = {"Command2", "Command3", "Command4",
                                             "Command5", "Command6", "Command7",
                                             "Command8", "Command9", "Command10"};
  for (int i = 0; i < 9; ++i) {
    const int top = kFirstRow + i * kRowHeight;
    QLabel* key = label(kLabelNames[i], QString("F%1").arg(i + 1), 120, top + 30, 400);
    Text[static_cast<size_t>(i)] = text(this, kTextNames[i], 600, top, 5160);
    auto* browse = button(kBrowseNames[i], "Browse", 5880, top, 1080);
    Browses[static_cast<size_t>(i)] = browse;
    // Nine buttons say "Browse".
    NameControls({{Text[static_cast<size_t>(i)], key->text() + " wave file", {}, key},
                  {browse, "Browse for the " + key->text() + " wave file"}});
    connect(browse, &QPushButton::clicked, this, [this, i] { Browse(i); });
  }
  const int below = kFirstRow + 9 * kRowHeight + 120;
  QLabel* lblPort = label("Label10", "PTT serial port (0 for none)", 120, below + 30, 2400);
  Text10 = text(this, "Text10", 2580, below, 600);
  Text10->setText("0");
  QLabel* lblAddress =
      label("Label11", "Parallel port address", 120, below + kRowHeight + 30, 2400);
  Text11 = text(this, "Text11", 2580, below + kRowHeight, 900);
  Text11->setText("&H378");
  QLabel* lblRepeat = label("Label12", "Repeat F1 every (seconds, 0 for none)", 120,
                            below + 2 * kRowHeight + 30, 2400);
  txtPHLoop = text(this, "txtPHLoop", 2580, below + 2 * kRowHeight, 600);
  txtPHLoop->setText("0");

  Frame1 = new QGroupBox("PTT line", this);
  Frame1->setObjectName("Frame1");
  design_->Add(Frame1, ControlKind::kFrame, 3720, below - 60, 1560, 1260);
  auto option = [this](const char* name, const char* caption, int top) {
    auto* o = new QRadioButton(caption, Frame1);
    o->setObjectName(name);
    design_->Add(o, ControlKind::kOptionButton, 120, top, 1300, 255);
    return o;
  };
  Option1 = option("Option1", "RTS", 260);
  Option2 = option("Option2", "DTR", 580);
  Option3 = option("Option3", "Parallel", 900);

  Command11 = button("Command11", "Plays F1 Command", 5400, below, 1560);
  Command12 = button("Command12", "Stop", 5400, below + kRowHeight, 1560);
  Command12->setVisible(false);
  Command1 = button("Command1", "Done", 5400, below + 2 * kRowHeight + 120, 1560);
  lblLoadNote = new QLabel(this);
  lblLoadNote->setObjectName("lblLoadNote");
  lblLoadNote->setWordWrap(true);
  design_->Add(lblLoadNote, ControlKind::kLabel, 120, below + 3 * kRowHeight + 180, 6840, 600);
  NameControls({
      {Text10, "PTT serial port", "0 for none", lblPort},
      {Text11, "Parallel port address", {}, lblAddress},
      {txtPHLoop, "Repeat F1 every, seconds", "0 for none", lblRepeat},
      {Command11, "Test: plays F1"},
      {lblLoadNote, {}, "How the settings were loaded"},
  });
  connect(Command1, &QPushButton::clicked, this, &PhoneFrm::Command1_Click);
  connect(Command11, &QPushButton::clicked, this, &PhoneFrm::Command11_Click);
  connect(Command12, &QPushButton::clicked, this, &PhoneFrm::Command12_Click);
}

VoiceSettings PhoneFrm::FieldSettings() const {
  VoiceSettings s;
  for (size_t i = 0; i < 9; ++i) s.files[i] = Std(Text[i]->text());
  s.port = Std(Text10->text());
  if (Option1->isChecked()) s.line = PttLine::kRts;
  if (Option2->isChecked()) s.line = PttLine::kDtr;
  if (Option3->isChecked()) s.line = PttLine::kParallel;
  s.repeat = Std(txtPHLoop->text());
  s.parallel = Std(Text11->text());
  return s;
}

void PhoneFrm::ShowSettings(const VoiceSettings& s) {
  for (size_t i = 0; i < 9; ++i) Text[i]->setText(Latin1(s.files[i]));
  Text10->setText(Latin1(s.port));
  SetOption(Option1, s.line == PttLine::kRts);
  SetOption(Option2, s.line == PttLine::kDtr);
  SetOption(Option3, s.line == PttLine::kParallel);
  txtPHLoop->setText(Latin1(s.repeat));
  Text11->setText(Latin1(s.parallel));
}

bool PhoneFrm::LoadSettings(std::string& error) {
  std::string text;
  if (!ReadWholeFile(state_.WorkingFile(kVoiceSettingsFile), text, error)) return false;
  const VoiceSettings s = ParseVoiceSettings(text);
  ShowSettings(s);
  keyer_.SetRepeatPeriodMs(VoiceRepeatPeriodMs(s.repeat).value_or(0));
  return true;
}

void PhoneFrm::ShowLoadNote(const QString& text) {
  lblLoadNote->setText(text);
}

void PhoneFrm::FKeyPhone(int code) {
  keyer_.settings() = FieldSettings();
  keyer_.FKeyPhone(code);
}

void PhoneFrm::Command11_Click() {
  FKeyPhone(kVoiceKeyF1);
  if (isVisible()) Command1->setFocus();
  if (keyer_.VoiceRepeatArmed()) Command12->setVisible(true);
}

void PhoneFrm::Command12_Click() {
  // The file now playing plays to its end.
  keyer_.StopRepeating();
  Command12->setVisible(false);
}

void PhoneFrm::Command1_Click() {
  hide();
  RestoreWorkingDirectory();
  std::string error;
  ReplaceFileAtomically(state_.WorkingFile(kVoiceSettingsFile),
                        FormatVoiceSettings(FieldSettings()), error);
}

void PhoneFrm::Browse(int index) {
  const QString picked = file_dialog_(this);
  RestoreWorkingDirectory();
  if (picked.isEmpty()) {
    prompter_.Beep();
    return;
  }
  Text[static_cast<size_t>(index)]->setText(QDir::toNativeSeparators(picked));
  Command1->setFocus();
}

void PhoneFrm::RestoreWorkingDirectory() {
  if (!state_.WorkingDirectory.empty()) QDir::setCurrent(PathText(state_.WorkingDirectory));
}

void PhoneFrm::PortLeft() {
  double number = 0;
  if (!ParseNumber(Std(Text10->text().trimmed()), number)) Text10->setText("0");
  keyer_.settings() = FieldSettings();
  keyer_.OpenPttPort();
}

void PhoneFrm::RepeatLeft() {
  const std::optional<int> period = VoiceRepeatPeriodMs(Std(txtPHLoop->text()));
  if (!period) txtPHLoop->setText("0");
  keyer_.SetRepeatPeriodMs(period.value_or(0));
}

void PhoneFrm::InvalidPort() {
  prompter_.Beep();
  prompter_.Message(this, kInvalidPortTitle, kInvalidPortText, MessageIcon::kInformation);
  if (!isVisible()) run_modal_(*this);
}

bool PhoneFrm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && watched == Text10) {
    QMetaObject::invokeMethod(Text10, &QLineEdit::selectAll, Qt::QueuedConnection);
  } else if (event->type() == QEvent::FocusOut) {
    if (watched == Text10) PortLeft();
    if (watched == txtPHLoop) RepeatLeft();
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    if (typed.size() != 1 || !typed.at(0).isPrint()) return false;
    const char c = typed.at(0).toLatin1();
    if (watched == txtPHLoop) return !RepeatFieldAccepts(c);
    if (watched == Text11) {
      if (c == '"') return true;
      if (c >= 'a' && c <= 'z') {
        Text11->insert(QString(QChar(c - 'a' + 'A')));
        return true;
      }
    }
  }
  return false;
}

void PhoneFrm::closeEvent(QCloseEvent* event) {
  // Closing the window ends a playing; the line must not stay keyed for a
  // window nobody sees.
  keyer_.StopRepeating();
  Command12->setVisible(false);
  if (keyer_.StopPlaying()) keyer_.PollTick();
  QDialog::closeEvent(event);
}

}  // namespace vantrel::ui

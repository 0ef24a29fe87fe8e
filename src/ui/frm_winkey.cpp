#include "ui/frm_winkey.h"

#include <QKeyEvent>

#include "keying/cw_settings.h"
#include "platform/com_port_map.h"
#include "platform/durable_file.h"
#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 6240;
constexpr int kDesignHeight = 5400;
constexpr int kTickMs = 10;

struct Choice {
  int value;
  const char* name;
  const char* caption;
};
constexpr Choice kPins[] = {{8, "optKey5Out3Off", "P5 Key Out, P3 Off"},
                            {4, "optKey5Off3Out", "P5 Off, P3 Key Out"},
                            {6, "optTone", "Tone"},
                            {5, "optPTT", "PTT"}};
constexpr Choice kModes[] = {{16, "optIambicA", "Iambic A"},
                             {0, "optIambicB", "Iambic B"},
                             {32, "optUltimatic", "Ultimatic"},
                             {48, "optBug", "Bug Keyer"}};

}  // namespace

QString WinKeyResultText(int result) {
  switch (result) {
    case 0:
      return "WK Success!";
    case 1:
      return "No Echo Response";
    case 2:
      return "Echo Mismatch";
    case 3:
      return "No Open Response";
    case 4:
      return "Com Open Failed";
    case 5:
      return "Get Com ST Failed";
    case 6:
      return "Set Com ST Failed";
    case 8:
      return "WK Already Open";
    case 9:
      return "WK Not Open";
    default:
      return {};
  }
}

frmWinKey::frmWinKey(RunState& state, Prompter& prompter, SettingsStore& store,
                     const ScreenGeometry& screen, WinKeyHooks hooks, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      hooks_(std::move(hooks)),
      map_(std::make_unique<ComPortMap>(store)),
      keyer_(std::make_unique<QtWinKey>(*map_)) {
  setObjectName("frmWinKey");
  setWindowTitle(kWinKeyCaption);
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormWorkArea(*design_, screen);
  tick_ = new QTimer(this);
  tick_->setInterval(kTickMs);
  connect(tick_, &QTimer::timeout, this, [this] { Tick(); });
  keyer_->OnLost([this](const std::string& why) { Lost(why); });
  LoadSettings();
}

frmWinKey::~frmWinKey() {
  keyer_->wk_close();
}

void frmWinKey::BuildControls() {
  auto label = [this](const char* name, const QString& caption, int left, int top, int width,
                      int height = 255) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setWordWrap(height > 300);
    design_->Add(l, ControlKind::kLabel, left, top, width, height);
    return l;
  };
  auto field = [this](const char* name, int left, int top) {
    auto* f = new QLineEdit(this);
    f->setObjectName(name);
    f->installEventFilter(this);
    design_->Add(f, ControlKind::kTextBox, left, top, 600, 285);
    return f;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, width, 375);
    return b;
  };

  QLabel* lblPort = label("lblPort", "COM Port", 120, 150, 1200);
  txtWKComPort = field("txtWKComPort", 1380, 120);
  QLabel* lblWPM = label("lblWPM", "Speed (WPM)", 120, 510, 1200);
  txtWKWPM = field("txtWKWPM", 1380, 480);
  QLabel* lblSpeedHint =
      label("lblSpeedHint", "Up / down arrows from main form change speeds.", 2100, 510, 4000);
  QLabel* lblWeight = label("lblWeight", "Weight", 120, 870, 1200);
  txtWeight = field("txtWeight", 1380, 840);
  QLabel* lblWeightHint =
      label("lblWeightHint", "Proportional amount added or subtracted (50 is standard).", 2100, 870,
            4000);
  QLabel* lblLeadIn = label("lblLeadIn", "Lead In", 120, 1230, 1200);
  txtLeadIn = field("txtLeadIn", 1380, 1200);
  QLabel* lblLeadInHint =
      label("lblLeadInHint", "Lead in time for transmitter (10 ms increments).", 2100, 1230, 4000);
  QLabel* lblTail = label("lblTail", "Tail", 120, 1590, 1200);
  txtTail = field("txtTail", 1380, 1560);
  QLabel* lblTailHint = label(
      "lblTailHint", "Tail time after keying has stopped (10 ms increments).", 2100, 1590, 4000);
  QLabel* lblRatio = label("lblRatio", "Ratio", 120, 1950, 1200);
  txtRatio = field("txtRatio", 1380, 1920);
  QLabel* lblRatioHint =
      label("lblRatioHint", "Ratio of dits to dahs (Range: 33 - 66).", 2100, 1950, 4000);

  auto frame = [this](const char* name, const QString& caption, int left) {
    auto* g = new QGroupBox(caption, this);
    g->setObjectName(name);
    design_->Add(g, ControlKind::kFrame, left, 2340, 2880, 1320);
    return g;
  };
  QGroupBox* fraPins = frame("fraPins", "Pin 5 Configuration", 120);
  QGroupBox* fraMode = frame("fraMode", "Keyer Mode", 3180);
  auto option = [this](QGroupBox* parent, const Choice& c, int left, int top, int* target) {
    auto* o = new QRadioButton(c.caption, parent);
    o->setObjectName(c.name);
    // Positions are given on the window; a frame's children sit inside it.
    if (const DesignControl* frame = design_->Find(parent)) {
      left -= frame->rect.left();
      top -= frame->rect.top();
    }
    design_->Add(o, ControlKind::kOptionButton, left, top, 2640, 255);
    connect(o, &QRadioButton::clicked, this, [this, value = c.value, target] {
      *target = value;
      if (open_version_ != 0) SendAllSettings();
    });
    return o;
  };
  QRadioButton** pins[] = {&optKey5Out3Off, &optKey5Off3Out, &optTone, &optPTT};
  QRadioButton** modes[] = {&optIambicA, &optIambicB, &optUltimatic, &optBug};
  for (int i = 0; i < 4; ++i) {
    *pins[i] = option(fraPins, kPins[i], 240, 2580 + i * 270, &pin_config_);
    *modes[i] = option(fraMode, kModes[i], 3300, 2580 + i * 270, &mode_);
  }

  lblOpenStatus = label("lblOpenStatus", "Closed", 120, 3810, 2880);
  lblVersion = label("lblVersion", "Version #", 3180, 3810, 2880);
  cmdOpenWinkey = button("cmdOpenWinkey", "Open", 120, 4200, 1400);
  cmdCloseWinkey = button("cmdCloseWinkey", "Close", 1620, 4200, 1400);
  Command3 = button("Command3", "Test", 3180, 4200, 1400);
  Command1 = button("Command1", "Buffer Test", 4680, 4200, 1400);
  cmdStop = button("cmdStop", "Stop", 120, 4800, 1400);
  cmdDone = button("cmdDone", "&Done", 4680, 4800, 1400);

  connect(cmdOpenWinkey, &QPushButton::clicked, this, [this] { cmdOpenWinkey_Click(); });
  connect(cmdCloseWinkey, &QPushButton::clicked, this, [this] { cmdCloseWinkey_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdStop, &QPushButton::clicked, this, [this] { cmdStop_Click(); });
  connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

  NameControls({
      {txtWKComPort, "", "", lblPort},
      {txtWKWPM, "", lblSpeedHint->text(), lblWPM},
      {txtWeight, "", lblWeightHint->text(), lblWeight},
      {txtLeadIn, "", lblLeadInHint->text(), lblLeadIn},
      {txtTail, "", lblTailHint->text(), lblTail},
      {txtRatio, "", lblRatioHint->text(), lblRatio},
      {Command3, "Test", "Sends VVV TEST DE and your call sign"},
      {Command1, "Buffer Test", "Sends the alphabet three times"},
  });
}

void frmWinKey::LoadSettings() {
  WinKeySettings s;
  std::string text;
  std::string error;
  const std::string path = state_.UserDataDirectory + "/" + kWinKeySettingsFile;
  if (ReadWholeFile(path, text, error)) ParseWinKeySettings(text, s);
  com_port_ = s.com_port;
  pin_config_ = s.pin_config;
  mode_ = s.mode;
  txtWKComPort->setText(QString::number(com_port_));
  txtWKWPM->setText(Latin1(s.wpm));
  txtWeight->setText(Latin1(s.weight));
  txtLeadIn->setText(Latin1(s.lead_in));
  txtTail->setText(Latin1(s.tail));
  txtRatio->setText(Latin1(s.ratio));
  // The keyer keys at the CW window's speed, whatever was stored here.
  if (hooks_.cw_speed) txtWKWPM->setText(hooks_.cw_speed());
  ShowOptions();
}

void frmWinKey::ShowOptions() {
  QRadioButton* pins[] = {optKey5Out3Off, optKey5Off3Out, optTone, optPTT};
  QRadioButton* modes[] = {optIambicA, optIambicB, optUltimatic, optBug};
  for (int i = 0; i < 4; ++i) {
    if (kPins[i].value == pin_config_) pins[i]->setChecked(true);
    if (kModes[i].value == mode_) modes[i]->setChecked(true);
  }
}

bool frmWinKey::eventFilter(QObject* watched, QEvent* event) {
  auto* f = qobject_cast<QLineEdit*>(watched);
  if (!f) return false;
  if (event->type() == QEvent::KeyPress) {
    // Digits and Backspace only; keys without a character (Tab, arrows)
    // keep their usual work.
    auto* key = static_cast<QKeyEvent*>(event);
    const QString t = key->text();
    if (key->key() == Qt::Key_Backspace || t.isEmpty() || t.at(0).unicode() < 0x20) return false;
    return !(t.size() == 1 && t.at(0) >= '0' && t.at(0) <= '9');
  }
  if (event->type() == QEvent::FocusOut) {
    if (f == txtWKComPort) {
      com_port_ = PortNumberOf(Std(f->text()));
      if (com_port_ == 0 && !FieldNumber(Std(f->text()))) f->setText("0");
    } else if (f == txtWKWPM) {
      SendSpeed();
    } else if (f == txtWeight) {
      SendWeight();
    } else if (f == txtLeadIn) {
      SendLeadTail(false);
    } else if (f == txtTail) {
      SendLeadTail(true);
    } else if (f == txtRatio) {
      SendRatio();
    }
  }
  return false;
}

void frmWinKey::SendSpeed() {
  const FieldCheck c = CheckWpm(Std(txtWKWPM->text()));
  if (c.send) keyer_->wk_wpm(*c.send);
  if (c.reset) txtWKWPM->setText(Latin1(*c.reset));
}

void frmWinKey::SendWeight() {
  const FieldCheck c = CheckWeight(Std(txtWeight->text()));
  if (c.send) keyer_->wk_weight(*c.send);
  if (c.reset) txtWeight->setText(Latin1(*c.reset));
}

void frmWinKey::SendLeadTail(bool tail_left) {
  const LeadTailCheck c = CheckLeadTail(Std(txtLeadIn->text()), Std(txtTail->text()));
  if (c.send) keyer_->wk_ptt_leadtail(c.send->first, c.send->second);
  if (c.reset) (tail_left ? txtTail : txtLeadIn)->setText("0");
}

void frmWinKey::SendRatio() {
  const FieldCheck c = CheckRatio(Std(txtRatio->text()));
  if (c.send) keyer_->wk_ditdah_ratio(*c.send);
  if (c.reset) txtRatio->setText(Latin1(*c.reset));
}

void frmWinKey::SendAllSettings() {
  SendSpeed();
  SendWeight();
  SendLeadTail(false);
  SendRatio();
  keyer_->wk_pincfg(std::uint8_t(pin_config_));
  keyer_->wk_setmode(std::uint8_t(mode_));
}

void frmWinKey::FocusDone() {
  if (isVisible()) cmdDone->setFocus();
}

void frmWinKey::OpenKeyer() {
  // The keyer's port may be the one the voice keyer or the CW keying line
  // holds; only one of them can have it.
  if (hooks_.release_ports) hooks_.release_ports();
  std::uint8_t version = 0;
  opening_ = true;
  const int result = keyer_->wk_open(version, std::uint8_t(com_port_));
  opening_ = false;
  if (result != kWkAlreadyOpen && version == 0)
    prompter_.Message(this, kWinKeyNoConnectionTitle,
                      QString("Unable to establish connection with WinKey on com port %1.  Please "
                              "check to make sure that you have specified the correct port and "
                              "that the Winkey device is properly connected.")
                          .arg(com_port_));
  if (const QString text = WinKeyResultText(result); !text.isEmpty()) lblOpenStatus->setText(text);
  if (result == kWkAlreadyOpen) return;
  SendAllSettings();
  if (version != 0) {
    open_version_ = version;
    lblVersion->setText(QString("Version # %1").arg(version));
  }
  FocusDone();
}

void frmWinKey::cmdOpenWinkey_Click() {
  OpenKeyer();
}

void frmWinKey::cmdCloseWinkey_Click() {
  StopLoop();
  buffer_.clear();
  keyer_->wk_close();
  lblOpenStatus->setText("Closed");
  lblVersion->setText("Version #");
  open_version_ = 0;
  FocusDone();
}

void frmWinKey::cmdDone_Click() {
  WinKeySettings s;
  s.com_port = com_port_;
  s.wpm = Std(txtWKWPM->text());
  s.weight = Std(txtWeight->text());
  s.lead_in = Std(txtLeadIn->text());
  s.tail = Std(txtTail->text());
  s.ratio = Std(txtRatio->text());
  s.pin_config = pin_config_;
  s.mode = mode_;
  std::string error;
  ReplaceFileAtomically(state_.UserDataDirectory + "/" + kWinKeySettingsFile,
                        FormatWinKeySettings(s), error);
  hide();
}

void frmWinKey::Command3_Click() {
  Send("VVV TEST DE " + state_.prefs.OwnCall);
  FocusDone();
}

void frmWinKey::Command1_Click() {
  std::string text;
  for (int i = 0; i < 3; ++i) {
    for (char c = 'A'; c <= 'Z'; ++c) text.push_back(c);
    text.push_back(' ');
  }
  Send(text);
}

void frmWinKey::cmdStop_Click() {
  keyer_->wk_clearbuf();
  buffer_.clear();
  StopLoop();
  FocusDone();
}

void frmWinKey::Send(const std::string& text) {
  const bool was_empty = buffer_.empty();
  buffer_ += text;
  // A running loop picks the new text up.
  if (was_empty) WKTransmit();
}

void frmWinKey::WKTransmit() {
  if (opening_ || tick_->isActive()) return;
  if (open_version_ == 0) {
    OpenKeyer();
    if (open_version_ == 0) {
      buffer_.clear();
      return;
    }
  }
  if (buffer_.empty()) return;
  full_since_.invalidate();
  Tick();
  if (!buffer_.empty()) tick_->start();
}

int frmWinKey::Status() {
  return keyer_->wk_getstatus();
}

void frmWinKey::Tick() {
  if (buffer_.empty() || open_version_ == 0) {
    StopLoop();
    return;
  }
  if (keyer_->wk_getstatus() >= 5) {
    if (!full_since_.isValid()) full_since_.start();
    if (full_since_.elapsed() < full_limit_ms_) return;
    // A keyer that takes nothing for this long is stuck; text sent minutes
    // late would go out on the wrong contact.
    buffer_.clear();
    StopLoop();
    lblOpenStatus->setText("WinKey not accepting text");
    prompter_.Message(this, kWinKeyLostTitle,
                      "WinKey has not accepted any text for a while.  The text waiting for it was "
                      "not sent.");
    return;
  }
  full_since_.invalidate();
  const auto code = static_cast<std::uint8_t>(buffer_.front());
  buffer_.erase(0, 1);
  if (code > 0) keyer_->wk_char(code);
  if (buffer_.empty()) StopLoop();
}

void frmWinKey::StopLoop() {
  tick_->stop();
}

void frmWinKey::ClearAll() {
  keyer_->wk_clearbuf();
  buffer_.clear();
  StopLoop();
}

void frmWinKey::Backspace() {
  keyer_->wk_backspace();
}

void frmWinKey::SetSpeed(int wpm) {
  if (wpm >= 0 && wpm <= 255) keyer_->wk_wpm(std::uint8_t(wpm));
}

void frmWinKey::Lost(const std::string& why) {
  StopLoop();
  buffer_.clear();
  open_version_ = 0;
  lblOpenStatus->setText("Closed");
  lblVersion->setText("Version #");
  prompter_.Message(this, kWinKeyLostTitle,
                    QString("The connection with WinKey on com port %1 was lost (%2).  The text "
                            "waiting for it was not sent.")
                        .arg(com_port_)
                        .arg(Latin1(why)));
}

}  // namespace vantrel::ui

#include "ui/rig_controlfrm.h"
#include "ui/accessible_names.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QIntValidator>
#include <cstdlib>

#include "platform/durable_file.h"
#include "platform/rigctld_port.h"
#include "platform/steady_millisecond_clock.h"
#include "ui/frm_frequency_test.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 8760;
constexpr int kDesignHeight = 6480;
constexpr int kOptionHeight = 255;

const char* const kBadPortTitle = "Invalid Comm Settings.";
const char* const kBadPortText =
    "The comm port that you selected for rig interface is either in use, invalid or the settings "
    "that you have selected are invalid.  Please select another combination or choose None for "
    "your rig selection.";
const char* const kRigctldTitle = "Hamlib rigctld";
const char* const kRigctldAdvice =
    ".\n\nStart rigctld for your radio, or correct the host and port, then click Test.";
const char* const kNotPollingText =
    "You must be polling your rig to test this function.  Please select your rig type and click "
    "the Test command button.";
const char* const kIcomHint =
    "Icom radio users will have to replace the 64 in the string with the ID for your particular "
    "radio.  Please check your Icom user's manual for details.";
const char* const kHelpText =
    "This interface is offered as a test version.  While your rig is polled, the band and mode "
    "of the log follow the radio, and a right click on a spot in the band map tunes it.  Radios "
    "not listed: choose \"Other\", type the commands that read frequency and mode, and watch the "
    "raw reply below.";

constexpr const char* kBaudNames[] = {"optBaud12",  "optBaud24",  "optBaud48",
                                      "optBaud96",  "optBaud144", "optBaud192",
                                      "optBaud288", "optBaud384", "optBaud560"};
constexpr const char* kBaudCaptions[] = {"1.2",  "2.4",  "4.8",  "9.6", "14.4",
                                         "19.2", "28.8", "38.4", "56"};

std::string Trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Option buttons in a frame exclude each other, so one cannot be switched off
// directly; a file value that matches none leaves them all off.
void SetOption(QRadioButton* option, bool on) {
  if (option->isChecked() == on) return;
  option->setAutoExclusive(false);
  option->setChecked(on);
  option->setAutoExclusive(true);
}

}  // namespace

RigControlfrm::RigControlfrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                             std::unique_ptr<SerialPort> port, SettingsStore& store,
                             RigHandoff handoff, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      serial_port_(std::move(port)),
      rigctld_port_(std::make_unique<RigctldPort>()),
      port_(serial_port_.get()),
      store_(store),
      handoff_(std::move(handoff)),
      run_modal_([](RigControlfrm& w) { w.exec(); }),
      screen_(screen),
      own_clock_(std::make_unique<SteadyMillisecondClock>()),
      clock_(own_clock_.get()) {
  setObjectName("RigControlfrm");
  setWindowTitle(" Rig Interface Setup");
  // Left open, it must not keep the program running once the log is closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormWorkArea(*design_, screen);

  tmrGetData = new QTimer(this);
  tmrGetData->setObjectName("tmrGetData");
  connect(tmrGetData, &QTimer::timeout, this, [this] { tmrGetData_Timer(); });
  tmrCommand = new QTimer(this);
  tmrCommand->setObjectName("tmrCommand");
  tmrCommand->setSingleShot(true);
  connect(tmrCommand, &QTimer::timeout, this, [this] { StepChange(); });
  // Input is collected as it arrives; the read tick takes whatever is there.
  for (SerialPort* p : {serial_port_.get(), static_cast<SerialPort*>(rigctld_port_.get())}) {
    p->OnDataArrived([this, p] { input_ += p->ReadAvailable(); });
    p->OnFailed([this, p](const std::string& why) {
      if (p == port_) PortFailed(why);
    });
  }
  Form_Load();
}

RigControlfrm::~RigControlfrm() {
  const RigModel* model = FindRigModel(settings_.RigType);
  // These radios stay in computer-control mode until told otherwise.
  if (model && !model->close_bytes.empty() && Polling() && port_->IsOpen())
    port_->Write(model->close_bytes);
  tmrGetData->stop();
  tmrCommand->stop();
  for (SerialPort* p : {serial_port_.get(), static_cast<SerialPort*>(rigctld_port_.get())}) {
    p->OnDataArrived({});
    p->OnFailed({});
  }
}

QGroupBox* RigControlfrm::AddFrame(const char* name, const QString& caption, int left, int top,
                                   int width, int height) {
  auto* frame = new QGroupBox(caption, this);
  frame->setObjectName(name);
  design_->Add(frame, ControlKind::kFrame, left, top, width, height);
  return frame;
}

QRadioButton* RigControlfrm::AddOption(QGroupBox* frame, const char* name, const QString& caption,
                                       int left, int top, int width) {
  auto* option = new QRadioButton(caption, frame);
  option->setObjectName(name);
  design_->Add(option, ControlKind::kOptionButton, left, top, width, kOptionHeight);
  // Changing any serial choice ends the test first.
  connect(option, &QRadioButton::clicked, this, [this] { Command2_Click(); });
  return option;
}

void RigControlfrm::BuildControls() {
  auto label = [this](const char* name, const QString& caption, int left, int top, int width,
                      int height) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setWordWrap(height > 300);
    design_->Add(l, ControlKind::kLabel, left, top, width, height);
    return l;
  };
  auto button = [this](const char* name, const QString& caption, int left, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, 5400, width, 420);
    return b;
  };
  auto check = [this](const char* name, const QString& caption, int top) {
    auto* c = new QCheckBox(caption, this);
    c->setObjectName(name);
    design_->Add(c, ControlKind::kCheckBox, 6360, top, 2160, kOptionHeight);
    return c;
  };

  QLabel* lblRig = label("lblRig", "Rig:", 120, 60, 2160, 255);
  List1 = new QListWidget(this);
  List1->setObjectName("List1");
  design_->Add(List1, ControlKind::kListBox, 120, 300, 2160, 3000);
  for (const RigModel& m : RigModels()) List1->addItem(Latin1(m.name));
  connect(List1, &QListWidget::currentRowChanged, this, [this](int row) { List1_Click(row); });
  // A click on the entry already chosen applies its defaults again.
  connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (item == List1->currentItem()) List1_Click(List1->row(item));
  });
  lblIcom = label("lblIcom", kIcomHint, 120, 3400, 2160, 1560);

  // Where the Icom hint goes: only one of the two is ever shown.
  fraRigctld = AddFrame("fraRigctld", "rigctld (Hamlib):", 120, 3400, 2160, 980);
  auto field = [this](const char* caption, const char* name, int top, int width,
                      QLabel*& caption_label) {
    caption_label = new QLabel(caption, fraRigctld);
    design_->Add(caption_label, ControlKind::kLabel, 120, top + 30, 600, 255);
    auto* edit = new QLineEdit(fraRigctld);
    edit->setObjectName(name);
    design_->Add(edit, ControlKind::kTextBox, 720, top, width, 315);
    // A new address ends the test, as a new serial choice does.
    edit->installEventFilter(this);
    return edit;
  };
  QLabel* lblRigctldHost = nullptr;
  QLabel* lblRigctldPort = nullptr;
  txtRigctldHost = field("Host:", "txtRigctldHost", 250, 1320, lblRigctldHost);
  txtRigctldPort = field("Port:", "txtRigctldPort", 610, 720, lblRigctldPort);
  txtRigctldPort->setValidator(new QIntValidator(1, 65535, txtRigctldPort));
  connect(txtRigctldHost, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.RigctldHost = Std(t.trimmed()); });
  connect(txtRigctldPort, &QLineEdit::textChanged, this, [this](const QString& t) {
    const int port = t.toInt();
    settings_.RigctldPort = static_cast<uint16_t>(port >= 1 && port <= 65535 ? port : 0);
  });

  fraBaud = AddFrame("fraBaud", "Baud Rate (k):", 2400, 60, 2400, 1200);
  for (size_t i = 0; i < optBaud.size(); ++i)
    optBaud[i] = AddOption(fraBaud, kBaudNames[i], kBaudCaptions[i], 120 + int(i % 3) * 760,
                           260 + int(i / 3) * 300);
  fraParity = AddFrame("fraParity", "Parity:", 4920, 60, 1200, 1200);
  optParityOdd = AddOption(fraParity, "optParityOdd", "Odd", 120, 260, 960);
  optParityNone = AddOption(fraParity, "optParityNone", "None", 120, 560, 960);
  optParityEven = AddOption(fraParity, "optParityEven", "Even", 120, 860, 960);
  fraData = AddFrame("fraData", "Data Bits:", 6240, 60, 1080, 900);
  optData7 = AddOption(fraData, "optData7", "7", 120, 260);
  optData8 = AddOption(fraData, "optData8", "8", 120, 560);
  fraStop = AddFrame("fraStop", "Stop Bits:", 7440, 60, 1200, 900);
  optStop1 = AddOption(fraStop, "optStop1", "1", 120, 260);
  optStop2 = AddOption(fraStop, "optStop2", "2", 120, 560);

  fraComm = AddFrame("fraComm", "Comm Port:", 2400, 1320, 3720, 900);
  for (size_t i = 0; i < optComm.size(); ++i)
    optComm[i] = AddOption(fraComm, "optComm", QString::number(i + 1), 120 + int(i % 5) * 720,
                           260 + int(i / 5) * 300, 680);
  fraPower = AddFrame("fraPower", "Connection Power:", 6240, 1020, 2400, 1140);
  optPowerNone = AddOption(fraPower, "optPowerNone", "None", 120, 260, 1200);
  optPowerRTS = AddOption(fraPower, "optPowerRTS", "RTS", 120, 560, 1200);
  optPowerDTR = AddOption(fraPower, "optPowerDTR", "DTR", 120, 860, 1200);

  fraPoll = AddFrame("fraPoll", "Radio Polling Rate:", 2400, 2280, 3720, 600);
  optPollFast = AddOption(fraPoll, "optPollFast", kPollRates[0].caption, 120, 300, 860);
  optPollMed = AddOption(fraPoll, "optPollMed", kPollRates[1].caption, 1000, 300, 860);
  optPollSlow = AddOption(fraPoll, "optPollSlow", kPollRates[2].caption, 1880, 300, 860);
  optReallySlow = AddOption(fraPoll, "optReallySlow", kPollRates[3].caption, 2760, 300, 860);

  fraModeBy = AddFrame("fraModeBy", "Mode by:", 6240, 2220, 2400, 1140);
  auto source = [this](const char* name, const QString& caption, int top, RigModeSource s) {
    auto* option = new QRadioButton(caption, fraModeBy);
    option->setObjectName(name);
    design_->Add(option, ControlKind::kOptionButton, 120, top, 1800, kOptionHeight);
    connect(option, &QRadioButton::clicked, this, [this, s] { ModeSource_Click(s); });
    return option;
  };
  OptRig = source("OptRig", "Rig", 260, RigModeSource::kRig);
  OptFreq = source("OptFreq", "Frequency", 560, RigModeSource::kFrequency);
  OptDont = source("OptDont", "Don't Use", 860, RigModeSource::kDontUse);

  lblFreqCaption = label("lblFreqCaption", "String to read frequency:", 2400, 3000, 2160, 255);
  txtFreq = new QLineEdit(this);
  txtFreq->setObjectName("txtFreq");
  design_->Add(txtFreq, ControlKind::kTextBox, 2400, 3270, 2160, 315);
  lblModeCaption = label("lblModeCaption", "String to read mode:", 4680, 3000, 1440, 255);
  txtMode = new QLineEdit(this);
  txtMode->setObjectName("txtMode");
  design_->Add(txtMode, ControlKind::kTextBox, 4680, 3270, 1440, 315);
  txtFreq->installEventFilter(this);
  txtMode->installEventFilter(this);
  connect(txtFreq, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.FrequencyQuery = Std(t); });
  connect(txtMode, &QLineEdit::textChanged, this,
          [this](const QString& t) { settings_.ModeQuery = Std(t); });

  chkHex = check("chkHex", "Convert to Hex", 3440);
  ChkConvHex = check("ChkConvHex", "Convert from Hex", 3720);
  chkFrequency = check("chkFrequency", "Use Frequency", 4000);
  connect(chkHex, &QCheckBox::toggled, this,
          [this](bool on) { settings_.ConvertToHex = on ? 1 : 0; });
  connect(chkHex, &QCheckBox::clicked, this,
          [this] { ChkConvHex->setChecked(chkHex->isChecked()); });
  connect(chkFrequency, &QCheckBox::toggled, this,
          [this](bool on) { settings_.UseFrequency = on ? 1 : 0; });

  lblFreqTitle = label("lblFreqTitle", "Frequency:", 2400, 3720, 1000, 255);
  lblFreq = label("lblFreq", "", 3480, 3720, 1200, 255);
  lblModeTitle = label("lblModeTitle", "Mode:", 4680, 3720, 600, 255);
  lblMode = label("lblMode", "", 5280, 3720, 1000, 255);
  lblPolling = label("lblPolling", "Polling Rig", 2400, 4000, 1500, 255);
  lblUnProcessTitle = label("lblUnProcessTitle", "Unprocessed data:", 2400, 4300, 2400, 255);
  lblUnProcess = label("lblUnProcess", "", 2400, 4560, 6240, 720);
  lblUnProcess->setFrameShape(QFrame::Box);
  lblUnProcess->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblUnProcess->setTextFormat(Qt::PlainText);

  Command1 = button("Command1", "Test", 120, 960);
  Command2 = button("Command2", "End Test", 1200, 1080);
  Command3 = button("Command3", "Change Frequency", 2400, 1560);
  Command4 = button("Command4", "Copy unprocessed data to clipboard", 4080, 2640);
  cmdSerialPorts = button("cmdSerialPorts", "Serial Ports...", 6840, 1080);
  cmdDone = button("cmdDone", "&Done", 8160 - 120, 600);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
  connect(cmdSerialPorts, &QPushButton::clicked, this, [this] {
    if (handoff_.show_serial_ports) handoff_.show_serial_ports(this);
  });

  NameControls({
      {List1, "Rig", {}, lblRig},
      {txtFreq, "String to read frequency", {}, lblFreqCaption},
      {txtMode, "String to read mode", {}, lblModeCaption},
      {txtRigctldHost, "rigctld host", {}, lblRigctldHost},
      {txtRigctldPort, "rigctld port", {}, lblRigctldPort},
      {lblFreq, {}, "Frequency read from the rig"},
      {lblMode, {}, "Mode read from the rig"},
      {lblUnProcess, {}, "Unprocessed data"},
  });
  lblHelp = label("lblHelp", kHelpText, 120, 5900, 8520, 480);
}

std::string RigControlfrm::SettingsPath() const {
  return state_.WorkingFile("RigCntrl.txt");
}

std::string RigControlfrm::PegasusPath() const {
  return PegasusFolder() + "/PEGASUS.OUT";
}

std::string RigControlfrm::PegasusInPath() const {
  return PegasusFolder() + "/PEGASUS.IN";
}

std::string RigControlfrm::PegasusFolder() const {
  const char* home = std::getenv("HOME");
  const std::string fallback = std::string(home ? home : "") + "/Pegasus";
  std::string folder = store_.Get(kSettingsApplication, "Pegasus", "Folder", fallback);
  if (folder.empty()) folder = fallback;
  return folder;
}

void RigControlfrm::Form_Load() {
  loading_ = true;
  ReadBandPlan();
  ApplySettingsToControls();  // the initial values, no list entry chosen
  List1->setCurrentRow(-1);
  chkHex->setEnabled(false);
  lblIcom->hide();
  fraRigctld->hide();
  lblPolling->hide();
  Command2->setEnabled(false);
  std::string text, error;
  if (ReadWholeFile(SettingsPath(), text, error) && ParseRigSettings(text, settings_).ok()) {
    ApplySettingsToControls();
    for (int row = 0; row < List1->count(); ++row)
      if (Std(List1->item(row)->text()) == settings_.RigType) List1->setCurrentRow(row);
    chkHex->setEnabled(settings_.RigType == "Other");
    lblIcom->setVisible(settings_.RigType == "Icom");
    fraRigctld->setVisible(OverTcp());
  }
  loading_ = false;
}

void RigControlfrm::ApplySettingsToControls() {
  const RigSettings s = settings_;  // the text boxes write back as they change
  const std::string baud = Trimmed(s.Baud);
  for (size_t i = 0; i < optBaud.size(); ++i) SetOption(optBaud[i], baud == kBaudRates[i]);
  SetOption(optParityOdd, s.Parity == "O");
  SetOption(optParityNone, s.Parity == "N");
  SetOption(optParityEven, s.Parity == "E");
  SetOption(optData7, s.DataBits == "7");
  SetOption(optData8, s.DataBits == "8");
  SetOption(optStop1, s.StopBits == "1");
  SetOption(optStop2, s.StopBits == "2");
  for (size_t i = 0; i < optComm.size(); ++i) SetOption(optComm[i], s.Port == i + 1);
  SetOption(optPowerNone, s.PowerLine == "N");
  SetOption(optPowerRTS, s.PowerLine == "R");
  SetOption(optPowerDTR, s.PowerLine == "D");
  SetOption(optPollFast, s.PollRate == "F");
  SetOption(optPollMed, s.PollRate == "M");
  SetOption(optPollSlow, s.PollRate == "S");
  SetOption(optReallySlow, s.PollRate == "R");
  SetOption(OptRig, s.ModeSource == 1);
  SetOption(OptFreq, s.ModeSource == 2);
  SetOption(OptDont, s.ModeSource == 3);
  txtFreq->setText(Latin1(s.FrequencyQuery));
  txtMode->setText(Latin1(s.ModeQuery));
  txtRigctldHost->setText(Latin1(s.RigctldHost));
  txtRigctldPort->setText(QString::number(s.RigctldPort));
  chkHex->setChecked(s.ConvertToHex != 0);
  chkFrequency->setChecked(s.UseFrequency != 0);
  settings_ = s;
}

void RigControlfrm::ReadControls() {
  for (size_t i = 0; i < optComm.size(); ++i)
    if (optComm[i]->isChecked()) settings_.Port = static_cast<uint8_t>(i + 1);
  for (size_t i = 0; i < optBaud.size(); ++i)
    if (optBaud[i]->isChecked()) settings_.Baud = PadBaud(kBaudRates[i]);
  if (optParityOdd->isChecked()) settings_.Parity = "O";
  if (optParityNone->isChecked()) settings_.Parity = "N";
  if (optParityEven->isChecked()) settings_.Parity = "E";
  if (optData7->isChecked()) settings_.DataBits = "7";
  if (optData8->isChecked()) settings_.DataBits = "8";
  if (optStop1->isChecked()) settings_.StopBits = "1";
  if (optStop2->isChecked()) settings_.StopBits = "2";
  settings_.SerialSettings = SerialSettingsString(settings_);
  if (optPowerNone->isChecked()) settings_.PowerLine = "N";
  if (optPowerRTS->isChecked()) settings_.PowerLine = "R";
  if (optPowerDTR->isChecked()) settings_.PowerLine = "D";
  if (optPollFast->isChecked()) settings_.PollRate = "F";
  if (optPollMed->isChecked()) settings_.PollRate = "M";
  if (optPollSlow->isChecked()) settings_.PollRate = "S";
  if (optReallySlow->isChecked()) settings_.PollRate = "R";
}

void RigControlfrm::List1_Click(int row) {
  if (loading_ || row < 0) return;
  Command2_Click();
  ReadControls();  // the choices the family leaves alone stay as shown
  const RigChoice choice = ApplyRigChoice(Std(List1->item(row)->text()), settings_);
  ApplySettingsToControls();
  chkHex->setEnabled(choice.convert_to_hex_enabled);
  lblIcom->setVisible(choice.icom_hint);
  fraRigctld->setVisible(OverTcp());
}

void RigControlfrm::ModeSource_Click(RigModeSource source) {
  settings_.ModeSource = static_cast<int16_t>(source);
  lblMode->setText("No Response");
  poller_.ClearMode();
}

bool RigControlfrm::eventFilter(QObject* watched, QEvent* event) {
  // Editing a query ends the test; the focus coming back with the window
  // (shown again, or another program left) does not.
  if (event->type() == QEvent::FocusIn && !showing_ &&
      (watched == txtFreq || watched == txtMode || watched == txtRigctldHost ||
       watched == txtRigctldPort)) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Command2_Click();
  }
  return QDialog::eventFilter(watched, event);
}

void RigControlfrm::setVisible(bool visible) {
  // Showing a dialog hands the focus back to its last field as if tabbed in.
  showing_ = visible;
  QDialog::setVisible(visible);
  showing_ = false;
}

void RigControlfrm::Command1_Click() {
  AbortChange();
  const bool rig = settings_.RigType != "None";
  if (rig) {
    lblMode->setText("No Response");
    lblFreq->setText("No Response");
    Command2->setEnabled(true);
    lblPolling->show();
    poller_.ClearMode();
  }
  ReadControls();
  if (!rig) return;
  const RigModel* model = FindRigModel(settings_.RigType);
  const bool pegasus = model && model->family == RigFamily::kTenTecPegasus;
  if (!pegasus) OpenRigPort();
  if (!pegasus && !port_->IsOpen()) {
    Command2->setEnabled(false);
    lblPolling->hide();
    return;
  }
  tmrGetData_Timer();
  tmrGetData->start(PollIntervalMs(settings_.PollRate));
}

bool RigControlfrm::OverTcp() const {
  const RigModel* model = FindRigModel(settings_.RigType);
  return model && model->over_tcp;
}

bool RigControlfrm::OpenRigPort() {
  if (port_->IsOpen()) port_->Close();
  input_.clear();
  poller_.ForgetUnfinishedReply();
  if (OverTcp()) {
    rigctld_port_->SetEndpoint(settings_.RigctldHost, settings_.RigctldPort);
    port_ = rigctld_port_.get();
  } else {
    port_ = serial_port_.get();
  }
  port_->SetPortNumber(settings_.Port);
  const RigModel* model = FindRigModel(settings_.RigType);
  if (model && model->hardware_handshake) port_->SetHandshaking(Handshaking::kRtsCts);
  port_->SetSettings(settings_.SerialSettings);
  port_->SetDtr(false);
  port_->SetRts(false);
  if (const OpenResult opened = port_->Open(); !opened) {
    if (OverTcp()) {
      prompter_.Beep();
      prompter_.Message(this, kRigctldTitle, Latin1(opened.error + kRigctldAdvice),
                        MessageIcon::kInformation);
      return false;
    }
    ReportBadPort(!isVisible());
    return false;
  }
  // The raised line powers interface hardware that draws from the port.
  if (settings_.PowerLine == "R") port_->SetRts(true);
  if (settings_.PowerLine == "D") port_->SetDtr(true);
  if (model && !model->open_bytes.empty()) port_->Write(model->open_bytes);
  return true;
}

void RigControlfrm::ReportBadPort(bool show_window) {
  prompter_.Beep();
  prompter_.Message(this, kBadPortTitle, kBadPortText, MessageIcon::kInformation);
  if (show_window) run_modal_(*this);
}

void RigControlfrm::PortFailed(const std::string& why) {
  if (!Polling() && !Tuning()) return;
  AbortChange();
  emit tuningFailed();
  tmrGetData->stop();
  lblPolling->hide();
  Command2->setEnabled(false);
  input_.clear();
  // Not from inside the port's own error handling: the box runs an event loop.
  if (OverTcp()) {
    // The daemon is a program, not a port: say where it was looked for.
    QMetaObject::invokeMethod(
        this,
        [this, text = Latin1(why + kRigctldAdvice)] {
          prompter_.Beep();
          prompter_.Message(this, kRigctldTitle, text, MessageIcon::kInformation);
        },
        Qt::QueuedConnection);
    return;
  }
  QMetaObject::invokeMethod(
      this, [this] { ReportBadPort(false); }, Qt::QueuedConnection);
}

void RigControlfrm::Command2_Click() {
  AbortChange();
  lblMode->clear();
  lblFreq->clear();
  lblUnProcess->clear();
  tmrGetData->stop();
  lblPolling->hide();
  Command2->setEnabled(false);
  if (port_->IsOpen()) port_->Close();
  input_.clear();
}

std::string RigControlfrm::TakeInput() {
  if (port_->IsOpen()) input_ += port_->ReadAvailable();
  std::string taken;
  taken.swap(input_);
  return taken;
}

void RigControlfrm::tmrGetData_Timer() {
  const RigModel* model = FindRigModel(settings_.RigType);
  const bool pegasus = model && model->family == RigFamily::kTenTecPegasus;
  TickInput in;
  std::string received;
  if (poller_.read_tick_next()) {
    if (pegasus) {
      std::string error;
      in.pegasus_file_read = ReadWholeFile(PegasusPath(), received, error);
    } else {
      received = TakeInput();
    }
    in.received = received;
  } else {
    in.output_queue_empty = port_->PendingOutput() == 0;
  }
  const TickResult r = poller_.Tick(settings_, ChkConvHex->isChecked(), in);
  if (!r.to_send.empty() && port_->IsOpen()) {
    // Whatever came in since the read tick (the late tail of a cut reply)
    // cannot answer the query about to go out; joined to its answer it would
    // shift the fixed byte positions of the unframed families. rigctld's
    // replies are keyed and ended, and a slow daemon's come in just here.
    if (!OverTcp()) TakeInput();
    port_->Write(r.to_send);
  }
  if (!r.processed) return;
  const RigState& rig = poller_.state();
  if (isVisible()) {
    if (rig.frequency > 0) lblFreq->setText(Latin1(FormatRigFrequency(rig.frequency)));
    lblMode->setText(Latin1(rig.mode));
    lblUnProcess->setText(Latin1(r.unprocessed));
  }
  if (settings_.UseFrequency != 0 && handoff_.band_from_frequency)
    handoff_.band_from_frequency(static_cast<float>(rig.frequency));
  if (settings_.ModeSource != static_cast<int16_t>(RigModeSource::kDontUse) &&
      handoff_.mode_selection)
    handoff_.mode_selection(rig.mode);
}

void RigControlfrm::cmdDone_Click() {
  if (settings_.RigType != "None") Command1_Click();
  state_.prefs.RigType = settings_.RigType;
  if (handoff_.save_prefs) handoff_.save_prefs();
  std::string error;  // a read-only folder keeps the old file, silently
  ReplaceFileAtomically(SettingsPath(), FormatRigSettings(settings_), error);
  hide();
}

void RigControlfrm::Command3_Click() {
  if (Polling()) {
    if (frequency_test_ == nullptr) frequency_test_ = new frmFrequencyTest(*this, prompter_, this);
    frequency_test_->show();
    frequency_test_->raise();
    frequency_test_->activateWindow();
    return;
  }
  prompter_.Message(this, "You must be polling your rig to test this function.", kNotPollingText,
                    MessageIcon::kInformation);
}

void RigControlfrm::Command4_Click() {
  QClipboard* clipboard = QApplication::clipboard();
  clipboard->clear();
  clipboard->setText(lblUnProcess->text());
  cmdDone->setFocus();
}

}  // namespace vantrel::ui

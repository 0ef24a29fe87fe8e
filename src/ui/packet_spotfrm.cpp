#include "ui/packet_spotfrm.h"

#include <QEvent>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextCursor>

#include "platform/durable_file.h"
#include "spots/tcp_error_text.h"
#include "ui/accessible_names.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr int kDesignWidth = 10080;
constexpr int kDesignHeight = 7020;
constexpr int kOptionHeight = 255;
constexpr int kPollMs = 333;
constexpr int kRefreshTicks = 360;
// The display widget is redrawn at most this often, however fast text comes.
constexpr int kDisplayRefreshMs = 100;
constexpr int kAgwWrapLength = 70;

const char* const kBadPortTitle = "Invalid Comm Settings.";
const char* const kBadPortText =
    "The comm port that you selected for DX Spotting is either in use, invalid or the settings "
    "that you have selected are invalid.  Please select another combination or choose None for "
    "your DX Spot selection.";
const char* const kAgwTitle = "Unable to connect to the AGW Packet Engine.";
const char* const kAgwFirst =
    "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and "
    "receive packet with your soundcard or devices such a Baypac:";

const char* const kHelpNone =
    "No spot source is chosen.  Choose TNC, Telnet or AGW Packet Engine above to receive DX "
    "spots.\r\n";
const char* const kHelpTnc =
    "TNC: connect the TNC to the chosen serial port and set the baud rate the computer uses to "
    "talk to it.  Click Open Port, then type commands to the TNC in the box below (for example "
    "C followed by the cluster node's call).  Esc or Ctrl C puts the TNC in command mode.\r\n";
const char* const kHelpTelnet =
    "Telnet: type the host name and port of a DX cluster node, click Open Port, then log in by "
    "typing your call in the box below and pressing Enter.\r\n";
const char* const kHelpAgw =
    "AGW Packet Engine: run a packet engine that serves the AGW TCP/IP interface on this "
    "computer (port 8000).  Spots heard on the channel are listed at once; type :C and a node's "
    "call to connect to it, :D to disconnect.\r\n";

constexpr const char* kBaudNames[] = {"optBaud12", "optBaud24",  "optBaud48",
                                      "optBaud96", "optBaud144", "optBaud192"};
constexpr const char* kBaudCaptions[] = {"1.2k", "2.4k", "4.8k", "9.6k", "14.4k", "19.2k"};
constexpr const char* kBauds[] = {"1200", "2400", "4800", "9600", "14400", "19200"};

void SetOption(QRadioButton* option, bool on) {
  if (option->isChecked() == on) return;
  option->setAutoExclusive(false);
  option->setChecked(on);
  option->setAutoExclusive(true);
}

Handshaking HandshakingOf(uint8_t value) {
  switch (value) {
    case 2:
      return Handshaking::kXonXoff;
    case 3:
      return Handshaking::kRtsCts;
    case 4:
      return Handshaking::kRtsCtsXonXoff;
    default:
      return Handshaking::kNone;
  }
}

}  // namespace

PacketSpotfrm::PacketSpotfrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                             std::unique_ptr<SerialPort> port, SpotHandoff handoff,
                             QString agw_host, quint16 agw_port, QWidget* parent)
    : QDialog(parent),
      state_(state),
      prompter_(prompter),
      port_(std::move(port)),
      handoff_(std::move(handoff)),
      agw_host_(std::move(agw_host)),
      agw_port_(agw_port),
      run_modal_([](PacketSpotfrm& w) { w.exec(); }) {
  setObjectName("PacketSpotfrm");
  setWindowTitle(" DX Spotting Setup");
  setAttribute(Qt::WA_QuitOnClose, false);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);
  BuildControls();
  ScaleFormScreenCapped(*design_, screen);

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(kPollMs);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  display_timer_ = new QTimer(this);
  display_timer_->setSingleShot(true);
  display_timer_->setInterval(kDisplayRefreshMs);
  connect(display_timer_, &QTimer::timeout, this, [this] { RefreshDisplay(); });

  link_ = new TcpLink(this);
  link_->on_data = [this](const std::string& bytes) { TcpReceived(bytes); };
  link_->on_connected = [this] {
    if (Source() != SpotSource::kAgw) return;
    const std::string own(TrimBlanks(state_.prefs.OwnCall));
    link_->Send(AgwVersionRequest() + AgwRegister(own) + AgwMonitorOn());
    agw_open_ = true;
    Timer1->start();
    Show("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n");
  };
  // Message boxes run an event loop: never from inside the socket's own
  // signal handling.
  link_->on_error = [this](int number) {
    QMetaObject::invokeMethod(
        this, [this, number] { TcpFailed(number); }, Qt::QueuedConnection);
  };
  link_->on_closed = [this] {
    QMetaObject::invokeMethod(
        this, [this] { Command2_Click(); }, Qt::QueuedConnection);
  };
  port_->OnFailed([this](const std::string&) {
    QMetaObject::invokeMethod(
        this, [this] { Command2_Click(); }, Qt::QueuedConnection);
  });
  Form_Load();
}

PacketSpotfrm::~PacketSpotfrm() {
  const std::string own(TrimBlanks(state_.prefs.OwnCall));
  if (!agw_.connected.empty()) link_->Send(AgwDisconnect(own, agw_.connected));
  if (Source() == SpotSource::kAgw && agw_open_) link_->Send(AgwUnregister(own));
  link_->on_error = {};
  link_->on_closed = {};
  link_->Close();
  Timer1->stop();
  port_->OnFailed({});
  if (port_->IsOpen()) port_->Close();
}

QGroupBox* PacketSpotfrm::AddFrame(const char* name, const QString& caption, int left, int top,
                                   int width, int height) {
  auto* frame = new QGroupBox(caption, this);
  frame->setObjectName(name);
  design_->Add(frame, ControlKind::kFrame, left, top, width, height);
  return frame;
}

QRadioButton* PacketSpotfrm::AddOption(QGroupBox* frame, const char* name, const QString& caption,
                                       int left, int top, int width) {
  auto* option = new QRadioButton(caption, frame);
  option->setObjectName(name);
  design_->Add(option, ControlKind::kOptionButton, left, top, width, kOptionHeight);
  // A serial choice changed under an open port: close it first.
  connect(option, &QRadioButton::clicked, this, [this] {
    if (!loading_) Command2_Click();
  });
  return option;
}

void PacketSpotfrm::BuildControls() {
  auto label = [this](const char* name, const QString& caption, int left, int top, int width,
                      int height = 255) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    design_->Add(l, ControlKind::kLabel, left, top, width, height);
    return l;
  };
  auto text = [this](const char* name, int left, int top, int width) {
    auto* t = new QLineEdit(this);
    t->setObjectName(name);
    design_->Add(t, ControlKind::kTextBox, left, top, width, 315);
    return t;
  };
  auto button = [this](const char* name, const QString& caption, int left) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, 6480, 1400, 420);
    return b;
  };

  lblSelect = label("lblSelect", "Select Option:", 120, 60, 2400);
  List1 = new QListWidget(this);
  List1->setObjectName("List1");
  design_->Add(List1, ControlKind::kListBox, 120, 300, 2400, 1100);
  for (std::string_view s : kSpotSources) List1->addItem(Latin1(s));
  connect(List1, &QListWidget::currentRowChanged, this, [this](int row) { List1_Click(row); });
  connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (item == List1->currentItem()) List1_Click(List1->row(item));
  });

  fraBaud =
      AddFrame("fraBaud", "Baud Rate of Com Port to TNC (not necessarily transmitted baud rate)",
               2640, 60, 3600, 1000);
  for (size_t i = 0; i < optBaud.size(); ++i)
    optBaud[i] = AddOption(fraBaud, kBaudNames[i], kBaudCaptions[i], 120 + int(i % 3) * 1160,
                           360 + int(i / 3) * 300, 1000);
  fraParity = AddFrame("fraParity", "Parity:", 6360, 60, 1320, 1000);
  optParityOdd = AddOption(fraParity, "optParityOdd", "Odd", 120, 260, 1080);
  optParityNone = AddOption(fraParity, "optParityNone", "None", 120, 500, 1080);
  optParityEven = AddOption(fraParity, "optParityEven", "Even", 120, 740, 1080);
  fraData = AddFrame("fraData", "Data Bits:", 7800, 60, 1000, 1000);
  optData7 = AddOption(fraData, "optData7", "7", 120, 300);
  optData8 = AddOption(fraData, "optData8", "8", 120, 600);
  fraStop = AddFrame("fraStop", "Stop Bits:", 8880, 60, 1080, 1000);
  optStop1 = AddOption(fraStop, "optStop1", "1", 120, 300);
  optStop2 = AddOption(fraStop, "optStop2", "2", 120, 600);
  fraComm = AddFrame("fraComm", "Comm Port:", 2640, 1140, 3600, 900);
  for (size_t i = 0; i < optComm.size(); ++i)
    optComm[i] = AddOption(fraComm, "optComm", QString::number(i + 1), 120 + int(i % 5) * 690,
                           280 + int(i / 5) * 300, 660);
  fraPower = AddFrame("fraPower", "Connection Power", 6360, 1140, 1560, 1000);
  optPowerNone = AddOption(fraPower, "optPowerNone", "None", 120, 260, 1300);
  optPowerRTS = AddOption(fraPower, "optPowerRTS", "RTS", 120, 500, 1300);
  optPowerDTR = AddOption(fraPower, "optPowerDTR", "DTR", 120, 740, 1300);
  fraHandshaking = AddFrame("fraHandshaking", "Handshaking", 8040, 1140, 1920, 1240);
  Option1 = AddOption(fraHandshaking, "Option1", "None", 120, 260, 1700);
  Option2 = AddOption(fraHandshaking, "Option2", "Xon Xoff", 120, 500, 1700);
  Option3 = AddOption(fraHandshaking, "Option3", "RTS", 120, 740, 1700);
  Option4 = AddOption(fraHandshaking, "Option4", "RTS OnOff", 120, 980, 1700);

  chkHex = new QCheckBox("Convert to Hex", this);
  chkHex->setObjectName("chkHex");
  design_->Add(chkHex, ControlKind::kCheckBox, 120, 1500, 2400, kOptionHeight);
  chkDX = new QCheckBox("List DX Only (also controls main form)", this);
  chkDX->setObjectName("chkDX");
  design_->Add(chkDX, ControlKind::kCheckBox, 120, 1800, 2400, 480);
  fraDisplay = AddFrame("fraDisplay", "Main Form Display", 120, 2340, 2400, 800);
  OptList = new QRadioButton("List", fraDisplay);
  OptList->setObjectName("OptList");
  design_->Add(OptList, ControlKind::kOptionButton, 120, 300, 1000, kOptionHeight);
  OptBand = new QRadioButton("Band Map", fraDisplay);
  OptBand->setObjectName("OptBand");
  design_->Add(OptBand, ControlKind::kOptionButton, 1120, 300, 1200, kOptionHeight);

  lblHex = label("lblHex", "TNC cmd mode hex character:", 2640, 2160, 2400);
  txtHex = text("txtHex", 5100, 2130, 600);
  lblTelnetHost = label("lblTelnetHost", "Telnet Host:", 2640, 2520, 1200);
  txtTelnetHost = text("txtTelnetHost", 3840, 2490, 3000);
  lblTelnetPort = label("lblTelnetPort", "Telnet Port:", 2640, 2880, 1200);
  txtTelnetPort = text("txtTelnetPort", 3840, 2850, 1000);
  lblListening = label("lblListening", "Listening", 5040, 2880, 1500);

  txtUnProcessed = new QPlainTextEdit(this);
  txtUnProcessed->setObjectName("txtUnProcessed");
  txtUnProcessed->setReadOnly(true);
  txtUnProcessed->setUndoRedoEnabled(false);
  design_->Add(txtUnProcessed, ControlKind::kTextBox, 120, 3240, 9840, 2520);
  lblSend = label("lblSend", "Type text to send and press enter:", 120, 5820, 9840);
  txtSent = text("txtSent", 120, 6090, 9840);
  connect(txtSent, &QLineEdit::textChanged, this, [this] { txtSent_Change(); });

  Command1 = button("Command1", "Open Port", 120);
  Command2 = button("Command2", "Close Port", 1640);
  Command3 = button("Command3", "&Spot Last", 3160);
  cmdDone = button("cmdDone", "&Done", 8560);
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });

  // The send box takes its changing caption as its name: the caption says
  // what Esc and ":" do for the source chosen.
  NameControls({
      {List1, "Spot source", {}, lblSelect},
      {txtHex, "TNC command mode hex character", {}, lblHex},
      {txtTelnetHost, "Telnet host", {}, lblTelnetHost},
      {txtTelnetPort, "Telnet port", {}, lblTelnetPort},
      {lblListening, {}, "The spot source is open"},
      {txtUnProcessed, "Received from the spot source"},
      {txtSent, {}, "Enter sends the text", lblSend},
  });

  // Esc and Ctrl+C mean the same anywhere in the window.
  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

std::string PacketSpotfrm::SettingsPath() const {
  return state_.WorkingFile("PackSpot.txt");
}

void PacketSpotfrm::Form_Load() {
  loading_ = true;
  lblListening->hide();
  ApplySettingsToControls();
  EnableSettingControls(SpotSource::kNone);
  std::string text, error;
  SpotSettings read = settings_;
  if (ReadWholeFile(SettingsPath(), text, error) && ParseSpotSettings(text, read).ok()) {
    settings_ = read;
    settings_.DxOnly = 0;  // the box always starts cleared
    ApplySettingsToControls();
  }
  const int row = static_cast<int>(Source());
  List1->setCurrentRow(row);
  List1_Click(row);  // the same row again when it was already current
  loading_ = false;
  if (Source() != SpotSource::kNone) Command1_Click();
}

void PacketSpotfrm::ApplySettingsToControls() {
  const SpotSettings s = settings_;
  for (size_t i = 0; i < optBaud.size(); ++i) SetOption(optBaud[i], s.Baud == kBauds[i]);
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
  SetOption(Option1, s.Handshaking == 1);
  SetOption(Option2, s.Handshaking == 2);
  SetOption(Option3, s.Handshaking == 3);
  SetOption(Option4, s.Handshaking == 4);
  chkHex->setChecked(s.ConvertToHex != 0);
  chkDX->setChecked(s.DxOnly != 0);
  SetOption(OptList, s.ListDisplay);
  SetOption(OptBand, !s.ListDisplay);
  txtHex->setText(Latin1(s.CommandCharacter));
  txtTelnetPort->setText(Latin1(s.TelnetPort));
  txtTelnetHost->setText(Latin1(s.TelnetHost));
  settings_ = s;
}

void PacketSpotfrm::ReadControls() {
  for (size_t i = 0; i < optBaud.size(); ++i)
    if (optBaud[i]->isChecked()) settings_.Baud = kBauds[i];
  if (optParityOdd->isChecked()) settings_.Parity = "O";
  if (optParityNone->isChecked()) settings_.Parity = "N";
  if (optParityEven->isChecked()) settings_.Parity = "E";
  if (optData7->isChecked()) settings_.DataBits = "7";
  if (optData8->isChecked()) settings_.DataBits = "8";
  if (optStop1->isChecked()) settings_.StopBits = "1";
  if (optStop2->isChecked()) settings_.StopBits = "2";
  for (size_t i = 0; i < optComm.size(); ++i)
    if (optComm[i]->isChecked()) settings_.Port = static_cast<uint8_t>(i + 1);
  if (optPowerNone->isChecked()) settings_.PowerLine = "N";
  if (optPowerRTS->isChecked()) settings_.PowerLine = "R";
  if (optPowerDTR->isChecked()) settings_.PowerLine = "D";
  const std::array<QRadioButton*, 4> hand = {Option1, Option2, Option3, Option4};
  for (size_t i = 0; i < hand.size(); ++i)
    if (hand[i]->isChecked()) settings_.Handshaking = static_cast<uint8_t>(i + 1);
  settings_.ConvertToHex = chkHex->isChecked() ? 1 : 0;
  settings_.DxOnly = chkDX->isChecked() ? 1 : 0;
  settings_.ListDisplay = OptList->isChecked();
  settings_.CommandCharacter = Std(txtHex->text());
  settings_.TelnetPort = Std(txtTelnetPort->text());
  settings_.TelnetHost = Std(txtTelnetHost->text());
}

void PacketSpotfrm::EnableSettingControls(SpotSource source) {
  const bool tnc = source == SpotSource::kTnc;
  for (QWidget* w :
       std::initializer_list<QWidget*>{fraBaud, fraParity, fraData, fraStop, fraComm, fraPower,
                                       fraHandshaking, chkHex, lblHex, txtHex})
    w->setEnabled(tnc);
  const bool telnet = source == SpotSource::kTelnet;
  for (QWidget* w :
       std::initializer_list<QWidget*>{lblTelnetHost, txtTelnetHost, lblTelnetPort, txtTelnetPort})
    w->setEnabled(telnet);
}

void PacketSpotfrm::List1_Click(int row) {
  if (row < 0 || row >= List1->count()) return;
  chkDX->setChecked(false);
  const SpotSource source = SpotSourceOf(Std(List1->item(row)->text()));
  if (!loading_) {
    Command2_Click();
    EnableSettingControls(SpotSource::kNone);
    ReadControls();
    settings_.Source = Std(List1->item(row)->text());
    if (source == SpotSource::kTnc) {
      ApplyTncDefaults(settings_);
      ApplySettingsToControls();
    }
  }
  EnableSettingControls(source);
  switch (source) {
    case SpotSource::kNone:
      ShowOnly(kHelpNone);
      break;
    case SpotSource::kTnc:
      ShowOnly(kHelpTnc);
      lblSend->setText("Send text  (Ctrl C or Esc for TNC Command mode):");
      break;
    case SpotSource::kTelnet:
      ShowOnly(kHelpTelnet);
      lblSend->setText("Type text to send and press enter:");
      break;
    case SpotSource::kAgw:
      ShowOnly(kHelpAgw);
      lblSend->setText("Send text (use : to send cmds such as :C QX9ZZ or :D)");
      break;
  }
}

void PacketSpotfrm::Command1_Click() {
  ShowOnly("** Attempting to Open Port **\r\n\r\n");
  if (port_->IsOpen()) port_->Close();
  ReadControls();
  const SpotSource source = Source();
  if (source != SpotSource::kNone) {
    lblListening->show();
    if (isVisible()) txtSent->setFocus();
  }
  if (source == SpotSource::kTnc) OpenTnc();
  if (source == SpotSource::kTelnet) OpenTelnet();
  if (source == SpotSource::kAgw) OpenAgw();
}

void PacketSpotfrm::OpenTnc() {
  if (port_->IsOpen()) port_->Close();
  tnc_.Clear();
  port_->SetPortNumber(settings_.Port);
  port_->SetSettings(SerialSettingsText(settings_));
  port_->SetDtr(false);
  port_->SetRts(false);
  port_->SetHandshaking(HandshakingOf(settings_.Handshaking));
  if (!port_->Open()) {
    prompter_.Beep();
    Show("** Unable to open TNC Serial Port **\r\n\r\n");
    prompter_.Message(this, kBadPortTitle, kBadPortText, MessageIcon::kInformation);
    if (!isVisible()) run_modal_(*this);
    Command2_Click();
    Timer1->stop();
    return;
  }
  if (settings_.Handshaking == 3 || settings_.Handshaking == 4) port_->SetRts(true);
  // The raised line powers a TNC that draws from the port.
  if (settings_.PowerLine == "R") port_->SetRts(true);
  if (settings_.PowerLine == "D") port_->SetDtr(true);
  Timer1->start();
  Show("** TNC Serial Port Open **\r\n\r\n");
}

void PacketSpotfrm::OpenTelnet() {
  link_->Close();
  telnet_.Clear();
  bool ok = false;
  const int number = QString::fromStdString(settings_.TelnetPort).trimmed().toInt(&ok);
  link_->Connect(Latin1(settings_.TelnetHost).trimmed(),
                 static_cast<quint16>(ok && number > 0 && number < 65536 ? number : 0));
  ShowOnly("Attempting connection to: " + settings_.TelnetHost + ":" + settings_.TelnetPort +
           "\r\n\r\n");
  Timer1->start();
}

void PacketSpotfrm::OpenAgw() {
  if (TrimBlanks(state_.prefs.OwnCall).empty()) {
    prompter_.Beep();
    prompter_.Message(this, "Call Sign Required!",
                      "Please enter your call sign on the setup form to transmit!",
                      MessageIcon::kInformation);
    return;
  }
  link_->Close();
  agw_decoder_.Clear();
  agw_open_ = false;
  link_->Connect(agw_host_, agw_port_);
}

void PacketSpotfrm::AgwFailed() {
  const std::string download =
      std::string("- Download the freely available software from ") + kAgwDownloadAddress;
  prompter_.Message(this, kAgwTitle,
                    Latin1(std::string(kAgwFirst) + "\r\n\r\n" + download + "\r\n\r\n" +
                           "- Make sure the AGW Packet Engine software is running and configure "
                           "it as described on the AGW Packet Engine website."),
                    MessageIcon::kInformation);
  lblListening->hide();
  Show(std::string(kAgwFirst) + "\r\n\r\n" + download + "\r\n\r\n" +
       "- Run the Packet Engine software and configure it as described on the AGW Packet Engine "
       "website for your sound card or TNC.\r\n\r\n- Click Open from this program.\r\n\r\n");
  show();
  Command2_Click();
  Timer1->stop();
}

void PacketSpotfrm::TcpFailed(int number) {
  if (Source() == SpotSource::kAgw && !agw_open_) {
    link_->Close();
    AgwFailed();
    return;
  }
  link_->Close();
  Show(TcpErrorText(number));
  Command2_Click();
  ScrollToEnd();
  prompter_.Beep();
}

void PacketSpotfrm::Command2_Click() {
  Timer1->stop();
  if (!Listening()) return;
  lblListening->hide();
  Show("\r\n\r\n** Port Closed **");
  if (port_->IsOpen()) port_->Close();
  if (Source() == SpotSource::kAgw) {
    const std::string own(TrimBlanks(state_.prefs.OwnCall));
    if (!agw_.connected.empty()) {
      link_->Send(AgwDisconnect(own, agw_.connected));
      setWindowTitle(kSpotWindowCaption);
      agw_.connected.clear();
    }
    if (agw_open_) link_->Send(AgwUnregister(own));
  }
  link_->Close();
  agw_open_ = false;
  agw_decoder_.Clear();
  tnc_.Clear();
  telnet_.Clear();
}

void PacketSpotfrm::cmdDone_Click() {
  ReadControls();
  if (Source() != SpotSource::kNone && !Listening()) Command1_Click();
  if (handoff_.save_prefs) handoff_.save_prefs();
  std::string error;  // a read-only folder keeps the old file, silently
  ReplaceFileAtomically(SettingsPath(), FormatSpotSettings(settings_), error);
  if (handoff_.packet_resize) handoff_.packet_resize();
  hide();
}

void PacketSpotfrm::Command3_Click() {
  const std::string call = handoff_.last_call ? handoff_.last_call() : std::string();
  txtSent->setText(Latin1("DX Frequency in kHz " + call));
  txtSent->setFocus();
  txtSent->setSelection(3, 16);
}

void PacketSpotfrm::EscapeKey() {
  chkDX->setChecked(false);
  if (!Listening()) Command1_Click();
  if (Source() == SpotSource::kTnc && port_->IsOpen()) {
    char byte = 0;
    if (CommandByte(Std(txtHex->text()), byte)) port_->Write(std::string_view(&byte, 1));
    txtSent->setFocus();
  }
}

void PacketSpotfrm::SendText(const QString& text) {
  if (!Listening()) Command1_Click();
  const SpotSource source = Source();
  if (source == SpotSource::kTnc && port_->IsOpen()) {
    port_->Write(Std(text) + "\r");
  } else if (source == SpotSource::kTelnet) {
    if (link_->Connected()) {
      link_->Send(Std(text) + "\r\n");
      // The answer ends a prompt that had no line end ("login: "), so the
      // node's next line is not joined to it.
      telnet_.Clear();
    } else {
      Show("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n");
    }
  } else if (source == SpotSource::kAgw && Timer1->isActive()) {
    AgwSend(text);
  }
  txtSent->clear();
}

void PacketSpotfrm::AgwSend(const QString& text) {
  const AgwSendAction a = ReadAgwSend(Std(text), agw_);
  const std::string own(TrimBlanks(state_.prefs.OwnCall));
  switch (a.kind) {
    case AgwSendAction::kCallRequired:
      prompter_.Message(this, "Call sign Required",
                        "You must enter a call sign to connect to such as :C QX9ZZ",
                        MessageIcon::kInformation);
      break;
    case AgwSendAction::kConnect:
      link_->Send(AgwConnect(own, a.station));
      break;
    case AgwSendAction::kDisconnect:
      link_->Send(AgwDisconnect(own, a.station));
      break;
    case AgwSendAction::kData:
      link_->Send(AgwSendData(own, a.station, a.data));
      break;
    case AgwSendAction::kNothing:
      break;
  }
}

void PacketSpotfrm::txtSent_Change() {
  // Packet lines are short: a long line is sent at the first blank past 70.
  const QString text = txtSent->text();
  if (Source() != SpotSource::kAgw || !Timer1->isActive() || text.size() <= kAgwWrapLength ||
      !text.endsWith(' '))
    return;
  AgwSend(text.left(text.size() - 1));
  txtSent->clear();
}

void PacketSpotfrm::Timer1_Timer() {
  if (Source() == SpotSource::kTnc && port_->IsOpen()) {
    const std::string input = port_->ReadAvailable();
    for (const std::string& line : tnc_.Feed(input, display_, chkDX->isChecked())) {
      ticks_ = 0;
      if (handoff_.spot_line) handoff_.spot_line(line);
    }
    RefreshDisplay();
  }
  if (Source() == SpotSource::kAgw) HandleAgwFrame();
  if (++ticks_ > kRefreshTicks) {
    ticks_ = 0;
    if (handoff_.refresh_band_map) handoff_.refresh_band_map();
  }
}

void PacketSpotfrm::HandleAgwFrame() {
  AgwFrame frame;
  if (!agw_decoder_.Next(frame)) return;
  const AgwFrameOutcome out = vantrel::HandleAgwFrame(frame, agw_, chkDX->isChecked(), display_);
  RefreshDisplay();
  for (int i = 0; i < out.beeps; ++i) prompter_.Beep();
  if (out.caption_changed) setWindowTitle(Latin1(out.caption));
  if (!out.spot_line.empty()) {
    ticks_ = 0;
    if (handoff_.spot_line) handoff_.spot_line(out.spot_line);
  }
}

void PacketSpotfrm::TcpReceived(const std::string& bytes) {
  if (Source() == SpotSource::kAgw) {
    agw_decoder_.Feed(bytes);
    return;
  }
  if (Source() != SpotSource::kTelnet) return;
  const bool dx_only = chkDX->isChecked();
  if (!dx_only) Show(bytes);
  for (const std::string& line : telnet_.Feed(bytes)) {
    if (!StartsWithDx(line)) continue;
    if (dx_only) Show(line + "\r\n");
    ticks_ = 0;
    if (handoff_.spot_line) handoff_.spot_line(line);
  }
}

void PacketSpotfrm::Show(std::string_view text) {
  display_.Append(text);
  if (!display_timer_->isActive()) display_timer_->start();
}

void PacketSpotfrm::ShowOnly(std::string_view text) {
  display_.Replace(text);
  RefreshDisplay();
}

void PacketSpotfrm::RefreshDisplay() {
  display_timer_->stop();
  if (shown_version_ == display_.version() || !isVisible()) return;
  shown_version_ = display_.version();
  // The text box keeps one character per line end, whichever the source sent.
  QString text = Latin1(display_.text());
  text.replace("\r\n", "\n");
  text.replace('\r', '\n');
  txtUnProcessed->setPlainText(text);
  QTextCursor caret = txtUnProcessed->textCursor();
  caret.movePosition(QTextCursor::End);
  if (display_.Caret() > 0) caret.movePosition(QTextCursor::Left);
  txtUnProcessed->setTextCursor(caret);
}

void PacketSpotfrm::ScrollToEnd() {
  RefreshDisplay();
  txtUnProcessed->verticalScrollBar()->setValue(txtUnProcessed->verticalScrollBar()->maximum());
}

void PacketSpotfrm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  RefreshDisplay();
}

void PacketSpotfrm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
      Source() != SpotSource::kNone) {
    ScrollToEnd();
    txtSent->setFocus();
  }
}

bool PacketSpotfrm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
    return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool ctrl_c = key->key() == Qt::Key_C && key->modifiers() == Qt::ControlModifier;
  const bool esc = key->key() == Qt::Key_Escape;
  const bool enter =
      watched == txtSent && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
  if (type == QEvent::ShortcutOverride) {
    // The text boxes would take Ctrl+C as copy, and the dialog Esc as close.
    if (ctrl_c || esc) event->accept();
    return false;
  }
  if (watched != this && watched != focusWidget()) return false;
  if (enter) {
    SendText(txtSent->text());
    return true;
  }
  if (!ctrl_c && !esc) return QDialog::eventFilter(watched, event);
  EscapeKey();
  if (esc && watched == txtSent && Source() == SpotSource::kAgw) txtSent->insert(":");
  return true;
}

}  // namespace vantrel::ui

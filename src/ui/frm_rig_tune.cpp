#include "ui/frm_rig_tune.h"

#include <QKeyEvent>
#include <QLabel>

#include "ui/accessible_names.h"
#include "ui/rig_controlfrm.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const char* const kStepCaptions[] = {"10 Hz", "1 MHz", "5 KHz", "1 KHz", "100 Hz"};
const char* const kScanCaptions[] = {"500 Hz", "100 Hz", "30 Hz", "10 Hz", "2.5 KHz"};

bool FrequencyKey(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) return true;
  const QString text = key.text();
  if (text.isEmpty()) return true;  // arrows, Home, End: no character
  if (text.size() != 1) return false;
  const QChar c = text.front();
  // Tab and Esc type nothing: they move on and close the window.
  if (!c.isPrint()) return true;
  return c == '.' || c == '/' || (c >= '0' && c <= '9');
}

// A band button's caption is the band's number alone; the two smallest
// numbers name centimetre bands, the rest metres.
QString BandName(const TuneBand& band) {
  const QString caption = band.caption;
  const bool centimetres = QString(band.mhz).toDouble() > 400;
  return caption + (centimetres ? " centimetre band" : " metre band");
}

}  // namespace

frmRigTune::frmRigTune(RigControlfrm& rig, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rig_(rig), prompter_(prompter) {
  setObjectName("frmRigTune");
  setWindowTitle(" Change Frequency and Mode (Ctrl G (Go))");
  design_ = std::make_unique<DesignForm>(this, QSize(7320, 4200), 8.0);
  auto label = [this](const QString& caption, int left, int top, int width) {
    auto* l = new QLabel(caption, this);
    design_->Add(l, ControlKind::kLabel, left, top, width, 255);
    return l;
  };
  auto button = [this](const char* name, const QString& caption, int left, int top, int width) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    design_->Add(b, ControlKind::kButton, left, top, width, 330);
    return b;
  };
  auto field = [this](const char* name, const QString& text, int left, int top, int width) {
    auto* t = new QLineEdit(text, this);
    t->setObjectName(name);
    design_->Add(t, ControlKind::kTextBox, left, top, width, 315);
    t->installEventFilter(this);
    return t;
  };

  QLabel* lblFreq = label("Frequency in MHz:", 120, 150, 1500);
  txtFreq = field("txtFreq", "", 1680, 120, 1560);
  Command1 = button("Command1", "&Go", 3360, 120, 900);
  cmdDone = button("cmdDone", "&Done", 6120, 120, 1080);

  label(" UP", 120, 630, 600);
  label(" Down", 120, 990, 600);
  for (size_t i = 0; i < cmdTune.size(); ++i) {
    const int column = static_cast<int>(i / 2);
    cmdTune[i] =
        button("cmdTune", kStepCaptions[column], 840 + column * 1260, i % 2 ? 960 : 600, 1200);
    connect(cmdTune[i], &QPushButton::clicked, this, [this, i] { cmdTune_Click(int(i)); });
  }
  for (size_t i = 0; i < cmdBand.size(); ++i) {
    cmdBand[i] = button("cmdBand", kTuneBands[i].caption, 120 + int(i % 8) * 900,
                        1440 + int(i / 8) * 360, 840);
    connect(cmdBand[i], &QPushButton::clicked, this, [this, i] { cmdBand_Click(int(i)); });
  }
  auto mode = [&](const char* name, const char* caption, const char* text, int k) {
    QPushButton* b = button(name, caption, 120 + k * 1200, 2280, 1080);
    connect(b, &QPushButton::clicked, this, [this, text] { ModeButton_Click(text); });
    return b;
  };
  cmdCW = mode("cmdCW", "&CW", "CW", 0);
  cmdUSB = mode("cmdUSB", "&USB", "USB", 1);
  cmdLSB = mode("cmdLSB", "&LSB", "LSB", 2);
  cmdAM = mode("cmdAM", "&AM", "AM", 3);
  cmdFM = mode("cmdFM", "&FM", "FM", 4);
  cmdRTTY = mode("cmdRTTY", "&RTTY", "RTTY", 5);

  chkScan = new QCheckBox("Scan", this);
  chkScan->setObjectName("chkScan");
  design_->Add(chkScan, ControlKind::kCheckBox, 120, 2790, 960, 255);
  QLabel* lblFrom = label("From:", 1200, 2790, 600);
  txtFrom = field("txtFrom", "1.8", 1800, 2760, 1080);
  QLabel* lblTo = label("To:", 3000, 2790, 420);
  txtTo = field("txtTo", "54", 3480, 2760, 1080);
  fraSteps = new QGroupBox("Scan Steps", this);
  fraSteps->setObjectName("fraSteps");
  design_->Add(fraSteps, ControlKind::kFrame, 120, 3240, 7080, 720);
  for (size_t i = 0; i < Option.size(); ++i) {
    Option[i] = new QRadioButton(kScanCaptions[i], fraSteps);
    Option[i]->setObjectName(QString("Option%1").arg(i + 1));
    design_->Add(Option[i], ControlKind::kOptionButton, 120 + int(i) * 1380, 300, 1300, 255);
  }
  Option[3]->setChecked(true);
  ScaleFormWorkArea(*design_, rig.screen());

  NameControls({
      {txtFreq, "Frequency in MHz", {}, lblFreq},
      {txtFrom, "Scan from, MHz", {}, lblFrom},
      {txtTo, "Scan to, MHz", {}, lblTo},
  });
  // The step captions repeat in the up and down rows.
  for (size_t i = 0; i < cmdTune.size(); ++i)
    cmdTune[i]->setAccessibleName((i % 2 ? "Down " : "Up ") + cmdTune[i]->text());
  for (size_t i = 0; i < cmdBand.size(); ++i)
    cmdBand[i]->setAccessibleName(BandName(kTuneBands[i]));

  // Every control: a key anywhere in the window stops the scan.
  installEventFilter(this);
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(cmdDone, &QPushButton::clicked, this, [this] { hide(); });
  connect(chkScan, &QCheckBox::toggled, this, [this](bool on) { ScanToggled(on); });
  connect(txtFreq, &QLineEdit::textChanged, this, [this](const QString& text) {
    const bool number = ParseMhz(Std(text)).has_value();
    for (QPushButton* b : cmdTune) b->setEnabled(number);
  });
  for (QPushButton* b : cmdTune) b->setEnabled(false);
  // A failed change already told the operator; the scan must not repeat it.
  connect(&rig_, &RigControlfrm::tuningFailed, this, [this] { chkScan->setChecked(false); });

  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Timer1->start(299);
}

frmRigTune::~frmRigTune() = default;

bool frmRigTune::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (chkScan->isChecked()) chkScan->setChecked(false);
  if (watched == txtFreq && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
    Go(true);
    txtFreq->setFocus();
    txtFreq->end(false);
    return true;
  }
  if ((watched == txtFreq || watched == txtFrom || watched == txtTo) && !FrequencyKey(*key))
    return true;
  return QDialog::eventFilter(watched, event);
}

void frmRigTune::Go(bool report) {
  if (rig_.settings().RigType == "None") return;
  const TypedFrequency typed = CheckTypedFrequency(Std(txtFreq->text()));
  if (!typed.hz) {
    if (report)
      prompter_.Message(this, "Invalid Frequency", Latin1(typed.problem),
                        MessageIcon::kInformation);
    return;
  }
  rig_.ChangeFrequency(*typed.hz);
}

void frmRigTune::Command1_Click() {
  Go(true);
}

void frmRigTune::cmdTune_Click(int index) {
  const auto hz = ParseMhz(Std(txtFreq->text()));
  if (!hz) return;
  txtFreq->setText(Latin1(FormatMhz(*hz + kTuneSteps[static_cast<size_t>(index)])));
  Go(true);
  cmdDone->setFocus();
}

void frmRigTune::cmdBand_Click(int index) {
  txtFreq->setText(kTuneBands[static_cast<size_t>(index)].mhz);
  Go(true);
}

void frmRigTune::ModeButton_Click(const char* mode) {
  std::string m = mode;
  rig_.ChangeMode(0, m);
  cmdDone->setFocus();
}

void frmRigTune::ScanToggled(bool on) {
  if (!on) return;
  if (!ParseMhz(Std(txtFreq->text()))) txtFreq->setText(txtFrom->text());
  Command1->setFocus();
}

Hertz frmRigTune::ScanStep() const {
  for (size_t i = 0; i < Option.size(); ++i)
    if (Option[i]->isChecked()) return kScanSteps[i];
  return kScanSteps[3];
}

void frmRigTune::Timer1_Timer() {
  // A change still running holds the scan back instead of piling up.
  if (!chkScan->isChecked() || rig_.Tuning()) return;
  const auto hz = ParseMhz(Std(txtFreq->text()));
  const auto from = ParseMhz(Std(txtFrom->text()));
  const auto to = ParseMhz(Std(txtTo->text()));
  if (!hz || !from || !to) return;
  txtFreq->setText(Latin1(FormatMhz(ScanNext(*hz, *from, *to, ScanStep()))));
  Go(false);
}

}  // namespace vantrel::ui

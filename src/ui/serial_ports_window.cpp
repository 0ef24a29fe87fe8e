#include "ui/serial_ports_window.h"
#include "ui/accessible_names.h"

#include <QEvent>
#include <QSerialPortInfo>

namespace vantrel::ui {

namespace {
constexpr int kDesignWidth = 6600;
constexpr int kDesignHeight = 6660;
constexpr int kRowsTop = 2280;
constexpr int kRowStep = 360;

QString Q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}
}  // namespace

PortLister QtPortLister() {
  return [] {
    std::vector<DetectedPort> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
      QString description = info.description();
      if (description.isEmpty()) description = info.manufacturer();
      ports.push_back({info.systemLocation(), description});
    }
    return ports;
  };
}

SerialPortsWindow::SerialPortsWindow(ComPortMap& map, const ScreenGeometry& screen,
                                     PortLister lister, QWidget* parent)
    : QDialog(parent), map_(map), lister_(lister ? std::move(lister) : QtPortLister()) {
  setObjectName("frmSerialPorts");
  setWindowTitle("Serial Ports");
  setModal(true);
  design_ = std::make_unique<DesignForm>(this, QSize(kDesignWidth, kDesignHeight), 8.0);

  auto* heading = new QLabel("Serial ports found on this computer:", this);
  heading->setObjectName("lblDetected");
  design_->Add(heading, ControlKind::kLabel, 120, 120, 6360, 255);
  lstDetected = new QTreeWidget(this);
  lstDetected->setObjectName("lstDetected");
  lstDetected->setHeaderLabels({"Device", "Description"});
  lstDetected->setRootIsDecorated(false);
  design_->AddListView(lstDetected, 120, 420, 6360, 1320, {2160, 4080});
  cmdUse = new QPushButton("&Use for COM1", this);
  cmdUse->setObjectName("cmdUse");
  cmdUse->setAutoDefault(false);
  design_->Add(cmdUse, ControlKind::kButton, 120, 1800, 2160, 360);
  cmdRefresh = new QPushButton("&Refresh", this);
  cmdRefresh->setObjectName("cmdRefresh");
  cmdRefresh->setAutoDefault(false);
  design_->Add(cmdRefresh, ControlKind::kButton, 2400, 1800, 1440, 360);

  for (int i = 0; i < kMaxComPort; ++i) {
    const int number = i + 1;
    const int top = kRowsTop + i * kRowStep;
    lblCom[size_t(i)] = new QLabel(QString("COM%1").arg(number), this);
    lblCom[size_t(i)]->setObjectName(QString("lblCom%1").arg(number));
    design_->Add(lblCom[size_t(i)], ControlKind::kLabel, 120, top + 45, 720, 255);
    auto* field = new QLineEdit(this);
    txtCom[size_t(i)] = field;
    field->setObjectName(QString("txtCom%1").arg(number));
    field->setText(Q(map_.Stored(number)));
    field->setPlaceholderText(Q(ComPortMap::DefaultPath(number)));
    if (const auto env = map_.EnvironmentOverride(number)) {
      // The environment wins over what is saved here, so say so.
      field->setEnabled(false);
      field->setToolTip(
          QString("%1 is set: %2").arg(Q(ComPortMap::EnvironmentName(number)), Q(*env)));
    }
    field->installEventFilter(this);
    design_->Add(field, ControlKind::kTextBox, 960, top, 5520, 300);
  }

  const int buttons_top = kRowsTop + kMaxComPort * kRowStep + 120;
  cmdSave = new QPushButton("&Save", this);
  cmdSave->setObjectName("cmdSave");
  cmdSave->setAutoDefault(false);
  design_->Add(cmdSave, ControlKind::kButton, 2520, buttons_top, 1800, 420);
  cmdCancel = new QPushButton("Cancel", this);
  cmdCancel->setObjectName("cmdCancel");
  cmdCancel->setAutoDefault(false);
  design_->Add(cmdCancel, ControlKind::kButton, 4560, buttons_top, 1800, 420);

  connect(cmdUse, &QPushButton::clicked, this, [this] { UseSelected(); });
  connect(lstDetected, &QTreeWidget::itemDoubleClicked, this, [this] { UseSelected(); });
  connect(cmdRefresh, &QPushButton::clicked, this, [this] { Refresh(); });
  connect(cmdSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { reject(); });

  NameControls({{lstDetected, "Serial ports found on this computer",
                 "Use puts the chosen device into the last COM field", heading}});
  for (size_t i = 0; i < txtCom.size(); ++i) NameControls({{txtCom[i], {}, {}, lblCom[i]}});

  ScaleFormToScreen(*design_, screen);
  Refresh();
}

SerialPortsWindow::~SerialPortsWindow() = default;

void SerialPortsWindow::Refresh() {
  lstDetected->clear();
  for (const DetectedPort& port : lister_())
    new QTreeWidgetItem(lstDetected, {port.device, port.description});
  if (lstDetected->topLevelItemCount() > 0)
    lstDetected->setCurrentItem(lstDetected->topLevelItem(0));
}

bool SerialPortsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    for (int i = 0; i < kMaxComPort; ++i) {
      if (watched != txtCom[size_t(i)]) continue;
      last_field_ = i;
      cmdUse->setText(QString("&Use for COM%1").arg(i + 1));
    }
  }
  return QDialog::eventFilter(watched, event);
}

void SerialPortsWindow::UseSelected() {
  const QTreeWidgetItem* item = lstDetected->currentItem();
  QLineEdit* field = txtCom[size_t(last_field_)];
  if (item == nullptr || !field->isEnabled()) return;
  field->setText(item->text(0));
  field->setFocus();
}

void SerialPortsWindow::Save() {
  for (int i = 0; i < kMaxComPort; ++i) {
    const std::string path = txtCom[size_t(i)]->text().trimmed().toLocal8Bit().toStdString();
    // Only changed rows are written, so a row the environment overrides
    // keeps what was saved before.
    if (path != map_.Stored(i + 1)) map_.Store(i + 1, path);
  }
  accept();
}

void ShowSerialPorts(QWidget* parent, ComPortMap& map, const ScreenGeometry& screen) {
  auto window = std::make_unique<SerialPortsWindow>(map, screen, PortLister{}, parent);
  window->exec();
}

}  // namespace vantrel::ui

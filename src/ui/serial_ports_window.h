// "Serial Ports": the serial devices this machine has, and which device each
// COM number 1..10 stands for. Windows that own a serial port (the rig
// window first) open it so the operator can point COM3 at a USB adapter
// without knowing device paths by heart.
//
// Responsibilities: list the detected ports; edit and save the COM mapping;
// show where the environment overrides it.
// Collaborations: ComPortMap (the mapping and its settings keys), a port
// lister (QSerialPortInfo, or fixed rows in tests), form_scale (style A).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/com_port_map.h"
#include "ui/form_scale.h"

namespace vantrel::ui {

struct DetectedPort {
  QString device;       // e.g. /dev/ttyUSB0
  QString description;  // e.g. "FT232R USB UART"
};
using PortLister = std::function<std::vector<DetectedPort>()>;
PortLister QtPortLister();

class SerialPortsWindow : public QDialog {
  Q_OBJECT

 public:
  SerialPortsWindow(ComPortMap& map, const ScreenGeometry& screen, PortLister lister = {},
                    QWidget* parent = nullptr);
  ~SerialPortsWindow() override;

  // Fills the detected-port list again (an adapter plugged in meanwhile).
  void Refresh();
  // Saves every COM field (an empty one removes the mapping) and closes.
  void Save();

  DesignForm& design() { return *design_; }

  QTreeWidget* lstDetected = nullptr;  // device, description
  std::array<QLabel*, kMaxComPort> lblCom{};
  std::array<QLineEdit*, kMaxComPort> txtCom{};  // txtCom[0] is COM1
  QPushButton* cmdUse = nullptr;                 // the chosen device into the last COM field
  QPushButton* cmdRefresh = nullptr;
  QPushButton* cmdSave = nullptr;
  QPushButton* cmdCancel = nullptr;

 private:
  void UseSelected();
  bool eventFilter(QObject* watched, QEvent* event) override;

  ComPortMap& map_;
  PortLister lister_;
  std::unique_ptr<DesignForm> design_;
  int last_field_ = 0;  // the COM field a chosen device goes into
};

// Shows the window modally and destroys it.
void ShowSerialPorts(QWidget* parent, ComPortMap& map, const ScreenGeometry& screen);

}  // namespace vantrel::ui

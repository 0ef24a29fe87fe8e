// The main window's side of the rig interface: the menu item and shortcut,
// the start-up Test, where each reading of the radio lands, and the tune
// window.
#include "platform/qt_serial_port.h"
#include "ui/form1.h"
#include "ui/frm_rig_tune.h"
#include "ui/rig_controlfrm.h"
#include "ui/serial_ports_window.h"

namespace vantrel::ui {

namespace {

// The COM mapping lives as long as the port that looks devices up in it.
struct ComPortMapHolder {
  ComPortMap map;
};
class RigSerialPort : private ComPortMapHolder, public QtSerialPort {
 public:
  explicit RigSerialPort(SettingsStore& store)
      : ComPortMapHolder{ComPortMap(store)}, QtSerialPort(map) {}
};

}  // namespace

RigControlfrm& Form1::RigWindow() {
  if (rig_window_ == nullptr) {
    RigHandoff handoff;
    handoff.band_from_frequency = [this](float mhz) { BandFreqConversion(mhz); };
    handoff.mode_selection = [this](std::string_view mode) { ModeSelection(mode); };
    handoff.save_prefs = [this] { return SavePref(); };
    handoff.show_serial_ports = [this](QWidget* parent) {
      ComPortMap map(settings_store());
      ShowSerialPorts(parent, map, screen_);
    };
    rig_window_ = new RigControlfrm(state_, prompter_, screen_,
                                    std::make_unique<RigSerialPort>(settings_store()),
                                    settings_store(), std::move(handoff), this);
  }
  return *rig_window_;
}

void Form1::mnuRigInterface_Click() {
  RigWindow().show();
  rig_window_->raise();
  rig_window_->activateWindow();
}

void Form1::OpenRigInterface() {
  RigWindow().Command1_Click();
}

void Form1::ShowRigTune() {
  frmRigTune tune(RigWindow(), prompter_, this);
  tune.exec();
}

}  // namespace vantrel::ui

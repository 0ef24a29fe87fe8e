// " Rig Interface Setup": the radio the logger follows, its serial settings
// and port, and the poll timer that reads its frequency and mode.
//
// Responsibilities: the rig list and the serial option buttons; Test, End
// Test and Done; RigCntrl.txt at load and on Done; the poll timer driving
// RigPoller, with port input collected as it arrives; each processed reading
// handed to the main window; the closing bytes some radios need at unload.
// Collaborations: rig/ (settings, poller, parsers), a SerialPort (QtSerialPort
// in the program, any port in tests), the Prompter for messages, the
// "Serial Ports" window, and the main window through RigHandoff.
//
// The window lives for the whole run: Done only hides it, so polling goes on.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/ports.h"
#include "rig/rig_poller.h"
#include "rig/rig_settings.h"
#include "settings/settings_store.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

// What the rig window asks of the main window.
struct RigHandoff {
  std::function<void(float mhz)> band_from_frequency;         // BandFreqConversion
  std::function<void(std::string_view mode)> mode_selection;  // ModeSelection
  std::function<bool()> save_prefs;                           // SavePref
  // "Serial Ports": edits the COM mapping; nothing when not offered.
  std::function<void(QWidget* parent)> show_serial_ports;
};

class RigControlfrm : public QDialog {
  Q_OBJECT

 public:
  // Loads RigCntrl.txt from the working folder. `store` holds the Pegasus
  // control program's folder (Pegasus/Folder).
  RigControlfrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen,
                std::unique_ptr<SerialPort> port, SettingsStore& store, RigHandoff handoff,
                QWidget* parent = nullptr);
  // The closing bytes go out here, while polling.
  ~RigControlfrm() override;
  void setVisible(bool visible) override;

  void Command1_Click();  // Test
  void Command2_Click();  // End Test
  void cmdDone_Click();
  void Command3_Click();  // Change Frequency
  void Command4_Click();  // Copy unprocessed data to clipboard
  void tmrGetData_Timer();

  bool Polling() const { return tmrGetData->isActive(); }
  const RigSettings& settings() const { return settings_; }
  const RigPoller& poller() const { return poller_; }
  SerialPort& port() { return *port_; }
  DesignForm& design() { return *design_; }
  std::string SettingsPath() const;
  std::string PegasusPath() const;
  // How the window is shown when a Test from outside it fails; tests
  // replace the modal run.
  void set_modal_runner(std::function<void(RigControlfrm&)> run) { run_modal_ = std::move(run); }

  QListWidget* List1 = nullptr;
  QGroupBox* fraBaud = nullptr;
  std::array<QRadioButton*, 9> optBaud{};  // optBaud12 .. optBaud560
  QGroupBox* fraParity = nullptr;
  QRadioButton* optParityOdd = nullptr;
  QRadioButton* optParityNone = nullptr;
  QRadioButton* optParityEven = nullptr;
  QGroupBox* fraData = nullptr;
  QRadioButton* optData7 = nullptr;
  QRadioButton* optData8 = nullptr;
  QGroupBox* fraStop = nullptr;
  QRadioButton* optStop1 = nullptr;
  QRadioButton* optStop2 = nullptr;
  QGroupBox* fraComm = nullptr;
  std::array<QRadioButton*, 10> optComm{};  // index 0 is "1"
  QGroupBox* fraPower = nullptr;
  QRadioButton* optPowerNone = nullptr;
  QRadioButton* optPowerRTS = nullptr;
  QRadioButton* optPowerDTR = nullptr;
  QGroupBox* fraPoll = nullptr;
  QRadioButton* optPollFast = nullptr;
  QRadioButton* optPollMed = nullptr;
  QRadioButton* optPollSlow = nullptr;
  QRadioButton* optReallySlow = nullptr;
  QGroupBox* fraModeBy = nullptr;
  QRadioButton* OptRig = nullptr;
  QRadioButton* OptFreq = nullptr;
  QRadioButton* OptDont = nullptr;
  QLabel* lblFreqCaption = nullptr;
  QLineEdit* txtFreq = nullptr;
  QLabel* lblModeCaption = nullptr;
  QLineEdit* txtMode = nullptr;
  QCheckBox* chkHex = nullptr;        // "Convert to Hex"
  QCheckBox* ChkConvHex = nullptr;    // "Convert from Hex"
  QCheckBox* chkFrequency = nullptr;  // "Use Frequency"
  QLabel* lblIcom = nullptr;
  QLabel* lblHelp = nullptr;
  QLabel* lblFreqTitle = nullptr;
  QLabel* lblFreq = nullptr;
  QLabel* lblModeTitle = nullptr;
  QLabel* lblMode = nullptr;
  QLabel* lblPolling = nullptr;  // "Polling Rig"
  QLabel* lblUnProcessTitle = nullptr;
  QLabel* lblUnProcess = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* cmdSerialPorts = nullptr;
  QPushButton* cmdDone = nullptr;
  QTimer* tmrGetData = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QGroupBox* AddFrame(const char* name, const QString& caption, int left, int top, int width,
                      int height);
  QRadioButton* AddOption(QGroupBox* frame, const char* name, const QString& caption, int left,
                          int top, int width = 700);
  void Form_Load();
  void ApplySettingsToControls();
  void ReadControls();
  void List1_Click(int row);
  void ModeSource_Click(RigModeSource source);
  bool OpenRigPort();
  void ReportBadPort(bool show_window);
  void PortFailed();
  std::string TakeInput();

  RunState& state_;
  Prompter& prompter_;
  std::unique_ptr<SerialPort> port_;
  SettingsStore& store_;
  RigHandoff handoff_;
  std::unique_ptr<DesignForm> design_;
  std::function<void(RigControlfrm&)> run_modal_;
  RigSettings settings_;
  RigPoller poller_;
  std::string input_;     // port bytes since the last read tick
  bool loading_ = false;  // list clicks do nothing while settings load
  bool showing_ = false;  // the focus returns with the window
};

}  // namespace vantrel::ui

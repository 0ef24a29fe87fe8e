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
//
// "Hamlib rigctld" reaches the radio through the daemon over TCP: the window
// keeps a RigctldPort beside its serial port and Test picks the one the rig
// type needs, so every user of port() works the same for both. Its host and
// port are the two fields of the "rigctld" frame.
//
// Tuning API, for every window that moves the radio (band map, spot list,
// tune window, command test window); reach the window through
// Form1::RigWindow():
//   void ChangeFrequency(Hertz hz)
//     Tunes the polled radio to exactly `hz` (rig/rig_command.h: ParseMhz
//     turns typed MHz text into hertz). First the band plan's mode for the
//     frequency is sent, then the frequency command. Does nothing unless the
//     radio is being polled. Polling pauses for the change and resumes after.
//     Returns at once; the change runs on a timer (Tuning() is true
//     meanwhile). A request made during a change runs after it; only the
//     latest one waits. A frequency the radio's command cannot hold, or a
//     failed write, shows "Error Changing Frequency", writes nothing more and
//     leaves polling stopped until the next Test.
//   void ChangeMode(Hertz hz, std::string& mode)
//     Sets the radio's mode ("CW", "CW-R", "LSB", "USB", "AM", "FM", "RTTY",
//     "RTTY-R", "FSK", "DIG", "PKT"). An empty `mode` is filled from the band
//     plan for `hz` and the caller sees the choice; a mode the radio has no
//     command for is not sent. Nothing for rig type "None"; no polling needed.
//     A failed write shows "Error Changing Mode".
//   bool Tuning() const
//     A change is running; a scan waits for it rather than piling up.
//   bool SendRaw(std::string_view bytes)
//     Writes bytes as they are to the rig port while polling goes on; false
//     when the port is not open.
//   signal tuningFailed()
//     A change failed or the port failed under it; a scan stops on it.
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
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"
#include "contest/band_plan.h"
#include "rig/rig_command.h"
#include "rig/rig_poller.h"
#include "rig/rig_settings.h"
#include "settings/settings_store.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel {
class RigctldPort;
}

namespace vantrel::ui {

class frmFrequencyTest;

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

  void ChangeFrequency(Hertz hz);
  void ChangeMode(Hertz hz, std::string& mode);
  bool Tuning() const { return sequencer_.Running(); }
  bool SendRaw(std::string_view bytes);
  // Waits and drains are measured on this clock; tests move it by hand.
  void set_clock(MillisecondClock* clock) { clock_ = clock; }
  const std::vector<BandPlanRow>& band_plan() const { return band_plan_; }
  std::string PegasusInPath() const;
  frmFrequencyTest* frequency_test() { return frequency_test_; }
  const ScreenGeometry& screen() const { return screen_; }

  bool Polling() const { return tmrGetData->isActive(); }
  const RigSettings& settings() const { return settings_; }
  const RigPoller& poller() const { return poller_; }
  // The port the rig type uses: the serial one, or the rigctld connection.
  SerialPort& port() { return *port_; }
  RigctldPort& rigctld_port() { return *rigctld_port_; }
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
  QGroupBox* fraRigctld = nullptr;
  QLineEdit* txtRigctldHost = nullptr;
  QLineEdit* txtRigctldPort = nullptr;
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
  QTimer* tmrCommand = nullptr;  // runs the steps of a change

 signals:
  void tuningFailed();

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
  void PortFailed(const std::string& why);
  bool OverTcp() const;
  // A rigctld refusal waiting in the input: the text for the failure box.
  std::string RefusalInInput();
  std::string TakeInput();
  std::string PegasusFolder() const;
  void ReadBandPlan();
  // Runs `steps`; `restart_polling` resumes the poll timer at the end.
  // `frequency_change` picks the message a failed write shows.
  void RunSteps(std::vector<CommandStep> steps, bool restart_polling, bool frequency_change,
                std::string mode, std::string mode_bytes);
  void StepChange();
  void FinishChange();
  void AbortChange();
  void ChangeFailed(const QString& title, const QString& text);

  RunState& state_;
  Prompter& prompter_;
  std::unique_ptr<SerialPort> serial_port_;
  std::unique_ptr<RigctldPort> rigctld_port_;
  SerialPort* port_ = nullptr;  // one of the two
  SettingsStore& store_;
  RigHandoff handoff_;
  std::unique_ptr<DesignForm> design_;
  std::function<void(RigControlfrm&)> run_modal_;
  RigSettings settings_;
  RigPoller poller_;
  std::string input_;     // port bytes since the last read tick
  bool loading_ = false;  // list clicks do nothing while settings load
  bool showing_ = false;  // the focus returns with the window

  ScreenGeometry screen_;
  std::vector<BandPlanRow> band_plan_;  // the Extra class rows
  std::unique_ptr<MillisecondClock> own_clock_;
  MillisecondClock* clock_ = nullptr;
  CommandSequencer sequencer_;
  bool restart_polling_ = false;
  bool frequency_change_ = false;
  std::string change_mode_;  // the mode a failed mode write names
  std::string mode_bytes_;   // tells a failed mode write from a frequency write
  std::optional<Hertz> pending_hz_;
  std::optional<std::string> pending_mode_;
  frmFrequencyTest* frequency_test_ = nullptr;  // a child: Qt deletes it
};

}  // namespace vantrel::ui

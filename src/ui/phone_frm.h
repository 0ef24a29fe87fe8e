// "Phone Wave Selections": the nine wave files of F1..F9, the push-to-talk
// port and line, the F1 repeat interval, and the voice keyer that plays them.
//
// Responsibilities: every control of the window and its key and focus rules;
// wave2.txt at start-up and on Done; Test and Stop; the invalid-port message.
// Collaborations: voice/VoiceKeyer (the decisions), a WavePlayer, SerialPort
// and ParallelPort (real ones in the program, doubles in tests), QtVoiceTimers
// (Timer1, tmrRepeat), the Prompter.
//
// The window lives for the whole run: Done only hides it, so the keys play
// with it hidden. Its destruction stops a playing and lets the PTT line go.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "common/ports.h"
#include "platform/qt_voice_timers.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"
#include "voice/voice_keyer.h"

namespace vantrel::ui {

// The sound and port devices the keyer drives.
struct VoiceDevices {
  std::unique_ptr<WavePlayer> player;
  std::unique_ptr<SerialPort> serial;
  std::unique_ptr<ParallelPort> parallel;
};

class PhoneFrm : public QDialog {
  Q_OBJECT

 public:
  PhoneFrm(RunState& state, Prompter& prompter, const ScreenGeometry& screen, VoiceDevices devices,
           QWidget* parent = nullptr);
  ~PhoneFrm() override;

  // Reads wave2.txt from the working folder into the fields. False, with
  // the reason, when the file is missing or unreadable; the fields then keep
  // their defaults.
  bool LoadSettings(std::string& error);

  // A note on how the settings were loaded, shown under the buttons.
  void ShowLoadNote(const QString& text);

  void FKeyPhone(int code);
  void Command1_Click();   // Done
  void Command11_Click();  // Test
  void Command12_Click();  // Stop
  void Browse(int index);  // Command2..Command10 for Text1..Text9 (index 0..8)

  VoiceKeyer& keyer() { return keyer_; }
  WavePlayer& player() { return *devices_.player; }
  QtVoiceTimers& timers() { return timers_; }
  // The file dialog of Browse (a path, or empty when cancelled) and the
  // modal run of the invalid-port message; tests replace both.
  void set_file_dialog(std::function<QString(QWidget*)> dialog) {
    file_dialog_ = std::move(dialog);
  }
  void set_modal_runner(std::function<void(PhoneFrm&)> run) { run_modal_ = std::move(run); }

  std::array<QLineEdit*, 9> Text{};       // Text1..Text9
  std::array<QPushButton*, 9> Browses{};  // Command2..Command10
  QLineEdit* Text10 = nullptr;            // PTT serial port
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;  // RTS
  QRadioButton* Option2 = nullptr;  // DTR
  QRadioButton* Option3 = nullptr;  // Parallel
  QLineEdit* Text11 = nullptr;      // parallel port address
  QLineEdit* txtPHLoop = nullptr;
  QPushButton* Command1 = nullptr;   // Done
  QPushButton* Command11 = nullptr;  // Test
  QPushButton* Command12 = nullptr;  // Stop
  QLabel* lblLoadNote = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  // The fields as the keyer's settings, and back.
  VoiceSettings FieldSettings() const;
  void ShowSettings(const VoiceSettings& settings);
  void PortLeft();
  void RepeatLeft();
  void InvalidPort();
  void RestoreWorkingDirectory();

  RunState& state_;
  Prompter& prompter_;
  std::unique_ptr<DesignForm> design_;
  VoiceDevices devices_;
  QtVoiceTimers timers_;
  VoiceKeyer keyer_;
  std::function<QString(QWidget*)> file_dialog_;
  std::function<void(PhoneFrm&)> run_modal_;
};

}  // namespace vantrel::ui

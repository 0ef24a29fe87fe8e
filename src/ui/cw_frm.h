// "CW String Selections": the CW messages, speed, repeat, display, port,
// keying line, timing method and word space, "&Test", "Send Code Practice"
// and "Done". It holds the CW settings for the whole run (hidden, never
// destroyed, between uses) and sends the message keys (FKeyCW).
//
// Responsibilities: the controls and their key filters and focus rules;
// CW.txt at start-up and on "Done"; the timing values in the settings store;
// pushing every field change into the keyer.
// Collaborations: keying/ (settings file, messages, arithmetic), CwKeyer
// (buffer, line, port, repeat), the main window through CwFrmHooks.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <memory>

#include "keying/cw_settings.h"
#include "settings/settings_store.h"
#include "ui/cw_keyer.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

struct CwFrmHooks {
  std::function<QString()> call;      // txtCall
  std::function<QString()> rst_sent;  // txtRSTS
  std::function<void()> show_strings_minimized;
  std::function<void()> focus_main;
  std::function<void(QWidget* parent)> code_practice;  // "Send Code Practice"
  std::function<void()> configure_winkey;              // "Configure Winkey"
  std::function<void(int wpm)> winkey_speed;           // speed change while WinKey is open
};

class CWFrm : public QDialog {
  Q_OBJECT

 public:
  CWFrm(RunState& state, Prompter& prompter, SettingsStore& store, const ScreenGeometry& screen,
        CwKeyerHooks keyer_hooks, CwFrmHooks hooks, QWidget* parent = nullptr);
  ~CWFrm() override;

  // Reads CW.txt (cw.txt when only that exists) from the working folder.
  void LoadSettings();
  // The fields as a settings record.
  CwSettings Settings() const;
  // The message key path; codes as the main window passes them.
  void FKeyCW(int code);

  void Command1_Click();  // Done
  void Command2_Click();  // Faster
  void Command3_Click();  // Slower
  void Command4_Click();  // &Test
  void Command5_Click();  // Less
  void Command6_Click();  // More
  void cmdLoopFaster_Click();
  void cmdLoopSlower_Click();
  void Command7_Click();  // Send Code Practice

  CwKeyer& keyer() { return *keyer_; }
  DesignForm& design() { return *design_; }
  double LoopsPer60ms() const { return loops_; }
  // How the window shows itself after an invalid port when it was hidden;
  // tests replace the modal run.
  void set_modal_runner(std::function<void(CWFrm&)> run) { run_modal_ = std::move(run); }

  std::array<QLineEdit*, kCwMessageCount> messages{};  // Text1..Text9, Text12, Text13
  QLineEdit* Text10 = nullptr;                         // serial port
  QLineEdit* Text11 = nullptr;                         // speed
  QLineEdit* Text14 = nullptr;                         // parallel address
  QLineEdit* txtSpace = nullptr;
  QLineEdit* txtCWLoop = nullptr;
  QLineEdit* txtLoop = nullptr;
  QLabel* lblLoop = nullptr;
  QLabel* Label23 = nullptr;  // "Sending!"
  QCheckBox* Check1 = nullptr;
  QGroupBox* fraKeying = nullptr;
  QRadioButton* Option1 = nullptr;  // RTS
  QRadioButton* Option2 = nullptr;  // DTR
  QRadioButton* Option3 = nullptr;  // Printer
  QRadioButton* Option4 = nullptr;  // None
  QRadioButton* Option5 = nullptr;  // WinKey
  QRadioButton* optTimer = nullptr;
  QRadioButton* optLoop = nullptr;
  QRadioButton* OptSleep = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* Command2 = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command4 = nullptr;
  QPushButton* Command5 = nullptr;
  QPushButton* Command6 = nullptr;
  QPushButton* Command7 = nullptr;
  QPushButton* cmdLoopFaster = nullptr;
  QPushButton* cmdLoopSlower = nullptr;
  QPushButton* cmdConfWinkey = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void SelectKeyingLine(int keying_line);
  void SelectTiming(CwTiming timing);
  void SetLoops(double loops);
  void SpeedChanged();
  void PortLeft();
  void RepeatLeft();
  void AdjustSpeed(int step);

  RunState& state_;
  Prompter& prompter_;
  SettingsStore& store_;
  CwFrmHooks hooks_;
  std::unique_ptr<DesignForm> design_;
  CwKeyer* keyer_ = nullptr;  // a child: Qt deletes it
  double loops_ = 0;
  std::function<void(CWFrm&)> run_modal_;
};

}  // namespace vantrel::ui

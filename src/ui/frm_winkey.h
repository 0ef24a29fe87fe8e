// " WinKey Setup": the WinKey keyer's settings, opening and closing it,
// the test sends, and the send loop that feeds it text (WKTransmit). It
// stays loaded for the run once created; hiding it keeps the keyer open.
//
// Responsibilities: WK.txt at creation and on "&Done"; the field rules and
// the order settings go to the keyer; the keyer's CWBuffer, drained by a
// 10 ms timer that waits while the keyer has no room; dropping queued text
// when the keyer is gone or stays full.
// Collaborations: platform/qt_winkey (the keyer), keying/winkey_protocol
// (settings file and field rules), the main window's CW side through
// WinKeyHooks (CW speed field, freeing the shared port).
#pragma once

#include <QDialog>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "keying/winkey_protocol.h"
#include "platform/qt_winkey.h"
#include "settings/settings_store.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel {
class ComPortMap;
}

namespace vantrel::ui {

inline constexpr const char* kWinKeyCaption = " WinKey Setup";
inline constexpr const char* kWinKeyNoConnectionTitle =
    "Unable to establish connection with Winkey.";
inline constexpr const char* kWinKeyLostTitle = "WinKey";
// How long the keyer may refuse text before what waits for it is dropped.
inline constexpr int kWinKeyFullLimitMs = 10000;

struct WinKeyHooks {
  std::function<QString()> cw_speed;    // the CW window's speed field
  std::function<void()> release_ports;  // the voice PTT port and the CW keying port
};

// The status text of an open result; empty for codes without one.
QString WinKeyResultText(int result);

class frmWinKey : public QDialog {
  Q_OBJECT

 public:
  frmWinKey(RunState& state, Prompter& prompter, SettingsStore& store, const ScreenGeometry& screen,
            WinKeyHooks hooks, QWidget* parent = nullptr);
  ~frmWinKey() override;

  // Appends to the keyer's CWBuffer and starts sending; text for a keyer
  // that cannot be opened is dropped.
  void Send(const std::string& text);
  void WKTransmit();
  // Esc and the stop keys: clear the keyer and CWBuffer.
  void ClearAll();
  void Backspace();
  void SetSpeed(int wpm);
  int WinKeyOpen() const { return open_version_; }
  int Status();
  const std::string& Buffer() const { return buffer_; }

  void cmdOpenWinkey_Click();
  void cmdCloseWinkey_Click();
  void cmdDone_Click();
  void Command3_Click();  // Test
  void Command1_Click();  // Buffer Test
  void cmdStop_Click();

  // Tests: shorter waits for a silent keyer and for one that stays full.
  void set_answer_wait_ms(int ms) { keyer_->set_answer_wait_ms(ms); }
  void set_full_limit_ms(int ms) { full_limit_ms_ = ms; }

  QLineEdit* txtWKComPort = nullptr;
  QLineEdit* txtWKWPM = nullptr;
  QLineEdit* txtWeight = nullptr;
  QLineEdit* txtLeadIn = nullptr;
  QLineEdit* txtTail = nullptr;
  QLineEdit* txtRatio = nullptr;
  QRadioButton* optKey5Out3Off = nullptr;
  QRadioButton* optKey5Off3Out = nullptr;
  QRadioButton* optTone = nullptr;
  QRadioButton* optPTT = nullptr;
  QRadioButton* optIambicA = nullptr;
  QRadioButton* optIambicB = nullptr;
  QRadioButton* optUltimatic = nullptr;
  QRadioButton* optBug = nullptr;
  QLabel* lblOpenStatus = nullptr;
  QLabel* lblVersion = nullptr;
  QPushButton* cmdOpenWinkey = nullptr;
  QPushButton* cmdCloseWinkey = nullptr;
  QPushButton* Command3 = nullptr;
  QPushButton* Command1 = nullptr;
  QPushButton* cmdStop = nullptr;
  QPushButton* cmdDone = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void LoadSettings();
  void ShowOptions();
  void OpenKeyer();
  void SendAllSettings();
  void SendSpeed();
  void SendWeight();
  void SendLeadTail(bool tail_left);
  void SendRatio();
  void Tick();
  void StopLoop();
  void Lost(const std::string& why);
  void FocusDone();

  RunState& state_;
  Prompter& prompter_;
  WinKeyHooks hooks_;
  std::unique_ptr<DesignForm> design_;
  std::unique_ptr<ComPortMap> map_;
  std::unique_ptr<QtWinKey> keyer_;
  QTimer* tick_ = nullptr;
  QElapsedTimer full_since_;
  int full_limit_ms_ = kWinKeyFullLimitMs;
  std::string buffer_;  // CWBuffer while WinKey keys it
  int open_version_ = 0;
  int com_port_ = 5;
  int pin_config_ = 6;
  int mode_ = 0;
  bool opening_ = false;
};

}  // namespace vantrel::ui

// The CW keyer as the windows use it: CWBuffer and the send operation, the
// keying line behind the chosen output, the CW serial port, the F1 repeat
// timer and keyboard CW mode.
//
// Responsibilities: start sends (LoopThroughCWBuffer) with the line ready;
// hand text to WinKey instead when that keyer is chosen; bring the keying
// thread's reports (contact mark, progress, end, failures) to the UI thread;
// open the serial port (CWSetup) and give it up for the voice keyer.
// Collaborations: keying/keying_engine (buffer and thread), the platform's
// keying clock and lines, QtSerialPort (opened here, on the UI thread; the
// modem line is switched on a duplicated descriptor, see modem_key_line.h),
// CWFrm (pushes its field values in), the Prompter.
//
// For the WinKey and voice keyer modules:
// - CWBuffer: Send() appends and starts; EmptyBuffer() is the abort;
//   RemoveLast() is Backspace; Sending() is CWSending.
// - WinKey (keying line 5): set hooks().winkey_send / winkey_clear /
//   winkey_open; Send() then hands the text over and never keys a line.
// - Port sharing: the voice keyer calls ReleasePort() before it opens the
//   same COM port for PTT (keying stops at an element boundary with the line
//   up, the port closes); the next send reopens it through CWSetup, which in
//   turn calls hooks().close_voice_port first.
#pragma once

#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/ports.h"
#include "keying/cw_messages.h"
#include "keying/cw_settings.h"
#include "keying/key_line.h"
#include "keying/keying_engine.h"
#include "settings/settings_store.h"
#include "ui/prompter.h"

namespace vantrel {
class QtSerialPort;
class PpdevParallelPort;
class ComPortMap;
}  // namespace vantrel

namespace vantrel::ui {

inline constexpr const char* kInvalidCwPortTitle = "Invalid port.";
inline constexpr const char* kInvalidCwPortText =
    "The port you have selected for CW keying is invalid.  Please select another or enter 0 for "
    "none.";
inline constexpr const char* kBadSpeedTitle = "Invalid CW speed.";
inline constexpr const char* kBadSpeedText =
    "The CW speed must be more than 0 WPM.  Nothing was sent.";
inline constexpr const char* kKeyboardModeOnText = "Keyboard CW Mode is on.  Press F12 to exit.";

struct CwKeyerHooks {
  std::function<QString()> call;                    // txtCall
  std::function<void()> log_contact;                // Mains
  std::function<void(const QString&)> show_dialog;  // lblDialog
  std::function<void()> repeat_message;             // FKeyCW(112)
  std::function<void()> invalid_port;               // show the setup window when hidden
  // WinKey: hand text over, clear its buffer, whether it is open. Unset:
  // the keyer is absent and text for it is dropped.
  std::function<void(const std::string&)> winkey_send;
  std::function<void()> winkey_clear;
  std::function<bool()> winkey_open;
  std::function<void(char)> winkey_backspace;
  // The voice keyer's PTT port, closed before the CW port opens.
  std::function<void()> close_voice_port;
};

class CwKeyer : public QObject {
  Q_OBJECT

 public:
  CwKeyer(Prompter& prompter, SettingsStore& store, QWidget* message_parent);
  ~CwKeyer() override;

  CwKeyerHooks& hooks() { return hooks_; }

  // Values of the setup window's fields, pushed in as they change.
  void SetKeyingLine(int keying_line) { keying_line_ = keying_line; }
  int KeyingLine() const { return keying_line_; }
  void SetSerialPortNumber(int number) { port_number_ = number; }
  void SetParallelAddress(std::uint16_t address) { parallel_address_ = address; }
  void SetSpeed(double wpm) { engine_.SetWpm(wpm); }
  void SetWordSpace(int adjustment) { engine_.SetWordSpace(adjustment); }
  void SetTiming(CwTiming timing) { engine_.SetTiming(timing); }
  void SetLoopsPer60ms(double loops) { engine_.SetLoopsPer60ms(loops); }
  void SetShowText(bool show) { show_text_ = show; }
  void SetRepeatPeriodMs(int ms) { repeat_timer_->setInterval(ms); }

  // CWBuffer. False when nothing went out: empty text, or a speed of 0 or
  // below (refused with a message).
  bool Send(std::string_view text);
  void EmptyBuffer() { engine_.Clear(); }
  bool RemoveLast() { return engine_.RemoveLast(); }
  std::string Buffer() const { return engine_.Buffer(); }
  bool Sending() const { return engine_.Sending(); }

  // The repeat cycle.
  void MessageKeySent(bool arm) { repeat_.MessageSent(arm); }
  void StopRepeating();
  bool RepeatArmed() const { return repeat_.armed(); }
  QTimer* repeat_timer() const { return repeat_timer_; }

  bool keyboard_mode() const { return keyboard_mode_; }
  void set_keyboard_mode(bool on) { keyboard_mode_ = on; }
  bool show_text() const { return show_text_; }

  // Closes and reopens the CW serial port; false (after the message) when
  // it cannot be opened. Port 0 closes it and succeeds.
  bool CWSetup();
  void ReleasePort();
  SerialPort& serial_port();

  // "Loop" calibration on the keying clock.
  double Calibrate();

  // Tests: the time base and the lines keyed, in place of the real ones.
  using LineFactory = std::function<std::unique_ptr<KeyLine>(int keying_line)>;
  void UseForTest(KeyingClock& clock, LineFactory lines);
  KeyingEngine& engine() { return engine_; }

 signals:
  // A send operation ended (the buffer ran empty), on the UI thread.
  void sendFinished();

 private:
  void PrepareLine();
  void Finished();
  void LineFailed();
  void Post(std::function<void()> f);

  Prompter& prompter_;
  QWidget* parent_;
  CwKeyerHooks hooks_;
  std::unique_ptr<ComPortMap> map_;
  std::unique_ptr<QtSerialPort> serial_;
  std::unique_ptr<PpdevParallelPort> parallel_;
  std::unique_ptr<KeyingClock> own_clock_;
  KeyingClock* clock_;
  KeyingEngine engine_;
  std::unique_ptr<KeyLine> line_;
  LineFactory test_lines_;
  std::unique_ptr<KeyingThread> thread_;
  QTimer* repeat_timer_;
  CwRepeatCycle repeat_;
  int keying_line_ = 0;
  int port_number_ = 0;
  std::uint16_t parallel_address_ = 0x378;
  bool show_text_ = false;
  bool keyboard_mode_ = false;
};

}  // namespace vantrel::ui

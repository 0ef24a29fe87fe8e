// The function-key messages: which message a key sends, the wildcard
// expansion, and the F1 repeat cycle.
//
// Responsibilities: key code -> message slot; "$", "#", "*" expansion;
// what one message key does to the buffer and the repeat cycle.
// Collaborations: keying/cw_settings (the messages), keying/keying_engine
// (the buffer the text goes to); the main window and the strings window pass
// the key codes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "keying/cw_settings.h"

namespace vantrel {

// Key codes as the main window passes them: F1..F9 are 112..120, F11 is
// 122, F10 arrives as 124; 121 and 123 carry no message.
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF9 = 120;
inline constexpr int kKeyF10Code = 124;

// The message index 0..10 of a key code; nothing for codes without one.
std::optional<int> CwMessageSlot(int code);
// The code a click on row `index` (0..11) of the strings window sends;
// nothing for the "F12"/"Keyboard" row.
std::optional<int> CwStringsRowCode(int index);

// Replaces "$" by the call (blanks trimmed), removes "#", and replaces "*"
// by the sent report (blanks trimmed), or "5NN" when the report field is
// exactly "599" or empty. "!" stays for the engine. Inserted text is not
// scanned again.
std::string ExpandCWMacros(std::string_view text, std::string_view call, std::string_view rst_sent);

// What a message key does, decided before the buffer is touched.
struct CwMessageAction {
  std::optional<std::string> text;  // expanded text to append; none sends nothing
  bool arm_repeat = false;          // F1 with a repeat interval above 0
};
// The buffer is always emptied first (the caller does that); with keying
// line 0 or a code outside 112..124 nothing else happens.
CwMessageAction CwMessageForKey(const CwSettings& settings, int code, std::string_view call,
                                std::string_view rst_sent);

// The F1 repeat cycle, independent of timers: the caller starts and stops its
// timer as the returned values say.
class CwRepeatCycle {
 public:
  bool armed() const { return armed_; }
  bool timer_running() const { return timer_running_; }
  // A message key was sent; `arm` when F1 with an interval above 0.
  void MessageSent(bool arm) {
    if (arm) armed_ = true;
  }
  // A send operation ended (or text went to WinKey): true = start the timer.
  bool SendFinished() {
    if (armed_) timer_running_ = true;
    return timer_running_;
  }
  // The timer fired: stop it and send F1 again (true) when still armed.
  bool TimerFired() {
    timer_running_ = false;
    return armed_;
  }
  // Any key on the main window: disarm and stop. True when it was armed, so
  // the caller also empties the buffer (and the WinKey buffer).
  bool Stop() {
    const bool was = armed_;
    armed_ = false;
    timer_running_ = false;
    return was;
  }

 private:
  bool armed_ = false;
  bool timer_running_ = false;
};

}  // namespace vantrel

// The voice keyer: F1..F9 play the operator's recordings while the keyer
// holds the transmitter's push-to-talk line, and F1 can repeat.
//
// Responsibilities: FKeyPhone, the end-of-play poll and the repeat cycle;
// switching the PTT line on and, whatever happens, off again; opening the
// PTT serial port, which it shares with the CW keyer and WinKey.
// Collaborations: a WavePlayer, the SerialPort and ParallelPort of
// common/ports, and VoiceTimers that the window runs (the 40 ms poll and the
// one-shot repeat). All calls come from the UI thread.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/ports.h"
#include "voice/voice_settings.h"
#include "voice/wave_player.h"

namespace vantrel {

inline constexpr int kVoiceKeyF1 = 112;
inline constexpr int kVoiceKeyF9 = 120;
inline constexpr int kVoicePollMs = 40;

class VoiceTimers {
 public:
  virtual ~VoiceTimers() = default;
  virtual void StartPoll() = 0;  // every kVoicePollMs: VoiceKeyer::PollTick
  virtual void StopPoll() = 0;
  virtual void StartRepeat(int period_ms) = 0;  // once: VoiceKeyer::RepeatFired
  virtual void StopRepeat() = 0;
};

class VoiceKeyer {
 public:
  VoiceKeyer(WavePlayer& player, SerialPort& serial, ParallelPort& parallel, VoiceTimers& timers);

  VoiceSettings& settings() { return settings_; }
  const VoiceSettings& settings() const { return settings_; }
  void SetRepeatPeriodMs(int ms) { repeat_period_ms_ = ms; }
  int RepeatPeriodMs() const { return repeat_period_ms_; }

  // Before the PTT port is opened: the CW keyer and WinKey give it up.
  void OnReleaseOtherPorts(std::function<void()> f) { release_other_ports_ = std::move(f); }
  // The PTT port would not open (the window shows its message).
  void OnInvalidPort(std::function<void()> f) { invalid_port_ = std::move(f); }
  // A playing failed for want of a sound device.
  void OnNoAudio(std::function<void(const std::string&)> f) { no_audio_ = std::move(f); }

  // Plays the message of key code 112..120 (F1..F9); other codes play
  // nothing. True when a file started playing.
  bool FKeyPhone(int code);
  // The 40 ms poll: at the end of a playing, PTT off and the repeat armed.
  void PollTick();
  void RepeatFired();

  bool IsPlaying() const { return player_.IsPlaying(); }
  // Esc: stops a playing; PTT goes off at the next poll. False when nothing
  // was playing, so the key does its usual work.
  bool StopPlaying();
  // Any main-window key: the F1 message is not played again.
  void StopRepeating();
  bool VoiceRepeatArmed() const { return repeat_armed_; }

  // Opens the PTT serial port (when a port is set), taking it from the CW
  // keyer and WinKey first. False when it did not open.
  bool OpenPttPort();
  // For the CW keyer and WinKey before they open the same serial port: the
  // PTT line goes off and the port is closed; the next playing reopens it.
  void ReleasePttPort();
  bool PttPortOpen() const { return serial_.IsOpen(); }
  bool PttOn() const { return ptt_.serial_dtr || ptt_.serial_rts || ptt_.parallel; }

  // Window closed or program ending: stop, PTT off, port closed.
  void Shutdown();

 private:
  void PttOnNow();
  void PttOff();

  WavePlayer& player_;
  SerialPort& serial_;
  ParallelPort& parallel_;
  VoiceTimers& timers_;
  VoiceSettings settings_;
  int repeat_period_ms_ = 0;
  bool repeat_armed_ = false;
  // What was switched on, so exactly that goes off even when the settings
  // change during a playing.
  struct Ptt {
    bool serial_dtr = false;
    bool serial_rts = false;
    bool parallel = false;
    std::uint16_t control_address = 0;
  } ptt_;
  std::function<void()> release_other_ports_;
  std::function<void()> invalid_port_;
  std::function<void(const std::string&)> no_audio_;
};

}  // namespace vantrel

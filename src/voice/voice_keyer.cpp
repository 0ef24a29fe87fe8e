#include "voice/voice_keyer.h"

namespace vantrel {

namespace {
// The parallel port's control register: bit 0 keys, bit 1 stays set.
constexpr std::uint8_t kParallelKeyed = 3;
constexpr std::uint8_t kParallelReleased = 2;
}  // namespace

VoiceKeyer::VoiceKeyer(WavePlayer& player, SerialPort& serial, ParallelPort& parallel,
                       VoiceTimers& timers)
    : player_(player), serial_(serial), parallel_(parallel), timers_(timers) {}

bool VoiceKeyer::FKeyPhone(int code) {
  player_.Close();
  if (code < kVoiceKeyF1 || code > kVoiceKeyF9) return false;
  const std::string path(
      TrimBlanksAndTabs(settings_.files[static_cast<std::size_t>(code - kVoiceKeyF1)]));
  if (code == kVoiceKeyF1 && repeat_period_ms_ > 0) repeat_armed_ = true;
  if (path.empty()) {
    // A key cutting off a playing with nothing of its own still ends it.
    if (PttOn()) PollTick();
    return false;
  }
  PttOnNow();
  PlayResult result = player_.Open(path);
  if (result) result = player_.Play();
  if (!result) {
    // The line must not stay on for a file that never plays.
    timers_.StopPoll();
    PttOff();
    if (result.kind == PlayResult::Kind::kNoDevice && no_audio_) no_audio_(result.error);
    return false;
  }
  timers_.StartPoll();
  return true;
}

void VoiceKeyer::PollTick() {
  if (player_.IsPlaying()) return;
  timers_.StopPoll();
  PttOff();
  if (repeat_armed_) timers_.StartRepeat(repeat_period_ms_);
}

void VoiceKeyer::RepeatFired() {
  timers_.StopRepeat();
  FKeyPhone(kVoiceKeyF1);
}

bool VoiceKeyer::StopPlaying() {
  if (!player_.IsPlaying()) return false;
  player_.Stop();
  return true;
}

void VoiceKeyer::StopRepeating() {
  if (!repeat_armed_) return;
  repeat_armed_ = false;
  timers_.StopRepeat();
}

bool VoiceKeyer::OpenPttPort() {
  const int number = PttPortNumber(settings_.port);
  if (number <= 0) return true;
  if (release_other_ports_) release_other_ports_();
  if (serial_.IsOpen()) {
    ptt_.serial_dtr = ptt_.serial_rts = false;
    serial_.Close();
  }
  serial_.SetPortNumber(number);
  serial_.SetDtr(false);
  serial_.SetRts(false);
  if (serial_.Open()) return true;
  if (invalid_port_) invalid_port_();
  return false;
}

void VoiceKeyer::ReleasePttPort() {
  if (!serial_.IsOpen()) return;
  if (ptt_.serial_dtr) serial_.SetDtr(false);
  if (ptt_.serial_rts) serial_.SetRts(false);
  ptt_.serial_dtr = ptt_.serial_rts = false;
  serial_.Close();
}

void VoiceKeyer::Shutdown() {
  timers_.StopPoll();
  timers_.StopRepeat();
  repeat_armed_ = false;
  player_.Close();
  PttOff();
  serial_.Close();
}

void VoiceKeyer::PttOnNow() {
  if (PttPortNumber(settings_.port) > 0) {
    if (!serial_.IsOpen()) OpenPttPort();
    if (serial_.IsOpen()) {
      // A port shared with the other keyers may still hold the other line.
      if (settings_.line == PttLine::kDtr) {
        ptt_.serial_dtr = true;
        serial_.SetDtr(true);
      } else {
        ptt_.serial_rts = true;
        serial_.SetRts(true);
      }
    }
  }
  if (settings_.line == PttLine::kParallel) {
    if (const auto base = ParseIoAddress(settings_.parallel); base && *base <= 0xFFFD) {
      ptt_.parallel = true;
      ptt_.control_address = static_cast<std::uint16_t>(*base + 2);
      parallel_.Write(ptt_.control_address, kParallelKeyed);
    }
  }
}

void VoiceKeyer::PttOff() {
  if (serial_.IsOpen()) {
    if (ptt_.serial_dtr) serial_.SetDtr(false);
    if (ptt_.serial_rts) serial_.SetRts(false);
  }
  ptt_.serial_dtr = ptt_.serial_rts = false;
  if (ptt_.parallel) parallel_.Write(ptt_.control_address, kParallelReleased);
  ptt_.parallel = false;
}

}  // namespace vantrel

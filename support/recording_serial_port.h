// A serial port that records what its owner does with it and plays the
// device's side by hand: bytes arriving, a refused Open, a pulled cable.
// For the checks a pseudo-terminal cannot make (DTR and RTS, which it does
// not have) and for owners tested without an event loop.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/ports.h"

namespace vantrel {

class RecordingSerialPort : public SerialPort {
 public:
  void SetPortNumber(int number) override { number_ = number; }
  int PortNumber() const override { return number_; }
  void SetSettings(std::string_view settings) override { settings_ = std::string(settings); }
  std::string Settings() const override { return settings_; }
  void SetHandshaking(Handshaking handshaking) override { handshaking_ = handshaking; }
  Handshaking GetHandshaking() const override { return handshaking_; }

  OpenResult Open() override {
    if (open_) return OpenResult::Failure("already open");
    if (!ParseSerialSettings(settings_)) return OpenResult::Failure("bad settings");
    if (!refuse_open.empty()) return OpenResult::Failure(refuse_open);
    open_ = true;
    events.push_back("open COM" + std::to_string(number_) + " " + settings_);
    ArmFailureReport();
    return OpenResult::Success();
  }
  void Close() override {
    if (open_) events.push_back("close");
    open_ = false;
    dtr = rts = false;
    input_.clear();
  }
  bool IsOpen() const override { return open_; }

  bool SetDtr(bool on) override {
    dtr = on;
    events.push_back(on ? "DTR on" : "DTR off");
    return true;
  }
  bool SetRts(bool on) override {
    rts = on;
    events.push_back(on ? "RTS on" : "RTS off");
    return true;
  }

  bool Write(std::string_view bytes) override {
    if (!open_) return false;
    written += bytes;
    return true;
  }
  using SerialPort::Write;
  std::string ReadAvailable() override { return std::exchange(input_, {}); }
  std::size_t CountAvailable() const override { return input_.size(); }
  std::size_t PendingOutput() const override { return pending_output; }

  // The device's side.
  void Arrive(std::string_view bytes) {
    if (!open_) return;
    input_ += bytes;
    ReportDataArrived();
  }
  void Vanish(const std::string& why = "the device was removed") {
    if (!open_) return;
    Close();
    ReportFailure(why);
  }
  // Reports a failure without closing, as a second error on a dying port.
  void ReportAgain(const std::string& why) { ReportFailure(why); }

  std::string refuse_open;  // non-empty: Open fails with this text
  std::size_t pending_output = 0;
  std::string written;
  std::vector<std::string> events;
  bool dtr = false;
  bool rts = false;

 private:
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
  Handshaking handshaking_ = Handshaking::kNone;
  bool open_ = false;
  std::string input_;
};

}  // namespace vantrel

// The serial port through QtSerialPort, event-driven: bytes are read as the
// event loop sees them arrive, never by waiting. The port number becomes a
// device through ComPortMap at each Open.
//
// Responsibilities: open with the settings string and handshaking; lines,
// writes, reads and queue counts; turn device errors into one failure report
// and a closed port.
// Collaborations: ComPortMap (COM number to device), the window that owns
// the port (callbacks on the UI thread).
#pragma once

#include <QSerialPort>
#include <cstdint>

#include "common/ports.h"
#include "platform/com_port_map.h"

namespace vantrel {

class QtSerialPort : public SerialPort {
 public:
  explicit QtSerialPort(const ComPortMap& map);
  ~QtSerialPort() override;
  QtSerialPort(const QtSerialPort&) = delete;
  QtSerialPort& operator=(const QtSerialPort&) = delete;

  void SetPortNumber(int number) override { number_ = number; }
  int PortNumber() const override { return number_; }
  void SetSettings(std::string_view settings) override { settings_ = std::string(settings); }
  std::string Settings() const override { return settings_; }
  void SetHandshaking(Handshaking handshaking) override { handshaking_ = handshaking; }
  Handshaking GetHandshaking() const override { return handshaking_; }

  OpenResult Open() override;
  void Close() override;
  bool IsOpen() const override;

  // The kernel raises both lines when it opens the device; applying the
  // kept state right after means a line meant to stay off drops at once.
  bool SetDtr(bool on) override;
  bool SetRts(bool on) override;

  bool Write(std::string_view bytes) override;
  using SerialPort::Write;
  std::string ReadAvailable() override;
  std::size_t CountAvailable() const override;
  std::size_t PendingOutput() const override;

  // The open device's descriptor, or -1. For a keying line that dup()s it
  // and switches modem lines from its own thread; never read or write it.
  int NativeHandle() const { return port_.isOpen() ? int(port_.handle()) : -1; }

  // The device the last Open used, for messages.
  const std::string& DevicePath() const { return device_; }

 private:
  void OnError(QSerialPort::SerialPortError error);
  bool ApplyDtr();
  bool ApplyRts();

  const ComPortMap& map_;
  QSerialPort port_;
  int number_ = 1;
  std::string settings_ = "9600,N,8,1";
  Handshaking handshaking_ = Handshaking::kNone;
  bool dtr_ = false;
  bool rts_ = false;
  std::string device_;
  // Counts Opens, so a failure queued for an earlier session cannot close
  // a port that has been reopened since.
  std::uint64_t session_ = 0;
};

}  // namespace vantrel

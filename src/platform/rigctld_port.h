// A connection to Hamlib's rigctld that stands in for the rig's serial port,
// so the poll timer, the tuning steps, Test, End Test and Done, the tune
// window and the command test window drive a networked radio exactly as they
// drive a serial one.
//
// Responsibilities: connect through QTcpSocket without waiting; hold writes
// made while connecting; count the commands still owed an answer and report
// them as queued output, so a poll is skipped and a tuning step waits while
// the daemon is busy rather than piling requests up behind a slow radio;
// turn a refused connection, a lost one, a connection that never completes
// and a daemon that stops answering into one failure naming host and port.
// Collaborations: rig/rigctld (answer counting); the rig window, which owns
// one beside its serial port and picks it for the "Hamlib rigctld" type.
//
// Open only starts the connection: a daemon that is not running is known a
// moment later, from the event loop, through OnFailed. The serial items
// (number, settings, handshaking, lines) are kept but mean nothing here.
#pragma once

#include <QTcpSocket>
#include <QTimer>
#include <string>

#include "common/ports.h"
#include "rig/rigctld.h"

namespace vantrel {

class RigctldPort : public SerialPort {
 public:
  RigctldPort();
  ~RigctldPort() override;
  RigctldPort(const RigctldPort&) = delete;
  RigctldPort& operator=(const RigctldPort&) = delete;

  // Takes effect at the next Open.
  void SetEndpoint(std::string host, int port);
  // How long a connection may take, and how long the daemon may stay silent
  // while it owes an answer, before the connection counts as failed.
  void SetTimeouts(int connect_ms, int answer_ms);
  // "localhost:4532", for messages.
  std::string Endpoint() const;

  void SetPortNumber(int number) override { number_ = number; }
  int PortNumber() const override { return number_; }
  void SetSettings(std::string_view settings) override { settings_ = std::string(settings); }
  std::string Settings() const override { return settings_; }
  void SetHandshaking(Handshaking handshaking) override { handshaking_ = handshaking; }
  Handshaking GetHandshaking() const override { return handshaking_; }

  // Fails at once only for an empty host or a port outside 1..65535.
  OpenResult Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  bool SetDtr(bool) override { return false; }
  bool SetRts(bool) override { return false; }

  bool Write(std::string_view bytes) override;
  using SerialPort::Write;
  std::string ReadAvailable() override;
  std::size_t CountAvailable() const override { return received_.size(); }
  // Bytes not yet sent plus one per command not yet answered.
  std::size_t PendingOutput() const override;

 private:
  void Fail(const std::string& why);
  void OnConnected();
  void OnReadyRead();

  QTcpSocket socket_;
  QTimer connect_timer_;
  QTimer answer_timer_;
  std::string host_{kRigctldDefaultHost};
  int port_ = kRigctldDefaultPort;
  int number_ = 1;
  std::string settings_;
  Handshaking handshaking_ = Handshaking::kNone;
  bool open_ = false;
  std::string unsent_;  // written while the connection was still being made
  std::string received_;
  int awaiting_ = 0;
  std::string last_failure_;
  RigctldAnswerCounter answers_;
};

}  // namespace vantrel

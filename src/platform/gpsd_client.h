// A client of gpsd's JSON protocol over TCP: connects, asks for the watch
// stream, hands each report line on decoded, and keeps trying while gpsd
// is away.
//
// Responsibilities: the socket, line assembly across reads, the watch
// request, reconnecting on a timer, and a silence limit after which a
// position counts as lost.
// Collaborations: contest/rover_gps (the decoder and the watch the window
// feeds); the main window's rover panel owns one while the option is on.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTcpSocket>
#include <QTimer>

#include "contest/rover_gps.h"

namespace vantrel {

class GpsdClient : public QObject {
  Q_OBJECT

 public:
  static constexpr quint16 kDefaultPort = 2947;
  // The watch request: JSON reports, no NMEA pass-through.
  static constexpr const char* kWatch = "?WATCH={\"enable\":true,\"json\":true}\n";

  GpsdClient(QString host, quint16 port, QObject* parent = nullptr);

  void Start();
  void Stop();
  bool connected() const { return socket_->state() == QAbstractSocket::ConnectedState; }

  // How long to wait before the next attempt after gpsd went away.
  void set_retry_ms(int ms) { retry_->setInterval(ms); }
  // A receiver that stops reporting is no fix: no silent stale position.
  void set_silence_ms(int ms) { silence_->setInterval(ms); }

 signals:
  void ReportReceived(const vantrel::GpsdReport& report);
  // gpsd could not be reached or the connection ended; a retry is due.
  void LinkLost();

 private:
  void Connected();
  void ReadLines();
  void Gone();

  QString host_;
  quint16 port_;
  QTcpSocket* socket_;
  QTimer* retry_;
  QTimer* silence_;
  QByteArray pending_;
  bool running_ = false;
};

}  // namespace vantrel

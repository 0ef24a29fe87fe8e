// One TCP connection of the spotting window: a cluster node's Telnet port
// or a packet engine's API port. Event-driven on the UI thread: connecting,
// sending and receiving never wait.
//
// Responsibilities: connect, send, hand over received bytes as they arrive,
// and report failures as the socket error numbers the window's texts are
// keyed by.
// Collaborations: QTcpSocket; the spotting window sets the callbacks.
#pragma once

#include <QAbstractSocket>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QTcpSocket;

namespace vantrel {

// The socket error number of a Qt socket error (10061 for a refused
// connection, 11001 for an unknown host, ...).
int SocketErrorNumber(QAbstractSocket::SocketError error);

class TcpLink : public QObject {
  Q_OBJECT

 public:
  explicit TcpLink(QObject* parent = nullptr);
  ~TcpLink() override;

  // Any earlier connection is dropped first.
  void Connect(const QString& host, quint16 port);
  // Sends what is queued as far as the socket takes it without waiting.
  void Close();
  bool Connected() const;
  // False unless connected.
  bool Send(std::string_view bytes);

  std::function<void()> on_connected;
  std::function<void(const std::string& bytes)> on_data;
  // A failure: the socket error number.
  std::function<void(int number)> on_error;
  // The other side closed the connection.
  std::function<void()> on_closed;

 private:
  QTcpSocket* socket_;
};

}  // namespace vantrel

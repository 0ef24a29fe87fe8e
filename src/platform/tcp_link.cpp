#include "platform/tcp_link.h"

#include <QTcpSocket>

namespace vantrel {

int SocketErrorNumber(QAbstractSocket::SocketError error) {
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
      return 10061;
    case QAbstractSocket::RemoteHostClosedError:
      return 10054;
    case QAbstractSocket::HostNotFoundError:
      return 11001;
    case QAbstractSocket::SocketAccessError:
      return 10013;
    case QAbstractSocket::SocketResourceError:
      return 10055;
    case QAbstractSocket::SocketTimeoutError:
      return 10060;
    case QAbstractSocket::DatagramTooLargeError:
      return 10040;
    case QAbstractSocket::NetworkError:
      return 10050;
    case QAbstractSocket::AddressInUseError:
      return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError:
      return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError:
      return 10045;
    case QAbstractSocket::UnfinishedSocketOperationError:
      return 10036;
    case QAbstractSocket::OperationError:
      return 10056;
    case QAbstractSocket::TemporaryError:
      return 10035;
    case QAbstractSocket::ProxyConnectionRefusedError:
    case QAbstractSocket::ProxyConnectionClosedError:
    case QAbstractSocket::ProxyConnectionTimeoutError:
    case QAbstractSocket::ProxyNotFoundError:
    case QAbstractSocket::ProxyProtocolError:
    case QAbstractSocket::ProxyAuthenticationRequiredError:
      return 10053;
    default:
      return 10050;
  }
}

TcpLink::TcpLink(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
  // Spot traffic is small lines; waiting to fill a segment only delays them.
  socket_->setSocketOption(QAbstractSocket::LowDelayOption, 1);
  connect(socket_, &QTcpSocket::connected, this, [this] {
    if (on_connected) on_connected();
  });
  connect(socket_, &QTcpSocket::readyRead, this, [this] {
    const QByteArray bytes = socket_->readAll();
    if (!bytes.isEmpty() && on_data) on_data(bytes.toStdString());
  });
  connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
    if (e == QAbstractSocket::RemoteHostClosedError) {
      if (on_closed) on_closed();
      return;
    }
    if (on_error) on_error(SocketErrorNumber(e));
  });
}

TcpLink::~TcpLink() {
  socket_->disconnect(this);
}

void TcpLink::Connect(const QString& host, quint16 port) {
  socket_->abort();
  socket_->connectToHost(host, port);
}

void TcpLink::Close() {
  if (socket_->state() == QAbstractSocket::ConnectedState) socket_->flush();
  socket_->abort();
}

bool TcpLink::Connected() const {
  return socket_->state() == QAbstractSocket::ConnectedState;
}

bool TcpLink::Send(std::string_view bytes) {
  if (!Connected()) return false;
  return socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) ==
         static_cast<qint64>(bytes.size());
}

}  // namespace vantrel

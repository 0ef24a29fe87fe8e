#include "platform/qt_serial_port.h"

#include <sys/ioctl.h>
#include <termios.h>

#include <QMetaObject>

namespace vantrel {

namespace {

QSerialPort::Parity ToQt(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return QSerialPort::OddParity;
    case Parity::kEven:
      return QSerialPort::EvenParity;
    case Parity::kNone:
      break;
  }
  return QSerialPort::NoParity;
}

std::string Text(const QString& s) {
  return s.toLocal8Bit().toStdString();
}

}  // namespace

QtSerialPort::QtSerialPort(const ComPortMap& map) : map_(map) {
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { ReportDataArrived(); });
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError error) { OnError(error); });
}

QtSerialPort::~QtSerialPort() {
  // No callback may run into an owner that is going away.
  QObject::disconnect(&port_, nullptr, nullptr, nullptr);
  if (port_.isOpen()) port_.close();
}

OpenResult QtSerialPort::Open() {
  if (port_.isOpen()) return OpenResult::Failure("The port is already open.");
  const auto settings = ParseSerialSettings(settings_);
  if (!settings) return OpenResult::Failure("Invalid port settings \"" + settings_ + "\".");
  device_ = map_.DevicePath(number_);
  if (device_.empty())
    return OpenResult::Failure("COM" + std::to_string(number_) + " is not a port number.");

  port_.setPortName(QString::fromLocal8Bit(device_.c_str()));
  port_.setBaudRate(qint32(settings->baud));
  port_.setParity(ToQt(settings->parity));
  port_.setDataBits(settings->data_bits == 7 ? QSerialPort::Data7 : QSerialPort::Data8);
  port_.setStopBits(settings->stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
  switch (handshaking_) {
    case Handshaking::kNone:
      port_.setFlowControl(QSerialPort::NoFlowControl);
      break;
    case Handshaking::kXonXoff:
      port_.setFlowControl(QSerialPort::SoftwareControl);
      break;
    case Handshaking::kRtsCts:
    case Handshaking::kRtsCtsXonXoff:
      port_.setFlowControl(QSerialPort::HardwareControl);
      break;
  }
  ++session_;
  if (!port_.open(QIODevice::ReadWrite)) {
    const std::string why = device_ + ": " + Text(port_.errorString());
    port_.clearError();
    return OpenResult::Failure(why);
  }
  if (handshaking_ == Handshaking::kRtsCtsXonXoff) {
    // QSerialPort offers one kind of flow control; the XON/XOFF half of
    // "both" goes straight into the line settings.
    termios tio{};
    const int fd = int(port_.handle());
    if (::tcgetattr(fd, &tio) == 0) {
      tio.c_iflag |= IXON | IXOFF;
      ::tcsetattr(fd, TCSANOW, &tio);
    }
  }
  // The open raised DTR and RTS; leave them as the owner asked. Devices
  // without modem lines (USB bridges without them, pseudo-terminals) refuse
  // quietly.
  ApplyDtr();
  if (handshaking_ == Handshaking::kNone || handshaking_ == Handshaking::kXonXoff) ApplyRts();
  port_.clearError();
  ArmFailureReport();
  return OpenResult::Success();
}

void QtSerialPort::Close() {
  ++session_;  // a failure still queued belongs to the session closed here
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool QtSerialPort::IsOpen() const {
  return port_.isOpen();
}

bool QtSerialPort::ApplyDtr() {
  const bool ok = port_.setDataTerminalReady(dtr_);
  port_.clearError();
  return ok;
}

bool QtSerialPort::ApplyRts() {
  const bool ok = port_.setRequestToSend(rts_);
  port_.clearError();
  return ok;
}

bool QtSerialPort::SetDtr(bool on) {
  dtr_ = on;
  return port_.isOpen() ? ApplyDtr() : true;
}

bool QtSerialPort::SetRts(bool on) {
  rts_ = on;
  return port_.isOpen() ? ApplyRts() : true;
}

bool QtSerialPort::Write(std::string_view bytes) {
  if (!port_.isOpen()) return false;
  if (bytes.empty()) return true;
  const qint64 written = port_.write(bytes.data(), qint64(bytes.size()));
  if (written != qint64(bytes.size())) return false;
  // Hand the bytes to the driver now rather than at the next event-loop pass.
  port_.flush();
  return true;
}

std::string QtSerialPort::ReadAvailable() {
  if (!port_.isOpen()) return {};
  const QByteArray data = port_.readAll();
  return std::string(data.constData(), size_t(data.size()));
}

std::size_t QtSerialPort::CountAvailable() const {
  return port_.isOpen() ? std::size_t(port_.bytesAvailable()) : 0;
}

std::size_t QtSerialPort::PendingOutput() const {
  if (!port_.isOpen()) return 0;
  std::size_t pending = std::size_t(port_.bytesToWrite());
  // Bytes already in the driver's queue but not yet on the wire.
  int queued = 0;
  if (::ioctl(int(port_.handle()), TIOCOUTQ, &queued) == 0 && queued > 0)
    pending += std::size_t(queued);
  return pending;
}

void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
  switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::DeviceNotFoundError:
      break;
    default:
      return;  // a refused line or setting: the port is still usable
  }
  if (!port_.isOpen()) return;  // an Open that failed answers for itself
  // Qt's own text can carry a stale system error here (a hang-up reads as
  // end of file), so the report says what happened in plain words.
  const std::string why = device_ + (error == QSerialPort::WriteError
                                         ? ": writing failed; the device was removed or stopped."
                                         : ": the device was removed or stopped.");
  // Closing inside QSerialPort's own notification is unsafe; close and
  // report from the event loop instead.
  const std::uint64_t session = session_;
  QMetaObject::invokeMethod(
      &port_,
      [this, session, why] {
        if (session != session_) return;
        if (port_.isOpen()) port_.close();
        port_.clearError();
        ReportFailure(why);
      },
      Qt::QueuedConnection);
}

}  // namespace vantrel

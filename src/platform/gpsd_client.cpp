#include "platform/gpsd_client.h"

namespace vantrel {

namespace {

// gpsd's longest reports (SKY with many satellites) stay well below this; a
// stream without line ends beyond it is not gpsd, and is dropped.
constexpr qsizetype kMaxLine = 64 * 1024;

}  // namespace

GpsdClient::GpsdClient(QString host, quint16 port, QObject* parent)
    : QObject(parent),
      host_(std::move(host)),
      port_(port),
      socket_(new QTcpSocket(this)),
      retry_(new QTimer(this)),
      silence_(new QTimer(this)) {
  retry_->setSingleShot(true);
  retry_->setInterval(3000);
  silence_->setSingleShot(true);
  silence_->setInterval(10000);
  connect(socket_, &QTcpSocket::connected, this, &GpsdClient::Connected);
  connect(socket_, &QTcpSocket::readyRead, this, &GpsdClient::ReadLines);
  connect(socket_, &QTcpSocket::disconnected, this, &GpsdClient::Gone);
  connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
    // A refused or failed connect never reaches "disconnected".
    if (socket_->state() != QAbstractSocket::ConnectedState) Gone();
  });
  connect(retry_, &QTimer::timeout, this, [this] {
    if (running_ && socket_->state() == QAbstractSocket::UnconnectedState)
      socket_->connectToHost(host_, port_);
  });
  connect(silence_, &QTimer::timeout, this, [this] {
    GpsdReport quiet;
    quiet.kind = GpsdReportKind::kNoFix;
    emit ReportReceived(quiet);
  });
}

void GpsdClient::Start() {
  running_ = true;
  if (socket_->state() == QAbstractSocket::UnconnectedState) socket_->connectToHost(host_, port_);
}

void GpsdClient::Stop() {
  running_ = false;
  retry_->stop();
  silence_->stop();
  socket_->abort();
  pending_.clear();
}

void GpsdClient::Connected() {
  pending_.clear();
  socket_->write(kWatch);
  silence_->start();
}

void GpsdClient::ReadLines() {
  pending_ += socket_->readAll();
  qsizetype from = 0;
  for (qsizetype nl = pending_.indexOf('\n'); nl >= 0; nl = pending_.indexOf('\n', from)) {
    const QByteArray line = pending_.mid(from, nl - from);
    from = nl + 1;
    const GpsdReport report =
        DecodeGpsdReport(std::string_view(line.constData(), static_cast<size_t>(line.size())));
    if (report.kind == GpsdReportKind::kFix || report.kind == GpsdReportKind::kNoFix)
      silence_->start();
    emit ReportReceived(report);
    if (!running_) return;  // a receiver may stop us
  }
  pending_.remove(0, from);
  if (pending_.size() > kMaxLine) pending_.clear();
}

void GpsdClient::Gone() {
  silence_->stop();
  pending_.clear();
  if (!running_) return;
  if (!retry_->isActive()) {
    retry_->start();
    emit LinkLost();
  }
}

}  // namespace vantrel

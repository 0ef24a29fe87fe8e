#include "platform/rigctld_port.h"

#include <algorithm>

namespace vantrel {

namespace {

constexpr int kConnectTimeoutMs = 5000;
constexpr int kAnswerTimeoutMs = 10000;

}  // namespace

RigctldPort::RigctldPort() {
  connect_timer_.setSingleShot(true);
  connect_timer_.setInterval(kConnectTimeoutMs);
  answer_timer_.setSingleShot(true);
  answer_timer_.setInterval(kAnswerTimeoutMs);
  QObject::connect(&socket_, &QTcpSocket::connected, [this] { OnConnected(); });
  QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { OnReadyRead(); });
  QObject::connect(&socket_, &QAbstractSocket::errorOccurred, [this](QAbstractSocket::SocketError) {
    if (open_) Fail(socket_.errorString().toStdString());
  });
  QObject::connect(&connect_timer_, &QTimer::timeout, [this] {
    Fail("no connection after " + std::to_string(connect_timer_.interval()) + " ms");
  });
  QObject::connect(&answer_timer_, &QTimer::timeout, [this] {
    Fail("no answer for " + std::to_string(answer_timer_.interval()) + " ms");
  });
}

RigctldPort::~RigctldPort() {
  QObject::disconnect(&socket_, nullptr, nullptr, nullptr);
  socket_.abort();
}

void RigctldPort::SetEndpoint(std::string host, int port) {
  host_ = std::move(host);
  port_ = port;
}

void RigctldPort::SetTimeouts(int connect_ms, int answer_ms) {
  connect_timer_.setInterval(connect_ms);
  answer_timer_.setInterval(answer_ms);
}

std::string RigctldPort::Endpoint() const {
  return host_ + ":" + std::to_string(port_);
}

OpenResult RigctldPort::Open() {
  Close();
  if (host_.empty() || port_ < 1 || port_ > 65535)
    return OpenResult::Failure("rigctld at " + Endpoint() + ": not a host and port");
  ArmFailureReport();
  open_ = true;
  last_failure_.clear();
  socket_.connectToHost(QString::fromStdString(host_), static_cast<quint16>(port_));
  // Some errors come back before connectToHost returns; the caller then
  // hears of them here, when nobody polls yet to be told.
  if (!open_) return OpenResult::Failure(last_failure_);
  connect_timer_.start();
  return OpenResult::Success();
}

void RigctldPort::Close() {
  open_ = false;
  connect_timer_.stop();
  answer_timer_.stop();
  socket_.abort();
  unsent_.clear();
  received_.clear();
  awaiting_ = 0;
  answers_.Reset();
}

bool RigctldPort::Write(std::string_view bytes) {
  if (!open_) return false;
  if (bytes.empty()) return true;
  const int commands = RigctldCommandsAwaitingAnswer(bytes);
  if (commands > 0 && awaiting_ == 0) answer_timer_.start();
  awaiting_ += commands;
  if (socket_.state() != QAbstractSocket::ConnectedState) {
    unsent_ += bytes;
    return true;
  }
  if (socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0) {
    Fail(socket_.errorString().toStdString());
    return false;
  }
  return true;
}

std::string RigctldPort::ReadAvailable() {
  std::string out;
  out.swap(received_);
  return out;
}

std::size_t RigctldPort::PendingOutput() const {
  if (!open_) return 0;
  return unsent_.size() + static_cast<std::size_t>(std::max<qint64>(0, socket_.bytesToWrite())) +
         static_cast<std::size_t>(awaiting_);
}

void RigctldPort::OnConnected() {
  connect_timer_.stop();
  if (unsent_.empty()) return;
  const std::string bytes = std::exchange(unsent_, {});
  if (socket_.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
    Fail(socket_.errorString().toStdString());
}

void RigctldPort::OnReadyRead() {
  const QByteArray bytes = socket_.readAll();
  if (!open_ || bytes.isEmpty()) return;
  const std::string_view view(bytes.constData(), static_cast<size_t>(bytes.size()));
  received_ += view;
  awaiting_ = std::max(0, awaiting_ - answers_.Feed(view));
  if (awaiting_ == 0)
    answer_timer_.stop();
  else
    answer_timer_.start();  // still answering: the silence starts again
  ReportDataArrived();
}

void RigctldPort::Fail(const std::string& why) {
  last_failure_ = "rigctld at " + Endpoint() + ": " + why;
  Close();
  ReportFailure(last_failure_);
}

}  // namespace vantrel

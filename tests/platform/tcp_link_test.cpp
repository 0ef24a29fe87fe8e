#include "platform/tcp_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "spots/tcp_error_text.h"

namespace vantrel {
namespace {

constexpr int kWaitMs = 5000;

void EnsureApp() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

TEST(TcpLink, ErrorNumbersOfTheCommonFailures) {
  EXPECT_EQ(TcpErrorText(SocketErrorNumber(QAbstractSocket::ConnectionRefusedError)),
            "ERROR: Connection is forcefully rejected.");
  EXPECT_EQ(TcpErrorText(SocketErrorNumber(QAbstractSocket::HostNotFoundError)),
            "ERROR: Authoritative answer: Host not found.");
  EXPECT_EQ(TcpErrorText(SocketErrorNumber(QAbstractSocket::SocketTimeoutError)),
            "ERROR: Socket has been shut down.");
}

TEST(TcpLink, RefusedConnectionReportsItsNumberAndALiveOneCarriesBytesBothWays) {
  EnsureApp();
  // A port that was just free: nothing listens there.
  quint16 closed_port = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    closed_port = probe.serverPort();
  }
  TcpLink link;
  int error = 0;
  link.on_error = [&](int n) { error = n; };
  link.Connect("127.0.0.1", closed_port);
  ASSERT_TRUE(QTest::qWaitFor([&] { return error != 0; }, kWaitMs));
  EXPECT_EQ(error, 10061);

  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  bool connected = false, closed = false;
  std::string received;
  link.on_connected = [&] { connected = true; };
  link.on_data = [&](const std::string& b) { received += b; };
  link.on_closed = [&] { closed = true; };
  EXPECT_FALSE(link.Send("early"));
  link.Connect("127.0.0.1", server.serverPort());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return connected && server.hasPendingConnections(); }, kWaitMs));
  QTcpSocket* peer = server.nextPendingConnection();
  EXPECT_TRUE(link.Send("N0CALL\r\n"));
  QByteArray heard;
  ASSERT_TRUE(QTest::qWaitFor([&] { return (heard += peer->readAll()) == "N0CALL\r\n"; }, kWaitMs));
  peer->write(QByteArray("a\0b", 3));
  ASSERT_TRUE(QTest::qWaitFor([&] { return received == std::string("a\0b", 3); }, kWaitMs));
  peer->disconnectFromHost();
  ASSERT_TRUE(QTest::qWaitFor([&] { return closed; }, kWaitMs));
  EXPECT_FALSE(link.Connected());
}

}  // namespace
}  // namespace vantrel

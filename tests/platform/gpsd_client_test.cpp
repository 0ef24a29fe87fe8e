// The gpsd client against a loopback server standing in for gpsd: the watch
// request, report lines cut across reads, gpsd going away and coming back,
// and a receiver that falls silent.
#include "platform/gpsd_client.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <vector>

namespace vantrel {
namespace {

constexpr int kWaitMs = 5000;

void EnsureApplication() {
  static int argc = 1;
  static char name[] = "test_platform";
  static char* argv[] = {name, nullptr};
  if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

class GpsdClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureApplication();
    ASSERT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
    client_ = std::make_unique<GpsdClient>("127.0.0.1", server_.serverPort());
    client_->set_retry_ms(50);
    QObject::connect(client_.get(), &GpsdClient::ReportReceived,
                     [this](const GpsdReport& r) { reports_.push_back(r); });
    QObject::connect(client_.get(), &GpsdClient::LinkLost, [this] { ++lost_; });
  }
  // The next connection, once its watch request has arrived whole.
  QTcpSocket* Accept() {
    if (!QTest::qWaitFor([this] { return server_.hasPendingConnections(); }, kWaitMs))
      return nullptr;
    QTcpSocket* s = server_.nextPendingConnection();
    if (!QTest::qWaitFor([s] { return s->canReadLine(); }, kWaitMs)) return nullptr;
    request_ = s->readLine();
    return s;
  }
  void Send(QTcpSocket* s, const char* bytes) {
    s->write(bytes);
    s->flush();
  }

  QTcpServer server_;
  std::unique_ptr<GpsdClient> client_;
  std::vector<GpsdReport> reports_;
  int lost_ = 0;
  QByteArray request_;
};

TEST_F(GpsdClientTest, WatchesAndAssemblesLinesCutAcrossReads) {
  client_->Start();
  QTcpSocket* gpsd = Accept();
  ASSERT_NE(gpsd, nullptr);
  EXPECT_EQ(request_, QByteArray(GpsdClient::kWatch));
  Send(gpsd, "{\"class\":\"VERSION\",\"release\":\"3.22\"}\n{\"class\":\"TPV\",\"mode\":3,\"la");
  ASSERT_TRUE(QTest::qWaitFor([this] { return reports_.size() == 1; }, kWaitMs));
  QTest::qWait(20);
  EXPECT_EQ(reports_.size(), 1u) << "half a line is not a report";
  Send(gpsd, "t\":41.01,\"lon\":-75.5}\r\nnot json\n");
  ASSERT_TRUE(QTest::qWaitFor([this] { return reports_.size() == 3; }, kWaitMs));
  EXPECT_EQ(reports_[0].kind, GpsdReportKind::kVersion);
  EXPECT_EQ(reports_[1].kind, GpsdReportKind::kFix);
  EXPECT_DOUBLE_EQ(reports_[1].latitude, 41.01);
  EXPECT_EQ(reports_[2].kind, GpsdReportKind::kGarbage);
  EXPECT_EQ(lost_, 0);
}

TEST_F(GpsdClientTest, GpsdGoingAwayIsReportedAndTheClientComesBack) {
  client_->Start();
  QTcpSocket* first = Accept();
  ASSERT_NE(first, nullptr);
  first->disconnectFromHost();
  ASSERT_TRUE(QTest::qWaitFor([this] { return lost_ == 1; }, kWaitMs));
  QTcpSocket* second = Accept();
  ASSERT_NE(second, nullptr) << "no reconnect";
  EXPECT_EQ(request_, QByteArray(GpsdClient::kWatch));
  Send(second, "{\"class\":\"TPV\",\"mode\":2,\"lat\":41.01,\"lon\":-75.5}\n");
  ASSERT_TRUE(QTest::qWaitFor([this] { return !reports_.empty(); }, kWaitMs));
  EXPECT_EQ(reports_.back().kind, GpsdReportKind::kFix);
  EXPECT_TRUE(client_->connected());
  client_->Stop();
  EXPECT_FALSE(client_->connected());
}

TEST_F(GpsdClientTest, NoGpsdListeningIsALostLink) {
  const quint16 port = server_.serverPort();
  server_.close();
  GpsdClient nowhere("127.0.0.1", port);
  int lost = 0;
  QObject::connect(&nowhere, &GpsdClient::LinkLost, [&lost] { ++lost; });
  nowhere.Start();
  EXPECT_TRUE(QTest::qWaitFor([&lost] { return lost > 0; }, kWaitMs));
  nowhere.Stop();
}

TEST_F(GpsdClientTest, ASilentReceiverIsNoFix) {
  client_->set_silence_ms(100);
  client_->Start();
  QTcpSocket* gpsd = Accept();
  ASSERT_NE(gpsd, nullptr);
  Send(gpsd, "{\"class\":\"TPV\",\"mode\":3,\"lat\":41.01,\"lon\":-75.5}\n");
  ASSERT_TRUE(QTest::qWaitFor([this] { return reports_.size() == 2; }, kWaitMs));
  EXPECT_EQ(reports_[0].kind, GpsdReportKind::kFix);
  EXPECT_EQ(reports_[1].kind, GpsdReportKind::kNoFix);
}

}  // namespace
}  // namespace vantrel

// The "Hamlib rigctld" rig type against the real daemon with Hamlib's dummy
// radio, started by each test on a free port, and against a loopback server
// that answers late, refuses or stays silent.
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "form1_fixture.h"
#include "platform/rigctld_port.h"
#include "rig/rig_settings.h"
#include "ui/frm_frequency_test.h"
#include "ui/frm_rig_tune.h"
#include "ui/rig_controlfrm.h"

namespace vantrel::ui {
namespace {

constexpr int kWaitMs = 5000;
const QString kRigctldTitle = "Hamlib rigctld";

int FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  return probe.serverPort();
}

// rigctld -m 1 (the dummy radio) on a port of its own.
class Daemon {
 public:
  explicit Daemon(int port) : port_(port) {}
  ~Daemon() { Stop(); }
  static bool Installed() { return !QStandardPaths::findExecutable("rigctld").isEmpty(); }

  bool Start() {
    process_.start("rigctld", {"-m", "1", "-T", "127.0.0.1", "-t", QString::number(port_)});
    if (!process_.waitForStarted(kWaitMs)) return false;
    return QTest::qWaitFor([&] { return !Ask("+f\n").empty(); }, kWaitMs);
  }
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(kWaitMs);
  }
  // One command on a connection of the test's own, as another program
  // sharing the radio would send it.
  std::string Ask(const std::string& command) const {
    QTcpSocket s;
    s.connectToHost("127.0.0.1", static_cast<quint16>(port_));
    if (!s.waitForConnected(500)) return {};
    s.write(command.c_str());
    std::string reply;
    while (reply.find("RPRT") == std::string::npos && s.waitForReadyRead(500))
      reply += s.readAll().toStdString();
    return reply;
  }

 private:
  int port_;
  QProcess process_;
};

// A daemon stand-in that answers late, refuses tuning, or falls silent.
class LoopbackDaemon : public QObject {
 public:
  LoopbackDaemon() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection())
        connect(s, &QTcpSocket::readyRead, this, [this, s] { Serve(s); });
    });
  }
  int port() const { return server_.serverPort(); }

  int delay_ms = 0;
  bool silent = false;
  int refuse_frequency = 0;  // the RPRT code for "+F", 0 to accept
  std::string frequency = "50125000";

 private:
  void Serve(QTcpSocket* s) {
    std::string reply;
    for (const QByteArray& line : s->readAll().split('\n')) {
      const std::string l = line.toStdString();
      if (l == "+f") reply += "get_freq:\nFrequency: " + frequency + "\nRPRT 0\n";
      if (l == "+m") reply += "get_mode:\nMode: CW\nPassband: 500\nRPRT 0\n";
      if (l.rfind("+F ", 0) == 0) {
        if (refuse_frequency == 0) frequency = l.substr(3);
        reply += "set_freq: " + l.substr(3) + "\nRPRT " + std::to_string(refuse_frequency) + "\n";
      }
    }
    if (silent || reply.empty()) return;
    QTimer::singleShot(delay_ms, s, [s, reply] { s->write(reply.c_str()); });
  }
  QTcpServer server_;
};

class RigctldWindowTest : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    if (!Daemon::Installed())
      GTEST_SKIP() << "rigctld is not installed (Debian package libhamlib-utils; tools/deps "
                      "installs it)";
  }
  void TearDown() override { form_.reset(); }

  RigControlfrm& Choose(int port) {
    Start();
    prompter_.asked.clear();
    RigControlfrm& w = form_->RigWindow();
    w.show();
    w.List1->setCurrentItem(w.List1->findItems("Hamlib rigctld", Qt::MatchExactly).front());
    EXPECT_TRUE(w.txtRigctldHost->isVisible());
    EXPECT_EQ(w.txtRigctldHost->text(), "localhost");  // no RigCntrl.txt yet
    EXPECT_EQ(w.txtRigctldPort->text(), "4532");
    w.txtRigctldHost->setText("localhost");
    w.txtRigctldPort->setText(QString::number(port));
    w.optPollFast->click();
    return w;
  }
  bool Shows(RigControlfrm& w, const QString& mhz, const QString& mode) {
    return QTest::qWaitFor([&] { return w.lblFreq->text() == mhz && w.lblMode->text() == mode; },
                           kWaitMs);
  }
  bool Tuned(RigControlfrm& w) {
    return QTest::qWaitFor([&] { return !w.Tuning() && w.Polling(); }, kWaitMs);
  }
  int Asked(const QString& title) const {
    int n = 0;
    for (const auto& a : prompter_.asked) n += a.title == title ? 1 : 0;
    return n;
  }
  bool Told(const QString& title, const std::string& words) {
    return QTest::qWaitFor(
        [&] {
          for (const auto& a : prompter_.asked)
            if (a.title == title && a.text.toStdString().find(words) != std::string::npos)
              return true;
          return false;
        },
        kWaitMs);
  }
};

// The dummy radio read, tuned to 2 m and 23 cm to the hertz, and switched
// to CW; the log follows and another client of the daemon sees the same.
TEST_F(RigctldWindowTest, PollsTunesExactlyAndChangesMode) {
  const int port = FreePort();
  Daemon daemon(port);
  ASSERT_TRUE(daemon.Start());
  RigControlfrm& w = Choose(port);
  w.Command1->click();
  ASSERT_TRUE(w.Polling());
  EXPECT_TRUE(Shows(w, "145.00000", "PH")) << w.lblFreq->text().toStdString();

  for (const Hertz hz : {Hertz{144200000}, Hertz{1296100000}}) {
    w.ChangeFrequency(hz);
    ASSERT_TRUE(Tuned(w));
    EXPECT_NE(daemon.Ask("+f\n").find("Frequency: " + std::to_string(hz) + "\n"),
              std::string::npos);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::llround(w.poller().state().frequency * 1e6) == hz; }, kWaitMs));
  }
  EXPECT_EQ(w.lblFreq->text(), "1296.10000");
  EXPECT_EQ(state_.contest.CurrentBand, "1.3 G");

  std::string mode = "CW";
  w.ChangeMode(0, mode);
  ASSERT_TRUE(Tuned(w));
  EXPECT_NE(daemon.Ask("+m\n").find("Mode: CW\n"), std::string::npos);
  EXPECT_TRUE(Shows(w, "1296.10000", "CW"));
  EXPECT_EQ(state_.contest.CurrentMode, "CW");
  EXPECT_TRUE(prompter_.asked.empty());

  w.Command2->click();
  EXPECT_FALSE(w.port().IsOpen());
  EXPECT_EQ(w.lblFreq->text(), "");
}

// The tune window (band-plan mode first) and the command test window drive
// the daemon as they drive a serial radio; a plain-form command typed by
// hand goes out as typed and polling goes on.
TEST_F(RigctldWindowTest, TuneAndCommandTestWindowsDriveTheDaemon) {
  const int port = FreePort();
  Daemon daemon(port);
  ASSERT_TRUE(daemon.Start());
  Write("BandPlan.txt", "\"2024\"\r\n\"70\",\"E\",\"CW\",432.0,432.3\r\n");
  RigControlfrm& w = Choose(port);
  w.Command1->click();
  ASSERT_TRUE(Shows(w, "145.00000", "PH"));
  frmRigTune tune(w, prompter_, form_.get());
  tune.show();
  tune.txtFreq->setFocus();
  QTest::keyClicks(tune.txtFreq, "432.1");
  QTest::keyClick(tune.txtFreq, Qt::Key_Return);
  ASSERT_TRUE(Tuned(w));
  EXPECT_TRUE(Shows(w, "432.10000", "CW"));  // the band plan's mode went first
  EXPECT_NE(daemon.Ask("+f\n").find("Frequency: 432100000\n"), std::string::npos);
  tune.close();

  w.Command3->click();
  frmFrequencyTest* f = w.frequency_test();
  ASSERT_NE(f, nullptr);
  f->Text1->setText("F 50125000\n");
  f->Check1->setChecked(false);
  f->Command1->click();
  EXPECT_TRUE(Shows(w, "50.12500", "CW"));
  EXPECT_TRUE(w.Polling());
  EXPECT_TRUE(prompter_.asked.empty());
}

// Not running: one message naming host and port, no polling; Test works once
// it runs. Stopped mid-poll: the same message, polling ends; started again,
// Test polls again.
TEST_F(RigctldWindowTest, DaemonAbsentOrGoneIsNamedAndTestRetries) {
  const int port = FreePort();
  const std::string where = "localhost:" + std::to_string(port);
  Daemon daemon(port);
  RigControlfrm& w = Choose(port);
  w.Command1->click();
  ASSERT_TRUE(Told(kRigctldTitle, where));
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Command2->isEnabled());
  EXPECT_FALSE(w.lblPolling->isVisible());
  EXPECT_EQ(Asked(kRigctldTitle), 1);

  w.txtRigctldHost->setText("");
  w.Command1->click();
  EXPECT_TRUE(Told(kRigctldTitle, "rigctld at :" + std::to_string(port) + ": not a host"));
  EXPECT_FALSE(w.Polling());
  w.txtRigctldHost->setText("localhost");

  ASSERT_TRUE(daemon.Start());
  prompter_.asked.clear();
  w.Command1->click();
  EXPECT_TRUE(Shows(w, "145.00000", "PH"));

  daemon.Stop();
  ASSERT_TRUE(Told(kRigctldTitle, where));
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Command2->isEnabled());
  EXPECT_EQ(Asked(kRigctldTitle), 1);

  ASSERT_TRUE(daemon.Start());
  w.Command1->click();
  EXPECT_TRUE(Shows(w, "145.00000", "PH"));
  w.ChangeFrequency(144200000);
  ASSERT_TRUE(Tuned(w));
  EXPECT_TRUE(Shows(w, "144.20000", "PH"));
  EXPECT_EQ(Asked(kRigctldTitle), 1);
}

// Replies later than a poll tick still land; a refused frequency says why
// and stops polling; a daemon that falls silent is given up after the answer time, with a message.
TEST_F(RigctldWindowTest, SlowRefusingAndSilentDaemons) {
  LoopbackDaemon daemon;
  daemon.delay_ms = 180;  // several 50 ms ticks
  RigControlfrm& w = Choose(daemon.port());
  w.rigctld_port().SetTimeouts(2000, 600);
  w.Command1->click();
  EXPECT_TRUE(Shows(w, "50.12500", "CW")) << w.lblFreq->text().toStdString();

  w.ChangeFrequency(1296100000);
  ASSERT_TRUE(Tuned(w));
  EXPECT_TRUE(Shows(w, "1296.10000", "CW"));

  daemon.refuse_frequency = -9;
  w.ChangeFrequency(144200000);
  ASSERT_TRUE(Told("Error Changing Frequency", "set_freq: 144200000: RPRT -9"));
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Tuning());

  daemon.silent = true;
  prompter_.asked.clear();
  w.Command1->click();
  ASSERT_TRUE(Told(kRigctldTitle, "no answer for 600 ms"));
  EXPECT_FALSE(w.Polling());
  EXPECT_EQ(w.lblFreq->text(), "No Response");
}

// A stored rigctld radio is polled at start-up at its stored address, which
// the window shows; Done keeps an edited address after the serial lines.
TEST_F(RigctldWindowTest, StoredAddressIsPolledAtStartUpAndDoneKeepsItsEdit) {
  const int port = FreePort();
  Daemon daemon(port);
  ASSERT_TRUE(daemon.Start());
  RigSettings s;
  ApplyRigChoice("Hamlib rigctld", s);
  s.RigctldHost = "127.0.0.1";
  s.RigctldPort = static_cast<uint16_t>(port);
  s.PollRate = "F";
  Write("RigCntrl.txt", FormatRigSettings(s));
  rig_type_ = "Hamlib rigctld";
  Start();
  RigControlfrm& w = form_->RigWindow();
  EXPECT_TRUE(w.Polling());
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return std::llround(w.poller().state().frequency * 1e6) == 145000000; }, kWaitMs));
  EXPECT_EQ(w.txtRigctldHost->text(), "127.0.0.1");
  EXPECT_EQ(w.txtRigctldPort->text(), QString::number(port));

  w.show();
  const std::string other = std::to_string(FreePort());
  w.txtRigctldPort->setText(QString::fromStdString(other));
  w.cmdDone->click();
  EXPECT_TRUE(
      Read("RigCntrl.txt")
          .ends_with("\"Hamlib rigctld\"\r\n0\r\n1\r\n1\r\n\"127.0.0.1\"\r\n" + other + "\r\n"));
  EXPECT_TRUE(Told(kRigctldTitle, "127.0.0.1:" + other));  // nothing listens there
}

// A reply that lands after a read tick is read by the next one even though
// a send tick comes in between: the serial families drop such late bytes,
// rigctld's keyed replies must not be. The timer is stepped by hand.
TEST_F(RigctldWindowTest, ReplyBetweenReadAndSendTicksIsRead) {
  LoopbackDaemon daemon;
  daemon.delay_ms = 150;
  RigControlfrm& w = Choose(daemon.port());
  w.optReallySlow->click();
  w.Command1->click();
  w.tmrGetData->stop();
  auto answered = [&] {
    return QTest::qWaitFor([&] { return w.port().PendingOutput() == 0; }, kWaitMs);
  };
  ASSERT_TRUE(answered());
  if (w.poller().read_tick_next()) w.tmrGetData_Timer();
  ASSERT_TRUE(Shows(w, "50.12500", "CW"));

  daemon.frequency = "144200000";
  w.tmrGetData_Timer();  // send
  w.tmrGetData_Timer();  // read: nothing yet
  ASSERT_TRUE(answered());
  w.tmrGetData_Timer();  // send, the answer waiting
  w.tmrGetData_Timer();  // read
  EXPECT_EQ(w.lblFreq->text(), "144.20000");
}

}  // namespace
}  // namespace vantrel::ui

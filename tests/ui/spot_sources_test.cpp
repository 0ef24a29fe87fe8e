// Each spot source driving the real spotting window: a Telnet cluster and a
// packet engine on loopback servers, and a TNC on a pseudo-terminal.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTreeWidget>

#include "spots/agw_frame.h"
#include "support/pty_radio.h"
#include "ui/spot_window_fixture.h"

namespace vantrel::ui {
namespace {

using SpotSourcesTest = SpotWindowTest;

// Writes `bytes` in pieces of the given sizes, in turn, letting the event
// loop run between them so each arrives on its own.
void WriteInPieces(QTcpSocket* peer, const std::string& bytes, std::vector<size_t> sizes) {
  size_t at = 0;
  for (size_t i = 0; at < bytes.size(); ++i) {
    const size_t n = std::min(sizes[i % sizes.size()], bytes.size() - at);
    peer->write(bytes.data() + at, static_cast<qint64>(n));
    peer->flush();
    at += n;
    QApplication::processEvents();
  }
}

std::string ClusterBurst() {
  std::string burst;
  for (const std::string& l :
       {Spotted("50125.0", "K1ABCD", "FN42 CW 559"), Spotted("144200.0", "VE3XYZZ", "FN03"),
        std::string("WWV de W0MU <18>:   SFI=70, A=5, K=1"), Spotted("432100.0", "W1AWX/R", "FN31"),
        Spotted("1296100.0", "KB1ABC", "EME JT65"), Spotted("10368100.0", "W5LUA", "EM13 rain"),
        Spotted("50313.0", "JA1XYZ", std::string(28, 'x') + " and far more comment than fits")})
    burst += l + "\r\n";
  return burst;
}

TEST_F(SpotSourcesTest, TelnetClusterLoginBurstsInOddPiecesAndDisconnect) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  PacketSpotfrm& w = Open();
  Choose(w, "Telnet");
  w.txtTelnetHost->setText("127.0.0.1");
  w.txtTelnetPort->setText(QString::number(server.serverPort()));
  w.Command1->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kSpotWaitMs));
  QTcpSocket* peer = server.nextPendingConnection();
  peer->write("Please enter your call: ");
  ASSERT_TRUE(Shows(w, "Please enter your call: "));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.TelnetConnected(); }, kSpotWaitMs));
  SendLine(w, "N0CALL");
  QByteArray heard;
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return (heard += peer->readAll()) == "N0CALL\r\n"; }, kSpotWaitMs));
  EXPECT_EQ(w.txtSent->text(), "");

  WriteInPieces(peer, ClusterBurst(), {1, 7, 13, 64, 3});
  ASSERT_TRUE(Stored(6));
  const struct {
    const char* call;
    float mhz;
  } expected[] = {{"K1ABCD", 50.125f}, {"VE3XYZZ", 144.2f}, {"W1AWX/R", 432.1f},
                  {"KB1ABC", 1296.1f}, {"W5LUA", 10368.1f}, {"JA1XYZ", 50.313f}};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(Store()[44 + i].call, expected[i].call);
    EXPECT_FLOAT_EQ(Store()[44 + i].frequency, expected[i].mhz);
  }
  EXPECT_EQ(Store()[47].label, "KB1");
  EXPECT_EQ(List()->topLevelItem(0)->text(4).toStdString(), "de W3LPL:  " + std::string(23, 'x'));
  EXPECT_NE(w.display().text().find("WWV de W0MU"), std::string::npos);

  // DX only: other lines are no longer shown.
  w.chkDX->setChecked(true);
  WriteInPieces(peer, "To ALL de K1TTT: test\r\n" + Spotted("144210.0", "K2AA") + "\r\n", {5});
  ASSERT_TRUE(Stored(7));
  EXPECT_EQ(w.display().text().find("To ALL"), std::string::npos);

  peer->disconnectFromHost();
  ASSERT_TRUE(Shows(w, "** Port Closed **"));
  EXPECT_FALSE(w.Listening());
}

TEST_F(SpotSourcesTest, TelnetGarbageAndHugeLinesLeaveTheWindowWorking) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
  PacketSpotfrm& w = Open();
  Choose(w, "Telnet");
  w.txtTelnetHost->setText("127.0.0.1");
  w.txtTelnetPort->setText(QString::number(server.serverPort()));
  w.Command1->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.hasPendingConnections(); }, kSpotWaitMs));
  QTcpSocket* peer = server.nextPendingConnection();
  std::string junk("\0\0DX\0de\xff\xfe\x80\r\r\rDX de", 17);
  junk += std::string(100000, 'Z') + "\r";
  junk += "\xe9t\xe9\r" + Spotted("50110.0", "K9AAA") + "\r";
  WriteInPieces(peer, junk, {4096, 999});
  ASSERT_TRUE(Stored(1));
  EXPECT_EQ(form_->spots().book().list().rows().size(), 1u);
  EXPECT_EQ(Store()[49].call, "K9AAA");
  EXPECT_LE(w.display().text().size(), SpotDisplay::kLimit);
  EXPECT_EQ(w.display().text().find('\0'), std::string::npos);
  // Typing still works.
  QTest::keyClicks(w.txtSent, "sh/dx");
  EXPECT_EQ(w.txtSent->text(), "sh/dx");
}

// A packet engine on loopback: answers the version and registration
// requests and records every frame it is sent.
class AgwEngine {
 public:
  AgwEngine() {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      peer_ = server_.nextPendingConnection();
      QObject::connect(peer_, &QTcpSocket::readyRead, [this] {
        decoder_.Feed(peer_->readAll().toStdString());
        AgwFrame f;
        while (decoder_.Next(f)) {
          if (f.kind == 'R') Send(Frame('R', "", std::string("\x07\0\0\0\x7f\0\0\0", 8)));
          if (f.kind == 'X') Send(Frame('X', f.call_from, "\x01"));
          heard.push_back(f);
        }
      });
    });
  }
  quint16 port() const { return server_.serverPort(); }
  static AgwFrame Frame(char kind, const std::string& from, const std::string& data) {
    AgwFrame f;
    f.kind = kind;
    f.call_from = from;
    f.call_to = "N0CALL";
    f.data = data;
    return f;
  }
  void Send(const AgwFrame& f) { SendBytes(EncodeAgwFrame(f)); }
  void SendBytes(const std::string& bytes) {
    peer_->write(bytes.data(), static_cast<qint64>(bytes.size()));
    peer_->flush();
  }
  bool Heard(char kind, const std::string& to = "") {
    return QTest::qWaitFor(
        [&] {
          for (const AgwFrame& f : heard)
            if (f.kind == kind && (to.empty() || f.call_to == to)) return true;
          return false;
        },
        kSpotWaitMs);
  }
  void Close() { peer_->disconnectFromHost(); }

  std::vector<AgwFrame> heard;

 private:
  QTcpServer server_;
  QTcpSocket* peer_ = nullptr;
  AgwDecoder decoder_;
};

TEST_F(SpotSourcesTest, AgwEngineMonitorConnectedModeAndCommands) {
  AgwEngine engine;
  PacketSpotfrm& w = Open(engine.port());
  Choose(w, "AGW Packet Engine");
  w.Command1->click();
  ASSERT_TRUE(Shows(w, "\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n"));
  ASSERT_TRUE(engine.Heard('m'));
  EXPECT_EQ(engine.heard[0].kind, 'R');
  EXPECT_EQ(engine.heard[1].kind, 'X');
  EXPECT_EQ(engine.heard[1].call_from, "N0CALL");

  const std::string header = " 1:Fm W3LPL To DX <UI pid=F0 Len=80>[20:30:00]\r";
  const AgwFrame spot =
      AgwEngine::Frame('U', "W3LPL", header + Spotted("50125.0", "K1ABCD") + "\r");
  engine.Send(spot);
  engine.Send(AgwEngine::Frame('U', "W1XYZ", " 1:Fm W1XYZ To ID <UI>\rW1XYZ/B FN42\r"));
  engine.Send(spot);  // heard again through a digipeater
  engine.Send(AgwEngine::Frame('U', "K1TEO", header + Spotted("144200.0", "W2SZ") + "\r"));
  ASSERT_TRUE(Stored(2));
  EXPECT_EQ(form_->spots().book().list().rows().size(), 2u);
  EXPECT_EQ(Store()[48].call, "K1ABCD");
  EXPECT_EQ(Store()[49].call, "W2SZ");
  EXPECT_NE(w.display().text().find("UW1XYZ  1:Fm W1XYZ To ID <UI>\r\nW1XYZ/B FN42\r\n"),
            std::string::npos);

  // Not connected: plain text goes nowhere; ":C" alone asks for a call.
  SendLine(w, "hello");
  SendLine(w, ":C");
  EXPECT_TRUE(prompter_.WasAsked("Call sign Required"));
  EXPECT_EQ(prompter_.asked.back().text,
            "You must enter a call sign to connect to such as :C QX9ZZ");
  SendLine(w, ":c w1awx");
  ASSERT_TRUE(engine.Heard('C', "W1AWX"));
  EXPECT_FALSE(engine.Heard('D'));

  const int beeps = prompter_.beeps;
  engine.Send(AgwEngine::Frame('C', "W1AWX", "*** CONNECTED With Station W1AWX\r"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return w.windowTitle() == "DX Spotting Setup - Connected to W1AWX"; }, kSpotWaitMs));
  EXPECT_EQ(prompter_.beeps, beeps + 1);
  SendLine(w, "SH/DX 5");
  ASSERT_TRUE(engine.Heard('D', "W1AWX"));
  EXPECT_EQ(engine.heard.back().data, "SH/DX 5\r");
  // A long line goes out at its first blank past 70 characters.
  w.txtSent->setFocus();
  QTest::keyClicks(w.txtSent, QString(71, 'a') + " ");
  EXPECT_EQ(w.txtSent->text(), "");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return engine.heard.back().data == std::string(71, 'a') + "\r"; }, kSpotWaitMs));
  engine.Send(AgwEngine::Frame('D', "W1AWX", Spotted("432100.0", "K8ZZ") + "\r"));
  ASSERT_TRUE(Stored(3));
  engine.Send(AgwEngine::Frame('d', "W1AWX", "*** DISCONNECTED From Station W1AWX\r"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.windowTitle() == "DX Spotting Setup"; }, kSpotWaitMs));
  EXPECT_EQ(prompter_.beeps, beeps + 3);
  EXPECT_TRUE(w.agw().connected.empty());

  // A frame claiming 100 kB, then the engine goes away mid-frame.
  std::string huge = EncodeAgwFrame(AgwEngine::Frame('U', "W1AW", ""));
  huge[29] = 0;
  huge[30] = 1;  // 65536 * 1 + ...
  engine.SendBytes(huge + std::string(5000, 'q'));
  engine.Close();
  ASSERT_TRUE(Shows(w, "** Port Closed **"));
  EXPECT_FALSE(w.Listening());
}

TEST_F(SpotSourcesTest, AgwEngineNotRunningExplainsWhatToDo) {
  quint16 closed_port = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    closed_port = probe.serverPort();
  }
  PacketSpotfrm& w = Open(closed_port);
  Choose(w, "AGW Packet Engine");
  w.Command1->click();
  ASSERT_TRUE(Shows(w, "- Click Open from this program.\r\n\r\n"));
  EXPECT_TRUE(prompter_.WasAsked("Unable to connect to the AGW Packet Engine."));
  EXPECT_NE(prompter_.asked.back().text.indexOf("- Download the freely available software from "),
            -1);
  EXPECT_FALSE(w.Listening());
  EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(SpotSourcesTest, ClosingTheProgramDisconnectsTheStationAndEndsTheSession) {
  AgwEngine engine;
  PacketSpotfrm& w = Open(engine.port());
  Choose(w, "AGW Packet Engine");
  w.Command1->click();
  ASSERT_TRUE(engine.Heard('m'));
  engine.Send(AgwEngine::Frame('C', "W1AWX", "*** CONNECTED With Station W1AWX\r"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.agw().connected.empty(); }, kSpotWaitMs));
  form_.reset();
  EXPECT_TRUE(engine.Heard('d', "W1AWX"));
  EXPECT_TRUE(engine.Heard('x'));
}

class SilentTnc : public FakeRadio {
 public:
  std::string Respond(std::string_view) override { return {}; }
};

TEST_F(SpotSourcesTest, TncOnASerialPortCommandByteSendBoxAndSpotLines) {
  SilentTnc tnc;
  PtyRadio pty(tnc);
  ASSERT_TRUE(pty.Plugged());
  setenv("VANTREL_COM3", pty.Path().c_str(), 1);
  PacketSpotfrm& w = Open();
  Choose(w, "TNC");
  w.optComm[2]->click();
  w.Command1->click();
  ASSERT_TRUE(w.port().IsOpen());
  EXPECT_TRUE(w.Listening());
  EXPECT_NE(w.display().text().find("** TNC Serial Port Open **\r\n\r\n"), std::string::npos);
  QTest::keyClick(w.txtSent, Qt::Key_Escape);
  QTest::keyClick(w.txtSent, Qt::Key_C, Qt::ControlModifier);
  SendLine(w, "C W1AWX-1");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return pty.Received() ==
               "\x03\x03"
               "C W1AWX-1\r";
      },
      kSpotWaitMs))
      << pty.Received();

  const std::string spot = Spotted("50125.0", "K1ABCD") + "\r\n";
  pty.Send("x\n" + spot + spot + "DX de W1AW:     144");
  ASSERT_TRUE(Stored(1));
  EXPECT_EQ(Store()[49].call, "K1ABCD");
  pty.Send(std::string("200.0  W9XX").append(27, ' ') + "\r\n");
  ASSERT_TRUE(Stored(2));
  EXPECT_EQ(Store()[49].call, "W9XX");
  EXPECT_FLOAT_EQ(Store()[49].frequency, 144.2f);
  // Shown once, stored once.
  const std::string& shown = w.display().text();
  EXPECT_EQ(shown.find(spot), shown.rfind(spot));
  EXPECT_EQ(form_->spots().book().list().rows().size(), 2u);
  // Any serial choice closes the port first.
  w.optBaud[1]->click();
  EXPECT_FALSE(w.port().IsOpen());
  EXPECT_FALSE(w.Listening());
  EXPECT_NE(w.display().text().find("\r\n\r\n** Port Closed **"), std::string::npos);
}

}  // namespace
}  // namespace vantrel::ui

// The rover's keys typed into the main window: band keys with text in the
// fields, the one-step grid box, the square-change warning (fed directly,
// then from a real gpsd replaying a drive across a grid line), and the
// "Logged" line.
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>

#include "contest/rover_gps.h"
#include "platform/gpsd_client.h"
#include "support/memory_settings_store.h"
#include "tests/ui/form1_fixture.h"
#include "ui/form1_rover.h"

namespace vantrel::ui {
namespace {

constexpr int kWaitMs = 5000;

class Form1RoverTest : public Form1Fixture {
 protected:
  Form1Rover& rover() { return form_->rover(); }
  void Key(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(w, key, mods);
  }
  GpsdReport Fix(double lat, double lon) { return {GpsdReportKind::kFix, 3, lat, lon, ""}; }
  // GPS on, with gpsd looked for where nothing listens unless a test says.
  void GpsOn(quint16 port = 1) {
    settings_.Save(kSettingsApplication, kSettingsSection, kGpsHostKey, "127.0.0.1");
    settings_.Save(kSettingsApplication, kSettingsSection, kGpsPortKey, std::to_string(port));
    form_->set_settings_store(&settings_);
    rover().SetGpsOn(true);
    rover().gpsd()->set_retry_ms(100);
  }
  MemorySettingsStore settings_;
};

TEST_F(Form1RoverTest, BandKeysChangeBandAndKeepWhatIsTyped) {
  Start();
  Type(form_->txtCall, "K2X");
  form_->txtSec->setFocus();
  Type(form_->txtSec, "FN3");
  struct Row {
    QLineEdit* field;
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    const char* band;
  } rows[] = {
      {form_->txtSec, Qt::Key_PageUp, Qt::NoModifier, "222 M"},
      {form_->txtCall, Qt::Key_PageUp, Qt::NoModifier, "432 M"},
      {form_->txtCall, Qt::Key_PageDown, Qt::NoModifier, "222 M"},
      {form_->txtSec, Qt::Key_1, Qt::AltModifier, "50 M"},
      {form_->txtSec, Qt::Key_PageDown, Qt::NoModifier, "50 M"},
      {form_->txtCall, Qt::Key_0, Qt::AltModifier, "10 G"},
      {form_->txtCall, Qt::Key_PageUp, Qt::NoModifier, "24 G"},
      {form_->txtRSTR, Qt::Key_5, Qt::AltModifier, "902 M"},
      {form_->txtRSTS, Qt::Key_2, Qt::AltModifier | Qt::KeypadModifier, "144 M"},
  };
  for (const Row& r : rows) {
    r.field->setFocus();
    Key(r.field, r.key, r.mods);
    EXPECT_EQ(state_.contest.CurrentBand, r.band) << r.band;
    EXPECT_EQ(form_->Label21->text(), QString(r.band) + "Hz");
    EXPECT_EQ(Focus(), r.field) << r.band;
  }
  EXPECT_EQ(form_->txtCall->text(), "K2X");
  EXPECT_EQ(form_->txtSec->text(), "FN3");
  EXPECT_EQ(form_->txtRSTR->text(), "59");  // pre-filled on the way, the digit not typed
  EXPECT_NE(Read("vhfpref.txt").find("\"144 M\""), std::string::npos);
}

TEST_F(Form1RoverTest, GridBoxTakesTheGridAndEverythingFollows) {
  Start();
  Type(form_->txtCall, "K2X");
  form_->txtSec->setFocus();
  Type(form_->txtSec, "FN42");
  const QString bearing_before = form_->Label23->text();
  Key(form_->txtSec, Qt::Key_S, Qt::AltModifier);
  OwnGridBox* box = rover().gridBox();
  ASSERT_NE(box, nullptr);
  ASSERT_TRUE(box->isVisible());
  EXPECT_EQ(box->txtOwnGrid->text(), "FN20");
  // Keys that mean something in the main window mean nothing here.
  Key(box->txtOwnGrid, Qt::Key_PageUp);
  Key(box->txtOwnGrid, Qt::Key_1, Qt::AltModifier);
  EXPECT_EQ(state_.contest.CurrentBand, "144 M");
  Type(box->txtOwnGrid, "fn \"31");
  EXPECT_EQ(box->txtOwnGrid->text(), "FN31");
  Key(box->txtOwnGrid, Qt::Key_Return);
  EXPECT_EQ(rover().gridBox(), nullptr);
  QApplication::processEvents();
  EXPECT_EQ(state_.prefs.OwnGrid, "FN31");
  EXPECT_EQ(form_->Label4->text(), "FN31");
  EXPECT_DOUBLE_EQ(state_.prefs.OwnLatitude, 41.5);  // the position moved with the grid
  EXPECT_DOUBLE_EQ(state_.prefs.OwnLongitude, 73);
  EXPECT_NE(form_->Label23->text(), bearing_before);
  EXPECT_NE(Read("vhfpref.txt").find("\"FN31\""), std::string::npos);
  // Back where the operator was, the entry untouched.
  EXPECT_EQ(Focus(), form_->txtSec);
  EXPECT_EQ(form_->txtCall->text(), "K2X");
  EXPECT_EQ(form_->txtSec->text(), "FN42");
  // The next contact is made from the new grid, and counts it.
  Enter();
  ASSERT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(state_.log.Record(1).GridSent, "FN31");
}

TEST_F(Form1RoverTest, GridBoxEscKeepsGridAndEntryAndRefusesHalfAGrid) {
  Start();
  Type(form_->txtCall, "K2X");
  Key(form_->txtCall, Qt::Key_S, Qt::AltModifier);
  OwnGridBox* box = rover().gridBox();
  ASSERT_NE(box, nullptr);
  Type(box->txtOwnGrid, "FN2");
  const int beeps = prompter_.beeps;
  Key(box->txtOwnGrid, Qt::Key_Return);
  EXPECT_EQ(prompter_.beeps, beeps + 1);
  ASSERT_EQ(rover().gridBox(), box) << "half a grid closed the box";
  EXPECT_EQ(box->lblHint->text(), Latin1(kOwnGridMessage));
  Key(box->txtOwnGrid, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(rover().gridBox(), nullptr);
  EXPECT_EQ(state_.prefs.OwnGrid, "FN20");
  EXPECT_EQ(form_->txtCall->text(), "K2X") << "Esc in the box cleared the entry";
  EXPECT_EQ(Focus(), form_->txtCall);
}

TEST_F(Form1RoverTest, SquareChangeWarnsOnceAndOneKeyAnswers) {
  Start();
  EXPECT_FALSE(rover().GpsOn());  // off by default
  EXPECT_FALSE(rover().lblGps->isVisible());
  EXPECT_FALSE(rover().mnuGpsGrid->isChecked());
  GpsOn();
  EXPECT_EQ(settings_.Get(kSettingsApplication, kSettingsSection, kGpsOptionKey, ""), "1");
  EXPECT_TRUE(rover().mnuGpsGrid->isChecked());
  ASSERT_TRUE(QTest::qWaitFor([&] { return rover().lblGps->text() == "GPS: no gpsd"; }, kWaitMs));
  EXPECT_TRUE(rover().lblGps->isVisible());

  rover().Report(Fix(40.99, -75.5));
  EXPECT_EQ(rover().lblGps->text(), "GPS FN20gx");
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  const int beeps = prompter_.beeps;
  rover().Report(Fix(41.01, -75.5));
  ASSERT_TRUE(rover().lblRoverWarning->isVisible());
  EXPECT_TRUE(rover().lblRoverWarning->text().contains("FN21"));
  EXPECT_EQ(prompter_.beeps, beeps + 1);
  // Typing, Esc and a report on while the warning shows leave it standing.
  Type(form_->txtCall, "W1AW");
  rover().Report(Fix(41.02, -75.5));
  Key(form_->txtCall, Qt::Key_Escape);
  EXPECT_EQ(form_->txtCall->text(), "");
  EXPECT_TRUE(rover().lblRoverWarning->isVisible());
  EXPECT_EQ(rover().warnings(), 1);
  // Declined: the rover stays, and this square asks no more.
  Key(form_->txtCall, Qt::Key_N, Qt::AltModifier);
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  EXPECT_EQ(state_.prefs.OwnGrid, "FN20");
  rover().Report(Fix(41.03, -75.5));
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  // Home and out again asks again; Alt+Y switches at once.
  rover().Report(Fix(40.99, -75.5));
  rover().Report(Fix(41.01, -75.5));
  ASSERT_TRUE(rover().lblRoverWarning->isVisible());
  Type(form_->txtCall, "K2X");
  Key(form_->txtCall, Qt::Key_Y, Qt::AltModifier);
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  EXPECT_EQ(state_.prefs.OwnGrid, "FN21");
  EXPECT_EQ(form_->Label4->text(), "FN21");
  EXPECT_EQ(form_->txtCall->text(), "K2X");
  EXPECT_EQ(rover().warnings(), 2);
  rover().Report({GpsdReportKind::kNoFix, 1, 0, 0, ""});
  EXPECT_EQ(rover().lblGps->text(), "GPS: no fix");
  // Off: no state, no warning, and the choice is kept.
  rover().mnuGpsGrid->trigger();
  EXPECT_FALSE(rover().GpsOn());
  EXPECT_FALSE(rover().lblGps->isVisible());
  EXPECT_EQ(settings_.Get(kSettingsApplication, kSettingsSection, kGpsOptionKey, ""), "0");
}

TEST_F(Form1RoverTest, StationSetupToTheNewSquareAnswersTheWarning) {
  Start();
  GpsOn();
  rover().Report(Fix(41.01, -75.5));
  ASSERT_TRUE(rover().lblRoverWarning->isVisible());
  form_->set_station_setup_runner([](Form1& f) {
    f.state().prefs.OwnGrid = "FN21";
    return StationSetupRefresh{{}, "PH", "N0CALL", "FN21", false};
  });
  form_->mnuSetup_Click();
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  rover().Report(Fix(41.02, -75.5));
  EXPECT_EQ(rover().warnings(), 1);
}

TEST_F(Form1RoverTest, LoggedContactSaysSoUntilTheNextCall) {
  Start();
  LogContact("K2XX", "FN31");
  EXPECT_EQ(form_->lblDialog->text(), "Logged K2XX, contact 1");
  LogContact("W1AW", "FN42");
  EXPECT_EQ(form_->lblDialog->text(), "Logged W1AW, contact 2");
  Type(form_->txtCall, "N");
  EXPECT_TRUE(form_->lblDialog->text().trimmed().isEmpty());
  // A refused contact keeps its own message.
  Enter();
  EXPECT_EQ(form_->lblDialog->text(), "Need Call Sign!");
}

// gpsd itself, fed by gpsfake with a drive north across the FN20/FN21 line
// that ends in a lost fix; gpsd ends with the replay.
TEST_F(Form1RoverTest, RealGpsdDriveAcrossTheLine) {
  QString path = qEnvironmentVariable("PATH") + ":/usr/sbin:/sbin";
  const QString gpsfake = QStandardPaths::findExecutable("gpsfake", path.split(':'));
  const QString gpsd = QStandardPaths::findExecutable("gpsd", path.split(':'));
  if (gpsfake.isEmpty() || gpsd.isEmpty())
    GTEST_SKIP() << "gpsd and gpsfake are not installed (Debian packages gpsd, gpsd-clients)";
  QTcpServer probe;
  ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
  const quint16 port = probe.serverPort();
  probe.close();
  QProcess replay;
  // gpsfake takes its gpsd along only when it may end in its own way.
  struct EndReplay {
    QProcess& p;
    ~EndReplay() {
      p.terminate();
      if (!p.waitForFinished(kWaitMs)) p.kill();
    }
  } end_replay{replay};
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("PATH", path);
  replay.setProcessEnvironment(env);
  replay.setProcessChannelMode(QProcess::MergedChannels);
  replay.start(gpsfake, {"-1", "-q", "-c", "0.2", "-P", QString::number(port),
                         VANTREL_TEST_DATA_DIR "/rover_crossing.nmea"});
  if (!replay.waitForStarted(kWaitMs)) GTEST_SKIP() << "gpsfake does not start here";

  Start();
  GpsOn(port);
  const bool warned = QTest::qWaitFor([&] { return rover().lblRoverWarning->isVisible(); }, 30000);
  if (!warned && replay.state() == QProcess::NotRunning)
    GTEST_SKIP() << "gpsfake ended without serving: " << replay.readAll().toStdString();
  ASSERT_TRUE(warned) << rover().lblGps->text().toStdString();
  EXPECT_TRUE(rover().lblRoverWarning->text().contains("FN21"));
  Type(form_->txtCall, "K2X");
  Key(form_->txtCall, Qt::Key_Y, Qt::AltModifier);
  EXPECT_EQ(state_.prefs.OwnGrid, "FN21");
  EXPECT_FALSE(rover().lblRoverWarning->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return rover().lblGps->text() == "GPS: no fix"; }, 30000))
      << rover().lblGps->text().toStdString();
  EXPECT_EQ(rover().warnings(), 1);
  EXPECT_EQ(state_.prefs.OwnGrid, "FN21");
  EXPECT_EQ(form_->txtCall->text(), "K2X");
  replay.terminate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return rover().lblGps->text() == "GPS: no gpsd"; }, 30000));
}

}  // namespace
}  // namespace vantrel::ui

// The rig window and its poll timer against fake radios on pseudo-terminals,
// through the main window: the band and mode the log ends up with, the faults
// a cable and a radio can produce, and RigCntrl.txt.
#include "ui/rig_controlfrm.h"

#include <QClipboard>
#include <QTimer>
#include <cstdlib>

#include "form1_fixture.h"
#include "platform/qt_serial_port.h"
#include "support/fake_radio.h"
#include "support/memory_settings_store.h"
#include "support/pty_radio.h"

namespace vantrel::ui {
namespace {

constexpr int kWaitMs = 4000;
const QString kBadPort = "Invalid Comm Settings.";

int CountAsked(const ScriptedPrompter& p, const QString& title) {
  int n = 0;
  for (const auto& a : p.asked) n += a.title == title ? 1 : 0;
  return n;
}

class RigWindowTest : public Form1Fixture {
 protected:
  void TearDown() override {
    form_.reset();  // before the radios go
    unsetenv("VANTREL_COM3");
    unsetenv("VANTREL_COM5");
  }

  // Chooses the radio on COM3 at the fastest rate and presses Test.
  RigControlfrm& PollOnCom3(const std::string& rig_type, PtyRadio& pty) {
    setenv("VANTREL_COM3", pty.Path().c_str(), 1);
    RigControlfrm& w = form_->RigWindow();
    w.show();
    const auto found = w.List1->findItems(QString::fromStdString(rig_type), Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1);
    w.List1->setCurrentItem(found.front());
    w.optComm[2]->click();
    w.optPollFast->click();
    w.Command1->click();
    return w;
  }

  MemorySettingsStore store_;

  bool BandAndMode(const std::string& band, const std::string& mode) {
    return QTest::qWaitFor(
        [&] { return state_.contest.CurrentBand == band && state_.contest.CurrentMode == mode; },
        kWaitMs);
  }
};

class RigFamilyTest : public RigWindowTest, public ::testing::WithParamInterface<const char*> {};

// Each radio tuned to 6 m CW, then to phone: the log follows both.
TEST_P(RigFamilyTest, LogFollowsTheDial) {
  const std::string type = GetParam();
  auto radio = MakeFakeRadio(type);
  ASSERT_TRUE(radio);
  radio->dial.hz = 50125000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  ASSERT_TRUE(pty.Plugged());
  Start();
  RigControlfrm& w = PollOnCom3(type, pty);
  ASSERT_TRUE(w.Polling());
  EXPECT_TRUE(w.Command2->isEnabled());
  EXPECT_TRUE(w.lblPolling->isVisible());
  EXPECT_TRUE(BandAndMode("50 M", ExpectedRigMode(type, RadioMode::kCw)))
      << state_.contest.CurrentBand << " " << state_.contest.CurrentMode;
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.lblFreq->text() == "50.12500"; }, kWaitMs))
      << w.lblFreq->text().toStdString();

  radio->dial.mode = RadioMode::kUsb;
  EXPECT_TRUE(BandAndMode("50 M", ExpectedRigMode(type, RadioMode::kUsb)));
  EXPECT_EQ(CountAsked(prompter_, kBadPort), 0);

  w.Command2->click();
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.port().IsOpen());
  EXPECT_EQ(w.lblFreq->text(), "");
}

INSTANTIATE_TEST_SUITE_P(Families, RigFamilyTest,
                         ::testing::Values("Elecraft", "Icom", "Icom 735", "Kenwood", "Kenwood 2",
                                           "Ten Tec Omni VI", "Ten Tec Orion", "Ten Tec Fnt Pnl",
                                           "Yaesu", "Yaesu 757 GX II", "Yaesu 890", "Yaesu 920",
                                           "Yaesu 990", "Yaesu 1000 D", "Yaesu 1000",
                                           "Yaesu FTdx9000"),
                         [](const auto& info) {
                           std::string name;
                           for (char c : std::string(info.param))
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

// Silence and noise change nothing; the noise is shown raw; a reply that
// reaches the port in two pieces before the read tick still counts.
TEST_F(RigWindowTest, FaultsLeaveTheLogAloneUntilAValidReply) {
  auto radio = MakeFakeRadio("Kenwood");
  radio->dial.hz = 50125000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  Start();
  pty.SetFault(PtyRadio::Fault::kSilence);
  RigControlfrm& w = PollOnCom3("Kenwood", pty);
  ASSERT_TRUE(QTest::qWaitFor([&] { return pty.Received().size() >= 5 * 7; }, kWaitMs));
  EXPECT_EQ(w.lblFreq->text(), "No Response");
  EXPECT_EQ(state_.contest.CurrentBand, "144 M");

  pty.SetFault(PtyRadio::Fault::kGarbage);
  pty.SetGarbage(std::string("FA12\0\xFF\x8F;", 8));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.lblUnProcess->text().isEmpty(); }, kWaitMs));
  QTest::qWait(200);
  EXPECT_EQ(w.lblFreq->text(), "No Response");
  EXPECT_EQ(state_.contest.CurrentBand, "144 M");
  EXPECT_EQ(state_.contest.CurrentMode, "PH");

  pty.SetSplitPause(std::chrono::milliseconds(20));
  pty.SetFault(PtyRadio::Fault::kSplit);
  EXPECT_TRUE(BandAndMode("50 M", "CW"));
  EXPECT_EQ(CountAsked(prompter_, kBadPort), 0);
}

// The tail of a reply cut past the read tick is stale by the next query: the
// binary families have no framing, so joined to the next reply it would read
// as another frequency.
TEST_F(RigWindowTest, ATailLateForItsReadTickIsNeverReadAsAFrequency) {
  for (const char* type : {"Yaesu", "Yaesu 757 GX II", "Yaesu 890", "Ten Tec Fnt Pnl"}) {
    SCOPED_TRACE(type);
    auto radio = MakeFakeRadio(type);
    radio->dial.hz = 50125000;
    radio->dial.mode = RadioMode::kCw;
    PtyRadio pty(*radio);
    Start();
    RigControlfrm& w = PollOnCom3(type, pty);
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblFreq->text() == "50.12500"; }, kWaitMs));
    // Ticks come every 50 ms: the second half lands between the read tick
    // and the next send tick.
    pty.SetSplitPause(std::chrono::milliseconds(70));
    pty.SetFault(PtyRadio::Fault::kSplit);
    QStringList shown;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500) {
      QTest::qWait(5);
      if (!shown.contains(w.lblFreq->text())) shown << w.lblFreq->text();
    }
    EXPECT_EQ(shown, QStringList{"50.12500"}) << shown.join(" | ").toStdString();
    EXPECT_EQ(state_.contest.CurrentBand, "50 M");
    form_.reset();
  }
}

// The cable pulled while polling: one message, polling stops; plugged back,
// Test polls again.
TEST_F(RigWindowTest, UnpluggedRadioReportsOnceAndTestWorksAgain) {
  auto radio = MakeFakeRadio("Kenwood");
  radio->dial.hz = 50125000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  Start();
  RigControlfrm& w = PollOnCom3("Kenwood", pty);
  ASSERT_TRUE(BandAndMode("50 M", "CW"));

  pty.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return CountAsked(prompter_, kBadPort) > 0; }, kWaitMs));
  QTest::qWait(300);
  EXPECT_EQ(CountAsked(prompter_, kBadPort), 1);
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Command2->isEnabled());
  EXPECT_GE(prompter_.beeps, 1);

  ASSERT_TRUE(pty.Plug());
  radio->dial.hz = 432100000;
  radio->dial.mode = RadioMode::kUsb;
  w.Command1->click();
  EXPECT_TRUE(w.Polling());
  EXPECT_TRUE(BandAndMode("432 M", "PH"));
  EXPECT_EQ(CountAsked(prompter_, kBadPort), 1);
}

TEST_F(RigWindowTest, MissingOrBusyPortGivesTheMessageOnceAndNoPolling) {
  auto radio = MakeFakeRadio("Kenwood");
  PtyRadio pty(*radio);
  Start();
  setenv("VANTREL_COM3", pty.Path().c_str(), 1);
  setenv("VANTREL_COM5", "/dev/vantrel-no-such-radio", 1);
  // Another program holds COM3.
  MemorySettingsStore other_store;
  ComPortMap other_map(other_store);
  QtSerialPort holder(other_map);
  holder.SetPortNumber(3);
  ASSERT_TRUE(holder.Open());
  RigControlfrm& w = form_->RigWindow();
  w.show();
  w.List1->setCurrentRow(4);  // Kenwood
  int expected = 0;
  for (int port : {5, 3}) {
    SCOPED_TRACE(port);
    w.optComm[size_t(port - 1)]->click();
    w.Command1->click();
    EXPECT_EQ(CountAsked(prompter_, kBadPort), ++expected);
    ASSERT_FALSE(prompter_.asked.empty());
    EXPECT_TRUE(prompter_.asked.back().text.startsWith("The comm port that you selected"));
    EXPECT_EQ(prompter_.beeps, expected);
    EXPECT_FALSE(w.Polling());
    EXPECT_FALSE(w.Command2->isEnabled());
    EXPECT_FALSE(w.lblPolling->isVisible());
  }
  holder.Close();
  w.Command1->click();
  EXPECT_TRUE(w.Polling());
  EXPECT_EQ(CountAsked(prompter_, kBadPort), expected);
  w.Command2->click();

  // Change Frequency only works while polling.
  w.Command3->click();
  EXPECT_TRUE(prompter_.WasAsked("You must be polling your rig to test this function."));
}

// At start-up a stored radio is polled without showing the window; a port
// that fails there shows the window modally so it can be corrected.
TEST_F(RigWindowTest, StartUpPollsTheStoredRadio) {
  auto radio = MakeFakeRadio("Yaesu");
  radio->dial.hz = 50125000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  setenv("VANTREL_COM3", pty.Path().c_str(), 1);
  RigSettings s;
  ApplyRigChoice("Yaesu", s);
  s.Port = 3;
  s.PollRate = "F";
  s.SerialSettings = SerialSettingsString(s);
  Write("RigCntrl.txt", FormatRigSettings(s));
  rig_type_ = "Yaesu";
  Start();
  RigControlfrm& w = form_->RigWindow();
  EXPECT_TRUE(w.Polling());
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(BandAndMode("50 M", "CW"));
  // Opening the port wakes the radio with five zero bytes ...
  EXPECT_EQ(pty.Received().substr(0, 5), std::string(5, '\0'));
  form_.reset();
  // ... and unloading the window hands it back to its front panel.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return pty.Received().ends_with(std::string("\0\0\0\0\x80", 5)); }, kWaitMs));
}

TEST_F(RigWindowTest, StartUpWithAMissingPortShowsTheWindow) {
  RigSettings s;
  ApplyRigChoice("Kenwood", s);
  s.Port = 5;
  s.SerialSettings = SerialSettingsString(s);
  Write("RigCntrl.txt", FormatRigSettings(s));
  setenv("VANTREL_COM5", "/dev/vantrel-no-such-radio", 1);
  rig_type_ = "kenwood";  // the stored type is compared without case here
  bool shown_modal = false;
  QTimer::singleShot(100, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      shown_modal = modal->objectName() == "RigControlfrm";
      modal->hide();
    }
  });
  Start();
  EXPECT_TRUE(shown_modal);
  EXPECT_EQ(CountAsked(prompter_, kBadPort), 1);
  EXPECT_FALSE(form_->RigWindow().Polling());
}

// Done saves the choices (and the radio in vhfpref.txt) and hides the
// window, which goes on polling; a new window reads them back.
TEST_F(RigWindowTest, DoneWritesRigCntrlAndLoadReadsItBack) {
  const std::string pegasus = dir_.filePath("pegasus").toStdString();
  Start();
  form_->set_settings_store(&store_);
  form_->settings_store().Save(kSettingsApplication, "Pegasus", "Folder", pegasus);
  QDir().mkpath(QString::fromStdString(pegasus));
  // The control program says USB; below 50.1 MHz the log takes CW.
  Write("pegasus/PEGASUS.OUT", PegasusOutText(50.05, "USB"));
  QTest::keyClick(form_->txtCall, Qt::Key_R, Qt::ControlModifier);
  RigControlfrm& w = form_->RigWindow();
  ASSERT_TRUE(w.isVisible());
  w.hide();
  EXPECT_EQ(form_->mnuRigInterface->text(), "Rig &Interface");
  form_->mnuRigInterface->trigger();
  ASSERT_TRUE(w.isVisible());
  w.List1->setCurrentRow(9);  // Ten Tec Pegasus: no port at all
  w.optBaud[0]->click();      // 1.2
  w.optComm[9]->click();      // 10
  w.optPollFast->click();
  w.OptFreq->click();
  w.cmdDone->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(w.Polling());
  EXPECT_TRUE(BandAndMode("50 M", "CW"));
  EXPECT_EQ(state_.prefs.RigType, "Ten Tec Pegasus");
  EXPECT_NE(Read("vhfpref.txt").find("\"Ten Tec Pegasus\""), std::string::npos);
  const std::string file = Read("RigCntrl.txt");
  EXPECT_TRUE(file.starts_with("\"1200 \"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n")) << file;
  EXPECT_NE(file.find("\r\n10\r\n\"N\"\r\n\"F\"\r\n\"Ten Tec Pegasus\"\r\n"), std::string::npos);

  MemorySettingsStore store;
  ComPortMap map(store);
  RigControlfrm again(state_, prompter_,
                      ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)},
                      std::make_unique<QtSerialPort>(map), store, {});
  EXPECT_EQ(again.settings(), w.settings());
  EXPECT_TRUE(again.optBaud[0]->isChecked());
  EXPECT_TRUE(again.optComm[9]->isChecked());
  EXPECT_TRUE(again.optPollFast->isChecked());
  EXPECT_TRUE(again.OptFreq->isChecked());
  ASSERT_NE(again.List1->currentItem(), nullptr);
  EXPECT_EQ(again.List1->currentItem()->text(), "Ten Tec Pegasus");
  EXPECT_FALSE(again.Polling());
}

// A file cut short: the values before the cut are held (the rig type among
// them), the controls keep their first values.
TEST_F(RigWindowTest, ShortRigCntrlKeepsTheControlsAsTheyStart) {
  RigSettings s;
  ApplyRigChoice("Kenwood", s);
  s.Port = 4;
  s.PollRate = "F";
  std::string text = FormatRigSettings(s);
  for (int i = 0; i < 3; ++i) text.erase(text.rfind("\r\n", text.size() - 3) + 2);
  Write("RigCntrl.txt", text);
  Start();
  RigControlfrm& w = form_->RigWindow();
  EXPECT_EQ(w.settings().RigType, "Kenwood");
  EXPECT_EQ(w.settings().Port, 4);
  EXPECT_EQ(w.List1->currentItem(), nullptr);
  EXPECT_TRUE(w.optComm[0]->isChecked());
  EXPECT_TRUE(w.optPollMed->isChecked());
  EXPECT_TRUE(w.optBaud[8]->isChecked());
  EXPECT_EQ(w.txtFreq->text(), "");
}

// A list choice applies the family's defaults to the controls and leaves
// the serial choices the family does not name as they were.
TEST_F(RigWindowTest, ListChoiceAppliesTheFamilyDefaults) {
  Start();
  RigControlfrm& w = form_->RigWindow();
  w.show();
  EXPECT_EQ(w.List1->currentItem(), nullptr);
  EXPECT_TRUE(w.optBaud[8]->isChecked());  // 56000 before any file or choice
  EXPECT_TRUE(w.optComm[0]->isChecked());
  EXPECT_TRUE(w.optPollMed->isChecked());
  EXPECT_TRUE(w.chkFrequency->isChecked());
  EXPECT_FALSE(w.chkHex->isEnabled());

  w.optData7->click();
  w.optStop1->click();
  w.optParityEven->click();
  struct Row {
    int row;
    const char* freq;
    const char* mode;
    int baud;  // index of the checked baud option
    QRadioButton* data;
    QRadioButton* stop;
    QRadioButton* parity;
    bool hex, hex_enabled, icom_hint;
  };
  const Row rows[] = {
      {17, "FA;", "MD0;", 2, w.optData7, w.optStop1, w.optParityEven, false, false, false},
      {5, "IF;", "", 2, w.optData8, w.optStop2, w.optParityNone, false, false, false},
      {2, "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", 0, w.optData8, w.optStop1, w.optParityNone,
       true, false, true},
      {7, "?AF", "?RMM", 8, w.optData8, w.optStop1, w.optParityNone, false, false, false},
      {18, "", "", 8, w.optData8, w.optStop1, w.optParityNone, false, true, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(w.List1->item(r.row)->text().toStdString());
    w.List1->setCurrentRow(r.row);
    EXPECT_EQ(w.settings().RigType, w.List1->item(r.row)->text().toStdString());
    EXPECT_EQ(w.txtFreq->text(), r.freq);
    EXPECT_EQ(w.txtMode->text(), r.mode);
    EXPECT_TRUE(w.optBaud[size_t(r.baud)]->isChecked());
    EXPECT_TRUE(r.data->isChecked());
    EXPECT_TRUE(r.stop->isChecked());
    EXPECT_TRUE(r.parity->isChecked());
    EXPECT_EQ(w.chkHex->isChecked(), r.hex);
    EXPECT_EQ(w.chkHex->isEnabled(), r.hex_enabled);
    EXPECT_EQ(w.lblIcom->isVisibleTo(&w), r.icom_hint);
  }
  // What is typed into a query field is the query at once.
  w.txtFreq->setText("FA;");
  EXPECT_EQ(w.settings().FrequencyQuery, "FA;");
}

// Any serial choice, or the focus in a query field, ends the test; a mode
// source choice forgets the mode; the raw reply can be shown in hex and
// copied.
TEST_F(RigWindowTest, ChoicesEndTheTestAndTheRawReplyIsShown) {
  auto radio = MakeFakeRadio("Kenwood");
  radio->dial.hz = 50125000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  Start();
  RigControlfrm& w = PollOnCom3("Kenwood", pty);
  for (QRadioButton* option :
       {w.optBaud[3], w.optParityNone, w.optStop2, w.optPowerRTS, w.optPollFast, w.optComm[2]}) {
    SCOPED_TRACE(option->objectName().toStdString());
    w.Command1->click();
    ASSERT_TRUE(w.Polling());
    option->click();
    EXPECT_FALSE(w.Polling());
    EXPECT_FALSE(w.port().IsOpen());
  }
  w.Command1->click();
  QApplication::setActiveWindow(&w);
  w.txtMode->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
  EXPECT_FALSE(w.Polling());
  // Hidden by Done and shown again with the focus still in the field: the
  // focus comes back with the window and the test goes on.
  w.Command1->click();
  w.hide();
  QApplication::setActiveWindow(form_.get());
  w.show();
  QApplication::setActiveWindow(&w);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), w.txtMode);
  EXPECT_TRUE(w.Polling());
  w.Command2->click();

  w.Command1->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblMode->text() == "CW"; }, kWaitMs));
  w.OptDont->click();
  EXPECT_EQ(w.lblMode->text(), "No Response");
  EXPECT_EQ(w.poller().state().mode, "");

  // "Convert to Hex" carries "Convert from Hex" with it when clicked.
  w.chkHex->setEnabled(true);
  w.chkHex->click();
  EXPECT_TRUE(w.ChkConvHex->isChecked());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return w.lblUnProcess->text().startsWith("46 41 30 30 "); }, kWaitMs))
      << w.lblUnProcess->text().toStdString();
  w.Command4->click();
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith("46 41 30 30 "));
  EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);
}

}  // namespace
}  // namespace vantrel::ui

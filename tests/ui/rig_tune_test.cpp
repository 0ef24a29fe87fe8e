// Tuning through the rig window, the tune window and the command test window
// against fake radios on pseudo-terminals: what reaches the radio, what the
// rig window shows after, and what the operator is told when it cannot be.
#include <QDir>
#include <QTimer>
#include <cstdlib>

#include "form1_fixture.h"
#include "support/fake_radio.h"
#include "support/memory_settings_store.h"
#include "support/pty_radio.h"
#include "ui/frm_frequency_test.h"
#include "ui/frm_rig_tune.h"
#include "ui/rig_controlfrm.h"

namespace vantrel::ui {
namespace {

constexpr int kWaitMs = 5000;

int CountAsked(const ScriptedPrompter& p, const QString& title) {
  int n = 0;
  for (const auto& a : p.asked) n += a.title == title ? 1 : 0;
  return n;
}

class RigTuneTest : public Form1Fixture {
 protected:
  void TearDown() override {
    tune_.reset();
    form_.reset();  // before the radios go
    unsetenv("VANTREL_COM3");
  }

  // What the start-up asked is no business of these tests.
  void StartQuiet() {
    Start();
    prompter_.asked.clear();
  }

  // The radio on COM3 at the fastest rate, polled.
  RigControlfrm& Poll(const std::string& rig_type, PtyRadio& pty) {
    setenv("VANTREL_COM3", pty.Path().c_str(), 1);
    RigControlfrm& w = form_->RigWindow();
    w.show();
    const auto found = w.List1->findItems(QString::fromStdString(rig_type), Qt::MatchExactly);
    EXPECT_EQ(found.size(), 1);
    w.List1->setCurrentItem(found.front());
    w.optComm[2]->click();
    w.optPollFast->click();
    w.Command1->click();
    EXPECT_TRUE(w.Polling());
    return w;
  }

  frmRigTune& Tune() {
    tune_ = std::make_unique<frmRigTune>(form_->RigWindow(), prompter_, form_.get());
    tune_->show();
    QApplication::setActiveWindow(tune_.get());
    return *tune_;
  }

  // Waits for the dial and for the change to end with polling running again.
  bool Tuned(DialRadio& radio, Hertz hz) {
    RigControlfrm& w = form_->RigWindow();
    return QTest::qWaitFor([&] { return radio.dial.hz == hz && !w.Tuning() && w.Polling(); },
                           kWaitMs);
  }

  std::unique_ptr<frmRigTune> tune_;
  MemorySettingsStore store_;
};

struct FamilyCase {
  const char* type;
  const char* mhz;
  const char* shown;
};

class RigTuneFamilyTest : public RigTuneTest, public ::testing::WithParamInterface<FamilyCase> {};

// ChangeFrequency through the real port: the radio lands exactly on the
// frequency, polling resumes, and the rig window shows it to the last digit.
TEST_P(RigTuneFamilyTest, ChangeFrequencyLandsExactlyAndIsShownExactly) {
  const FamilyCase& c = GetParam();
  auto radio = MakeFakeRadio(c.type);
  radio->dial.hz = 50125000;
  PtyRadio pty(*radio);
  ASSERT_TRUE(pty.Plugged());
  StartQuiet();
  RigControlfrm& w = Poll(c.type, pty);
  const Hertz hz = ParseMhz(c.mhz).value();
  w.ChangeFrequency(hz);
  EXPECT_TRUE(w.Tuning());
  EXPECT_FALSE(w.Polling());
  ASSERT_TRUE(Tuned(*radio, hz)) << radio->dial.hz;
  EXPECT_TRUE(QTest::qWaitFor([&] { return w.lblFreq->text() == c.shown; }, kWaitMs))
      << w.lblFreq->text().toStdString();
  EXPECT_TRUE(prompter_.asked.empty());
}

INSTANTIATE_TEST_SUITE_P(Families, RigTuneFamilyTest,
                         ::testing::Values(FamilyCase{"Kenwood", "432.1", "432.10000"},
                                           FamilyCase{"Kenwood 2", "1296.1", "1296.10000"},
                                           FamilyCase{"Elecraft", "144.2", "144.20000"},
                                           FamilyCase{"Icom", "432.1", "432.10000"},
                                           FamilyCase{"Icom 735", "50.125", "50.12500"},
                                           FamilyCase{"Ten Tec Omni VI", "2304.1", "2304.10000"},
                                           FamilyCase{"Ten Tec Orion", "432.1", "432.10000"},
                                           FamilyCase{"Ten Tec Fnt Pnl", "1296.1", "1296.10000"},
                                           FamilyCase{"Yaesu", "432.1", "432.10000"},
                                           FamilyCase{"Yaesu 757 GX II", "432.1", "432.10000"},
                                           FamilyCase{"Yaesu 890", "144.2", "144.20000"},
                                           FamilyCase{"Yaesu 920", "432.1", "432.10000"},
                                           FamilyCase{"Yaesu 990", "144.2", "144.20000"},
                                           FamilyCase{"Yaesu 1000 D", "144.2", "144.20000"},
                                           FamilyCase{"Yaesu 1000", "144.2", "144.20000"},
                                           FamilyCase{"Yaesu FTdx9000", "50.125", "50.12500"}),
                         [](const auto& info) {
                           std::string name;
                           for (char c : std::string(info.param.type))
                             if (std::isalnum(static_cast<unsigned char>(c))) name += c;
                           return name;
                         });

// Go, Enter, the step and band buttons and a mode button, with the band
// plan choosing the mode on the way; then a scan that waits for each change.
TEST_F(RigTuneTest, TuneWindowGoStepsBandsModesAndScan) {
  auto radio = MakeFakeRadio("Kenwood");
  radio->dial.hz = 144200000;
  radio->dial.mode = RadioMode::kCw;
  PtyRadio pty(*radio);
  StartQuiet();
  Write("BandPlan.txt",
        "\"2024\"\r\n\"6\",\"E\",\"CW\",50,50.1\r\n\"6\",\"G\",\"CW\",50.1,54\r\n"
        "\"6\",\"E\",\"PH\",50.1,54\r\n");
  Poll("Kenwood", pty);
  frmRigTune& t = Tune();
  EXPECT_EQ(t.windowTitle(), " Change Frequency and Mode (Ctrl G (Go))");
  EXPECT_FALSE(t.cmdTune[0]->isEnabled());

  t.txtFreq->setFocus();
  QTest::keyClicks(t.txtFreq, "50.125");
  EXPECT_TRUE(t.cmdTune[0]->isEnabled());
  QTest::keyClick(t.txtFreq, Qt::Key_Return);
  ASSERT_TRUE(Tuned(*radio, 50125000));
  EXPECT_EQ(radio->dial.mode, RadioMode::kUsb);  // the 6 m Extra phone row
  EXPECT_NE(pty.Received().find("MD2;FA00050125000;"), std::string::npos);
  EXPECT_EQ(QApplication::focusWidget(), t.txtFreq);
  EXPECT_EQ(t.txtFreq->cursorPosition(), t.txtFreq->text().size());

  const std::pair<int, const char*> clicks[] = {{2, "51.125"}, {1, "51.12499"}};
  for (const auto& [button, text] : clicks) {
    t.cmdTune[static_cast<size_t>(button)]->click();
    EXPECT_EQ(t.txtFreq->text(), text);
    ASSERT_TRUE(Tuned(*radio, ParseMhz(text).value()));
  }
  t.cmdBand[11]->click();  // "2"
  EXPECT_EQ(t.cmdBand[11]->text(), "2");
  EXPECT_EQ(t.txtFreq->text(), "146");
  ASSERT_TRUE(Tuned(*radio, 146000000));
  t.cmdCW->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return radio->dial.mode == RadioMode::kCw; }, kWaitMs));

  // The live scan: every step reaches the radio, in order.
  t.txtFreq->setText("50.1");
  t.txtFrom->setText("50.1");
  t.txtTo->setText("50.11");
  t.Option[4]->click();
  t.chkScan->setChecked(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return radio->dial.hz == 50105000; }, 3 * kWaitMs));
  const std::string heard = pty.Received();
  const size_t first = heard.find("FA00050102500;");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(heard.find("FA00050105000;", first), std::string::npos);
  QTest::keyClick(t.Option[4], Qt::Key_Shift);  // any key stops it
  EXPECT_FALSE(t.chkScan->isChecked());
  EXPECT_TRUE(prompter_.asked.empty());
}

// The scan tick driven by hand: the wrap, fields that are not numbers, a key.
TEST_F(RigTuneTest, ScanTicksWrapAndStop) {
  StartQuiet();
  frmRigTune& t = Tune();
  EXPECT_TRUE(t.Timer1->isActive());
  EXPECT_EQ(t.Timer1->interval(), 299);
  EXPECT_EQ(t.ScanStep(), 10);  // "10 Hz" is the default
  t.Timer1->stop();
  EXPECT_EQ(t.txtFrom->text(), "1.8");
  EXPECT_EQ(t.txtTo->text(), "54");

  t.txtFrom->setText("50.1");
  t.txtTo->setText("50.11");
  t.Option[4]->click();
  EXPECT_EQ(t.ScanStep(), 2500);
  t.chkScan->setChecked(true);  // txtFreq is empty: the scan starts at From
  EXPECT_EQ(t.txtFreq->text(), "50.1");
  EXPECT_EQ(QApplication::focusWidget(), t.Command1);
  std::vector<std::string> seen;
  for (int i = 0; i < 6; ++i) {
    t.Timer1_Timer();
    seen.push_back(t.txtFreq->text().toStdString());
  }
  EXPECT_EQ(seen,
            (std::vector<std::string>{"50.1025", "50.105", "50.1075", "50.11", "50.1", "50.1025"}));

  for (QLineEdit* field : {t.txtFreq, t.txtFrom, t.txtTo}) {
    const QString kept = field->text();
    field->setText("5/1");
    const QString freq = t.txtFreq->text();
    t.Timer1_Timer();
    EXPECT_EQ(t.txtFreq->text(), freq) << field->objectName().toStdString();
    field->setText(kept);
  }

  QTest::keyClick(t.cmdDone, Qt::Key_A);
  EXPECT_FALSE(t.chkScan->isChecked());
  t.Timer1_Timer();
  EXPECT_EQ(t.txtFreq->text(), "50.1025");
}

TEST_F(RigTuneTest, FrequencyFieldsTakeOnlyDigitsPointAndSlash) {
  StartQuiet();
  frmRigTune& t = Tune();
  for (QLineEdit* field : {t.txtFreq, t.txtFrom, t.txtTo}) {
    field->clear();
    field->setFocus();
    QTest::keyClicks(field, "a1-4e.2 5/x");
    EXPECT_EQ(field->text(), "14.25/") << field->objectName().toStdString();
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), "14.25");
  }
  EXPECT_TRUE(t.cmdTune[9]->isEnabled());
  t.txtFreq->setText("14.2/");
  EXPECT_FALSE(t.cmdTune[9]->isEnabled());
}

// Text that is no frequency, or none a band holds, is refused with a message
// and nothing is written; with rig type "None" Go does nothing at all.
TEST_F(RigTuneTest, BadTypedFrequencyIsRefusedAndNothingIsWritten) {
  auto radio = MakeFakeRadio("Kenwood");
  PtyRadio pty(*radio);
  StartQuiet();
  {
    frmRigTune& none = Tune();
    none.txtFreq->setText("abc");
    none.Command1->click();
    EXPECT_TRUE(prompter_.asked.empty());
  }
  RigControlfrm& w = Poll("Kenwood", pty);
  frmRigTune& t = Tune();
  const std::pair<const char*, const char*> cases[] = {{"", "Type the frequency"},
                                                       {"-432.1", "negative"},
                                                       {"abc", "\"abc\" is not a frequency"},
                                                       {"1e9", "\"1e9\" is not a frequency"},
                                                       {"3.0", "outside every amateur band"},
                                                       {"14..2", "not a frequency"}};
  for (const auto& [text, words] : cases) {
    prompter_.asked.clear();
    t.txtFreq->setText(text);
    t.Command1->click();
    ASSERT_EQ(prompter_.asked.size(), 1u) << text;
    EXPECT_EQ(prompter_.asked[0].title, "Invalid Frequency");
    EXPECT_TRUE(prompter_.asked[0].text.contains(words)) << prompter_.asked[0].text.toStdString();
  }
  EXPECT_FALSE(w.Tuning());
  QTest::qWait(300);
  EXPECT_EQ(pty.Received().find("FA0"), std::string::npos);
  EXPECT_TRUE(w.Polling());
}

// 1296.1 MHz cannot be put in the Yaesu's eight digits: one message, nothing
// written, polling left stopped; the scan that asked stops with it.
TEST_F(RigTuneTest, FrequencyThatDoesNotFitIsNeverWrittenAndStopsTheScanOnce) {
  auto radio = MakeFakeRadio("Yaesu");
  radio->dial.hz = 144200000;
  PtyRadio pty(*radio);
  StartQuiet();
  RigControlfrm& w = Poll("Yaesu", pty);
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.lblFreq->text() == "144.20000"; }, kWaitMs));
  frmRigTune& t = Tune();
  t.txtFreq->setText("1296.1");
  t.txtFrom->setText("1296.1");
  t.txtTo->setText("1296.2");
  t.chkScan->setChecked(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return CountAsked(prompter_, "Error Changing Frequency") > 0; },
                              kWaitMs));
  const std::string heard = pty.Received();
  QTest::qWait(800);
  EXPECT_EQ(CountAsked(prompter_, "Error Changing Frequency"), 1);
  EXPECT_EQ(prompter_.asked.back().text,
            "1296.10001 MHz does not fit the frequency command of the Yaesu: it holds 8 digits of "
            "10 Hz, up to 999.99999 MHz.");
  EXPECT_FALSE(t.chkScan->isChecked());
  EXPECT_FALSE(w.Polling());
  EXPECT_EQ(pty.Received(), heard);  // not a byte more, not even a poll
  EXPECT_EQ(radio->dial.hz, 144200000);
}

// Clicks during a change wait for it; only the latest one is tuned to.
TEST_F(RigTuneTest, RequestsDuringAChangeKeepOnlyTheLatest) {
  auto radio = MakeFakeRadio("Kenwood");
  PtyRadio pty(*radio);
  StartQuiet();
  RigControlfrm& w = Poll("Kenwood", pty);
  w.ChangeFrequency(50125000);
  w.ChangeFrequency(144200000);
  w.ChangeFrequency(432100000);
  ASSERT_TRUE(Tuned(*radio, 432100000));
  const std::string heard = pty.Received();
  const size_t first = heard.find("FA00050125000;");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, heard.find("FA00432100000;"));
  EXPECT_EQ(heard.find("FA00144200000;"), std::string::npos);
}

// A mode button with the port not open: the failure and the mode it meant.
TEST_F(RigTuneTest, ModeWithThePortClosedSaysSo) {
  StartQuiet();
  RigControlfrm& w = form_->RigWindow();
  w.List1->setCurrentRow(4);  // Kenwood, not tested
  frmRigTune& t = Tune();
  t.cmdUSB->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter_.asked.empty(); }, kWaitMs));
  EXPECT_EQ(prompter_.asked[0].title, "Error Changing Mode");
  EXPECT_EQ(prompter_.asked[0].text, "The rig port is not open. USB");
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Tuning());
}

// The cable pulled during a scan: the port's message once, and the scan off.
TEST_F(RigTuneTest, PortFailureStopsTheScanWithOneMessage) {
  auto radio = MakeFakeRadio("Kenwood");
  PtyRadio pty(*radio);
  StartQuiet();
  RigControlfrm& w = Poll("Kenwood", pty);
  frmRigTune& t = Tune();
  t.txtFreq->setText("50.1");
  t.txtFrom->setText("50.1");
  t.txtTo->setText("50.2");
  t.chkScan->setChecked(true);
  ASSERT_TRUE(QTest::qWaitFor([&] { return radio->dial.hz != 14250000; }, kWaitMs));
  pty.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter_.asked.empty(); }, kWaitMs));
  QTest::qWait(1000);
  EXPECT_EQ(prompter_.asked.size(), 1u) << prompter_.asked.back().title.toStdString();
  EXPECT_FALSE(t.chkScan->isChecked());
  EXPECT_FALSE(w.Polling());
  EXPECT_FALSE(w.Tuning());
}

// "Change Frequency" opens the command test window while polling; it sends
// text and hex pairs as they are, and tunes to a typed frequency.
TEST_F(RigTuneTest, CommandTestWindowSendsRawCommandsExactly) {
  auto radio = MakeFakeRadio("Icom");
  PtyRadio pty(*radio);
  StartQuiet();
  RigControlfrm& w = Poll("Icom", pty);
  w.Command3->click();
  frmFrequencyTest* f = w.frequency_test();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->windowTitle(), "Test Change Frequency Function");
  EXPECT_EQ(f->Text1->text(), "FA00028475000;");
  EXPECT_EQ(f->Text2->text(), "28.475");

  f->Text1->setText(" FE FE 64 E0 05 00 50 12 50 00 FD ");
  f->Check1->setChecked(true);
  f->Command1->click();
  EXPECT_TRUE(QTest::qWaitFor([&] { return radio->dial.hz == 50125000; }, kWaitMs));
  EXPECT_TRUE(w.Polling());  // a raw command does not pause polling

  f->Text1->setText("FE FE 64 E0 05 ZZ");
  f->Command1->click();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_TRUE(prompter_.asked[0].text.contains("is not hex pairs"));

  f->Command2->click();  // 28.475
  ASSERT_TRUE(Tuned(*radio, 28475000));
  f->Text2->setText("1e9");
  f->Command2->click();
  EXPECT_EQ(prompter_.asked.back().title, "Invalid Frequency");
  EXPECT_FALSE(w.Tuning());
}

TEST_F(RigTuneTest, CommandTestWindowSendsTextAsTyped) {
  auto radio = MakeFakeRadio("Kenwood");
  PtyRadio pty(*radio);
  StartQuiet();
  RigControlfrm& w = Poll("Kenwood", pty);
  w.Command3->click();
  w.frequency_test()->Command1->click();  // FA00028475000;
  EXPECT_TRUE(QTest::qWaitFor([&] { return radio->dial.hz == 28475000; }, kWaitMs));
  EXPECT_NE(pty.Received().find("FA00028475000;"), std::string::npos);
}

// The Pegasus is tuned through PEGASUS.IN: the frequency and the mode it reports.
TEST_F(RigTuneTest, PegasusGetsTheFrequencyInItsFile) {
  const std::string folder = dir_.filePath("pegasus").toStdString();
  StartQuiet();
  form_->set_settings_store(&store_);
  store_.Save(kSettingsApplication, "Pegasus", "Folder", folder);
  QDir().mkpath(QString::fromStdString(folder));
  Write("pegasus/PEGASUS.OUT", PegasusOutText(14.025, "CW"));
  RigControlfrm& w = form_->RigWindow();
  w.List1->setCurrentRow(9);
  w.optPollFast->click();
  w.Command1->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w.poller().state().mode == "CW"; }, kWaitMs));
  w.ChangeFrequency(14025500);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !w.Tuning(); }, kWaitMs));
  EXPECT_EQ(Read("pegasus/PEGASUS.IN"), "14.0255\r\nCW\r\n");
  EXPECT_TRUE(w.Polling());
}

TEST_F(RigTuneTest, CtrlGOpensTheTuneWindowModally) {
  StartQuiet();
  QString title;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) return;
    title = modal->windowTitle();
    auto* tune = qobject_cast<frmRigTune*>(modal);
    if (tune) tune->cmdDone->click();
  });
  QTest::keyClick(form_->txtCall, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(title, " Change Frequency and Mode (Ctrl G (Go))");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace vantrel::ui

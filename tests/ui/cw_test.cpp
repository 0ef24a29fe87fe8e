// CW from the main window and the CW windows: message keys, speed keys,
// keyboard CW, Esc and the repeat cycle, keyed on a recording line through
// the real keying thread with a clock the test holds mid-character.
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <list>

#include "keying/cw_settings.h"
#include "platform/keying_clock.h"
#include "support/keying_doubles.h"
#include "support/memory_settings_store.h"
#include "tests/ui/form1_fixture.h"
#include "ui/cw_frm.h"
#include "ui/form1_cw.h"
#include "ui/frm_code_practice.h"
#include "ui/frm_cw_strings.h"

namespace vantrel::ui {
namespace {

constexpr std::int64_t kElementNs = 60'000'000;  // 20 WPM

CwSettings Messages(int keying_line) {
  CwSettings s;
  s.messages[0] = "CQ $";
  s.messages[1] = "TU $ *";
  s.messages[8] = "VVV DE ";
  s.messages[9] = "TEN";
  s.messages[10] = "ELEVEN";
  s.speed = "20";
  s.keying_line = keying_line;
  return s;
}

class CwWindowTest : public Form1Fixture {
 protected:
  void StartCw(int keying_line = 2, const char* mode = "CW", CwSettings s = Messages(2)) {
    s.keying_line = keying_line;
    Write("CW.txt", FormatCwSettings(s));
    Start("", 1, mode);
    keyer().UseForTest(clock_cw_,
                       [this](int) { return std::make_unique<ForwardingKeyLine>(line_); });
    // "Sleep" keys the first element at once, so a held clock holds the
    // line down mid-character.
    keyer().SetTiming(CwTiming::kSleep);
  }
  CwKeyer& keyer() { return form_->cw().setup().keyer(); }
  void Key(int key, QWidget* w = nullptr) { QTest::keyClick(w ? w : form_->txtCall, Qt::Key(key)); }
  // Waits for the sending to end and decodes what was keyed.
  std::string Keyed() {
    clock_cw_.Resume();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(!form_->cw().CwSending(), 5000); }();
    QApplication::processEvents();
    return DecodeMorse(line_.changes(), kElementNs);
  }
  // Sends with the clock held, returning once the first character is keying.
  void Hold() { clock_cw_.Pause(); }
  void Held() { ASSERT_TRUE(clock_cw_.WaitForHeldThread()); }

  // The window goes first: its keyer still holds a line into these.
  void TearDown() override { form_.reset(); }

  GatedKeyingClock clock_cw_;
  RecordingKeyLine line_{clock_cw_};
  std::list<RecordingKeyLine> lines_;
  PosixKeyingClock real_clock_;
  RecordingKeyLine real_line_{real_clock_};
};

TEST_F(CwWindowTest, FunctionKeysSendTheirExpandedMessages) {
  const struct {
    int key;
    const char* call;
    const char* rst;
    const char* keyed;
  } rows[] = {{Qt::Key_F2, "k1abcd", "599", "TU K1ABCD 5NN"},
              {Qt::Key_F2, "w1aw", "579", "TU W1AW 579"},
              {Qt::Key_F1, "", "", "CQ"},
              {Qt::Key_F9, "", "", "VVV DE"},
              {Qt::Key_F10, "", "", "TEN"},
              {Qt::Key_F11, "", "", "ELEVEN"},
              {Qt::Key_F3, "w1aw", "", ""}};  // empty message
  StartCw();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.keyed);
    RecordingKeyLine& fresh = lines_.emplace_back(clock_cw_);
    keyer().UseForTest(clock_cw_, [&](int) { return std::make_unique<ForwardingKeyLine>(fresh); });
    form_->txtCall->setText(row.call);
    form_->txtRSTS->setText(row.rst);
    Key(row.key);
    clock_cw_.Resume();
    QTRY_VERIFY_WITH_TIMEOUT(!form_->cw().CwSending(), 5000);
    EXPECT_EQ(DecodeMorse(fresh.changes(), kElementNs), row.keyed);
    EXPECT_FALSE(fresh.down());
    EXPECT_EQ(form_->txtCall->text(), row.call);  // keys never type into the field
  }
}

TEST_F(CwWindowTest, NoKeyingLineOrPhoneModeLeavesTheKeysAlone) {
  for (const auto& [line, mode] : {std::pair{0, "CW"}, std::pair{2, "PH"}}) {
    StartCw(line, mode);
    Key(Qt::Key_F1);
    Key(Qt::Key_Up);
    EXPECT_EQ(Keyed(), "") << mode;
    EXPECT_EQ(form_->cw().setup().Text11->text(), "20");
    EXPECT_NE(form_->lblDialog->text(), "21 WPM");
  }
}

TEST_F(CwWindowTest, UpAndDownChangeTheSpeedAndShowIt) {
  StartCw();
  Key(Qt::Key_Up);
  EXPECT_EQ(form_->cw().setup().Text11->text(), "21");
  EXPECT_EQ(form_->lblDialog->text(), "21 WPM");
  Key(Qt::Key_Down);
  Key(Qt::Key_Down);
  EXPECT_EQ(form_->lblDialog->text(), "19 WPM");
  EXPECT_EQ(keyer().engine().Wpm(), 19.0);
}

TEST_F(CwWindowTest, EscWhileSendingStopsAfterTheCharacterAndKeepsTheEntry) {
  StartCw();
  Type(form_->txtCall, "w1aw");
  Hold();
  Key(Qt::Key_F1);
  Held();
  EXPECT_TRUE(form_->cw().CwSending());
  EXPECT_TRUE(line_.down());
  Key(Qt::Key_Escape);
  EXPECT_EQ(Keyed(), "C");
  EXPECT_EQ(form_->txtCall->text(), "W1AW");
  Key(Qt::Key_Escape);  // not sending: clears the entry
  EXPECT_EQ(form_->txtCall->text(), "");
}

TEST_F(CwWindowTest, NewMessageKeyReplacesTheRest) {
  StartCw();
  form_->txtCall->setText("w1aw");
  Hold();
  Key(Qt::Key_F1);
  Held();
  Key(Qt::Key_F10);
  EXPECT_EQ(Keyed(), "CTEN");
}

TEST_F(CwWindowTest, KeyboardModeKeysTypingWithBackspaceAndEsc) {
  StartCw();
  Key(Qt::Key_F12);
  EXPECT_EQ(form_->lblDialog->text(),
            "Keyboard CW mode is ON!  Press F12 to exit keyboard CW mode.");
  EXPECT_EQ(form_->lblDialog->palette().color(QPalette::Window), QColor(255, 255, 192));
  Hold();
  Type(form_->txtCall, "ab");
  Held();
  Key(Qt::Key_Backspace);  // removes the queued "B"
  Type(form_->txtCall, "c");
  EXPECT_EQ(keyer().Buffer(), "C");
  EXPECT_EQ(Keyed(), "AC");
  EXPECT_EQ(form_->txtCall->text(), "");  // nothing reached the field

  // Esc aborts and is never keyed; Backspace while idle keys nothing.
  Hold();
  Type(form_->txtCall, "tee");
  Held();
  Key(Qt::Key_Escape);
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Keyed(), "ACT");  // the "T" in progress; the backspace keys nothing

  Key(Qt::Key_F12);
  EXPECT_EQ(form_->lblDialog->text(), "");
  Type(form_->txtCall, "k1");
  EXPECT_EQ(form_->txtCall->text(), "K1");
}

TEST_F(CwWindowTest, RepeatCycleSendsF1AgainUntilAKey) {
  CwSettings s = Messages(2);
  s.repeat_seconds = "0.05";
  StartCw(2, "CW", s);
  Key(Qt::Key_F1);
  QTRY_VERIFY_WITH_TIMEOUT(DecodeMorse(line_.changes(), kElementNs) == "CQ CQ CQ", 5000);
  EXPECT_TRUE(keyer().RepeatArmed());
  QTest::keyClick(form_->txtCall, Qt::Key_A);
  EXPECT_FALSE(keyer().RepeatArmed());
  EXPECT_FALSE(keyer().repeat_timer()->isActive());
  const std::string after = Keyed();
  QTest::qWait(200);
  EXPECT_EQ(DecodeMorse(line_.changes(), kElementNs), after);
}

// "!" logs the contact when the sending reaches it, and only with a call.
TEST_F(CwWindowTest, ExclamationMarkLogsTheContactWhereItIsSent) {
  CwSettings s = Messages(2);
  s.messages[2] = "TU ! QRZ";
  StartCw(2, "CW", s);
  Key(Qt::Key_F3);  // no call: nothing is logged
  EXPECT_EQ(Keyed(), "TU QRZ");
  EXPECT_EQ(Read("log.txt"), "");
  form_->txtCall->setText("W1AW");
  form_->txtSec->setText("FN31");
  Hold();
  Key(Qt::Key_F3);
  Held();
  QApplication::processEvents();
  EXPECT_EQ(Read("log.txt").find("W1AW"), std::string::npos);  // not before the "!"
  Keyed();
  EXPECT_NE(Read("log.txt").find("W1AW"), std::string::npos);
}

TEST_F(CwWindowTest, CloseIsRefusedWhileSendingAndTheQueueIsDropped) {
  StartCw();
  Hold();
  Key(Qt::Key_F11);
  Held();
  EXPECT_FALSE(form_->close());
  EXPECT_EQ(keyer().Buffer(), "");
  EXPECT_EQ(Keyed(), "E");
  EXPECT_FALSE(line_.down());
}

TEST_F(CwWindowTest, ExitMidCharacterReleasesTheLine) {
  StartCw();
  PosixKeyingClock& real = real_clock_;
  RecordingKeyLine& line = real_line_;
  keyer().UseForTest(real, [&](int) { return std::make_unique<ForwardingKeyLine>(line); });
  form_->cw().setup().Text11->setText("5");  // "0" lasts over five seconds
  form_->cw().setup().messages[0]->setText("00");
  Key(Qt::Key_F1);
  QTRY_VERIFY(line.down());
  form_.reset();
  EXPECT_FALSE(line.down());
}

TEST_F(CwWindowTest, SpeedZeroIsRefusedAndAFailingPortIsReported) {
  StartCw();
  form_->cw().setup().Text11->setText("0");
  Key(Qt::Key_F1);
  EXPECT_TRUE(prompter_.WasAsked(kBadSpeedTitle));
  EXPECT_EQ(Keyed(), "");

  form_->cw().setup().Text11->setText("20");
  line_.fail_after = 1;  // the adapter is pulled after the first edge
  Key(Qt::Key_F9);
  Keyed();
  QTRY_VERIFY(prompter_.WasAsked(kInvalidCwPortTitle));
  EXPECT_FALSE(form_->cw().CwSending());
}

TEST_F(CwWindowTest, StringsWindowShowsAndSendsTheMessages) {
  StartCw();
  QTest::keyClick(form_->txtCall, Qt::Key_W, Qt::ControlModifier);
  frmCWStrings& strings = form_->cw().strings();
  EXPECT_TRUE(strings.isVisible());
  EXPECT_EQ(strings.lblCWString[9]->text(), "TEN");
  EXPECT_EQ(strings.lblCWString[11]->text(), "Keyboard");
  QTest::mouseClick(strings.lblCWString[11], Qt::LeftButton);
  QTest::mouseClick(strings.Label1[11], Qt::LeftButton);
  EXPECT_EQ(Keyed(), "");
  QTest::mouseClick(strings.Label1[9], Qt::LeftButton);
  EXPECT_EQ(Keyed(), "TEN");
  QTest::keyClick(&strings, Qt::Key_F11);  // keys reach the main window's handler
  EXPECT_EQ(Keyed(), "TENELEVEN");         // no time passes between sends
}

// The setup window alone, with its own settings store.
class CWFrmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    state_.WorkingDirectory = dir_.path().toStdString();
  }
  std::unique_ptr<CWFrm> Make() {
    auto w = std::make_unique<CWFrm>(state_, prompter_, store_,
                                     ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)},
                                     CwKeyerHooks{}, CwFrmHooks{});
    w->keyer().UseForTest(clock_,
                          [this](int) { return std::make_unique<ForwardingKeyLine>(line_); });
    return w;
  }
  void WriteFile(const char* name, const std::string& text) {
    std::ofstream(dir_.filePath(name).toStdString(), std::ios::binary) << text;
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  MemorySettingsStore store_;
  GatedKeyingClock clock_;
  RecordingKeyLine line_{clock_};
};

TEST_F(CWFrmTest, LoadsLowerCaseFileAndDoneWritesCwTxtAndTheTiming) {
  CwSettings s = Messages(3);
  s.messages[8] = "";
  WriteFile("cw.txt", FormatCwSettings(s));
  auto w = Make();
  w->LoadSettings();
  EXPECT_EQ(w->messages[8]->text(), "VVV DE ");
  EXPECT_TRUE(w->Option3->isChecked());
  EXPECT_EQ(w->keyer().KeyingLine(), 3);
  w->OptSleep->click();
  w->messages[2]->setText("QRZ");
  w->Command1_Click();
  s.messages[8] = "VVV DE ";
  s.messages[2] = "QRZ";
  std::ifstream in(dir_.filePath("CW.txt").toStdString(), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), FormatCwSettings(s));
  EXPECT_EQ(store_.Get(kSettingsApplication, kSettingsSection, "UserCWSelection", ""), "Sleep");
  EXPECT_FALSE(w->isVisible());
}

TEST_F(CWFrmTest, DamagedFileKeepsDefaultsAndNoKeyingLine) {
  WriteFile("CW.txt", "\"CQ\"\r\n\"TU\"\r\nrubbish\r\n");
  auto w = Make();
  w->LoadSettings();
  EXPECT_EQ(w->messages[0]->text(), "CQ");
  EXPECT_EQ(w->messages[8]->text(), "");
  EXPECT_EQ(w->Text11->text(), "13");
  EXPECT_TRUE(w->Option4->isChecked());
}

TEST_F(CWFrmTest, FieldsFilterKeysAndMendValuesOnLeaving) {
  auto w = Make();
  w->show();
  QApplication::setActiveWindow(w.get());
  const struct {
    QLineEdit* field;
    const char* typed;
    const char* shown;
  } rows[] = {{w->Text11, "2a5:x", "25:"},
              {w->Text10, "c3", "3"},
              {w->txtSpace, "-9", "-8"},
              {w->txtCWLoop, "-4.5x", "4.5"},
              {w->messages[0], "cq test $", "CQ TEST $"}};
  for (const auto& row : rows) {
    row.field->clear();
    row.field->setFocus();
    QTest::keyClicks(row.field, row.typed);
    EXPECT_EQ(row.field->text().toStdString(), row.shown) << row.typed;
  }
  // Leaving: non-numeric speed becomes "0"; a repeat of 60 or more too.
  w->Text11->setFocus();
  w->txtCWLoop->setFocus();
  EXPECT_EQ(w->Text11->text(), "0");
  w->txtCWLoop->setText("60");
  w->Text14->setFocus();
  EXPECT_EQ(w->txtCWLoop->text(), "0");
  w->txtCWLoop->setText("59");
  w->txtCWLoop->setFocus();
  w->Text14->setFocus();
  EXPECT_EQ(w->keyer().repeat_timer()->interval(), 59000);
  // Faster / Slower have no bound; Less / More mend non-numeric text.
  w->Text11->setText("1");
  w->Command3_Click();
  w->Command3_Click();
  EXPECT_EQ(w->Text11->text(), "-1");
  w->txtSpace->setText("x");
  w->Command6_Click();
  EXPECT_EQ(w->txtSpace->text(), "0");
  w->Command5_Click();
  EXPECT_EQ(w->txtSpace->text(), "-1");
}

TEST_F(CWFrmTest, LoopOptionCalibratesAndTrims) {
  auto w = Make();
  EXPECT_FALSE(w->txtLoop->isEnabled());
  w->optLoop->click();
  EXPECT_TRUE(w->txtLoop->isEnabled());
  EXPECT_TRUE(w->cmdLoopSlower->isEnabled());
  EXPECT_EQ(w->txtLoop->text(), "1200000");  // the test clock counts 50 ns a round
  w->cmdLoopFaster_Click();
  EXPECT_EQ(w->txtLoop->text(), "1080000");
  w->cmdLoopSlower_Click();
  EXPECT_EQ(w->txtLoop->text(), "1200000");
  w->optTimer->click();
  EXPECT_FALSE(w->cmdLoopFaster->isEnabled());
  EXPECT_EQ(w->optTimer->toolTip(), "Times by Windows System time.");
  EXPECT_EQ(w->optLoop->toolTip(), "Times by a For Next loop.");
}

TEST_F(CWFrmTest, TestButtonNeedsAPortForSerialLinesAndSendsF9) {
  auto w = Make();
  w->Text11->setText("20");
  w->messages[8]->setText("VVV DE ");
  w->Option2->click();
  w->Command4_Click();
  EXPECT_TRUE(prompter_.WasAsked("A com port is required."));
  EXPECT_EQ(line_.changes().size(), 0u);
  w->Option3->click();  // the printer port needs none
  w->Command4_Click();
  QTRY_VERIFY(!w->keyer().Sending());
  EXPECT_EQ(DecodeMorse(line_.changes(), kElementNs), "VVV DE");
  EXPECT_FALSE(w->Label23->isVisible());
  EXPECT_TRUE(w->cmdConfWinkey->isHidden());
  w->Option5->click();
  EXPECT_FALSE(w->cmdConfWinkey->isHidden());
}

// WinKey: the text is handed over whole, nothing is keyed here, and the
// repeat interval starts at the hand-over.
TEST_F(CWFrmTest, WinKeyGetsTheTextInsteadOfTheLine) {
  auto w = Make();
  std::vector<std::string> handed;
  int logged = 0;
  w->keyer().hooks().winkey_send = [&](const std::string& text) { handed.push_back(text); };
  w->keyer().hooks().call = [] { return QString("W1AW"); };
  w->keyer().hooks().log_contact = [&] { ++logged; };
  w->messages[0]->setText("CQ TEST");
  w->messages[1]->setText("TU ! QRZ");
  w->txtCWLoop->setText("5");
  w->Option5->click();
  w->FKeyCW(112);
  w->FKeyCW(113);
  EXPECT_EQ(handed, (std::vector<std::string>{"CQ TEST", "TU ! QRZ"}));
  EXPECT_EQ(logged, 1);
  EXPECT_TRUE(w->keyer().repeat_timer()->isActive());
  EXPECT_FALSE(w->keyer().Sending());
  EXPECT_TRUE(line_.changes().empty());
}

TEST_F(CWFrmTest, InvalidPortIsReportedAndShowsTheHiddenWindow) {
  auto w = Make();
  int shown = 0;
  w->set_modal_runner([&](CWFrm&) { ++shown; });
  qputenv("VANTREL_COM9", dir_.filePath("no-such-device").toLocal8Bit());
  w->Text10->setText("9");
  EXPECT_FALSE(w->keyer().CWSetup());
  qunsetenv("VANTREL_COM9");
  EXPECT_TRUE(prompter_.WasAsked(kInvalidCwPortTitle));
  EXPECT_EQ(prompter_.beeps, 1);
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace vantrel::ui

namespace vantrel::ui {
namespace {

class CodePracticeTest : public CWFrmTest {
 protected:
  void SetUp() override {
    CWFrmTest::SetUp();
    cw_ = Make();
    cw_->Text11->setText("20");
    cw_->Option3->click();
    cw_->keyer().SetTiming(CwTiming::kSleep);
    practice_ = std::make_unique<frmCodePractice>(
        *cw_, ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)});
    practice_->show();
  }
  std::string Keyed() {
    clock_.Resume();
    [&] { QTRY_VERIFY_WITH_TIMEOUT(!practice_->Practising() && !cw_->keyer().Sending(), 5000); }();
    return DecodeMorse(line_.changes(), kElementNs);
  }
  void TearDown() override {
    practice_.reset();
    cw_.reset();
  }
  RecordingKeyLine second_line_{clock_};
  std::unique_ptr<CWFrm> cw_;
  std::unique_ptr<frmCodePractice> practice_;
};

TEST_F(CodePracticeTest, RandomGroupsHaveTheAskedShape) {
  practice_->Text3->setText("3");
  practice_->Text4->setText("4");
  practice_->Command2_Click();
  EXPECT_TRUE(
      QRegularExpression("^([A-Z]{4} ){3}$").match(practice_->Text1->toPlainText()).hasMatch())
      << practice_->Text1->toPlainText().toStdString();
  practice_->Text3->setText("many");
  practice_->Text4->setText("");
  practice_->Option2->click();
  practice_->Command2_Click();
  EXPECT_TRUE(QRegularExpression("^([A-Z0-9.,?/-]{5} ){10}$")
                  .match(practice_->Text1->toPlainText())
                  .hasMatch());
  EXPECT_EQ(practice_->Label8->text(), "20 WPM");
  practice_->Command7->click();
  EXPECT_EQ(practice_->Label8->text(), "21 WPM");
}

TEST_F(CodePracticeTest, ClipboardAndTypedTextAreKeyed) {
  QApplication::clipboard()->setText("cq de");
  practice_->Command1_Click();
  practice_->Command3_Click();
  EXPECT_EQ(Keyed(), "CQ DE");
  EXPECT_EQ(practice_->Text2->toPlainText(), "cq de");

  // Typed into "Text to Send": upper-cased as typed.
  practice_->Text1->clear();
  practice_->Text1->setFocus();
  QTest::keyClicks(practice_->Text1, "k1");
  EXPECT_EQ(practice_->Text1->toPlainText(), "K1");
}

TEST_F(CodePracticeTest, EditsWhileSendingCountAndStopEndsAfterTheCharacter) {
  practice_->Text1->setPlainText("EEEE");
  clock_.Pause();
  practice_->Command3_Click();
  ASSERT_TRUE(clock_.WaitForHeldThread());
  practice_->Text1->setPlainText("EETT");
  EXPECT_EQ(Keyed(), "EETT");

  RecordingKeyLine& line = second_line_;
  cw_->keyer().UseForTest(clock_, [&](int) { return std::make_unique<ForwardingKeyLine>(line); });
  practice_->Text2->clear();
  clock_.Pause();
  practice_->Command3_Click();
  ASSERT_TRUE(clock_.WaitForHeldThread());
  practice_->Command4_Click();
  Keyed();
  EXPECT_EQ(DecodeMorse(line.changes(), kElementNs), "E");
  EXPECT_EQ(practice_->Text2->toPlainText(), "E");
}

TEST_F(CodePracticeTest, LiveTypingKeysWithBackspace) {
  practice_->Text5->setFocus();
  clock_.Pause();
  QTest::keyClicks(practice_->Text5, "ab");
  ASSERT_TRUE(clock_.WaitForHeldThread());
  QTest::keyClick(practice_->Text5, Qt::Key_Backspace);
  QTest::keyClicks(practice_->Text5, "t");
  EXPECT_EQ(Keyed(), "AT");
  EXPECT_EQ(practice_->Text2->toPlainText(), "AT");
  EXPECT_EQ(practice_->Text5->text(), "");
}

TEST_F(CodePracticeTest, ClosingEmptiesTheBufferAndLeavesTheLineUp) {
  practice_->Text1->setPlainText("TTTT");
  clock_.Pause();
  practice_->Command3_Click();
  ASSERT_TRUE(clock_.WaitForHeldThread());
  EXPECT_TRUE(line_.down());
  EXPECT_FALSE(practice_->close());  // refused while the character is keyed
  EXPECT_EQ(cw_->keyer().Buffer(), "");
  EXPECT_EQ(Keyed(), "T");
  EXPECT_FALSE(line_.down());
  EXPECT_TRUE(practice_->close());
  EXPECT_EQ(practice_->Text1->toPlainText(), "");
}

}  // namespace
}  // namespace vantrel::ui

// WinKey against the fake keyer on a pseudo-terminal: the setup window's
// fields and buttons, and the main window's message keys, Esc, keyboard CW
// and Backspace, checked by the exact bytes the keyer received; a missing,
// silent, garbled, pulled or stuck keyer.
#include <QDir>
#include <QFocusEvent>
#include <fstream>

#include "form1_fixture.h"
#include "keying/cw_settings.h"
#include "support/memory_settings_store.h"
#include "support/pty_winkey.h"
#include "ui/cw_frm.h"
#include "ui/form1_cw.h"
#include "ui/frm_winkey.h"

namespace vantrel::ui {
namespace {

using namespace std::string_literals;
constexpr int kWaitMs = 5000;
const ScreenGeometry kScreen{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)};

// What the keyer hears right after host open with the default fields and a
// CW speed of 20: speed, weight, lead-in/tail, ratio, pins, mode.
const std::string kDefaultSettings = "\x02\x14\x03\x32\x04\x00\x00\x17\x32\x09\x06\x0E\x00"s;

void Leave(QWidget* w) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(w, &out);
}

class WinKeySetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(fake_.Plugged());
    state_.UserDataDirectory = dir_.path().toStdString();
    state_.prefs.OwnCall = "N0CALL";
    qputenv("VANTREL_COM5", QByteArray::fromStdString(fake_.Path()));
  }
  void TearDown() override { qunsetenv("VANTREL_COM5"); }
  std::unique_ptr<frmWinKey> Make() {
    WinKeyHooks hooks;
    hooks.cw_speed = [] { return QString("20"); };
    hooks.release_ports = [this] { ++released_; };
    auto w = std::make_unique<frmWinKey>(state_, prompter_, store_, kScreen, std::move(hooks));
    w->set_answer_wait_ms(300);
    return w;
  }
  void WriteFile(const std::string& text) {
    std::ofstream(dir_.filePath("WK.txt").toStdString(), std::ios::binary) << text;
  }
  // The session's bytes once `size` of them have arrived.
  std::string Heard(std::size_t size) {
    (void)QTest::qWaitFor([&] { return fake_.Session().size() >= size; }, kWaitMs);
    QTest::qWait(30);
    return fake_.Session();
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  MemorySettingsStore store_;
  PtyWinKey fake_;
  int released_ = 0;
};

TEST_F(WinKeySetupTest, SixLineFileLoadsToneAndIambicBAndDoneWritesEightLines) {
  WriteFile("5\r\n\"30\"\r\n\"55\"\r\n\"2\"\r\n\"3\"\r\n\"45\"\r\n");
  auto w = Make();
  EXPECT_EQ(w->windowTitle(), " WinKey Setup");
  EXPECT_EQ(w->txtWKComPort->text(), "5");
  EXPECT_EQ(w->txtWKWPM->text(), "20");  // the CW speed replaces the stored one
  EXPECT_EQ(w->txtWeight->text(), "55");
  EXPECT_EQ(w->txtRatio->text(), "45");
  EXPECT_TRUE(w->optTone->isChecked());
  EXPECT_TRUE(w->optIambicB->isChecked());
  EXPECT_EQ(w->lblOpenStatus->text(), "Closed");
  EXPECT_EQ(w->lblVersion->text(), "Version #");
  w->optBug->click();
  w->optKey5Out3Off->click();
  QTest::keyClicks(w->txtTail, "a7-");  // digits only
  w->cmdDone_Click();
  std::ifstream in(dir_.filePath("WK.txt").toStdString(), std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "5\r\n\"20\"\r\n\"55\"\r\n\"2\"\r\n\"37\"\r\n\"45\"\r\n8\r\n48\r\n");
  EXPECT_FALSE(w->isVisible());
}

TEST_F(WinKeySetupTest, OpenSendsTheSettingsInOrderAndFieldsSendOnlyInRange) {
  auto w = Make();
  w->cmdOpenWinkey_Click();
  EXPECT_EQ(released_, 1);
  EXPECT_EQ(w->lblOpenStatus->text(), "WK Success!");
  EXPECT_EQ(w->lblVersion->text(), "Version # 23");
  EXPECT_EQ(w->WinKeyOpen(), 23);
  EXPECT_EQ(Heard(kDefaultSettings.size()), kDefaultSettings);
  fake_.ClearReceived();

  struct Row {
    QLineEdit* field;
    const char* text;
    std::string sent;
    const char* after;
  };
  const Row rows[] = {
      {w->txtWKWPM, "120", "", "120"},         {w->txtWKWPM, "abc", "", "18"},
      {w->txtWKWPM, "35", "\x02\x23", "35"},   {w->txtRatio, "31", "", "31"},
      {w->txtRatio, "68", "", "68"},           {w->txtRatio, "32", "\x17\x20", "32"},
      {w->txtRatio, "67", "\x17\x43", "67"},   {w->txtWeight, "x", "", "50"},
      {w->txtLeadIn, "300", "", "0"},          {w->txtTail, "", "", "0"},
      {w->txtTail, "9", "\x04\x00\x09"s, "9"},
  };
  std::string want;
  for (const Row& r : rows) {
    r.field->setText(r.text);
    Leave(r.field);
    want += r.sent;
    EXPECT_EQ(r.field->text(), r.after) << r.text;
  }
  EXPECT_EQ(Heard(want.size()), want);

  fake_.ClearReceived();
  w->optIambicA->click();  // an open keyer gets every setting again
  const std::string again = "\x02\x23\x03\x32\x04\x00\x09\x17\x43\x09\x06\x0E\x10"s;
  EXPECT_EQ(Heard(again.size()), again);

  fake_.ClearReceived();
  w->Command3_Click();
  EXPECT_EQ(Heard(18), "VVV TEST DE N0CALL");
  w->cmdCloseWinkey_Click();
  EXPECT_EQ(w->lblOpenStatus->text(), "Closed");
  EXPECT_EQ(w->lblVersion->text(), "Version #");
  EXPECT_EQ(w->WinKeyOpen(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !fake_.HostOpen(); }, kWaitMs));
}

TEST_F(WinKeySetupTest, BufferTestWaitsForRoomAndStopClearsTheKeyer) {
  fake_.SetCharacterTime(std::chrono::milliseconds(15));
  fake_.SetXoffLevel(4);
  auto w = Make();
  w->Command1_Click();
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return fake_.Keyed() == alphabet + alphabet + alphabet; }, kWaitMs));
  // Flow control kept the keyer's buffer near its XOFF level, not the text's length.
  EXPECT_TRUE(w->Buffer().empty());

  fake_.SetCharacterTime(std::chrono::milliseconds(200));
  fake_.ClearReceived();
  w->Command1_Click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->Status() > 0; }, kWaitMs));
  w->cmdStop_Click();
  EXPECT_TRUE(w->Buffer().empty());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !fake_.Session().empty() && fake_.Session().back() == '\x0A'; }, kWaitMs));
  EXPECT_TRUE(fake_.Buffered().empty());
  EXPECT_LT(fake_.Session().size(), 20u);
}

TEST_F(WinKeySetupTest, KeyerThatCannotBeReachedDropsTheTextWithAMessage) {
  struct Row {
    PtyWinKey::Fault fault;
    bool unplugged;
    const char* status;
  };
  const Row rows[] = {
      {PtyWinKey::Fault::kSilence, false, "No Echo Response"},
      {PtyWinKey::Fault::kGarbage, false, "Echo Mismatch"},
      {PtyWinKey::Fault::kNone, true, "Com Open Failed"},
  };
  auto w = Make();
  for (const Row& r : rows) {
    fake_.SetFault(r.fault);
    if (r.unplugged) fake_.Unplug();
    prompter_.asked.clear();
    w->Send("CQ TEST");
    w->Send("MORE");  // each attempt asks once
    ASSERT_EQ(prompter_.asked.size(), 2u) << r.status;
    EXPECT_EQ(prompter_.asked[0].title, kWinKeyNoConnectionTitle);
    EXPECT_TRUE(prompter_.asked[0].text.startsWith(
        "Unable to establish connection with WinKey on com port 5.  Please check"));
    EXPECT_EQ(w->lblOpenStatus->text(), r.status);
    EXPECT_EQ(w->WinKeyOpen(), 0);
    EXPECT_TRUE(w->Buffer().empty());
  }
  EXPECT_EQ(fake_.Received().find("CQ"), std::string::npos);
}

TEST_F(WinKeySetupTest, PulledOrStuckKeyerDropsWhatWasQueued) {
  fake_.SetCharacterTime(std::chrono::milliseconds(100));
  auto w = Make();
  w->set_full_limit_ms(300);
  w->cmdOpenWinkey_Click();
  ASSERT_NE(w->WinKeyOpen(), 0);
  ASSERT_EQ(Heard(kDefaultSettings.size()), kDefaultSettings);
  fake_.SetFault(PtyWinKey::Fault::kHoldXoff);
  fake_.ClearReceived();
  w->Send(std::string(200, 'E'));
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->Buffer().empty(); }, kWaitMs));
  EXPECT_TRUE(prompter_.WasAsked(kWinKeyLostTitle));
  EXPECT_LT(fake_.Session().size(), 5u);

  fake_.SetFault(PtyWinKey::Fault::kNone);
  prompter_.asked.clear();
  w->Send(std::string(200, 'T'));
  fake_.Unplug();
  ASSERT_TRUE(QTest::qWaitFor([&] { return w->WinKeyOpen() == 0; }, kWaitMs));
  EXPECT_TRUE(w->Buffer().empty());
  EXPECT_TRUE(prompter_.WasAsked(kWinKeyLostTitle));
  EXPECT_EQ(w->lblOpenStatus->text(), "Closed");
  fake_.ClearReceived();
  ASSERT_TRUE(fake_.Plug());
  QTest::qWait(100);
  EXPECT_EQ(fake_.Received(), "");  // nothing left over goes out later
}

// The main window with WinKey as the keying output.
class WinKeyMainTest : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    ASSERT_TRUE(fake_.Plugged());
    qputenv("VANTREL_COM5", QByteArray::fromStdString(fake_.Path()));
    CwSettings s;
    s.messages[0] = "CQ TEST";
    s.messages[1] = "TU $";
    s.speed = "20";
    s.keying_line = int(CwKeying::kWinKey);
    Write("CW.txt", FormatCwSettings(s));
    QDir(dir_.path()).mkdir("user");
    Start("", 1, "CW");
    form_->cw().winkey().set_answer_wait_ms(300);
  }
  void TearDown() override {
    form_.reset();
    qunsetenv("VANTREL_COM5");
  }
  void Key(int key) { QTest::keyClick(form_->txtCall, Qt::Key(key)); }
  std::string Heard(const std::string& want) {
    (void)QTest::qWaitFor([&] { return fake_.Session().size() >= want.size(); }, kWaitMs);
    QTest::qWait(30);
    return fake_.Session();
  }
  PtyWinKey fake_;
};

TEST_F(WinKeyMainTest, MessageKeyOpensTheKeyerAndEscClearsItButKeepsTheEntry) {
  Key(Qt::Key_F1);
  EXPECT_EQ(Heard(kDefaultSettings + "CQ TEST"), kDefaultSettings + "CQ TEST");
  EXPECT_EQ(form_->cw().winkey().lblOpenStatus->text(), "WK Success!");

  fake_.SetCharacterTime(std::chrono::milliseconds(300));
  fake_.ClearReceived();
  QTest::keyClicks(form_->txtCall, "W1AW");
  Key(Qt::Key_F2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->cw().winkey().Status() > 0; }, kWaitMs));
  Key(Qt::Key_Escape);
  EXPECT_EQ(form_->txtCall->text(), "W1AW");
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !fake_.Session().empty() && fake_.Session().back() == '\x0A'; }, kWaitMs));
  QTest::qWait(50);
  EXPECT_EQ(fake_.Session().substr(0, 1), "T");
  EXPECT_EQ(fake_.Session().find("W1AW"), std::string::npos);  // never reached the keyer
  EXPECT_TRUE(form_->cw().winkey().Buffer().empty());

  // Up speeds the keyer up with the CW field.
  fake_.ClearReceived();
  Key(Qt::Key_Up);
  EXPECT_EQ(Heard("\x02\x15"), "\x02\x15");
}

TEST_F(WinKeyMainTest, KeyboardCwTypesIntoTheKeyerAndBackspaceRemovesFromIt) {
  fake_.SetCharacterTime(std::chrono::milliseconds(300));
  Key(Qt::Key_F12);
  QTest::keyClicks(form_->txtCall, "ab");
  ASSERT_TRUE(QTest::qWaitFor([&] { return form_->cw().winkey().Status() > 0; }, kWaitMs));
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Heard(kDefaultSettings + "AB\x08"), kDefaultSettings + "AB\x08");
  EXPECT_EQ(form_->txtCall->text(), "");
}

TEST_F(WinKeyMainTest, NoKeyerConnectedAsksOncePerMessageKeyAndSendsNothing) {
  fake_.Unplug();
  Key(Qt::Key_F1);
  Key(Qt::Key_F1);
  int asked = 0;
  for (const auto& a : prompter_.asked) asked += a.title == kWinKeyNoConnectionTitle;
  EXPECT_EQ(asked, 2);
  EXPECT_EQ(form_->cw().winkey().WinKeyOpen(), 0);
  EXPECT_TRUE(form_->cw().winkey().Buffer().empty());
  EXPECT_EQ(fake_.Received(), "");
}

}  // namespace
}  // namespace vantrel::ui

// Typing into the real main window: key filters, type-through, logging,
// duplicates, bands and modes, with an injected clock and scripted answers.
#include <gtest/gtest.h>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "common/utc_clock.h"
#include "ui/form1.h"
#include "ui/form1_fixture.h"

namespace vantrel::ui {
namespace {

class Form1EntryTest : public Form1Fixture {};

TEST_F(Form1EntryTest, DigitAfterACompleteCallStartsTheReport) {
  Start();
  Type(form_->txtCall, "N0CALL5");
  EXPECT_EQ(form_->txtCall->text(), "N0CALL");
  EXPECT_EQ(Focus(), form_->txtRSTR);
  // The focus entry pre-filled 59; the carried digit replaced it.
  EXPECT_EQ(form_->txtRSTR->text(), "5");
  EXPECT_EQ(form_->txtRSTR->cursorPosition(), 1);
  Type(form_->txtRSTR, "7");
  EXPECT_EQ(form_->txtRSTR->text(), "57");
}

TEST_F(Form1EntryTest, LetterInTheReportFieldStartsTheGrid) {
  Start();
  Type(form_->txtCall, "K2XX ");
  EXPECT_EQ(Focus(), form_->txtRSTR);
  EXPECT_EQ(form_->txtRSTR->text(), "59");
  Type(form_->txtRSTR, "f");
  EXPECT_EQ(Focus(), form_->txtSec);
  EXPECT_EQ(form_->txtSec->text(), "F");
  Type(form_->txtSec, "n31pr");
  // Sub-square letters keep their case.
  EXPECT_EQ(form_->txtSec->text(), "FN31pr");
  EXPECT_EQ(form_->txtRSTR->text(), "59");
}

TEST_F(Form1EntryTest, PrefilledReportsFollowTheModeAndTheFirstDigitReplacesThem) {
  Start("", 1, "CW");
  Type(form_->txtCall, "K2XX ");
  EXPECT_EQ(form_->txtRSTR->text(), "599");
  EXPECT_EQ(form_->txtRSTS->text(), "599");
  Type(form_->txtRSTR, "5");
  EXPECT_EQ(form_->txtRSTR->text(), "5");
  // Report fields take digits only.
  Type(form_->txtRSTR, "x");
  EXPECT_EQ(form_->txtSec->text(), "X");
}

TEST_F(Form1EntryTest, DontRecordSkipsTheReports) {
  Start("", 2);
  Type(form_->txtCall, "K2XX");
  QTest::keyClick(form_->txtCall, Qt::Key_Tab);
  EXPECT_EQ(Focus(), form_->txtSec);
  EXPECT_TRUE(form_->txtRSTR->text().isEmpty());
  Type(form_->txtSec, "FN31");
  QTest::keyClick(form_->txtSec, Qt::Key_Tab);
  EXPECT_NE(Focus(), form_->txtRSTS);
  EXPECT_TRUE(form_->txtRSTS->text().isEmpty());
}

TEST_F(Form1EntryTest, EscClearsAndCtrlTypesNothing) {
  Start();
  Type(form_->txtCall, "K2XX");
  QApplication::clipboard()->setText("JUNK");
  QTest::keyClick(form_->txtCall, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  QTest::keyClick(form_->txtCall, Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  EXPECT_EQ(form_->txtCall->contextMenuPolicy(), Qt::NoContextMenu);
  QTest::keyClick(form_->txtCall, Qt::Key_Escape);
  EXPECT_TRUE(form_->txtCall->text().isEmpty());
  EXPECT_EQ(form_->lblDialog->text(), " ");
  // The double quote never enters a call or a grid.
  Type(form_->txtCall, "K\"2");
  EXPECT_EQ(form_->txtCall->text(), "K2");
}

TEST_F(Form1EntryTest, EnterOnAnEmptyEntryAsksForTheCall) {
  Start();
  Enter();
  EXPECT_EQ(form_->lblDialog->text(), "Need Call Sign!");
  EXPECT_EQ(Focus(), form_->txtCall);
  EXPECT_EQ(state_.log.ContactCount(), 0);
  EXPECT_EQ(Read("log.txt"), "");
  Type(form_->txtCall, "K2XX");
  Enter();
  EXPECT_EQ(form_->lblDialog->text(), "Need Grid!");
  EXPECT_EQ(Focus(), form_->txtSec);
}

TEST_F(Form1EntryTest, UtcStampCrossesMidnight) {
  Start();  // offset 5, local 2007-06-09 20:30:00
  LogContact("K2XX", "FN31");
  ASSERT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(state_.log.Record(1).Date, "2007/06/10");
  EXPECT_EQ(state_.log.Record(1).Time, "01:30:00");
  EXPECT_EQ(Read("log.txt"),
            Line("K2XX", "", "FN31", "", "FN20", "2007/06/10", "01:30:00", "144 M", "PH"));
  // The entry is cleared for the next contact.
  EXPECT_TRUE(form_->txtCall->text().isEmpty());
  EXPECT_TRUE(form_->txtSec->text().isEmpty());
  EXPECT_EQ(Focus(), form_->txtCall);
}

TEST_F(Form1EntryTest, GridComesFromTheOldestContactAndTheSecondEnterLogs) {
  Start(Line("K2XX", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "50 M", "PH") +
        Line("K2XX", "59", "FN32", "59", "FN20", "2007/06/09", "18:10:00", "50 M", "PH"));
  Type(form_->txtCall, "K2XX");
  Enter();
  EXPECT_EQ(form_->txtSec->text(), "FN31");
  EXPECT_EQ(form_->lblDialog->text(), "Need Grid!");
  EXPECT_EQ(state_.log.ContactCount(), 2);
  Enter();
  ASSERT_EQ(state_.log.ContactCount(), 3);
  EXPECT_EQ(state_.log.Record(3).GridRcvd, "FN31");
  EXPECT_EQ(state_.log.Record(3).Band, "144 M");
}

TEST_F(Form1EntryTest, PostContestDateAndTime) {
  Start();
  form_->mnuPostContest->trigger();
  ASSERT_TRUE(form_->PostContestMode());
  form_->txtPostConDate->setText("6/9/2007");
  form_->txtPostConTime->setText("930");
  LogContact("K2XX", "FN31");
  ASSERT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(state_.log.Record(1).Date, "2007/06/09");
  EXPECT_EQ(state_.log.Record(1).Time, "09:30");
  EXPECT_EQ(form_->txtPostConDate->text(), "2007/06/09");
  EXPECT_EQ(form_->txtPostConTime->text(), "09:30");

  form_->txtPostConTime->setText("2561");
  LogContact("W1AW", "FN31");
  EXPECT_EQ(form_->lblDialog->text(), "Invalid time format!");
  EXPECT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(form_->txtCall->text(), "W1AW");  // the entry stays for correction
}

TEST_F(Form1EntryTest, DuplicateRule) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:30:15", "144 M", "PH"));
  LogContact("n0call", "fn31");
  EXPECT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(form_->lblDialog->text(),
            "Duplicate N0CALL FN31 2007/06/09 18:30:15 ON 144 M  Rec#  1");
  EXPECT_TRUE(form_->txtCall->text().isEmpty());
  EXPECT_TRUE(form_->DupeFound());

  // Other mode: still a duplicate.
  form_->SetMode("CW");
  clock_.Advance(std::chrono::seconds(5));
  LogContact("N0CALL", "FN31");
  EXPECT_EQ(state_.log.ContactCount(), 1);

  clock_.Advance(std::chrono::seconds(5));
  LogContact("N0CALL", "FN32");  // other grid
  EXPECT_EQ(state_.log.ContactCount(), 2);
  form_->SelectBand(4);  // 432 MHz
  clock_.Advance(std::chrono::seconds(5));
  LogContact("N0CALL", "FN31");
  EXPECT_EQ(state_.log.ContactCount(), 3);
  form_->SelectBand(2);
  state_.prefs.OwnGrid = "FN21";  // a rover that moved
  LogContact("N0CALL", "FN31");
  EXPECT_EQ(state_.log.ContactCount(), 4);
}

TEST_F(Form1EntryTest, KeysAfterARefusedDuplicateAreHeldBack) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:30:15", "144 M", "PH"));
  LogContact("N0CALL", "FN31");
  ASSERT_TRUE(form_->DupeFound());
  clock_.Advance(std::chrono::seconds(1));
  Type(form_->txtCall, "K");
  EXPECT_TRUE(form_->txtCall->text().isEmpty());
  ASSERT_TRUE(form_->holdTimer->isActive());
  EXPECT_EQ(form_->holdTimer->interval(), 2000);
  Type(form_->txtCall, "2");  // queued behind the first
  clock_.Advance(std::chrono::seconds(2));
  form_->holdTimer->stop();
  form_->ReleaseHeldKeys();
  EXPECT_EQ(form_->txtCall->text(), "K2");
  EXPECT_FALSE(form_->DupeFound());
}

TEST_F(Form1EntryTest, GridSquareIsUpperWhenTypedOverAPrefilledGrid) {
  Start(Line("K2XX", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "50 M", "PH"));
  Type(form_->txtCall, "k2xx ");
  ASSERT_EQ(form_->txtSec->text(), "FN31");
  ASSERT_TRUE(form_->txtSec->hasSelectedText());
  QTest::keyClick(form_->txtRSTR, Qt::Key_Space);
  ASSERT_EQ(Focus(), form_->txtSec);
  Type(form_->txtSec, "fn32pr");
  EXPECT_EQ(form_->txtSec->text(), "FN32pr");
  Enter();
  ASSERT_EQ(state_.log.ContactCount(), 2);
  EXPECT_EQ(state_.log.Record(2).GridRcvd, "FN32pr");
}

TEST_F(Form1EntryTest, KeysTypedDuringTheHoldAreReplayedInOrder) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:30:15", "144 M", "PH"));
  // Space, Tab and Enter; then a digit carried over from the call.
  const char* calls[] = {"w9zz 57", "w8zz57"};
  for (int n = 0; n < 2; ++n) {
    LogContact("N0CALL", "FN31");
    ASSERT_TRUE(form_->DupeFound());
    clock_.Advance(std::chrono::seconds(1));
    Type(Focus(), calls[n]);
    QTest::keyClick(Focus(), Qt::Key_Tab);
    Type(Focus(), "fn43");
    Enter();
    EXPECT_EQ(state_.log.ContactCount(), 1 + n);
    EXPECT_TRUE(form_->txtCall->text().isEmpty());
    ASSERT_TRUE(form_->holdTimer->isActive());
    clock_.Advance(std::chrono::seconds(2));
    form_->holdTimer->stop();
    form_->ReleaseHeldKeys();
    ASSERT_EQ(state_.log.ContactCount(), 2 + n);
    const ContactRecord& r = state_.log.Record(2 + n);
    EXPECT_EQ(r.Call, n == 0 ? "W9ZZ" : "W8ZZ");
    EXPECT_EQ(r.RstRcvd, "57");
    EXPECT_EQ(r.GridRcvd, "FN43");
    EXPECT_EQ(Focus(), form_->txtCall);
  }
}

TEST_F(Form1EntryTest, LeavingTheCallFieldWarnsWhetherOrNotReportsAreRecorded) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:30:15", "144 M", "PH"), 2);
  Type(form_->txtCall, "N0CALL");
  QTest::keyClick(form_->txtCall, Qt::Key_Tab);
  EXPECT_EQ(Focus(), form_->txtSec);
  EXPECT_EQ(form_->txtSec->text(), "FN31");
  EXPECT_TRUE(form_->lblDialog->text().startsWith("Duplicate Unless Rover! N0CALL FN31"));
  // Only the report pre-fill depends on recording reports.
  EXPECT_TRUE(form_->txtRSTR->text().isEmpty());
  EXPECT_TRUE(form_->txtRSTS->text().isEmpty());
}

TEST_F(Form1EntryTest, AltKeysAndComposedTextGoThroughTheFilters) {
  Start();
  QTest::keyClick(form_->txtCall, 'q', Qt::AltModifier);
  QTest::keyClick(form_->txtCall, '"', Qt::AltModifier);
  EXPECT_EQ(form_->txtCall->text(), "");
  QInputMethodEvent composed;
  composed.setCommitString("k\"2");
  QApplication::sendEvent(form_->txtCall, &composed);
  EXPECT_EQ(form_->txtCall->text(), "K2");
}

TEST_F(Form1EntryTest, KeysAreFilteredAndEnterLogsWithoutAnActiveWindow) {
  Start();
  QApplication::setActiveWindow(nullptr);
  ASSERT_EQ(QApplication::focusWidget(), nullptr);
  Type(form_->txtCall, "k\"2xx");
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  Type(form_->txtSec, "fn31");
  QTest::keyClick(form_->txtSec, Qt::Key_Return);
  ASSERT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(state_.log.Record(1).GridRcvd, "FN31");
}

TEST_F(Form1EntryTest, AGridThatIsNoLocatorIsRefusedAndKept) {
  Start();
  for (const char* grid : {"ZZ99", "FN2", "12AB"}) {
    form_->cmdClear_Click();
    LogContact("K2XX", grid);
    EXPECT_EQ(state_.log.ContactCount(), 0) << grid;
    EXPECT_TRUE(form_->lblDialog->text().contains(grid)) << grid;
    EXPECT_EQ(form_->txtCall->text(), "K2XX");
    EXPECT_EQ(form_->txtSec->text(), grid);
  }
  EXPECT_EQ(Read("log.txt"), "");
}

TEST_F(Form1EntryTest, AClearedEntryKeepsNothingOfWhatWasTyped) {
  Start();
  // Typed, then cleared by Esc, by the Clear button, by logging, or by a refused duplicate.
  Type(form_->txtCall, "k2xx 57");
  Type(Focus(), "fn31 59");
  QTest::keyClick(Focus(), Qt::Key_Escape);
  Type(form_->txtCall, "w1aw");
  form_->cmdClear_Click();
  LogContact("K2XX", "FN31");
  LogContact("K2XX", "FN31");
  ASSERT_TRUE(form_->DupeFound());
  for (QLineEdit* field : {form_->txtCall, form_->txtRSTR, form_->txtSec, form_->txtRSTS}) {
    EXPECT_TRUE(field->text().isEmpty()) << field->objectName().toStdString();
    // An undo history would hold every key of every entry until exit.
    EXPECT_FALSE(field->isUndoAvailable()) << field->objectName().toStdString();
  }
}

TEST_F(Form1EntryTest, PartialMatchesNewestFirst) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "144 M", "PH") +
        Line("K0CABB", "59", "FN31", "59", "FN20", "2007/06/09", "18:01:00", "144 M", "PH") +
        Line("N0CATT", "59", "FN31", "59", "FN20", "2007/06/09", "18:02:00", "144 M", "PH") +
        Line("N0CAXX", "59", "FN31", "59", "FN20", "2007/06/09", "18:03:00", "432 M", "PH"));
  Type(form_->txtCall, "N");
  EXPECT_EQ(form_->lblDupe->text(), "N0CATT N0CALL ");
  Type(form_->txtCall, "0C");
  EXPECT_EQ(form_->lblDupe->text(), "N0CATT N0CALL ");
  EXPECT_NE(form_->lblDialog->text(), "Possible Duplicate!");
  Type(form_->txtCall, "A");
  EXPECT_EQ(form_->lblDialog->text(), "Possible Duplicate!");
  // Backspace does not list again.
  QTest::keyClick(form_->txtCall, Qt::Key_Backspace);
  EXPECT_EQ(form_->lblDupe->text(), "");
  EXPECT_EQ(form_->txtCall->text(), "N0C");

  form_->cmdDup_Click();
  EXPECT_EQ(form_->cmdDup->text(), "Off");
  form_->cmdClear_Click();
  Type(form_->txtCall, "N0CA");
  EXPECT_EQ(form_->lblDupe->text(), "");
  EXPECT_NE(form_->lblDialog->text(), "Possible Duplicate!");
}

TEST_F(Form1EntryTest, PointingAtTheBackgroundClearsTheMatchList) {
  Start(Line("N0CALL", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "144 M", "PH"));
  Type(form_->txtCall, "N0");
  ASSERT_EQ(form_->lblDupe->text(), "N0CALL ");
  MoveMouseOver(form_->centralWidget());
  EXPECT_EQ(form_->lblDupe->text(), "");
}

TEST_F(Form1EntryTest, ThirdCharacterWarnings) {
  Start();
  const std::pair<const char*, bool> cases[] = {{"WA1", false}, {"WAA", true}, {"W/A", false}};
  for (const auto& [typed, warns] : cases) {
    form_->cmdClear_Click();
    prompter_.beeps = 0;
    Type(form_->txtCall, typed);
    EXPECT_EQ(form_->lblDialog->text() == "The second or third character is not numeric!", warns)
        << typed;
    EXPECT_EQ(prompter_.beeps > 0, warns) << typed;
  }
}

TEST_F(Form1EntryTest, BandsFromMenusAndFrequencies) {
  Start();
  struct Case {
    float mhz;
    const char* band;
    const char* text;
  };
  const Case cases[] = {{50.0f, "50 M", "50.000"},      {49.9999f, "50 M", "49.9999"},
                        {54.0001f, "50 M", "54.000"},   {1296.1f, "1.3 G", "1296.100"},
                        {1300.0f, "1.3 G", "1300.000"}, {2300.0f, "1.3 G", "2300.000"},
                        {2300.1f, "2.3 G", "2300.100"}};
  for (const Case& c : cases) {
    form_->BandFreqConversion(c.mhz);
    EXPECT_EQ(state_.contest.CurrentBand, c.band) << c.mhz;
  }
  EXPECT_EQ(state_.contest.FrequencyText, "2300.100");
  EXPECT_TRUE(form_->FindAction("mnu23")->isChecked());
  EXPECT_EQ(form_->Label21->text(), "2.3 GHz");
  EXPECT_EQ(form_->bandNameLabels[6]->palette().color(QPalette::Window), QColor(128, 0, 0));

  form_->FindAction("mnu24g")->trigger();
  EXPECT_EQ(form_->Label21->text(), "24 GHz");
  EXPECT_TRUE(form_->FindAction("mnu24g")->isChecked());
  EXPECT_FALSE(form_->FindAction("mnu23")->isChecked());
  for (QLabel* l : form_->bandNameLabels)
    EXPECT_EQ(l->palette().color(QPalette::Window), QColor(0, 0, 128));

  // The frequency serves one logging attempt.
  form_->BandFreqConversion(144.2f);
  EXPECT_EQ(state_.contest.FrequencyText, "144.200");
  LogContact("K2XX", "FN31");
  ASSERT_EQ(state_.log.ContactCount(), 1);
  EXPECT_EQ(state_.log.Record(1).Freq, "144.200");
  EXPECT_EQ(state_.contest.FrequencyText, "");
}

TEST_F(Form1EntryTest, UhfContestMovesLowBandsTo222) {
  Start("", 1, "PH", 3);
  form_->FindAction("mnu160")->trigger();
  EXPECT_EQ(state_.contest.CurrentBand, "222 M");
  EXPECT_TRUE(form_->FindAction("mnu40")->isChecked());
  EXPECT_EQ(form_->Label21->text(), "222 MHz");
  ProgramPrefs saved;
  ASSERT_TRUE(ParsePrefs(Read("vhfpref.txt"), saved).ok());
  EXPECT_EQ(saved.CurrentBand, "222 M");
}

TEST_F(Form1EntryTest, ModesFromMenusTheModeLabelAndTheRadio) {
  Start("", 1, "CW");
  form_->ModeSelection("ph");
  EXPECT_EQ(state_.contest.CurrentMode, "PH");
  EXPECT_EQ(form_->txtRSTR->maxLength(), 2);
  form_->ModeSelection("FM");
  form_->ModeSelection("");
  EXPECT_EQ(state_.contest.CurrentMode, "PH");
  form_->Label30_Click();
  EXPECT_EQ(form_->Label30->text(), "CW");
  EXPECT_EQ(form_->txtRSTR->maxLength(), 3);
  EXPECT_EQ(form_->txtRSTS->maxLength(), 3);
  EXPECT_TRUE(form_->mnuCW->isChecked());
  form_->Label30_Click();
  EXPECT_EQ(form_->txtRSTS->maxLength(), 2);
  EXPECT_TRUE(form_->mnuPhone->isChecked());
}

TEST_F(Form1EntryTest, ScriptedSessionWritesExactlyWhatWasTyped) {
  Start("", 1, "CW", 2, -1);
  // local 20:30:00, offset -1: UTC 19:30:00
  Type(form_->txtCall, "w1aw5");
  Type(form_->txtRSTR, "79");
  QTest::keyClick(form_->txtRSTR, Qt::Key_Space);
  Type(form_->txtSec, "fn31pr ");
  Type(form_->txtRSTS, "5");
  Enter();
  clock_.Advance(std::chrono::seconds(75));
  form_->FindAction("mnu20")->trigger();
  form_->mnuPhone->trigger();
  Type(form_->txtCall, "k2xx ");
  Type(form_->txtRSTR, "f");
  Type(Focus(), "m29");
  Enter();
  clock_.Advance(std::chrono::seconds(10));
  form_->SetRecordRst(2);
  Type(form_->txtCall, "VE3ABC");
  QTest::keyClick(form_->txtCall, Qt::Key_Tab);
  Type(form_->txtSec, "en93");
  Enter();
  EXPECT_EQ(Read("log.txt"),
            Line("W1AW", "579", "FN31pr", "5", "FN20", "2007/06/09", "19:30:00", "144 M", "CW") +
                Line("K2XX", "59", "FM29", "59", "FN20", "2007/06/09", "19:31:15", "432 M", "PH") +
                Line("VE3ABC", "", "EN93", "", "FN20", "2007/06/09", "19:31:25", "432 M", "PH"));
  // Memory and file agree.
  std::string text = Read("log.txt");
  ContactLog reread;
  ASSERT_TRUE(ParseLog(text, reread).ok());
  EXPECT_EQ(reread.records(), state_.log.records());
}

TEST_F(Form1EntryTest, FailedAppendLeavesTheEntryAndLogsNothing) {
  Start();
  // A log.txt that cannot be appended to: a folder of that name.
  QFile::remove(dir_.filePath("log.txt"));
  QDir(dir_.path()).mkdir("log.txt");
  LogContact("K2XX", "FN31");
  EXPECT_EQ(state_.log.ContactCount(), 0);
  EXPECT_TRUE(form_->lblDialog->text().startsWith("NOT LOGGED"));
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  EXPECT_EQ(form_->txtSec->text(), "FN31");
}

TEST_F(Form1EntryTest, FullLogRefusesTheContact) {
  std::string text;
  for (int i = 0; i < kMaxContacts; ++i)
    text += Line(("W" + std::to_string(i)).c_str(), "59", "FN31", "59", "FN20", "2007/06/09",
                 "18:30:15", "50 M", "PH");
  Start(text);
  ASSERT_EQ(state_.log.ContactCount(), kMaxContacts);
  LogContact("K2XX", "FN31");
  EXPECT_EQ(state_.log.ContactCount(), kMaxContacts);
  EXPECT_EQ(Read("log.txt").size(), text.size());
  EXPECT_TRUE(form_->lblDialog->text().contains("12000"));
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
}

TEST_F(Form1EntryTest, RecallAndTheClock) {
  Start(Line("K2XX", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "144 M", "PH"));
  form_->mnuRecall->trigger();
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  EXPECT_EQ(form_->txtSec->text(), "FN31");
  EXPECT_EQ(Focus(), form_->txtRSTR);

  clock_.Set(MakeLocalTime(2007, 6, 9, 21, 5, 7));
  form_->Timer2_Tick();
  EXPECT_EQ(form_->lblutctime->text(), "02:05:07");
  EXPECT_EQ(form_->lblCurTime->text(), "9:05:07");
  EXPECT_EQ(form_->Timer2->interval(), 1000);
}

}  // namespace
}  // namespace vantrel::ui

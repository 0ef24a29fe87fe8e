// The edit window, typed into with QTest and answered by a ScriptedPrompter.
#include "ui/frm_edit_con.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include "support/sample_contact.h"
#include "support/scripted_prompter.h"

#include <string>

namespace vantrel::ui {
namespace {

ContactRecord Contact(const std::string& call, const std::string& grid = "FN31",
                      const std::string& band = "144 M") {
  ContactRecord r = SampleContact(call, grid, band);
  r.RstSnt = "57";
  return r;
}

class FrmEditConTest : public ::testing::Test {
 protected:
  void SetUp() override {
    log_.Add(Contact("W1AW", "FN31pr"));  // 1
    log_.Add(Contact("K2XX"));            // 2, edited below
    log_.Add(Contact("N3ZZ", "FN10", "24 G"));
    screen_.screen = QRect(0, 0, 1280, 1024);
    screen_.workArea = screen_.screen;
  }

  std::unique_ptr<frmEditCon> Open(int record) {
    auto w = std::make_unique<frmEditCon>(log_, record, prompter_, screen_);
    w->show();
    QApplication::setActiveWindow(w.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return w;
  }

  // Replaces a field's text the way the operator would: select all, type.
  static void Retype(QLineEdit* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
  }

  // Moves the focus on with Tab and lets the leave check run.
  static void Leave(QLineEdit* field) {
    QTest::keyClick(field, Qt::Key_Tab);
    QCoreApplication::processEvents();
  }

  ContactLog log_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
};

TEST_F(FrmEditConTest, OpensWithTheRecordsFieldsAndCaptions) {
  auto w = Open(2);
  EXPECT_EQ(w->windowTitle(), "Edit Contact Entry");
  EXPECT_EQ(w->lblEditTitle->text(), "Edit Contact:");
  EXPECT_EQ(w->Fields(), EditFieldsOf(log_.Record(2)));
  EXPECT_FALSE(w->Label1->isVisible());
  EXPECT_FALSE(w->cmdDeleteDupe->isVisible());
  EXPECT_FALSE(w->Label3->isVisible());
  EXPECT_FALSE(w->Label5->isVisible());
  // Style A: 8880 x 2520 twips at 2 x 2.133 of the design screen.
  EXPECT_EQ(w->design().applied_window.width(), qRound(8880 / 15.0 * 1280 / 640));
}

TEST_F(FrmEditConTest, KeyFilters) {
  auto w = Open(2);
  Retype(w->txtEditCall, "w1\"aw/r");
  EXPECT_EQ(w->txtEditCall->text(), "W1AW/R");
  Retype(w->txtEditSec, "fn31");
  EXPECT_EQ(w->txtEditSec->text(), "FN31");
  Retype(w->txtEditDate, "2007-06/09x");
  EXPECT_EQ(w->txtEditDate->text(), "200706/09");
  Retype(w->txtEditTime, "18:3a0;");
  EXPECT_EQ(w->txtEditTime->text(), "18:30");

  // A pasted double quote does not stay either.
  QApplication::clipboard()->setText("K\"9Z");
  w->txtEditCall->setFocus();
  w->txtEditCall->selectAll();
  w->txtEditCall->paste();
  EXPECT_EQ(w->txtEditCall->text(), "K9Z");
}

TEST_F(FrmEditConTest, LeavingDateOrTimeInvalidWarnsAndReturns) {
  auto w = Open(2);
  Retype(w->txtEditDate, "2007/02/30");
  Leave(w->txtEditDate);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Invalid Date Format!");
  EXPECT_EQ(prompter_.asked[0].text, "You have entered an invalid date format!");
  EXPECT_EQ(prompter_.beeps, 1);
  QCoreApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditDate);

  Retype(w->txtEditDate, "6/9/2007");
  Retype(w->txtEditTime, "25:00");
  Leave(w->txtEditTime);
  ASSERT_EQ(prompter_.asked.size(), 2u);  // the valid date said nothing
  EXPECT_EQ(prompter_.asked[1].title, "Invalid Time Format!");
  EXPECT_EQ(prompter_.asked[1].text, "You have entered an invalid time format!");
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditTime);

  Retype(w->txtEditTime, "9:05");
  Leave(w->txtEditTime);
  EXPECT_EQ(prompter_.asked.size(), 2u);
}

TEST_F(FrmEditConTest, ReturningTheFocusIsNotLeavingAnotherField) {
  // Both texts bad: the date's refusal pulls the focus back out of the time
  // field, which must not set off the time's refusal (and so on for ever).
  auto w = Open(2);
  w->txtEditTime->setText("25:00");
  Retype(w->txtEditDate, "2007/02/30");
  QTest::mouseClick(w->txtEditTime, Qt::LeftButton);
  for (int i = 0; i < 10; ++i) QCoreApplication::processEvents();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Invalid Date Format!");
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditDate);
}

TEST_F(FrmEditConTest, BandAndModeOutsideTheListAreRefusedAndPutBack) {
  auto w = Open(2);
  Retype(w->txtEditBnd, "24 G");
  Leave(w->txtEditBnd);
  EXPECT_TRUE(w->Label3->isVisible());
  EXPECT_EQ(w->Label3->text(), "   Invalid!");
  EXPECT_EQ(w->txtEditBnd->text(), "144 M");
  EXPECT_EQ(prompter_.beeps, 1);
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditBnd);

  Retype(w->txtEditBnd, "1.3 G");
  Leave(w->txtEditBnd);
  EXPECT_FALSE(w->Label3->isVisible());

  Retype(w->txtEditMode, "SSB");
  Leave(w->txtEditMode);
  EXPECT_TRUE(w->Label5->isVisible());
  EXPECT_EQ(w->txtEditMode->text(), "PH");
  Retype(w->txtEditMode, "CW");
  Leave(w->txtEditMode);
  EXPECT_FALSE(w->Label5->isVisible());
  EXPECT_EQ(prompter_.beeps, 2);
}

TEST_F(FrmEditConTest, RecordAboveTenGigahertzKeepsItsBandUnlessTheFieldIsLeft) {
  auto w = Open(3);
  Retype(w->txtEditCall, "N3ZY");
  QTest::keyClick(w->txtEditCall, Qt::Key_Return);
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kStored);
  EXPECT_EQ(log_.Record(3).Call, "N3ZY");
  EXPECT_EQ(log_.Record(3).Band, "24 G");

  auto again = Open(3);
  again->txtEditBnd->setFocus();
  Leave(again->txtEditBnd);
  EXPECT_TRUE(again->Label3->isVisible());
  EXPECT_EQ(again->txtEditBnd->text(), "24 G");
}

TEST_F(FrmEditConTest, DoneStoresTrimmedFieldsAndKeepsFreq) {
  auto w = Open(2);
  Retype(w->txtEditCall, "K2XY");
  Retype(w->txtEditSec, "FN12  ");
  Retype(w->txtEditPre, "FN21 ");
  Retype(w->txtEditCk, "55");
  Retype(w->txtEditBnd, "432 M");
  Retype(w->txtEditMode, "CW");
  // Enter in any field is Done, without the band or mode field being left.
  QTest::keyClick(w->txtEditMode, Qt::Key_Enter);
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kStored);
  EXPECT_FALSE(w->isVisible());
  const ContactRecord& r = log_.Record(2);
  EXPECT_EQ(r.Call, "K2XY");
  EXPECT_EQ(r.GridRcvd, "FN12");
  EXPECT_EQ(r.GridSent, "FN21");
  EXPECT_EQ(r.RstRcvd, "55");
  EXPECT_EQ(r.Band, "432 M");
  EXPECT_EQ(r.Mode, "CW");
  EXPECT_EQ(r.Freq, "144.200");
  EXPECT_EQ(log_.Record(1), Contact("W1AW", "FN31pr"));
}

TEST_F(FrmEditConTest, DoneRefusesBadTimeThenBadDateThenUnknownBand) {
  auto w = Open(2);
  Retype(w->txtEditTime, "1830");
  Retype(w->txtEditDate, "2007/13/01");
  w->cmdDone_Click();
  ASSERT_FALSE(prompter_.asked.empty());
  EXPECT_EQ(prompter_.asked.back().title, "Invalid Time Format!");
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditTime);

  Retype(w->txtEditTime, "18:30");
  w->cmdDone_Click();
  EXPECT_EQ(prompter_.asked.back().title, "Invalid Date Format!");
  EXPECT_EQ(QApplication::focusWidget(), w->txtEditDate);

  Retype(w->txtEditDate, "2007/06/10");
  w->txtEditBnd->setText("XX");  // typed, then Done without leaving the field
  w->cmdDone_Click();
  EXPECT_TRUE(w->Label3->isVisible());
  EXPECT_EQ(w->txtEditBnd->text(), "144 M");
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kClosed);
  EXPECT_EQ(log_.Record(2), Contact("K2XX"));

  w->cmdDone_Click();
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kStored);
  EXPECT_EQ(log_.Record(2).Date, "2007/06/10");
  EXPECT_EQ(log_.Record(2).Time, "18:30");
}

TEST_F(FrmEditConTest, ExactCaseDuplicateKeepsTheWindowOpen) {
  auto w = Open(2);
  Retype(w->txtEditCall, "W1AW");
  w->txtEditSec->setText("FN31pr");  // as logged: the subsquare in lower case
  w->cmdDone_Click();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->Label1->isVisible());
  EXPECT_EQ(w->Label1->text(), "Dupe!");
  EXPECT_TRUE(w->cmdDeleteDupe->isVisible());
  EXPECT_EQ(prompter_.beeps, 1);
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kClosed);
  EXPECT_EQ(log_.Record(2).Call, "K2XX");

  // The same grid typed (and so upper-cased) differs in case: stored.
  Retype(w->txtEditSec, "fn31pr");
  EXPECT_EQ(w->txtEditSec->text(), "FN31PR");
  w->cmdDone_Click();
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kStored);
  EXPECT_FALSE(w->Label1->isVisible());
  EXPECT_EQ(log_.Record(2).Call, "W1AW");
  EXPECT_EQ(log_.Record(2).GridRcvd, "FN31PR");
}

TEST_F(FrmEditConTest, CloseBoxAndDeleteDupeLeaveTheRecordAlone) {
  auto w = Open(2);
  Retype(w->txtEditCall, "K2XY");
  w->close();
  EXPECT_EQ(w->outcome(), frmEditCon::Outcome::kClosed);
  EXPECT_EQ(log_.Record(2).Call, "K2XX");

  auto dupe = Open(2);
  dupe->txtEditCall->setText("W1AW");
  dupe->txtEditSec->setText("FN31pr");
  dupe->cmdDone_Click();
  ASSERT_TRUE(dupe->cmdDeleteDupe->isVisible());
  QTest::mouseClick(dupe->cmdDeleteDupe, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_EQ(dupe->outcome(), frmEditCon::Outcome::kDeleteDupe);
  EXPECT_FALSE(dupe->isVisible());
  EXPECT_EQ(log_.Record(2).Call, "K2XX");
  // Clicking the button left the call field: no leave check may fire late.
  EXPECT_TRUE(prompter_.asked.empty());
}

}  // namespace
}  // namespace vantrel::ui

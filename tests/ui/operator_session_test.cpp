// One rover's June contest typed key by key into the real windows: station
// setup, twenty contacts over eight bands, a refused duplicate with keys
// typed during the hold, a grid typed over a pre-filled one, a move to the
// next grid and an edit. The log, the score and both exports are then
// compared with files worked out by hand.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLocale>
#include <QTest>

#include "support/memory_settings_store.h"
#include "ui/adif_export.h"
#include "ui/form1_fixture.h"
#include "ui/form2.h"
#include "ui/frm_edit_con.h"
#include "ui/frm_station_id.h"

namespace vantrel::ui {
namespace {

std::string Golden(const char* name) {
  std::ifstream in(std::string(VANTREL_TEST_DATA_DIR) + "/operator_session/" + name,
                   std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class OperatorSessionTest : public Form1Fixture {
 protected:
  // Every key goes to the widget that has the focus at that moment, as on a
  // keyboard: "\n" is Enter.
  void Keys(const char* keys) {
    for (const char* k = keys; *k != '\0'; ++k) {
      if (*k == '\n')
        QTest::keyClick(Focus(), Qt::Key_Return);
      else
        QTest::keyClick(Focus(), *k);
    }
  }
  // The fixed clock at a UTC time of 10 June 2007; the stored offset is 5.
  void AtUtc(int hour, int minute, int second = 0) {
    clock_.Set(MakeLocalTime(2007, 6, 9, hour + 19, minute, second));
  }
  static void Retype(QLineEdit* box, const char* text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }
  static void Choose(QRadioButton* option) {
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
  }
  // Station setup as the operator fills it in: call and grid typed, the
  // June contest and a rover chosen, Done.
  void SetupAnswers(const char* call, const char* grid) {
    form_->set_station_setup_runner([this, call, grid](Form1&) {
      frmStationID w(state_, prompter_,
                     ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)});
      w.show();
      Retype(w.Text1, call);
      Retype(w.Text5, grid);
      Choose(w.Option2);
      Choose(w.Option6);
      QTest::mouseClick(w.Command1, Qt::LeftButton);
      return TakeStationSetup(w, state_);
    });
  }
  std::vector<std::string> CountLabels() {
    std::vector<std::string> out;
    for (QLabel* l : form_->bandCountLabels) out.push_back(l->text().toStdString());
    return out;
  }
  std::string Score() {
    return (form_->lblTotCon->text() + " " + form_->lblTotSec->text() + " " +
            form_->lblsectogo->text() + " " + form_->lblTotScore->text())
        .toStdString();
  }
};

// June contest points: 50 and 144 one, 222 and 432 two, 902 and 1.3 G three,
// 2.3 G and up four. Multipliers are four-character squares per band, plus
// one for each own grid a contact was made from.
//
//   band   contacts  points  squares                     after the edit
//   50     3         3       EM99 FN31                   EM98 EM99 FN31
//   144    7         7       FN31 FN32 FM29 FN43
//   222    2         4       FN31 FN32
//   432    3         6       FN32 (FN32ab, FN32) EN93
//   1.3 G  2         6       FN31 FN32
//   2.3 G  1         4       FN31
//   10 G   1         4       FN31
//   24 G   1         4       FN31
//   total  20        38      15 + own grids FN20 FN21 = 17 -> 646
//                            after the edit 16 + 2 = 18   -> 684
TEST_F(OperatorSessionTest, JuneRoverSessionGivesTheLogScoreAndExportsWorkedOutByHand) {
  Start();
  SetupAnswers("k1rz/r", "fn20");
  form_->mnuSetup->trigger();
  ASSERT_EQ(state_.prefs.OwnCall, "K1RZ/R");
  ASSERT_EQ(state_.prefs.OwnGrid, "FN20");
  ASSERT_EQ(state_.contest.ContestId, 2);
  ASSERT_EQ(state_.contest.RoverStation, 1);
  ASSERT_EQ(state_.contest.CurrentBand, "144 M");
  form_->txtCall->setFocus();

  AtUtc(1, 31);
  Keys("w1aw fn31\n");  // a letter in the report field starts the grid
  AtUtc(1, 32);
  Keys("k2xx57 fn32\n");  // a digit after the call starts the report
  AtUtc(1, 33);
  Keys("n3yy 55 fm29 57\n");  // Space walks report, grid, report sent
  ASSERT_EQ(state_.log.ContactCount(), 3);

  // The duplicate is refused; what is typed during the hold is logged after it.
  AtUtc(1, 34);
  Keys("w1aw fn31\n");
  EXPECT_EQ(state_.log.ContactCount(), 3);
  EXPECT_EQ(form_->lblDialog->text(), "Duplicate W1AW FN31 2007/06/10 01:31:00 ON 144 M  Rec#  1");
  ASSERT_TRUE(form_->DupeFound());
  AtUtc(1, 34, 1);
  Keys("w9zz 57 fn43\n");
  EXPECT_EQ(state_.log.ContactCount(), 3);
  ASSERT_TRUE(form_->holdTimer->isActive());
  AtUtc(1, 34, 3);
  form_->holdTimer->stop();
  form_->ReleaseHeldKeys();
  ASSERT_EQ(state_.log.ContactCount(), 4);
  EXPECT_FALSE(form_->DupeFound());

  // 432: W1AW's grid comes pre-filled from 144 and is typed over; K2XX's is kept.
  form_->FindAction("mnu20")->trigger();
  AtUtc(1, 35);
  Keys("w1aw ");
  EXPECT_EQ(form_->txtSec->text(), "FN31");
  Keys(" fn32ab");
  EXPECT_EQ(form_->txtSec->text(), "FN32ab");
  EXPECT_FALSE(form_->Label3->isHidden());  // new on 432
  Keys("\n");
  AtUtc(1, 36);
  Keys("k2xx ");
  EXPECT_EQ(form_->txtSec->text(), "FN32");
  EXPECT_TRUE(form_->Label3->isHidden());  // the square FN32 is worked on 432
  Keys("\n");
  AtUtc(1, 37);
  Keys("ve3abc\t\ten93\n");  // Tab walks too
  EXPECT_EQ(form_->bandCountLabels[3]->text(), "3 / 2");

  // The radio moves to 1.3 GHz; its frequency goes with the next contact only.
  form_->BandFreqConversion(1296.1f);
  ASSERT_EQ(state_.contest.CurrentBand, "1.3 G");
  AtUtc(1, 38);
  Keys("w1aw \n");
  AtUtc(1, 39);
  Keys("k2xx \n");
  // Reports not recorded: Tab leaves the call for the grid, which the
  // early dupe check still fills.
  form_->FindAction("mnu10g")->trigger();
  form_->mnuRstDontRecord->trigger();
  AtUtc(1, 40);
  Keys("w1aw\t");
  EXPECT_EQ(form_->txtSec->text(), "FN31");
  Keys("\n");
  form_->mnuRstRecord->trigger();
  form_->SelectBand(1);
  AtUtc(1, 41);
  Keys("k4zz em99\n");
  ASSERT_EQ(state_.log.ContactCount(), 11);
  // 21 points x (10 squares + 1 own grid)
  EXPECT_EQ(Score(), "11 21 11 231");

  // The rover moves on: the same stations count again from the new grid.
  AtUtc(2, 10);
  SetupAnswers("k1rz/r", "fn21");
  form_->mnuSetup->trigger();
  ASSERT_EQ(state_.prefs.OwnGrid, "FN21");
  EXPECT_EQ(form_->Label4->text(), "FN21");
  EXPECT_EQ(Score(), "11 21 11 231");  // no contact from FN21 yet
  form_->txtCall->setFocus();
  AtUtc(2, 15);
  Keys("k4zz \n");
  EXPECT_EQ(Score(), "12 22 12 264");
  AtUtc(2, 16);
  Keys("w1aw \n");
  form_->SelectBand(2);
  AtUtc(2, 17);
  Keys("w1aw \n");
  AtUtc(2, 18);
  Keys("k2xx \n");
  AtUtc(2, 19);
  Keys("w9zz \n");
  form_->FindAction("mnu40")->trigger();
  form_->Label30_Click();  // CW on 222
  AtUtc(2, 20);
  Keys("w1aw \n");
  AtUtc(2, 21);
  Keys("k2xx579 \n");
  form_->mnuPhone->trigger();
  form_->FindAction("mnu23")->trigger();
  AtUtc(2, 22);
  Keys("w1aw \n");
  form_->FindAction("mnu24g")->trigger();
  AtUtc(2, 23);
  Keys("w1aw \n");
  ASSERT_EQ(state_.log.ContactCount(), 20);
  EXPECT_EQ(Score(), "20 38 17 646");

  // K4ZZ's first grid was misheard: corrected in the edit window.
  LogMaintenanceHooks hooks;
  hooks.run_edit_window = [](frmEditCon& w) {
    w.show();
    EXPECT_EQ(w.txtEditSec->text(), "EM99");
    Retype(w.txtEditSec, "em98");
    QTest::keyClick(w.txtEditSec, Qt::Key_Return);
  };
  form_->set_maintenance_hooks(hooks);
  QTreeWidgetItem* eleventh = form_->ListView1->topLevelItem(9);  // newest first
  ASSERT_EQ(eleventh->text(0), "11");
  QTest::mouseClick(form_->ListView1->viewport(), Qt::LeftButton, {},
                    form_->ListView1->visualItemRect(eleventh).center());
  form_->cmdEdit->click();
  ASSERT_EQ(state_.log.ContactCount(), 20);

  EXPECT_EQ(Read("log.txt"), Golden("log.txt"));
  EXPECT_EQ(Score(), "20 38 18 684");
  EXPECT_EQ(CountLabels(), (std::vector<std::string>{"3 / 3", "7 / 4", "2 / 2", "3 / 2", "0 / 0",
                                                     "2 / 2", "1 / 1", "0 / 0", "0 / 0", "1 / 1"}));
  // At 02:23 the nine contacts since 02:15 fall in the last 20 minutes (x 3),
  // all twenty in the last hour.
  EXPECT_EQ(form_->lblAQSO20->text(), "27");
  EXPECT_EQ(form_->lblAQSO60->text(), "20");

  // Cabrillo through the summary sheet, typed like the rest.
  MemorySettingsStore settings;
  const QString cabrillo = dir_.filePath("K1RZ.log");
  QString proposal;
  Form2 sheet({state_,
               settings,
               prompter_,
               form_->lblTotScore->text(),
               [&](QWidget*, const QString& proposed, const QString&) {
                 proposal = proposed;
                 return cabrillo;
               },
               {}},
              ScreenGeometry{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)});
  sheet.show();
  EXPECT_TRUE(sheet.Option3->isChecked());  // rover
  Retype(sheet.Text1, "ct");
  Retype(sheet.Text5, "Pat Doe");
  QTest::mouseClick(sheet.Command4, Qt::LeftButton);
  EXPECT_EQ(Read("K1RZ.log"), Golden("cabrillo.log"));
  EXPECT_TRUE(proposal.endsWith("/K1RZ.log")) << proposal.toStdString();  // the call without /R

  AdifExportHooks adif;
  const QString adi = dir_.filePath("june.adi");
  adif.choose_file = [&](QWidget*, const QString&, const QString&) { return adi; };
  const QDateTime exported(QDate(2007, 6, 10), QTime(3, 0, 0));
  adif.now = [&] { return exported; };
  prompter_.input_answers = {QString("10"), QString("ssb"), QString("June rover")};
  ASSERT_TRUE(mnuExportADIF(form_.get(), state_, prompter_, adif));
  std::string expected = Golden("adif.adi");
  const std::string stamp = "@EXPORTED_ON@";
  expected.replace(expected.find(stamp), stamp.size(),
                   QLocale::system().toString(exported, QLocale::ShortFormat).toStdString());
  EXPECT_EQ(Read("june.adi"), expected);
}

}  // namespace
}  // namespace vantrel::ui

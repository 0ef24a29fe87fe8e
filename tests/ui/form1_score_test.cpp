// The score, the "New" indicator, bearing and distance, the grid map and the
// start-up offset check, as they show on the real main window.
#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "support/scripted_prompter.h"
#include "ui/form1_fixture.h"
#include "ui/frm_station_id.h"
#include "ui/widget_text.h"

namespace vantrel::ui {
namespace {

class Form1ScoreTest : public Form1Fixture {
 protected:
  std::string FourContacts() {
    return Line("K2XX", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "144 M", "PH") +
           Line("W1AW", "59", "fn31", "59", "FN20", "2007/06/09", "18:01:00", "144 M", "PH") +
           Line("K3YY", "59", "FN21", "59", "FN20", "2007/06/09", "18:02:00", "432 M", "PH") +
           Line("K4ZZ", "59", "EM99", "59", "FN20", "2007/06/09", "18:03:00", "50 M", "PH");
  }
  // Station setup as the operator would leave it: the window filled from the
  // profile, `grid` typed over the own grid, the contest and station type
  // chosen, Done.
  void SetupRunner(QString grid, int contest, bool rover) {
    form_->set_station_setup_runner([this, grid, contest, rover](Form1&) {
      ScreenGeometry screen{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)};
      frmStationID w(state_, prompter_, screen);
      w.Text5->setText(grid);
      QRadioButton* options[] = {w.Option1, w.Option2, w.Option3, w.Option4, w.Option7};
      options[contest - 1]->setChecked(true);
      (rover ? w.Option6 : w.Option5)->setChecked(true);
      w.Command1->click();
      return TakeStationSetup(w, state_);
    });
  }
  QStringList ListItems(int band) {
    QStringList items;
    QListWidget* list = form_->gridLists[static_cast<size_t>(band - 1)];
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }
};

TEST_F(Form1ScoreTest, ScoreFollowsTheLogAndEachLoggedContact) {
  Start(FourContacts());  // contest 2: 50 and 144 one point, 432 two
  EXPECT_EQ(form_->lblTotCon->text(), "4");
  EXPECT_EQ(form_->lblTotSec->text(), "5");
  EXPECT_EQ(form_->lblsectogo->text(), "3");
  EXPECT_EQ(form_->lblTotScore->text(), "15");
  EXPECT_EQ(form_->bandCountLabels[1]->text(), "2 / 1");
  EXPECT_EQ(form_->bandCountLabels[2]->text(), "0 / 0");
  EXPECT_EQ(ListItems(2), QStringList{"FN31"});

  // "New" follows the grid being typed.
  Type(form_->txtSec, "fn3");
  EXPECT_TRUE(form_->Label3->isHidden());
  Type(form_->txtSec, "1");
  EXPECT_TRUE(form_->Label3->isHidden());  // fn31 after FN31 is not new
  form_->txtSec->clear();
  Type(form_->txtSec, "FN32");
  EXPECT_FALSE(form_->Label3->isHidden());

  form_->txtSec->clear();
  LogContact("N1AA", "FN32");
  ASSERT_EQ(state_.log.ContactCount(), 5);
  EXPECT_EQ(ListItems(2), (QStringList{"FN31", "FN32"}));
  EXPECT_EQ(form_->lblTotScore->text(), "24");  // 6 points x 4 multipliers
  EXPECT_EQ(form_->bandCountLabels[1]->text(), "3 / 2");
  EXPECT_TRUE(form_->Label3->isHidden());
}

// A change of contest or station type recounts at once: the CQ rover's grid
// pairs give way to plain grids, "New" and the score follow, and so does the
// Cabrillo claim. Failed before: the old keys stayed until a restart.
TEST_F(Form1ScoreTest, ContestOrStationChangeRecountsAtOnce) {
  const std::string log =
      Line("K2XX", "59", "FN31", "59", "FN20", "2007/06/09", "18:00:00", "144 M", "PH") +
      Line("K2XX", "59", "FN31", "59", "FN21", "2007/06/09", "18:10:00", "144 M", "PH") +
      Line("K3YY", "59", "FN33", "59", "FN20", "2007/06/09", "18:20:00", "144 M", "PH") +
      Line("K3YY", "59", "FN33", "59", "FN21", "2007/06/09", "18:30:00", "144 M", "PH") +
      Line("K4ZZ", "59", "FN42", "59", "FN21", "2007/06/09", "18:40:00", "432 M", "PH");
  Start(log, 1, "PH", 5);
  SetupRunner("FN21", 5, true);
  form_->mnuSetup_Click();
  ASSERT_EQ(ListItems(2), (QStringList{"FN31 FN20", "FN31 FN21", "FN33 FN20", "FN33 FN21"}));
  EXPECT_EQ(form_->lblTotScore->text(), "32");  // CQ rover: 4 x 2 points x 4 pairs

  struct Row {
    int contest;
    bool rover;
    const char* score;
    const char* multipliers;
  };
  // June: 6 points; 2 grids on 144, 1 on 432, and a rover's 2 own grids.
  for (const Row& row :
       {Row{2, true, "30", "5"}, Row{2, false, "18", "3"}, Row{5, false, "16", "2"},
        Row{3, true, "9", "3"}, Row{5, true, "32", "4"}}) {
    SCOPED_TRACE(row.contest * 10 + row.rover);
    SetupRunner("FN21", row.contest, row.rover);
    form_->mnuSetup_Click();
    EXPECT_EQ(form_->lblTotScore->text(), row.score);
    EXPECT_EQ(form_->lblsectogo->text(), row.multipliers);
    // The recount equals what a restart would show.
    Tallies fresh;
    ASSERT_TRUE(vantrel::RecountTallies(fresh, state_.log, row.contest, row.rover ? 1 : 0).ok);
    EXPECT_EQ(form_->lblTotScore->text().toStdString(),
              vantrel::Labeldisplay(fresh, row.contest, row.rover ? 1 : 0)->TotScore);
  }

  // Fixed in the June contest: FN31 is worked on 144 MHz, so not "New".
  SetupRunner("FN21", 2, false);
  form_->mnuSetup_Click();
  EXPECT_EQ(ListItems(2), (QStringList{"FN31", "FN33"}));
  form_->txtSec->setFocus();
  Type(form_->txtSec, "FN31");
  EXPECT_TRUE(form_->Label3->isHidden());
}

// The own position derived from the grid follows a rover's grid change:
// the map and the bearings move with it. Failed before: they stayed at the
// first grid.
TEST_F(Form1ScoreTest, RoverGridChangeMovesTheMapAndBearings) {
  Start();
  SetupRunner("FN20", 2, true);
  form_->mnuSetup_Click();
  EXPECT_EQ(state_.prefs.OwnLatitude, 40.5);
  EXPECT_EQ(state_.prefs.OwnLongitude, 75);
  EXPECT_EQ(form_->lblGrid[82]->text(), "FN20");
  form_->txtSec->setFocus();
  Type(form_->txtSec, "FN32");
  EXPECT_EQ(form_->Label23->text(), "36");
  EXPECT_EQ(form_->Label24->text(), "173");

  SetupRunner("FN31", 2, true);
  form_->mnuSetup_Click();
  EXPECT_EQ(form_->Label4->text(), "FN31");
  EXPECT_EQ(form_->lblGrid[82]->text(), "FN31");
  // FN32 is now one square north of the own grid.
  EXPECT_EQ(form_->Label23->text(), "360");
  EXPECT_EQ(form_->Label24->text(), "69");
}

TEST_F(Form1ScoreTest, BearingAndDistanceOfTheTypedGrid) {
  Start();
  state_.prefs.OwnLatitude = 40;
  state_.prefs.OwnLongitude = 76;
  Type(form_->txtSec, "FN30");  // to the centre of FN30
  EXPECT_EQ(form_->Label23->text(), "77");
  EXPECT_EQ(form_->Label24->text(), "162");
  QTest::keyClick(form_->txtSec, Qt::Key_Backspace);
  QTest::keyClick(form_->txtSec, Qt::Key_Backspace);
  QTest::keyClick(form_->txtSec, Qt::Key_Backspace);
  EXPECT_EQ(form_->Label23->text(), "");
  EXPECT_EQ(form_->Label24->text(), "");
}

TEST_F(Form1ScoreTest, GridMapFillsShiftsColoursAndEntersGrids) {
  Start(FourContacts());
  state_.prefs.OwnLatitude = 40;
  state_.prefs.OwnLongitude = 76;
  form_->mnuSetup_Click();
  EXPECT_EQ(form_->lblGrid[82]->text(), "FN20");
  EXPECT_EQ(form_->lblGrid[71]->text(), "FN21");
  EXPECT_EQ(form_->lblGrid[0]->text(), "EN77");

  // The view switch is stored.
  ASSERT_EQ(form_->Command2->text(), "View Grids");
  form_->Command2->click();
  EXPECT_EQ(form_->Command2->text(), "View Bands");
  EXPECT_FALSE(form_->lblGrid[82]->isHidden());
  EXPECT_TRUE(form_->gridLists[0]->isHidden());
  EXPECT_FALSE(form_->Command3->isHidden());
  ProgramPrefs saved;
  ASSERT_TRUE(ParsePrefs(Read("vhfpref.txt"), saved).ok());
  EXPECT_EQ(saved.GridMapView, "View Bands");

  // FN31 was worked on 144 MHz, the current band, and only there.
  const int fn31 = form_->grid_map().LabelOf("FN31");
  ASSERT_GE(fn31, 0);
  const QColor worked = FromBgr(state_.prefs.WorkedColor);
  const QColor remaining = FromBgr(state_.prefs.RemainingColor);
  ASSERT_NE(worked, remaining);
  EXPECT_EQ(TextColour(form_->lblGrid[static_cast<size_t>(fn31)]), worked);
  form_->SelectBand(4);
  EXPECT_EQ(TextColour(form_->lblGrid[static_cast<size_t>(fn31)]), remaining);
  EXPECT_EQ(TextColour(form_->lblGrid[static_cast<size_t>(form_->grid_map().LabelOf("FN21"))]),
            worked);

  form_->Command3->click();  // one row north
  EXPECT_EQ(form_->lblGrid[82]->text(), "FN21");

  QTest::mouseClick(form_->lblGrid[82], Qt::LeftButton);
  EXPECT_EQ(form_->txtSec->text(), "FN21");

  MoveMouseOver(form_->lblGrid[82]);
  EXPECT_TRUE(form_->lblDupe->text().startsWith("FN21  Total = 1   50 = 0   144 = 0"))
      << form_->lblDupe->text().toStdString();
}

TEST_F(Form1ScoreTest, ClicksOnTheBandViewSelectBandsAndShrinkARoversList) {
  Start(FourContacts());
  ASSERT_FALSE(form_->bandCountLabels[3]->isHidden());
  QTest::mouseClick(form_->bandCountLabels[3], Qt::LeftButton);
  EXPECT_EQ(state_.contest.CurrentBand, "432 M");
  QTest::mouseClick(form_->bandNameLabels[0], Qt::LeftButton);
  EXPECT_EQ(state_.contest.CurrentBand, "50 M");
  EXPECT_TRUE(form_->FindAction("mnu160")->isChecked());

  // Only a CQ rover's pair lists shrink, List1 and List2, to List3's height.
  const double design_points = form_->gridLists[1]->font().pointSizeF();
  QTest::mouseClick(form_->gridLists[1]->viewport(), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(form_->gridLists[1]->font().pointSizeF(), design_points);
  state_.contest.ContestId = kCqContestId;
  state_.contest.RoverStation = 1;
  form_->gridLists[1]->resize(form_->gridLists[1]->width(), 40);
  QTest::mouseClick(form_->gridLists[1]->viewport(), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(form_->gridLists[1]->font().pointSizeF(), design_points * 0.9);
  EXPECT_EQ(form_->gridLists[1]->height(), form_->gridLists[2]->height());
  EXPECT_DOUBLE_EQ(form_->gridLists[0]->font().pointSizeF(), design_points);
  // The reload after it keys the lists as pairs.
  EXPECT_TRUE(ListItems(2).contains("FN31 FN20")) << ListItems(2).join(",").toStdString();
}

TEST_F(Form1ScoreTest, StartUpOffersTheOffsetTheClocksShow) {
  // Local 20:30 against a computer UTC of 00:30 the next day: offset 4, stored 5.
  utc_override_ = [] {
    return std::chrono::sys_days{std::chrono::year{2007} / 6 / 10} + std::chrono::minutes(30);
  };
  // Start() answers the log question with Yes; queue the offset answer first.
  prompter_ = ScriptedPrompter{};
  Start();
  ASSERT_TRUE(prompter_.WasAsked("Update the Local Time / UTC Offset?"));
  // The scripted prompter cancels: the stored offset stays.
  EXPECT_FLOAT_EQ(state_.prefs.UtcOffsetHours, 5.0f);
}

TEST_F(Form1ScoreTest, FullMultiplierListRefusesTheContact) {
  std::string text;
  int n = 0;
  for (char a = 'A'; a <= 'R' && n < 5000; ++a)
    for (char b = 'A'; b <= 'R' && n < 5000; ++b)
      for (int d = 0; d < 100 && n < 5000; ++d, ++n) {
        const std::string grid = std::string{a, b} + char('0' + d / 10) + char('0' + d % 10);
        text += Line(("W" + std::to_string(n)).c_str(), "59", grid.c_str(), "59", "FN20",
                     "2007/06/09", "18:00:00", "144 M", "PH");
      }
  Start(text);
  ASSERT_EQ(state_.log.ContactCount(), 5000);
  EXPECT_EQ(form_->gridLists[1]->count(), 5000);
  LogContact("K2XX", "FN31aa");  // its square FN31 is a new key
  EXPECT_EQ(state_.log.ContactCount(), 5000);
  EXPECT_EQ(Read("log.txt").size(), text.size());
  EXPECT_EQ(form_->txtCall->text(), "K2XX");
  EXPECT_FALSE(form_->lblDialog->text().isEmpty());
  // A known grid still logs.
  form_->cmdClear_Click();
  LogContact("K2XX", "AA00");
  EXPECT_EQ(state_.log.ContactCount(), 5001);
  EXPECT_EQ(form_->Timer1->interval(), 60000);
}

}  // namespace
}  // namespace vantrel::ui

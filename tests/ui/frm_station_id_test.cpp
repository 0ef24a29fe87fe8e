// Station setup typed into with QTest, the profile it leaves in the run
// state, and the start-up check of the UTC offset.
#include "ui/frm_station_id.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>

#include "contest/tallies.h"
#include "platform/shared_prefs_file.h"
#include "support/scripted_prompter.h"
#include "ui/utc_offset_check.h"

namespace vantrel::ui {
namespace {

class StationSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    shared_path_ = dir_.filePath("SharedUserPreferences.xml").toStdString();
    LoadSharedPreferences(state_.shared, shared_path_);
    state_.prefs.OwnCall = "K1AB";
    state_.prefs.OwnGrid = "FN20";
    state_.prefs.UtcOffsetHours = 4;
    state_.contest.ContestId = 2;
    state_.contest.CurrentMode = "PH";
    screen_.screen = QRect(0, 0, 1280, 960);
    screen_.workArea = QRect(0, 0, 1280, 920);
  }

  std::unique_ptr<frmStationID> Open() {
    auto w = std::make_unique<frmStationID>(state_, prompter_, screen_);
    w->show();
    QApplication::setActiveWindow(w.get());
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return w;
  }

  static void Retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
  }

  std::string SharedFile() {
    std::ifstream in(shared_path_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  QTemporaryDir dir_;
  std::string shared_path_;
  RunState state_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
};

TEST_F(StationSetupTest, OpensWithTheProfileInForce) {
  state_.prefs.OwnLongitude = 76.5;
  state_.prefs.UtcOffsetHours = -5;
  state_.contest.ContestId = 5;
  state_.contest.RoverStation = 1;
  auto w = Open();
  EXPECT_EQ(w->windowTitle(), " Amateur Station I.D.");
  EXPECT_EQ(w->Text1->text(), "K1AB");
  EXPECT_EQ(w->Text5->text(), "FN20");
  EXPECT_EQ(w->Text6->text(), "-5");
  EXPECT_EQ(w->Text2->text(), "76.5");
  EXPECT_EQ(w->Text3->text(), "0");
  EXPECT_TRUE(w->Option7->isChecked());
  EXPECT_TRUE(w->Option6->isChecked());
  EXPECT_EQ(w->Frame1->title(), "Contest:");
  EXPECT_EQ(w->Option4->text(), "ARRL September VHF QSO Party");
  EXPECT_EQ(w->Command1->text(), "Done");

  // An unknown contest selects none of the five.
  state_.contest.ContestId = 0;
  state_.contest.RoverStation = 0;
  w->Form_Load();
  EXPECT_EQ(w->SelectedContest(), 0);
  EXPECT_TRUE(w->Option5->isChecked());
}

TEST_F(StationSetupTest, KeyRulesOfTheFields) {
  auto w = Open();
  Retype(w->Text1, "k1ab/r");
  EXPECT_EQ(w->Text1->text(), "K1AB/R");
  Retype(w->Text5, "fn21x");
  EXPECT_EQ(w->Text5->text(), "FN21");
  // Backspace and "-" to "9" only: - . / and the digits.
  Retype(w->Text6, "-5.5 a+1/2");
  EXPECT_EQ(w->Text6->text(), "-5.51/");
  Retype(w->Text6, "12345678");
  EXPECT_EQ(w->Text6->text(), "123456");
  Retype(w->Text3, "40.12345");
  EXPECT_EQ(w->Text3->text(), "40.123");
  // A longer stored value is shown whole and never cut.
  state_.prefs.OwnLatitude = 40.0416667;
  w->Form_Load();
  EXPECT_EQ(w->Text3->text(), "40.0416667");
  // Enter in a position field does not press Done.
  w->Text2->setFocus();
  QTest::keyClick(w->Text2, Qt::Key_Return);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(StationSetupTest, LeavingANonNumericOffsetAsksForANumber) {
  auto w = Open();
  Retype(w->Text6, "1/2");
  QTest::keyClick(w->Text6, Qt::Key_Tab);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Numeric value required.");
  EXPECT_EQ(prompter_.asked[0].text, "Please enter a numeric value!");
  EXPECT_EQ(prompter_.beeps, 1);
  EXPECT_EQ(QApplication::focusWidget(), w->Text6);

  Retype(w->Text6, "5.5");
  QTest::keyClick(w->Text6, Qt::Key_Tab);
  EXPECT_EQ(prompter_.asked.size(), 1u);
}

TEST_F(StationSetupTest, DoneStoresTheSharedKeysOnce) {
  auto w = Open();
  w->Text6->setText("1/2");
  w->Text3->setText("abc");
  w->Text2->setText("76");
  w->Text5->setFocus();
  QTest::keyClick(w->Text5, Qt::Key_Return);  // Enter presses Done
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Accepted);
  EXPECT_EQ(w->Text6->text(), "0");
  EXPECT_EQ(w->Text3->text(), "0");
  EXPECT_EQ(SharedFile(),
            "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
            "<OWN_CALL>K1AB</OWN_CALL>\r\n"
            "<OWN_UTC>0</OWN_UTC>\r\n"
            "<OWN_GRID>FN20</OWN_GRID>\r\n"
            "<OWN_LONGITUDE>76</OWN_LONGITUDE>\r\n"
            "<OWN_LATITUDE>0</OWN_LATITUDE>\r\n");
}

TEST_F(StationSetupTest, OwnPositionFromTheGrid) {
  {
    // The centre of the own square.
    auto w = Open();
    w->Command1->click();
    const StationSetupRefresh r = TakeStationSetup(*w, state_);
    EXPECT_EQ(state_.prefs.OwnLatitude, 40.5);
    EXPECT_EQ(state_.prefs.OwnLongitude, 75);
    EXPECT_EQ(r.Label2, "K1AB");
    EXPECT_EQ(r.Label4, "FN20");
    EXPECT_EQ(r.Label30, "PH");
  }
  {
    // Reopening shows the derived position; 39.5 with longitude 0 is replaced.
    auto w = Open();
    EXPECT_EQ(w->Text3->text(), "40.5");
    EXPECT_EQ(w->Text2->text(), "75");
    w->Text3->setText("39.5");
    w->Text2->setText("0");
    w->Command1->click();
    TakeStationSetup(*w, state_);
    EXPECT_EQ(state_.prefs.OwnLatitude, 40.5);
    EXPECT_EQ(state_.prefs.OwnLongitude, 75);
  }
  {
    // A grid that is no locator derives nothing.
    auto w = Open();
    w->Text5->setText(" F ");
    w->Text3->setText("0");
    w->Text2->setText("0");
    TakeStationSetup(*w, state_);
    EXPECT_EQ(state_.prefs.OwnGrid, "F");
    EXPECT_EQ(state_.prefs.OwnLongitude, 0);
    EXPECT_EQ(state_.prefs.OwnLatitude, 0);
  }
}

// A position derived from the own grid follows every grid change; one the
// operator typed stays. Failed before: the first derived position was kept
// for good, so a rover's bearings and map stayed at its first grid.
TEST_F(StationSetupTest, DerivedPositionFollowsTheGridTypedOneStays) {
  auto setup = [this](const char* grid, const char* latitude = nullptr,
                      const char* longitude = nullptr) {
    auto w = Open();
    Retype(w->Text5, grid);
    if (latitude) Retype(w->Text3, latitude);
    if (longitude) Retype(w->Text2, longitude);
    w->Text5->setFocus();
    QTest::keyClick(w->Text5, Qt::Key_Return);
    TakeStationSetup(*w, state_);
  };
  struct Row {
    const char* grid;
    const char* latitude;
    const char* longitude;
    double want_latitude, want_longitude;
  };
  for (const Row& row :
       {Row{"FN20", nullptr, nullptr, 40.5, 75}, Row{"FN31", nullptr, nullptr, 41.5, 73},
        Row{"EN91", nullptr, nullptr, 41.5, 81}, Row{"FN31", "41.714", "72.727", 41.714, 72.727},
        Row{"FN32", nullptr, nullptr, 41.714, 72.727},
        // Setting a coordinate to 0 asks for the grid's centre again.
        Row{"FN42", "0", nullptr, 42.5, 71}, Row{"FN43", nullptr, nullptr, 43.5, 71}}) {
    SCOPED_TRACE(row.grid);
    setup(row.grid, row.latitude, row.longitude);
    EXPECT_EQ(state_.prefs.OwnGrid, row.grid);
    EXPECT_DOUBLE_EQ(state_.prefs.OwnLatitude, row.want_latitude);
    EXPECT_DOUBLE_EQ(state_.prefs.OwnLongitude, row.want_longitude);
  }
  // A position derived the old way, at the square's corner, follows too.
  state_.prefs.OwnLatitude = 43;
  state_.prefs.OwnLongitude = 72;
  setup("FN44");
  EXPECT_EQ(state_.prefs.OwnLatitude, 44.5);
  EXPECT_EQ(state_.prefs.OwnLongitude, 71);
}

// Only a Maidenhead locator is taken as the own grid; the window stays open
// with the grid selected. Failed before: FN2, ZZ99 and 12AB were taken.
TEST_F(StationSetupTest, DoneRefusesAnOwnGridThatIsNoLocator) {
  auto w = Open();
  for (const char* grid : {"FN2", "ZZ99", "12AB", "FNA0", "S"}) {
    SCOPED_TRACE(grid);
    const size_t asked = prompter_.asked.size();
    Retype(w->Text5, grid);
    QTest::keyClick(w->Text5, Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(prompter_.asked.size(), asked + 1);
    EXPECT_EQ(prompter_.asked.back().title, "Grid Square?");
    EXPECT_EQ(prompter_.asked.back().text,
              "Your grid square must be two letters A to R and two digits, for example FN20.");
    EXPECT_EQ(QApplication::focusWidget(), w->Text5);
    EXPECT_EQ(w->Text5->selectedText(), w->Text5->text());
    EXPECT_EQ(SharedFile(), "");
  }
  EXPECT_EQ(prompter_.beeps, 5);
  Retype(w->Text5, "fn31");
  QTest::keyClick(w->Text5, Qt::Key_Return);
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(prompter_.asked.size(), 5u);
  TakeStationSetup(*w, state_);
  EXPECT_EQ(state_.prefs.OwnGrid, "FN31");
}

TEST_F(StationSetupTest, CqRoverGetsTheFontTooltipAndAReload) {
  auto w = Open();
  QTest::mouseClick(w->Option7, Qt::LeftButton, {}, QPoint(6, w->Option7->height() / 2));
  QTest::mouseClick(w->Option6, Qt::LeftButton, {}, QPoint(6, w->Option6->height() / 2));
  w->Command1->click();
  StationSetupRefresh r = TakeStationSetup(*w, state_);
  EXPECT_EQ(state_.contest.ContestId, 5);
  EXPECT_EQ(state_.contest.RoverStation, 1);
  EXPECT_EQ(r.list_tooltip, "Click list to reduce font size");
  EXPECT_TRUE(r.reload_log);

  // A fixed station in the same contest reloads but has no tooltip.
  w->Option5->setChecked(true);
  r = TakeStationSetup(*w, state_);
  EXPECT_TRUE(r.list_tooltip.isEmpty());
  EXPECT_TRUE(r.reload_log);
  w->Option3->setChecked(true);
  EXPECT_FALSE(TakeStationSetup(*w, state_).reload_log);
}

TEST_F(StationSetupTest, FailingStepsAreSkippedAlone) {
  auto w = Open();
  // Values as a window closed some other way might hold them.
  w->Text6->setText("x");
  w->Text5->setText("FNX0");
  w->Text2->setText("0");
  w->Text3->setText("41.5");
  w->Text1->setText("W9XYZ");
  TakeStationSetup(*w, state_);
  EXPECT_EQ(state_.prefs.UtcOffsetHours, 4);
  EXPECT_EQ(state_.prefs.OwnCall, "W9XYZ");
  // The grid does not read, so the position stays as entered.
  EXPECT_EQ(state_.prefs.OwnLatitude, 41.5);
  EXPECT_EQ(state_.prefs.OwnLongitude, 0);
}

TEST_F(StationSetupTest, ClosingWithoutDoneKeepsTheProfile) {
  auto w = Open();
  w->Text1->setText("W9XYZ");
  QTest::mouseClick(w->Option3, Qt::LeftButton, {}, QPoint(6, w->Option3->height() / 2));
  // Esc closes it the same way as its close box.
  QTest::keyClick(w.get(), Qt::Key_Escape);
  EXPECT_FALSE(w->isVisible());
  TakeStationSetup(*w, state_);
  EXPECT_EQ(state_.prefs.OwnCall, "K1AB");
  EXPECT_EQ(state_.contest.ContestId, 2);
  EXPECT_EQ(SharedFile(), "");
}

// 14:30 local, 19:30 UTC.
const LocalTime kLocal = MakeLocalTime(2026, 6, 13, 14, 30, 5);
const UtcTime kUtc = UtcTime{MakeLocalTime(2026, 6, 13, 19, 30, 4, 900).time_since_epoch()};

TEST(UtcOffsetCheck, OffersTheClocksDifference) {
  ScriptedPrompter prompter;
  prompter.input_answers.push_back(QString("5"));
  float offset = 4;
  EXPECT_TRUE(UtcOffsetCheck(nullptr, prompter, kUtc, kLocal, offset));
  EXPECT_EQ(offset, 5);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].title, "Update the Local Time / UTC Offset?");
  EXPECT_EQ(prompter.asked[0].initial, "5");
  EXPECT_EQ(prompter.asked[0].text,
            "Would you like to adjust the UTC offset in this program for your local time "
            "setting?\r\n\r\n"
            "Current System Time: 19:30\r\n"
            "Current Local Time: 14:30\r\n\r\n"
            "Recommended Offset Setting: 5\r\n"
            "Current Offset Setting: 4\r\n\r\n"
            "Please click OK to accept the recommended change or Cancel to keep the current "
            "setting.");

  // In agreement: nothing is asked.
  EXPECT_FALSE(UtcOffsetCheck(nullptr, prompter, kUtc, kLocal, offset));
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST(UtcOffsetCheck, OnlyANumericAnswerChangesTheOffset) {
  ScriptedPrompter prompter;
  prompter.input_answers = {std::nullopt, QString(""), QString("five"), QString("1e99"),
                            QString(" 4.5 ")};
  float offset = 4;
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(UtcOffsetCheck(nullptr, prompter, kUtc, kLocal, offset));
    EXPECT_EQ(offset, 4);
  }
  EXPECT_TRUE(UtcOffsetCheck(nullptr, prompter, kUtc, kLocal, offset));
  EXPECT_EQ(offset, 4.5f);
}

TEST(UtcOffsetCheck, RecommendationsInHoursAndFractions) {
  EXPECT_EQ(RecommendedUtcOffset(kUtc, kLocal), 5.0f);
  const UtcTime india = UtcTime{MakeLocalTime(2026, 6, 13, 9, 0).time_since_epoch()};
  EXPECT_EQ(RecommendedUtcOffset(india, MakeLocalTime(2026, 6, 13, 14, 30)), -5.5f);
  const UtcTime nepal = UtcTime{MakeLocalTime(2026, 6, 13, 0, 0).time_since_epoch()};
  EXPECT_EQ(RecommendedUtcOffset(nepal, MakeLocalTime(2026, 6, 13, 5, 45)), -5.75f);
  // Twenty minutes: a third of an hour, to two decimals.
  const UtcTime odd = UtcTime{MakeLocalTime(2026, 6, 13, 12, 20).time_since_epoch()};
  EXPECT_EQ(RecommendedUtcOffset(odd, MakeLocalTime(2026, 6, 13, 12, 0)), 0.33f);
  // Across midnight into the next day.
  const UtcTime late = UtcTime{MakeLocalTime(2026, 6, 14, 1, 0).time_since_epoch()};
  EXPECT_EQ(RecommendedUtcOffset(late, MakeLocalTime(2026, 6, 13, 20, 0)), 5.0f);
}

}  // namespace
}  // namespace vantrel::ui

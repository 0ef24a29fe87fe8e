// The multiplier colour window with a scripted colour dialog.
#include "ui/form6.h"

#include <gtest/gtest.h>
#include <QTimer>

#include <deque>

namespace vantrel::ui {
namespace {

class Form6Test : public ::testing::Test {
 protected:
  Form6Test() {
    screen_.screen = QRect(0, 0, 1280, 960);
    screen_.workArea = QRect(0, 0, 1280, 920);
    prefs_.WorkedColor = 0x0000FF;     // red
    prefs_.RemainingColor = 0xFF0000;  // blue
  }

  ColourDialog Script() {
    return [this](QWidget*, const QColor& initial) -> std::optional<QColor> {
      offered_.push_back(initial);
      if (answers_.empty()) return std::nullopt;
      auto a = answers_.front();
      answers_.pop_front();
      return a;
    };
  }

  ScreenGeometry screen_;
  ProgramPrefs prefs_;
  std::deque<std::optional<QColor>> answers_;
  std::vector<QColor> offered_;
};

TEST_F(Form6Test, SamplesShowBothColours) {
  Form6 w(prefs_, screen_, Script());
  EXPECT_EQ(w.windowTitle(), " Modify Multiplier Color Selections");
  EXPECT_EQ(w.Label1->text(), "Appearance of multiplier worked");
  EXPECT_EQ(w.Label2->text(), "Appearance of multiplier remaining");
  EXPECT_EQ(w.Command3->text(), "Change \"Worked\" Color");
  EXPECT_EQ(w.Command1->text(), "Change \"Remaining\" Color");
  EXPECT_EQ(w.Command6->text(), "Done");
  EXPECT_EQ(TextColour(w.Label1), QColor(255, 0, 0));
  EXPECT_EQ(TextColour(w.Label2), QColor(0, 0, 255));
}

TEST_F(Form6Test, ChosenColoursAreStoredAndCancelKeepsThem) {
  Form6 w(prefs_, screen_, Script());
  answers_ = {QColor(0, 128, 0), std::nullopt, QColor(1, 2, 3)};
  w.Command3->click();
  EXPECT_EQ(prefs_.WorkedColor, 0x008000);
  EXPECT_EQ(TextColour(w.Label1), QColor(0, 128, 0));
  w.Command1->click();  // cancelled
  EXPECT_EQ(prefs_.RemainingColor, 0xFF0000);
  w.Command1->click();
  EXPECT_EQ(prefs_.RemainingColor, 0x030201);
  EXPECT_EQ(TextColour(w.Label2), QColor(1, 2, 3));
  // Each dialog starts from the colour in force.
  ASSERT_EQ(offered_.size(), 3u);
  EXPECT_EQ(offered_[0], QColor(255, 0, 0));
  EXPECT_EQ(offered_[1], QColor(0, 0, 255));
}

TEST_F(Form6Test, DoneEndsTheModalWindow) {
  Form6 w(prefs_, screen_, Script());
  QTimer::singleShot(0, w.Command6, [&w] { w.Command6->click(); });
  EXPECT_EQ(w.exec(), QDialog::Accepted);
  EXPECT_FALSE(w.isVisible());
}

TEST(BgrColours, RoundTrip) {
  EXPECT_EQ(FromBgr(0x00336699), QColor(0x99, 0x66, 0x33));
  EXPECT_EQ(ToBgr(QColor(0x99, 0x66, 0x33)), 0x00336699);
  // The unused top byte is ignored.
  EXPECT_EQ(FromBgr(static_cast<int32_t>(0xFF000000u)), QColor(0, 0, 0));
}

}  // namespace
}  // namespace vantrel::ui

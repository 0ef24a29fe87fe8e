// The activity graph window over logs built in memory, laid out for a
// 1920 x 1080 screen whose work area leaves 40 pixels for a taskbar.
#include "ui/graph_qso.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>
#include <QTest>

#include <cstdio>

namespace vantrel::ui {
namespace {

ContactLog MinuteLog(int count, const char* band = "144 M") {
  ContactLog log;
  for (int i = 0; i < count; ++i) {
    ContactRecord r;
    r.Call = "W" + std::to_string(i) + "AB";
    r.GridRcvd = "FN31";
    r.GridSent = "FN20";
    r.Date = "2007/06/09";
    char time[16];
    std::snprintf(time, sizeof time, "18:%02d:00", i % 60);
    r.Time = time;
    r.Band = band;
    r.Mode = "PH";
    log.Add(r);
  }
  return log;
}

class GraphQSOTest : public ::testing::Test {
 protected:
  GraphQSOTest() {
    screen_.screen = QRect(0, 0, 1920, 1080);
    screen_.workArea = QRect(0, 0, 1920, 1040);
  }
  QColor LineColour(QFrame* line) { return line->palette().color(QPalette::WindowText); }
  QColor TextColour(QLabel* label) { return label->palette().color(QPalette::WindowText); }

  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
};

TEST_F(GraphQSOTest, SixContactsShowTheMessageAndDrawNothing) {
  const ContactLog log = MinuteLog(6);
  GraphQSO w(log, prompter_, screen_);
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].kind, "message");
  EXPECT_EQ(prompter_.asked[0].title, "Not Enough Contacts to Graph.");
  EXPECT_EQ(prompter_.asked[0].text,
            "The graph will not display with less than 7 contacts.  The graph becomes more "
            "meaningful as several hours of contest logging are accumulated.");
  EXPECT_FALSE(w.graph().drawable);
  EXPECT_TRUE(w.drawing().curve.empty());
  EXPECT_EQ(w.lblTime[0]->text(), "00:00");  // the design texts stay
  // The background switch draws again, so it asks again.
  w.Command1_Click();
  EXPECT_EQ(prompter_.asked.size(), 2u);
}

TEST_F(GraphQSOTest, SevenContactsDrawTheGraphAndItsLabels) {
  const ContactLog log = MinuteLog(7);
  GraphQSO w(log, prompter_, screen_);
  EXPECT_TRUE(prompter_.asked.empty());
  ASSERT_TRUE(w.graph().drawable);
  EXPECT_EQ(w.drawing().curve.size(), 1500u);
  EXPECT_EQ(w.lblTime[0]->text(), "18:00");
  EXPECT_EQ(w.lblTime[14]->text(), "18:06");
  EXPECT_EQ(w.lblDate[7]->text(), "06/09");
  EXPECT_EQ(w.lblY[0]->text(), QString::fromStdString(w.graph().y_labels[0]));
  // The top label is the smoothed peak, below the raw 42 of the seventh contact.
  EXPECT_EQ(w.lblY[16]->text(), QString::number(w.graph().maximum, 'f', 1));
  EXPECT_LT(w.graph().maximum, 42.0f);
  w.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
  EXPECT_FALSE(w.grab().isNull());  // paints without trouble
}

TEST_F(GraphQSOTest, WindowAndCurveFollowTheScaledFrame) {
  const ContactLog log = MinuteLog(30);
  GraphQSO w(log, prompter_, screen_);
  EXPECT_EQ(w.windowTitle(), " Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)");
  // Style C: the design share of the work area (3 x 2.1667 here), centred.
  EXPECT_EQ(w.width(), 1896);
  EXPECT_EQ(w.height(), 1011);
  EXPECT_EQ(w.design().applied_window.topLeft(), QPoint(12, 14));
  const double axis_x = w.design().Find(w.Line4)->applied.left();
  const double right_x = w.design().Find(w.Line3)->applied.left();
  EXPECT_DOUBLE_EQ(axis_x, 96);
  EXPECT_DOUBLE_EQ(right_x, 1848);
  EXPECT_NEAR(w.design().Find(w.Line2)->applied.top(), 5880 / 15.0 * 1040 / 480, 1e-9);
  // Position 1 starts one step left of the y axis, nudged by 10 design twips.
  const GraphSegment& first = w.drawing().curve[0];
  EXPECT_NEAR(first.x1, axis_x - (right_x - axis_x) / 1500 + 10.0 * 1896 / 9480, 1e-9);
}

TEST_F(GraphQSOTest, BackgroundSwitchRecoloursTextAndLinesButNotTheLegend) {
  const ContactLog log = MinuteLog(10, "50 M");
  GraphQSO w(log, prompter_, screen_);
  EXPECT_EQ(w.Command1->text(), "Black Background");
  EXPECT_EQ(w.background(), QColor(Qt::black));
  EXPECT_EQ(LineColour(w.gridLines[0]), QColor(128, 128, 128));
  EXPECT_EQ(LineColour(w.Line1), QColor(Qt::white));
  // On black the 50 MHz strip is white.
  EXPECT_EQ(w.StripRgb(w.drawing().strip.front().colour), QColor(Qt::white));

  w.Command1_Click();
  EXPECT_EQ(w.Command1->text(), "White Background");
  EXPECT_EQ(w.background(), QColor(Qt::white));
  EXPECT_EQ(TextColour(w.lblY[3]), QColor(Qt::black));
  EXPECT_EQ(TextColour(w.lblTime[3]), QColor(Qt::black));
  EXPECT_EQ(TextColour(w.lblDate[3]), QColor(Qt::black));
  EXPECT_EQ(TextColour(w.Label1), QColor(Qt::black));
  EXPECT_EQ(LineColour(w.Line9), QColor(Qt::black));
  EXPECT_EQ(LineColour(w.gridLines[14]), QColor(Qt::black));
  EXPECT_EQ(TextColour(w.lblBnd[1]), QColor(0, 0, 255));
  // Still white on white: the 50 MHz strip vanishes on this background.
  EXPECT_EQ(w.StripRgb(w.drawing().strip.front().colour), QColor(Qt::white));
  EXPECT_TRUE(w.graph().drawable);

  w.Command1_Click();
  EXPECT_EQ(w.Command1->text(), "Black Background");
  EXPECT_EQ(TextColour(w.lblY[3]), QColor(Qt::white));
  // Every line control follows the switch, the grid lines included.
  EXPECT_EQ(LineColour(w.gridLines[0]), QColor(Qt::white));
}

TEST_F(GraphQSOTest, HighBandsDrawAYellowStrip) {
  const ContactLog log = MinuteLog(8, "2.3 G");
  GraphQSO w(log, prompter_, screen_);
  ASSERT_FALSE(w.drawing().strip.empty());
  // Boxes just after a plotted stretch carry the background; all others are
  // yellow.
  int yellow = 0;
  for (const GraphStripBox& box : w.drawing().strip) {
    if (box.colour == StripColour::kBackground) continue;
    EXPECT_EQ(w.StripRgb(box.colour), QColor(255, 255, 0));
    ++yellow;
  }
  EXPECT_GT(yellow, 8);
  EXPECT_EQ(w.StripRgb(w.drawing().strip.front().colour), QColor(255, 255, 0));
  EXPECT_EQ(w.lblBnd[6]->text(), "Other");
}

}  // namespace
}  // namespace vantrel::ui

// The band privileges window over band plan files in a scratch working
// folder, laid out for a 1920 x 1080 screen with a 1920 x 1040 work area.
#include "ui/frm_band_plan.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <set>

namespace vantrel::ui {
namespace {

const char kPlan[] =
    "\"2012/03/05\"\r\n"
    "\"20\",\"O\",\"ALL\",14,14.35\r\n"
    "\"20\",\"E\",\"CW\",14,14.15\r\n"
    "\"20\",\"E\",\"PH\",14.15,14.35\r\n"
    "\"6\",\"O\",\"ALL\",50,54\r\n"
    "\"6\",\"T\",\"PH\",52,54\r\n"
    "\"6\",\"E\",\"PH\",50,54\r\n";

class FrmBandPlanTest : public ::testing::Test {
 protected:
  FrmBandPlanTest() {
    screen_.screen = QRect(0, 0, 1920, 1080);
    screen_.workArea = QRect(0, 0, 1920, 1040);
  }
  void Write(const std::string& bytes) {
    std::ofstream(dir_.filePath("BandPlan.txt").toStdString(), std::ios::binary) << bytes;
  }
  std::unique_ptr<frmBandPlan> Open() {
    return std::make_unique<frmBandPlan>(dir_.path().toStdString(), prompter_, screen_);
  }
  static std::vector<QLabel*> Elements(QWidget& w, const QString& prefix) {
    std::vector<QLabel*> out;
    for (QLabel* l : w.findChildren<QLabel*>())
      if (l->objectName().startsWith(prefix)) out.push_back(l);
    return out;
  }
  static QLabel* Element(QWidget& w, const QString& name) { return w.findChild<QLabel*>(name); }

  QTemporaryDir dir_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
};

TEST_F(FrmBandPlanTest, MissingFileShowsTheMessageAndAnEmptyChart) {
  auto w = Open();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Band Data Not Available.");
  EXPECT_EQ(prompter_.asked[0].text, "Band data not available.");
  EXPECT_FALSE(w->data_available());
  EXPECT_TRUE(Elements(*w, "blbl").empty());
  EXPECT_TRUE(Elements(*w, "priv").empty());
  // A class button still works and draws nothing.
  w->classButtons[5]->click();
  EXPECT_EQ(w->Label2->text(), "Extra Frequency Privileges");
  EXPECT_TRUE(Elements(*w, "blbl").empty());
}

TEST_F(FrmBandPlanTest, OpensOverTheWorkAreaOnTheExtraClass) {
  Write(kPlan);
  auto w = Open();
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(w->windowTitle(), "Frequency Privileges");
  EXPECT_EQ(w->design().applied_window, QRect(0, 0, 1920, 1040));
  EXPECT_EQ(w->Label1->text(), "Frequencies Effective: 2012/03/05");
  EXPECT_EQ(w->Label2->text(), "Extra Frequency Privileges");
  EXPECT_EQ(w->Label3->palette().color(QPalette::Window), QColor(0, 0, 255));
  EXPECT_EQ(w->Label4->palette().color(QPalette::Window), QColor(0, 255, 0));
  EXPECT_EQ(w->Label4->text(), "Phone");
  const char* captions[] = {"Novice", "Technician", "Tech +", "General", "Advanced", "Extra"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(w->classButtons[static_cast<size_t>(i)]->text(), captions[i]);
  EXPECT_EQ(Elements(*w, "blbl").size(), 2u);
  EXPECT_EQ(Elements(*w, "bnlb").size(), 2u);
  EXPECT_EQ(Elements(*w, "priv").size(), 3u);
  QLabel* tag = Element(*w, "bnlb2");
  ASSERT_NE(tag, nullptr);
  EXPECT_EQ(tag->text(), "6");
  EXPECT_EQ(tag->toolTip(), "6  50.000 - 54.000");
  EXPECT_EQ(tag->palette().color(QPalette::Window), QColor(255, 255, 0));
  QLabel* cw = Element(*w, "priv1");
  ASSERT_NE(cw, nullptr);
  EXPECT_EQ(cw->text(), "14.000 - 14.150");
  EXPECT_EQ(cw->toolTip(), "CW  14.000 - 14.150");
  EXPECT_EQ(cw->palette().color(QPalette::Window), QColor(0, 0, 255));
  EXPECT_EQ(cw->palette().color(QPalette::WindowText), QColor(255, 255, 255));
  EXPECT_EQ(Element(*w, "priv2")->palette().color(QPalette::Window), QColor(0, 255, 0));
  // Fonts grow with the screen but by 1.5 at most (1920 wide gives 3).
  EXPECT_DOUBLE_EQ(cw->font().pointSizeF(), 7 * 1.5);
  EXPECT_DOUBLE_EQ(tag->font().pointSizeF(), 8 * 1.5);
  EXPECT_TRUE(tag->font().bold());
}

TEST_F(FrmBandPlanTest, SegmentsLineUpWithTheirBars) {
  Write(kPlan);
  auto w = Open();
  // The whole 6 m band covers its bar exactly.
  QLabel* bar = Element(*w, "blbl2");
  QLabel* whole = Element(*w, "priv3");
  ASSERT_TRUE(bar && whole);
  EXPECT_EQ(whole->geometry(), bar->geometry());
  EXPECT_EQ(bar->text(), "6");
  // Bars: 10 % in, 85 % wide, 4 % of the window tall.
  EXPECT_EQ(bar->x(), 192);
  EXPECT_EQ(bar->width(), 1632);
  EXPECT_NEAR(bar->height(), 0.04 * 1040, 1.0);

  // Technician has only the upper half of 6 m: one bar, starting at its centre.
  w->classButtons[1]->click();
  EXPECT_EQ(w->Label2->text(), "Technician Frequency Privileges");
  ASSERT_EQ(Elements(*w, "blbl").size(), 1u);
  QLabel* tbar = Element(*w, "blbl1");
  QLabel* half = Element(*w, "priv1");
  ASSERT_TRUE(tbar && half);
  EXPECT_EQ(tbar->text(), "6");
  EXPECT_EQ(half->x(), tbar->x() + tbar->width() / 2);
  EXPECT_EQ(half->x() + half->width(), tbar->x() + tbar->width());
  // Bars sit below Line1.
  EXPECT_GT(tbar->y(), w->Line1->y());
}

TEST_F(FrmBandPlanTest, PressingAClassTwiceLeavesNoOldElements) {
  Write(kPlan);
  auto w = Open();
  w->classButtons[5]->click();
  w->classButtons[5]->click();
  std::set<QString> names;
  for (const QString prefix : {"blbl", "bnlb", "priv"}) {
    for (QLabel* l : Elements(*w, prefix)) EXPECT_TRUE(names.insert(l->objectName()).second);
  }
  EXPECT_EQ(names.size(), 7u);
  // Novice has no rows: an empty chart under its title.
  w->classButtons[0]->click();
  EXPECT_EQ(w->Label2->text(), "Novice Frequency Privileges");
  EXPECT_TRUE(Elements(*w, "blbl").empty());
  EXPECT_TRUE(Elements(*w, "bnlb").empty());
  EXPECT_TRUE(Elements(*w, "priv").empty());
}

TEST_F(FrmBandPlanTest, TooManyRowsShowTheMessageAndKeepTheFirst200) {
  std::string text = "\"d\"\r\n\"2\",\"O\",\"ALL\",144,148\r\n";
  for (int i = 0; i < 200; ++i) text += "\"2\",\"E\",\"PH\",144,148\r\n";
  Write(text);
  auto w = Open();
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Band Data Not Available.");
  EXPECT_EQ(w->plan().rows.size(), 200u);
  EXPECT_EQ(w->Label1->text(), "Frequencies Effective: d");
  EXPECT_TRUE(Elements(*w, "blbl").empty());  // no chart until a class is chosen
  w->classButtons[5]->click();
  EXPECT_EQ(Elements(*w, "blbl").size(), 1u);
  EXPECT_EQ(Elements(*w, "priv").size(), 199u);
}

TEST_F(FrmBandPlanTest, DoneHidesTheWindow) {
  Write(kPlan);
  auto w = Open();
  w->show();
  ASSERT_TRUE(w->isVisible());
  w->Command7->click();
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST_F(FrmBandPlanTest, ShippedPlanChartsEveryBandForExtra) {
  const std::string shipped = std::string(VANTREL_SHIPPED_DATA_DIR) + "/BandPlan.txt";
  std::ifstream in(shipped, std::ios::binary);
  ASSERT_TRUE(in);
  Write(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  auto w = Open();
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(Elements(*w, "blbl").size(), 16u);
  EXPECT_EQ(Element(*w, "bnlb1")->text(), "160");
  EXPECT_EQ(Element(*w, "bnlb16")->text(), "23cm");
  // The lowest bar stays inside the window.
  QLabel* last = Element(*w, "blbl16");
  EXPECT_LE(last->y() + last->height(), w->height());
}

}  // namespace
}  // namespace vantrel::ui

#include "ui/form_scale.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace vantrel::ui {
namespace {

constexpr double kEps = 1e-9;

ScreenGeometry Screen(int w, int h) {
  return {QRect(0, 0, w, h), QRect(0, 0, w, h)};
}

void ExpectRect(const QRectF& r, double x, double y, double w, double h) {
  EXPECT_NEAR(r.left(), x, kEps);
  EXPECT_NEAR(r.top(), y, kEps);
  EXPECT_NEAR(r.width(), w, kEps);
  EXPECT_NEAR(r.height(), h, kEps);
}

// A small window of every kind the layouts tell apart. In pixels the design
// is 320 x 240; the label sits at 10,20 size 80x20 with an 8-point font.
struct TestForm {
  explicit TestForm(QWidget* window, QWidget* parent, QSize design = {4800, 3600})
      : form(window, design, 8.0) {
    label = new QLabel("Call", parent);
    text = new QLineEdit(parent);
    button = new QPushButton("OK", parent);
    list = new QListWidget(parent);
    tree = new QTreeWidget(parent);
    tree->setColumnCount(3);
    tree->header()->setStretchLastSection(false);
    line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    image = new QLabel(parent);
    combo = new QComboBox(parent);
    check = new QCheckBox("Rover", parent);
    form.Add(label, ControlKind::kLabel, 150, 300, 1200, 300);
    form.Add(text, ControlKind::kTextBox, 1500, 300, 1500, 315, 10.0);
    form.Add(button, ControlKind::kButton, 150, 1500, 1200, 450);
    form.Add(list, ControlKind::kListBox, 3000, 300, 1500, 1500);
    form.AddListView(tree, 150, 2100, 4500, 1200, {1500, 1800, 1200});
    form.AddLine(line, 150, 2025, 4650, 2025);
    form.Add(image, ControlKind::kImage, 3000, 1950, 600, 600);
    form.Add(combo, ControlKind::kComboBox, 1500, 1200, 1500, 315);
    form.Add(check, ControlKind::kCheckBox, 1500, 1500, 1200, 300);
  }
  const DesignControl& Of(const QWidget* w) { return *form.Find(w); }

  DesignForm form;
  QLabel* label;
  QLineEdit* text;
  QPushButton* button;
  QListWidget* list;
  QTreeWidget* tree;
  QFrame* line;
  QLabel* image;
  QComboBox* combo;
  QCheckBox* check;
};

class FormScaleTest : public ::testing::Test {
 protected:
  std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
  TestForm t{window.get(), window.get()};
};

TEST(FormScaleFactors, ScreensAgainstTheDesignScreen) {
  EXPECT_NEAR(FactorsFor({1024, 768}).w, 1.6, kEps);
  EXPECT_NEAR(FactorsFor({1024, 768}).h, 1.6, kEps);
  EXPECT_NEAR(FactorsFor({800, 600}).w, 1.25, kEps);
  EXPECT_NEAR(FactorsFor({1280, 768}).w, 2.0, kEps);
  EXPECT_NEAR(FactorsFor({1280, 768}).h, 1.6, kEps);
  EXPECT_FALSE(ScreenGeometry::Primary().screen.isEmpty());
}

TEST_F(FormScaleTest, StyleAOn1024x768) {
  ScaleFormToScreen(t.form, Screen(1024, 768));
  EXPECT_EQ(window->geometry(), QRect(256, 192, 512, 384));
  EXPECT_NEAR(t.form.applied_window_font, 12.8, kEps);

  ExpectRect(t.Of(t.label).applied, 16, 32, 128, 32);
  EXPECT_EQ(t.label->geometry(), QRect(16, 32, 128, 32));
  EXPECT_NEAR(t.label->font().pointSizeF(), 12.8, 1e-6);
  EXPECT_NEAR(t.Of(t.text).applied_font, 16.0, kEps);
  EXPECT_EQ(t.Of(t.image).applied_font, 0);  // images carry no text
  EXPECT_EQ(t.image->geometry(), QRect(320, 208, 64, 64));

  // The line keeps its end points and is drawn as a 1-pixel strip between them.
  ExpectRect(t.Of(t.line).applied, 16, 216, 496, 216);
  EXPECT_EQ(t.line->geometry(), QRect(16, 216, 480, 1));

  EXPECT_EQ(t.tree->header()->sectionSize(1), 192);

  // A combo box is placed and widened, but its height follows its font.
  EXPECT_EQ(t.combo->geometry().topLeft(), QPoint(160, 128));
  EXPECT_EQ(t.combo->width(), 160);
  EXPECT_EQ(t.combo->height(), t.combo->sizeHint().height());
}

TEST_F(FormScaleTest, StyleAOnAWideScreenTakesTheSmallerFontFactor) {
  ScaleFormToScreen(t.form, Screen(1280, 768));
  EXPECT_EQ(t.form.applied_window, QRect(320, 192, 640, 384));
  EXPECT_NEAR(t.form.applied_window_font, 12.8, kEps);
  ExpectRect(t.Of(t.label).applied, 20, 32, 160, 32);
  EXPECT_NEAR(t.Of(t.label).applied_font, 12.8, kEps);
  EXPECT_NEAR(t.Of(t.text).applied_font, 16.0, kEps);
  EXPECT_EQ(t.tree->header()->sectionSize(0), 200);
}

TEST_F(FormScaleTest, StylesCAndDCapFontGrowthAt1Point5) {
  for (auto style : {ScaleFormScreenCapped,
                     +[](DesignForm&f, const ScreenGeometry&s) { ScaleFormWorkArea(f, s); }}) {
    style(t.form, Screen(1024, 768));
    EXPECT_EQ(t.form.applied_window, QRect(256, 192, 512, 384));
    // The window font follows the window's share of the design screen.
    EXPECT_NEAR(t.form.applied_window_font, 6.4, kEps);
    ExpectRect(t.Of(t.label).applied, 16, 32, 128, 32);
    EXPECT_NEAR(t.Of(t.label).applied_font, 12.0, kEps);
    EXPECT_NEAR(t.Of(t.text).applied_font, 15.0, kEps);
    EXPECT_EQ(t.label->geometry(), QRect(16, 32, 128, 32));
    EXPECT_EQ(t.tree->header()->sectionSize(1), 192);
  }
}

TEST_F(FormScaleTest, EveryStyleScalesBy1Point25On800x600) {
  const ScreenGeometry screen = Screen(800, 600);
  ScaleFormToScreen(t.form, screen);
  EXPECT_NEAR(t.Of(t.label).applied_font, 10.0, kEps);
  ScaleFormWorkArea(t.form, screen);
  EXPECT_NEAR(t.Of(t.label).applied_font, 10.0, kEps);
  ScaleFormScreenCapped(t.form, screen);
  EXPECT_NEAR(t.Of(t.label).applied_font, 10.0, kEps);
  ExpectRect(t.Of(t.label).applied, 12.5, 25, 100, 25);

  TestForm fresh(window.get(), window.get());
  ScaleFormProportional(fresh.form, {800, 600}, kDesignScreenWidth, kDesignScreenHeight, false, 1.0,
                        "Arial");
  EXPECT_NEAR(fresh.Of(fresh.label).applied_font, 10.0, kEps);
  ExpectRect(fresh.Of(fresh.label).applied, 12.5, 25, 100, 25);
}

TEST_F(FormScaleTest, StyleCUsesTheWorkAreaButCapsFontsByTheScreen) {
  const ScreenGeometry screen{QRect(0, 0, 1024, 768), QRect(100, 0, 800, 600)};
  ScaleFormWorkArea(t.form, screen);
  EXPECT_EQ(window->geometry(), QRect(300, 150, 400, 300));
  EXPECT_NEAR(t.form.applied_window_font, 5.0, kEps);
  ExpectRect(t.Of(t.label).applied, 12.5, 25, 100, 25);
  EXPECT_NEAR(t.Of(t.label).applied_font, 12.0, kEps);

  // The band privileges variant fills the work area from its corner.
  ScaleFormWorkArea(t.form, screen, true);
  EXPECT_EQ(t.form.applied_window, QRect(100, 0, 800, 600));
  ExpectRect(t.Of(t.label).applied, 25, 50, 200, 50);
  EXPECT_NEAR(t.Of(t.label).applied_font, 12.0, kEps);
}

TEST_F(FormScaleTest, StyleDLeavesHiddenControlsAtTheirDesign) {
  t.button->hide();
  ScaleFormScreenCapped(t.form, Screen(1024, 768));
  ExpectRect(t.Of(t.button).applied, 10, 100, 80, 30);
  EXPECT_NEAR(t.Of(t.button).applied_font, 8.0, kEps);
  ExpectRect(t.Of(t.label).applied, 16, 32, 128, 32);
}

// Windows designed bigger than the design screen (the spotting window is
// 10080 twips wide) would reach past the real screen and hide their buttons.
TEST(FormScaleFit, StylesAAndDShrinkAWindowThatWouldNotFitTheWorkArea) {
  struct Row {
    QSize design;
    ScreenGeometry screen;
    QRect window;
  };
  const Row rows[] = {
      // Fits: screen factors as always.
      {{4800, 3600}, {QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 960)}, QRect(400, 250, 800, 500)},
      // 1680 wide on a 1600 screen: shrinks to the width, stays centred.
      {{10080, 7020}, {QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 1000)}, QRect(0, 35, 1600, 929)},
      // A taskbar takes 100 pixels: the height decides.
      {{9600, 7200}, {QRect(0, 0, 1600, 1000), QRect(0, 0, 1600, 900)}, QRect(80, 50, 1440, 900)},
  };
  for (const Row& r : rows) {
    for (auto style : {ScaleFormToScreen, ScaleFormScreenCapped}) {
      QWidget window;
      TestForm t(&window, &window, r.design);
      style(t.form, r.screen);
      EXPECT_EQ(t.form.applied_window, r.window) << r.design.width();
      EXPECT_TRUE(r.screen.workArea.contains(QRect(QPoint(), t.form.applied_window.size())));
    }
  }
}

TEST_F(FormScaleTest, StyleBDampsGrowingFontsOnly) {
  ScaleFormProportional(t.form, {1024, 768}, kDesignScreenWidth, kDesignScreenHeight, false, 0.5,
                        "Arial");
  EXPECT_EQ(t.form.applied_window, QRect(256, 192, 512, 384));
  ExpectRect(t.Of(t.label).applied, 16, 32, 128, 32);
  EXPECT_NEAR(t.Of(t.label).applied_font, 8 * 1.3, kEps);
  EXPECT_EQ(t.label->font().family(), "Arial");
  EXPECT_NEAR(t.form.applied_window_font, 8 * 1.3, kEps);

  TestForm shrink(window.get(), window.get());
  ScaleFormProportional(shrink.form, {480, 360}, kDesignScreenWidth, kDesignScreenHeight, false,
                        0.5, "");
  EXPECT_NEAR(shrink.Of(shrink.label).applied_font, 6.0, kEps);
  ExpectRect(shrink.Of(shrink.label).applied, 7.5, 15, 60, 15);

  // Exact: the window takes the target size; the ratios start from the
  // current layout (512 x 384 here), not from the design.
  ScaleFormProportional(t.form, {1024, 768}, kDesignScreenWidth, kDesignScreenHeight, true, 1.0,
                        "");
  EXPECT_EQ(t.form.applied_window, QRect(0, 0, 1024, 768));
  ExpectRect(t.Of(t.label).applied, 32, 64, 256, 64);
  EXPECT_NEAR(t.Of(t.label).applied_font, 8 * 1.3 * 2, kEps);
}

TEST_F(FormScaleTest, RepeatedLayoutsDoNotDriftAndSkipDeletedControls) {
  ScaleFormToScreen(t.form, Screen(1280, 768));
  ScaleFormToScreen(t.form, Screen(1024, 768));
  ScaleFormToScreen(t.form, Screen(1024, 768));
  EXPECT_EQ(t.label->geometry(), QRect(16, 32, 128, 32));

  delete t.text;
  ScaleFormScreenCapped(t.form, Screen(800, 600));
  EXPECT_NEAR(t.form.controls()[1].applied_font, 12.5, kEps);
  EXPECT_EQ(t.label->geometry(), QRect(13, 25, 100, 25));
}

// The main window lays its controls out inside the central widget; check
// boxes and combo boxes are not scaled until the full-size layout.
class MainLayoutTest : public ::testing::Test {
 protected:
  MainLayoutTest() {
    main->menuBar()->addMenu("&File");
    main->setCentralWidget(central);
  }
  std::unique_ptr<QMainWindow> main = std::make_unique<QMainWindow>();
  QWidget* central = new QWidget;
  TestForm t{main.get(), central, {9600, 7200}};
};

TEST_F(MainLayoutTest, CreationFillsTheScreen) {
  LayoutMainAtCreation(t.form, {QRect(1920, 0, 1280, 768), QRect(1920, 0, 1280, 728)});
  EXPECT_EQ(main->geometry(), QRect(1920, 0, 1280, 768));
  EXPECT_NEAR(t.form.applied_window_font, 12.8, kEps);
  EXPECT_EQ(t.label->geometry(), QRect(20, 32, 160, 32));
  EXPECT_NEAR(t.Of(t.label).applied_font, 12.8, kEps);
  ExpectRect(t.Of(t.line).applied, 20, 216, 620, 216);
  EXPECT_EQ(t.tree->header()->sectionSize(0), 200);
  ExpectRect(t.Of(t.check).applied, 100, 100, 80, 20);
  EXPECT_NEAR(t.Of(t.check).applied_font, 8.0, kEps);
}

TEST_F(MainLayoutTest, PercentShrinksTheCreationLayoutAndCentres) {
  const ScreenGeometry screen = Screen(1024, 768);
  LayoutMainAtCreation(t.form, screen);
  for (int i = 0; i < 2; ++i) {  // repeating it must not compound
    LayoutMainPercent(t.form, screen, 90);
    EXPECT_EQ(main->geometry(), QRect(51, 38, 922, 691));
    EXPECT_NEAR(t.form.applied_window_font, 12.8 * 0.9, kEps);
    ExpectRect(t.Of(t.label).applied, 14.4, 28.8, 115.2, 28.8);
    EXPECT_NEAR(t.Of(t.label).applied_font, 12.8 * 0.9, kEps);
    EXPECT_NEAR(t.Of(t.line).applied.width(), 496 * 0.9, kEps);
    EXPECT_EQ(t.tree->header()->sectionSize(0), 144);
    ExpectRect(t.Of(t.check).applied, 100, 100, 80, 20);
    EXPECT_NEAR(t.Of(t.check).applied_font, 8.0, kEps);
  }
  LayoutMainPercent(t.form, screen, 10);  // below the floor: 30 %
  EXPECT_EQ(t.form.applied_window.size(), QSize(307, 230));
}

TEST_F(MainLayoutTest, FullSizeFollowsTheTaskbarOption) {
  const ScreenGeometry screen{QRect(0, 0, 1024, 768), QRect(64, 0, 960, 728)};
  LayoutMainAtCreation(t.form, screen);
  LayoutMainFull(t.form, screen, true);
  EXPECT_EQ(main->geometry(), QRect(64, 0, 960, 728));
  ExpectRect(t.Of(t.label).applied, 15, 32.0 * 728 / 768, 120, 32.0 * 728 / 768);
  EXPECT_NEAR(t.Of(t.label).applied_font, 12.8, kEps);  // fonts stay as created
  EXPECT_EQ(t.label->geometry(), QRect(15, 30, 120, 30));
  ExpectRect(t.Of(t.check).applied, 93.75, 100.0 * 728 / 768, 75, 20.0 * 728 / 768);
  EXPECT_EQ(t.tree->header()->sectionSize(0), 150);

  LayoutMainFull(t.form, screen, false);
  EXPECT_EQ(t.form.applied_window, QRect(0, 0, 1024, 768));
  ExpectRect(t.Of(t.label).applied, 16, 32, 128, 32);
  ExpectRect(t.Of(t.check).applied, 100, 100, 80, 20);
  EXPECT_TRUE(main->updatesEnabled());
}

// The spot area's tenth of the height stays the area's through later
// layouts, and closing it gives every control back its place.
TEST_F(MainLayoutTest, SpotAreaShareHoldsThroughLayoutsAndComesBack) {
  const ScreenGeometry screen = Screen(1024, 768);
  LayoutMainAtCreation(t.form, screen);
  SetMainVerticalShare(t.form, 0.9);
  ExpectRect(t.Of(t.label).applied, 16, 28.8, 128, 28.8);
  EXPECT_NEAR(t.Of(t.line).applied.top(), 216 * 0.9, kEps);
  EXPECT_NEAR(t.Of(t.line).applied.height(), 216 * 0.9, kEps);  // both ends
  ExpectRect(t.Of(t.check).applied, 100, 100, 80, 20);          // not one of the kinds
  LayoutMainPercent(t.form, screen, 90);
  ExpectRect(t.Of(t.label).applied, 14.4, 28.8 * 0.9, 115.2, 28.8 * 0.9);
  const QRect area = MainSpotArea(t.form, QSize(1000, 700));
  EXPECT_EQ(area.left(), 10);
  EXPECT_EQ(area.width(), 970);
  EXPECT_EQ(area.bottom(), 699);
  EXPECT_GE(area.top(), t.Of(t.line).applied.top());
  SetMainVerticalShare(t.form, 1.0);
  ExpectRect(t.Of(t.label).applied, 14.4, 28.8, 115.2, 28.8);
  EXPECT_EQ(t.label->geometry(), QRect(14, 29, 115, 29));
}

TEST(FormSizePercent, ParsesClampsAndRounds) {
  const struct {
    const char* answer;
    int expected;
  } numeric[] = {{"120", 100}, {"10", 30}, {"90.4", 90}, {" 95 ", 95}, {"90.5", 91},
                 {"+75", 75},  {"-5", 30}, {"1e2", 100}, {".5", 30},   {"100.4", 100}};
  for (const auto& c : numeric) {
    int percent = 0;
    EXPECT_TRUE(ParseFormSizePercent(c.answer, percent)) << c.answer;
    EXPECT_EQ(percent, c.expected) << c.answer;
  }
  for (const char* answer : {"abc", "", "   ", "9O", "90%", "1.2.3", ".", "-", "1e999", "nan"}) {
    int percent = 77;
    EXPECT_FALSE(ParseFormSizePercent(answer, percent)) << answer;
    EXPECT_EQ(percent, 77) << answer;
  }
}

}  // namespace
}  // namespace vantrel::ui

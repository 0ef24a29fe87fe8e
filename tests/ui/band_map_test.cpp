// The spot area of the main window and the spectrum map, fed through the
// real spot intake: where a spot lands, what the mouse and keys do with it,
// and the radio it tunes on a pseudo-terminal.
#include <QTimer>
#include <cstdlib>

#include "form1_fixture.h"
#include "spots/cluster_lines.h"
#include "support/fake_radio.h"
#include "support/pty_radio.h"
#include "ui/all_bands_map.h"
#include "ui/form1_band_map.h"
#include "ui/form1_spots.h"
#include "ui/rig_controlfrm.h"
#include "ui/spot_window_fixture.h"

namespace vantrel::ui {
namespace {

class BandMapTest : public Form1Fixture {
 protected:
  void TearDown() override {
    form_.reset();  // before the radio goes
    unsetenv("VANTREL_COM3");
  }

  Form1BandMap& Map() { return form_->band_map(); }
  void StartWithMap() {
    Start();
    Map().PacketResize(true, false);
    QApplication::processEvents();
  }
  void Spot(const char* call, const char* khz) {
    form_->spots().SpotLine(ClusterLine("W3LPL", khz, call, "FN42 559"));
  }
  QLabel* Label(size_t slot) { return Map().lblDXSpot[slot]; }
  std::vector<size_t> Shown() {
    std::vector<size_t> shown;
    for (size_t i = 0; i < SpotStore::kSlots; ++i)
      if (!Label(i)->isHidden()) shown.push_back(i);
    return shown;
  }
  QStringList Captions() {
    QStringList c;
    for (QLabel* l : Map().lblFreqSpot) c << l->text();
    return c;
  }
  // Where the label of a spot must sit, by the geometry the map is built on.
  LabelPlace Expected(double mhz, ScaleRange scale, QLabel* l) {
    const QRect line = Map().LineDX->geometry();
    const Axis axis{line.left(), line.right() + 1, line.top()};
    return SpotLabelPlace(mhz, scale, axis, l->width(), l->height(),
                          static_cast<int>(0.004 * form_->height() + 0.5));
  }
};

TEST_F(BandMapTest, TheAreaTakesTheBottomOfTheWindowAndGivesItBack) {
  Start();
  const QRect call_before = form_->txtCall->geometry();
  const QRect list_before = form_->ListView1->geometry();
  Map().PacketResize(true, false);
  EXPECT_TRUE(Map().lblDX->isVisible());
  EXPECT_FALSE(form_->spots().txtDX->isVisible());
  const QRect area = Map().lblDX->geometry();
  EXPECT_EQ(area.bottom(), form_->client()->height() - 1);
  EXPECT_GE(area.top(), form_->ListView1->geometry().bottom());
  EXPECT_NEAR(form_->txtCall->geometry().height(), call_before.height() * 0.9, 1);
  EXPECT_NEAR(area.left(), form_->client()->width() * 0.01, 1);

  Map().PacketResize(true, true);  // list mode
  EXPECT_TRUE(form_->spots().txtDX->isVisible());
  EXPECT_FALSE(Map().lblDX->isVisible());
  EXPECT_EQ(form_->spots().txtDX->geometry(), area);

  Map().PacketResize(false, true);  // source "None"
  EXPECT_FALSE(form_->spots().txtDX->isVisible());
  EXPECT_FALSE(Map().lblDX->isVisible());
  EXPECT_EQ(form_->txtCall->geometry(), call_before);
  EXPECT_EQ(form_->ListView1->geometry(), list_before);
}

TEST_F(BandMapTest, AStoredSpotShowsAtItsFrequencyWithItsLabelTipAndColour) {
  StartWithMap();  // 144 M
  Spot("K1ABCD", "144200.0");
  Spot("W2XYZ", "50125.0");  // another band: stays in the store only
  EXPECT_EQ(Shown(), std::vector<size_t>{48});
  EXPECT_EQ(Captions().join(" "), "144.000 145.000 146.000 147.000 148.000");
  QLabel* l = Label(48);
  EXPECT_EQ(l->text(), "K1");
  EXPECT_EQ(l->toolTip(), "K1ABCD  144.200  01:30:00");  // local 20:30, UTC offset 5
  const LabelPlace at = Expected(144.2f, {144, 148}, l);
  EXPECT_EQ(l->pos(), QPoint(at.left, at.top));
  EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(255, 255, 128));
  EXPECT_EQ(form_->spots().txtDX->topLevelItemCount(), 2);

  // A second spot zooms the scale to both, a kilohertz beyond each.
  Spot("N3EF", "144300.0");
  EXPECT_EQ(Captions().front(), "144.199");
  EXPECT_EQ(Captions().back(), "144.301");
  EXPECT_EQ(Label(49)->pos().x(), Expected(144.3f, {144.199, 144.301}, Label(49)).left);

  // Ages: 20 minutes white, 59 grey, 61 gone with everything older.
  clock_.Set(clock_.Now() + std::chrono::minutes(20));
  Map().DisplayBandMapLabels();
  EXPECT_EQ(Label(49)->palette().color(QPalette::WindowText), QColor(Qt::white));
  clock_.Set(clock_.Now() + std::chrono::minutes(39));
  Map().DisplayBandMapLabels();
  EXPECT_EQ(Label(49)->palette().color(QPalette::WindowText), QColor(192, 192, 192));
  clock_.Set(clock_.Now() + std::chrono::minutes(2));
  Spot("K4GH", "144250.0");
  EXPECT_EQ(Shown(), std::vector<size_t>{49});

  // The mouse over a label shows its tip; a left click removes it for good.
  MoveMouseOver(Label(49));
  EXPECT_EQ(form_->lblDupe->text(), Label(49)->toolTip());
  QTest::mouseClick(Label(49), Qt::LeftButton);
  EXPECT_TRUE(Shown().empty());
  Map().DisplayBandMapLabels();
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BandMapTest, ABandChangeRedrawsForTheNewBand) {
  StartWithMap();
  Spot("K1ABCD", "144200.0");
  Spot("W2XYZ", "50125.0");
  EXPECT_EQ(Shown(), std::vector<size_t>{48});
  form_->SelectBand(1);  // 50 M
  EXPECT_EQ(Shown(), std::vector<size_t>{49});
  EXPECT_EQ(Captions().join(" "), "50.000 51.000 52.000 53.000 54.000");
  EXPECT_EQ(Label(49)->text(), "W2");
}

TEST_F(BandMapTest, RightClickTakesTheCallAndTunesTheRadioToTheExactHertz) {
  auto radio = MakeFakeRadio("Kenwood");
  radio->dial.hz = 50125000;
  PtyRadio pty(*radio);
  ASSERT_TRUE(pty.Plugged());
  rig_type_ = "Kenwood";
  StartWithMap();
  prompter_.asked.clear();
  setenv("VANTREL_COM3", pty.Path().c_str(), 1);
  RigControlfrm& w = form_->RigWindow();
  w.show();
  w.List1->setCurrentItem(w.List1->findItems("Kenwood", Qt::MatchExactly).front());
  w.optComm[2]->click();
  w.optPollFast->click();
  w.Command1->click();
  ASSERT_TRUE(w.Polling());
  form_->SelectBand(10);  // 10 G
  Spot("W5LUA", "10368100.0");
  ASSERT_FALSE(Label(49)->isHidden());

  form_->txtCall->setFocus();
  QTest::mouseClick(Label(49), Qt::RightButton);
  EXPECT_EQ(form_->txtCall->text(), "W5LUA");
  EXPECT_NE(Focus(), form_->txtCall);  // the Tab moved on
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return radio->dial.hz == 10368100000 && !w.Tuning() && w.Polling(); }, 5000))
      << radio->dial.hz;
  EXPECT_FALSE(Label(49)->isHidden());  // taking a spot keeps it on the map
}

TEST_F(BandMapTest, KeysAndTheListReachSpotsWithoutTheMap) {
  StartWithMap();
  Spot("K1ABCD", "144300.0");
  Spot("W2XYZ", "144200.0");
  Spot("N3EF", "50125.0");
  // Alt+Period from the bottom of the band: the lowest spot, then the next
  // up; Alt+Comma back down.
  form_->txtCall->setFocus();
  QTest::keyClick(Focus(), Qt::Key_Period, Qt::AltModifier);
  EXPECT_EQ(form_->txtCall->text(), "W2XYZ");
  EXPECT_EQ(form_->lblDupe->text(), Label(48)->toolTip());
  form_->txtCall->clear();
  form_->txtCall->setFocus();
  QTest::keyClick(Focus(), Qt::Key_Period, Qt::AltModifier);
  EXPECT_EQ(form_->txtCall->text(), "K1ABCD");
  form_->txtCall->clear();
  form_->txtCall->setFocus();
  QTest::keyClick(Focus(), Qt::Key_Comma, Qt::AltModifier);
  EXPECT_EQ(form_->txtCall->text(), "W2XYZ");

  // The list: a click takes the row's call; no radio, so nothing is tuned.
  Map().PacketResize(true, true);
  QTreeWidget* list = form_->spots().txtDX;
  form_->txtCall->clear();
  QTreeWidgetItem* row = list->topLevelItem(2);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(row).center());
  EXPECT_EQ(form_->txtCall->text(), "K1ABCD");
  EXPECT_EQ(Focus(), form_->txtCall);
}

TEST_F(BandMapTest, SpectrumMapShowsSpotsOnSeveralBandsAndRightClickTakesOne) {
  StartWithMap();
  Spot("K1ABCD", "14025.0");
  Spot("W2XYZ", "14200.0");
  Spot("N3EF", "7100.0");
  Spot("K4GH", "432100.0");  // on no strip
  Spot("VE3AB", "50125.0");
  bool checked = false;
  QTimer::singleShot(0, [&] {
    SpectrumMap* map = Map().spectrum_map();
    ASSERT_NE(map, nullptr);
    checked = true;
    std::vector<size_t> shown;
    for (size_t i = 0; i < SpotStore::kSlots; ++i)
      if (!map->lblDXSpot[i]->isHidden()) shown.push_back(i);
    EXPECT_EQ(shown, (std::vector<size_t>{45, 46, 47, 49}));
    // Each label sits on its own strip's axis.
    const auto on_axis = [&](size_t slot, size_t strip) {
      const QLabel* l = map->lblDXSpot[slot];
      return std::abs(l->geometry().bottom() + 1 - map->lineHF[strip]->geometry().center().y()) <=
             1;
    };
    EXPECT_TRUE(on_axis(45, 4));
    EXPECT_TRUE(on_axis(46, 4));
    EXPECT_TRUE(on_axis(47, 2));
    EXPECT_TRUE(on_axis(49, 9));
    EXPECT_EQ(map->lblFreqSpot[20]->text(), "14.024");
    EXPECT_EQ(map->lblFreqSpot[24]->text(), "14.201");
    EXPECT_EQ(map->lblFreqSpot[10]->text(), "7.000");
    // Left dismisses; a spot stored while the map is open shows at once
    // (and moves every older one down a slot); right takes the call and
    // closes the window.
    QTest::mouseClick(map->lblDXSpot[45], Qt::LeftButton);
    EXPECT_TRUE(map->lblDXSpot[45]->isHidden());
    Spot("W9ZZ", "28400.0");
    EXPECT_FALSE(map->lblDXSpot[49]->isHidden());
    EXPECT_TRUE(map->lblDXSpot[44]->isHidden());
    QTest::mouseClick(map->lblDXSpot[46], Qt::RightButton);
  });
  form_->txtCall->setFocus();
  QTest::keyClick(Focus(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_TRUE(checked);
  EXPECT_EQ(Map().spectrum_map(), nullptr);
  EXPECT_EQ(form_->txtCall->text(), "N3EF");
  EXPECT_EQ(form_->spots().book().store()[44].frequency, 0.0f);  // gone from both maps
}

// Without a pointer: Tab reaches each shown spot (named by call and
// frequency), Delete removes the one with the focus, Enter takes one.
TEST_F(BandMapTest, SpectrumMapIsWorkedFromTheKeyboard) {
  StartWithMap();
  Spot("K1ABCD", "14025.0");
  Spot("N3EF", "7100.0");
  Spot("VE3AB", "50125.0");
  bool checked = false;
  QTimer::singleShot(0, [&] {
    SpectrumMap* map = Map().spectrum_map();
    ASSERT_NE(map, nullptr);
    checked = true;
    QApplication::setActiveWindow(map);
    map->setFocus();
    QStringList names;
    QWidget* first = nullptr;
    for (int i = 0; i < 8; ++i) {
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : map, Qt::Key_Tab);
      QWidget* at = QApplication::focusWidget();
      if (!at || at == first) break;
      if (!first) first = at;
      names << at->accessibleName();
    }
    names.sort();
    EXPECT_EQ(names.join("|").toStdString(), "K1ABCD 14.025 MHz|N3EF 7.100 MHz|VE3AB 50.125 MHz");
    // Delete on K1ABCD's label removes it from the store and the map.
    QLabel* k1 = map->lblDXSpot[47];
    k1->setFocus();
    QTest::keyClick(k1, Qt::Key_Delete);
    EXPECT_TRUE(k1->isHidden());
    EXPECT_EQ(form_->spots().book().store()[47].frequency, 0.0f);
    // Enter on N3EF's label takes it and closes the map.
    map->lblDXSpot[48]->setFocus();
    QTest::keyClick(map->lblDXSpot[48], Qt::Key_Return);
  });
  form_->txtCall->setFocus();
  QTest::keyClick(Focus(), Qt::Key_B, Qt::ControlModifier);
  EXPECT_TRUE(checked);
  EXPECT_EQ(Map().spectrum_map(), nullptr);
  EXPECT_EQ(form_->txtCall->text(), "N3EF");
}

using SpotAreaLayoutTest = SpotWindowTest;

// Done lays the area out for the source and the display choice; a stored
// source opens it at the next start.
TEST_F(SpotAreaLayoutTest, DoneOpensSwitchesAndClosesTheAreaAndStartUpOpensIt) {
  PacketSpotfrm& w = Open();
  Form1BandMap& map = form_->band_map();
  EXPECT_FALSE(map.AreaOpen());
  Choose(w, "Telnet");
  w.txtTelnetHost->setText("dxc.example.net");
  w.txtTelnetPort->setText("7300");
  w.OptBand->click();
  w.cmdDone_Click();
  EXPECT_TRUE(map.lblDX->isVisible());
  w.show();
  w.OptList->click();
  w.cmdDone_Click();
  EXPECT_FALSE(map.lblDX->isVisible());
  EXPECT_TRUE(form_->spots().txtDX->isVisible());

  const std::string saved = Read("PackSpot.txt");
  form_.reset();
  Write("PackSpot.txt", saved);
  Start();
  EXPECT_TRUE(form_->band_map().AreaOpen());
  EXPECT_TRUE(form_->spots().txtDX->isVisible());

  PacketSpotfrm& again = form_->spots().Window();
  again.show();
  Choose(again, "None");
  again.cmdDone_Click();
  EXPECT_FALSE(form_->band_map().AreaOpen());
  EXPECT_FALSE(form_->spots().txtDX->isVisible());
}

}  // namespace
}  // namespace vantrel::ui

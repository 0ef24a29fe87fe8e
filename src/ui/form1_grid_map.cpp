#include "ui/form1_grid_map.h"

#include <algorithm>

#include "contest/bands.h"
#include "ui/form1.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

// The colour says worked or not; the description says it to a screen reader.
void MarkSquare(QLabel* square, const QColor& colour, bool worked) {
  SetTextColour(square, colour);
  square->setAccessibleDescription(worked ? "Worked on this band" : "Not worked on this band");
}

}  // namespace

Form1GridMap::Form1GridMap(Form1& form) : QObject(&form), f_(form) {
  setObjectName("Form1GridMap");
  // 15 rows of 11 squares around the own square, where the band view is.
  for (int i = 0; i < kGridLabelCount; ++i) {
    const int row = i / kGridMapColumns, col = i % kGridMapColumns;
    QLabel* g = f_.AddLabel("lblGrid", Latin1(kGridMapDesignCaption), 120 + col * 294,
                            2520 + row * 276, 290, 270, 6.0);
    g->setObjectName(QString("lblGrid_%1").arg(i));
    g->setAlignment(Qt::AlignCenter);
    g->setVisible(false);
    g->setMouseTracking(true);
    g->setCursor(Qt::PointingHandCursor);
    f_.lblGrid[static_cast<size_t>(i)] = g;
  }

  // The view switch and the arrows, right of the contact list's buttons.
  f_.Command2 = f_.AddButton("Command2", Latin1(kViewGridsCaption), 7740, 2160, 900, 300);
  f_.Command3 = f_.AddButton("Command3", QString::fromUtf8("\u2191"), 8700, 2160, 195, 300);
  f_.Command4 = f_.AddButton("Command4", QString::fromUtf8("\u2193"), 8895, 2160, 195, 300);
  f_.Command5 = f_.AddButton("Command5", QString::fromUtf8("\u2190"), 9090, 2160, 195, 300);
  f_.Command6 = f_.AddButton("Command6", QString::fromUtf8("\u2192"), 9285, 2160, 195, 300);
  f_.Command3->setToolTip("Move the map north");
  f_.Command4->setToolTip("Move the map south");
  f_.Command5->setToolTip("Move the map west");
  f_.Command6->setToolTip("Move the map east");
  for (QPushButton* b : {f_.Command3, f_.Command4, f_.Command5, f_.Command6}) b->setVisible(false);

  connect(f_.Command2, &QPushButton::clicked, &f_, &Form1::Command2_Click);
  connect(f_.Command3, &QPushButton::clicked, this, [this] { Shift(&GridMap::ShiftNorth); });
  connect(f_.Command4, &QPushButton::clicked, this, [this] { Shift(&GridMap::ShiftSouth); });
  connect(f_.Command5, &QPushButton::clicked, this, [this] { Shift(&GridMap::ShiftWest); });
  connect(f_.Command6, &QPushButton::clicked, this, [this] { Shift(&GridMap::ShiftEast); });
}

void Form1GridMap::ResetColours() {
  const QColor remaining = FromBgr(f_.state().prefs.RemainingColor);
  for (QLabel* g : f_.lblGrid) MarkSquare(g, remaining, false);
}

void Form1GridMap::ColorChange(const std::string& grid) {
  const int i = map_.LabelOf(grid);
  if (i >= 0)
    MarkSquare(f_.lblGrid[static_cast<size_t>(i)], FromBgr(f_.state().prefs.WorkedColor), true);
}

void Form1GridMap::ShowWorkedGrids() {
  const RunState& state = f_.state();
  const QColor worked = FromBgr(state.prefs.WorkedColor);
  for (int i : map_.WorkedLabels(f_.tallies(), BandIndex(state.contest.CurrentBand)))
    MarkSquare(f_.lblGrid[static_cast<size_t>(i)], worked, true);
}

void Form1GridMap::GridFill() {
  const ProgramPrefs& prefs = f_.state().prefs;
  if (!map_.Fill(prefs.OwnLatitude, prefs.OwnLongitude)) return;
  const GridMapTexts& texts = map_.texts();
  for (size_t i = 0; i < f_.lblGrid.size(); ++i) f_.lblGrid[i]->setText(Latin1(texts[i]));
}

void Form1GridMap::Repaint() {
  GridFill();
  ResetColours();
  ShowWorkedGrids();
}

void Form1GridMap::Shift(void (GridMap::*shift)()) {
  (map_.*shift)();
  Repaint();
  f_.txtCall->setFocus();
}

void Form1GridMap::ShowMap(bool shown) {
  f_.Command2->setText(Latin1(shown ? kViewBandsCaption : kViewGridsCaption));
  for (QLabel* g : f_.lblGrid) g->setVisible(shown);
  for (QPushButton* b : {f_.Command3, f_.Command4, f_.Command5, f_.Command6}) b->setVisible(shown);
}

int Form1GridMap::SquareOf(const QWidget* widget) const {
  const auto it = std::find(f_.lblGrid.begin(), f_.lblGrid.end(), widget);
  return it == f_.lblGrid.end() ? -1 : static_cast<int>(it - f_.lblGrid.begin());
}

bool Form1GridMap::PointerOver(const QWidget* widget) {
  const int square = SquareOf(widget);
  if (square < 0) return false;
  QString text =
      Latin1(GridCountsText(f_.state().log, Std(f_.lblGrid[static_cast<size_t>(square)]->text())));
  text.replace("\r\n", "\n");
  f_.lblDupe->setText(text);
  return true;
}

bool Form1GridMap::SquareClicked(const QWidget* widget) {
  const int square = SquareOf(widget);
  if (square < 0) return false;
  f_.txtSec->setText(f_.lblGrid[static_cast<size_t>(square)]->text());
  return true;
}

}  // namespace vantrel::ui

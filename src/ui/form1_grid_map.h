// The grid map of the main window: 165 squares (lblGrid) around the own
// square in the place of the band view, the view switch (Command2) and the
// four arrows (Command3..Command6) that move the map.
//
// Responsibilities: place those controls (under Form1's established names);
// paint the squares from the core GridMap (GridFill), in the remaining colour
// or, for squares worked on the current band, the worked colour (ColorChange,
// ShowWorkedGrids); show a square's contact counts while the pointer rests on
// it and enter its locator when it is clicked.
// Collaborations: Form1 (its public controls, run state, tallies and the
// view switch it coordinates with the band view), contest/grid_map.
#pragma once

#include <QObject>
#include <string>

#include "contest/grid_map.h"

class QWidget;

namespace vantrel::ui {

class Form1;

class Form1GridMap : public QObject {
  Q_OBJECT

 public:
  // Places the squares, the view switch and the arrows on the window.
  explicit Form1GridMap(Form1& form);

  const GridMap& map() const { return map_; }

  // The squares in the remaining colour.
  void ResetColours();
  // The square of a newly worked `grid` in the worked colour.
  void ColorChange(const std::string& grid);
  // Every square worked on the current band in the worked colour.
  void ShowWorkedGrids();
  // The squares' locators from the own position; unchanged without one.
  void GridFill();
  // After a change of station or colours: refilled and repainted.
  void Repaint();

  // The map and its arrows show, or the band view does and they hide.
  void ShowMap(bool shown);

  // The pointer rests on `widget`: a square shows its counts. True when it
  // was a square.
  bool PointerOver(const QWidget* widget);
  // A left click on `widget`: a square enters its locator as the grid.
  bool SquareClicked(const QWidget* widget);

 private:
  void Shift(void (GridMap::*shift)());
  int SquareOf(const QWidget* widget) const;

  Form1& f_;
  GridMap map_;
};

}  // namespace vantrel::ui

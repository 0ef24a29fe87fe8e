// The score side of the main window: the score and rate labels, the own
// station line, the band view (the ten multiplier lists List1..List10 and the
// band table with its count labels), the "New" mark and the bearing and
// distance of the typed grid.
//
// Responsibilities: place those controls (under Form1's established names);
// show the tallies' texts (Labeldisplay), the rates once a minute (Timer1,
// TimeStats) and the multiplier lists after a recount; answer a click on a
// band label or on a rover's list.
// Collaborations: Form1 (its public controls, run state, clock, tallies,
// and the band selection and log reload a click leads to), contest/tallies,
// contest/grid_math.
#pragma once

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace vantrel::ui {

class Form1;

class Form1ScorePanel : public QObject {
  Q_OBJECT

 public:
  // Places the score labels and the band view on the window.
  explicit Form1ScorePanel(Form1& form);

  // The tallies' texts on the score labels and the band count labels.
  void Labeldisplay();
  // The contact rates of the last 20 and 60 minutes.
  void TimeStats();
  // After a recount: every multiplier list refilled, then rates and score.
  void ShowTallies();
  // A contact logged a new multiplier on `band` (1..10).
  void AddMultiplier(int band, const QString& key);

  // The grid field changed: the "New" mark, and bearing and distance from
  // two characters on.
  void GridTextChanged();
  void UpdateNewIndicator();
  void ShowBearingDistance();

  // The band labels in navy, the highlighted band's (1..10) in maroon.
  void PaintBandLabels(int highlighted_band);
  // The band view shows while the grid map does not.
  void ShowBandView(bool shown);
  // The station as set up: own call and grid, the first two lists' tip.
  void ShowStation(const QString& call, const QString& grid, const QString& list_tooltip);

  // A left click on `widget`: List1 or List2 (or their contents) shrink a
  // rover's list font and answer true; the click still goes on to the list.
  bool ListClicked(QWidget* widget);
  // The band (1..10) whose name or count label `widget` is, else 0.
  int BandOfLabel(const QWidget* widget) const;

 private:
  void ReduceRoverListFont(int list_index);

  Form1& f_;
};

}  // namespace vantrel::ui

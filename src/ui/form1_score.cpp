// Form1's score, rates, grid map and station setup: the window side of the
// tallies, the grid arithmetic and the setup window.
#include <QMouseEvent>

#include "contest/grid_math.h"
#include "ui/form1.h"
#include "ui/utc_offset_check.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

void Form1::RecountTallies() {
  // mnuopen2 has already rebuilt tallies_ from the log it loaded.
  for (size_t i = 0; i < gridLists.size(); ++i) {
    QListWidget* list = gridLists[i];
    list->clear();
    const BandTally* band = tallies_.Band(static_cast<int>(i) + 1);
    if (!band) continue;
    QStringList keys;
    keys.reserve(band->MultiplierCount());
    for (const std::string& key : band->Multipliers.keys()) keys << Latin1(key);
    list->addItems(keys);
  }
  TimeStats();
  Labeldisplay();
  ShowWorkedGrids();
}

void Form1::Labeldisplay() {
  const auto texts =
      vantrel::Labeldisplay(tallies_, state_.contest.ContestId, state_.contest.RoverStation);
  if (!texts) return;
  lblTotCon->setText(Latin1(texts->TotCon));
  lblTotSec->setText(Latin1(texts->TotSec));
  lblsectogo->setText(Latin1(texts->sectogo));
  lblTotScore->setText(Latin1(texts->TotScore));
  for (size_t i = 0; i < bandCountLabels.size(); ++i)
    bandCountLabels[i]->setText(Latin1(texts->band_counts[i]));
}

void Form1::TimeStats() {
  const auto rates = vantrel::TimeStats(state_.log, UtcNow(*clock_, state_.prefs.UtcOffsetHours));
  if (!rates) return;
  lblAQSO20->setText(Latin1(rates->AQSO20));
  lblAQSO60->setText(Latin1(rates->AQSO60));
}

void Form1::UpdateNewIndicator() {
  Label3->setVisible(IsNewMultiplier(tallies_, Std(txtSec->text()), state_.contest.CurrentBand,
                                     state_.contest.ContestId, state_.contest.RoverStation,
                                     state_.prefs.OwnGrid));
}

void Form1::ShowBearingDistance() {
  const auto texts = vantrel::ShowBearingDistance(Std(txtSec->text()), state_.prefs.OwnLatitude,
                                                  state_.prefs.OwnLongitude);
  if (!texts) return;
  Label23->setText(Latin1(texts->bearing));
  Label24->setText(Latin1(texts->distance));
}

// ----------------------------------------------------------- grid map ---

void Form1::ColorChange(const std::string& grid) {
  const int i = grid_map_.LabelOf(grid);
  if (i >= 0) SetTextColour(lblGrid[static_cast<size_t>(i)], FromBgr(state_.prefs.WorkedColor));
}

void Form1::ShowWorkedGrids() {
  const QColor worked = FromBgr(state_.prefs.WorkedColor);
  for (int i : grid_map_.WorkedLabels(tallies_, BandIndex(state_.contest.CurrentBand)))
    SetTextColour(lblGrid[static_cast<size_t>(i)], worked);
}

void Form1::GridFill() {
  if (!grid_map_.Fill(state_.prefs.OwnLatitude, state_.prefs.OwnLongitude)) return;
  const GridMapTexts& texts = grid_map_.texts();
  for (size_t i = 0; i < lblGrid.size(); ++i) lblGrid[i]->setText(Latin1(texts[i]));
}

void Form1::ShiftGridMap(void (GridMap::*shift)()) {
  (grid_map_.*shift)();
  ResetGridMapColours();
  GridFill();
  ShowWorkedGrids();
  txtCall->setFocus();
}

void Form1::ShowGridCounts(int label) {
  QString text =
      Latin1(GridCountsText(state_.log, Std(lblGrid[static_cast<size_t>(label)]->text())));
  text.replace("\r\n", "\n");
  lblDupe->setText(text);
}

void Form1::Command2_Click() {
  state_.prefs.GridMapView = Command2->text() == "View Grids" ? "View Bands" : "View Grids";
  ApplyGridMapView();
  SavePref();
  txtCall->setFocus();
}

void Form1::ReduceRoverListFont(QListWidget* list) {
  // A rover's grid pairs are long; the operator shrinks the list to see them.
  if (!IsCqRover(state_.contest.ContestId, state_.contest.RoverStation)) return;
  QFont f = list->font();
  f.setPointSizeF(f.pointSizeF() * 0.9);
  list->setFont(f);
  QRect g = list->geometry();
  g.setHeight(gridLists[2]->height());
  list->setGeometry(g);
  mnuopen2();
}

void Form1::mnuColors_Click() {
  ::vantrel::ui::mnuColors(this, state_.prefs, screen_, colour_dialog_);
  SavePref();
  mnuopen2();
}

// ------------------------------------------------------ station setup ---

void Form1::OfferUtcOffsetCorrection() {
  const UtcTime utc = utc_source_ ? utc_source_() : SystemUtcNow();
  if (UtcOffsetCheck(this, prompter_, utc, clock_->Now(), state_.prefs.UtcOffsetHours)) SavePref();
}

void Form1::OpenStationSetup() {
  const StationSetupRefresh r =
      setup_runner_ ? setup_runner_(*this) : RunStationSetup(this, state_, prompter_, screen_);
  gridLists[0]->setToolTip(r.list_tooltip);
  gridLists[1]->setToolTip(r.list_tooltip);
  Label30->setText(r.Label30);
  Label2->setText(r.Label2);
  Label4->setText(r.Label4);
  SavePref();
  if (r.reload_log) {
    if (!mnuopen2()) return;
  } else {
    // The contest or station type may have changed what every key is (grid
    // pairs of a CQ rover, the bands a contest scores): rebuild from the log
    // held, at once.
    if (!vantrel::RecountTallies(tallies_, state_.log, state_.contest.ContestId,
                                 state_.contest.RoverStation)
             .ok)
      lblDialog->setText("A multiplier list is full (5000 grids); the score was not recounted.");
    RecountTallies();
  }
  // The own grid and the contest both enter the key "New" looks for, and
  // the own position the bearing starts from.
  UpdateNewIndicator();
  if (txtSec->text().size() >= 2) ShowBearingDistance();
  Labeldisplay();
  GridFill();
  ResetGridMapColours();
  ShowWorkedGrids();
}

void Form1::mnuSetup_Click() {
  OpenStationSetup();
}

}  // namespace vantrel::ui

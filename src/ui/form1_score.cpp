// Form1's side of the score and the grid map (the hand-offs between the
// panels after a recount or a view switch) and the station setup.
#include "contest/grid_map.h"
#include "ui/form1.h"
#include "ui/form1_grid_map.h"
#include "ui/form1_rover.h"
#include "ui/form1_score_panel.h"
#include "ui/utc_offset_check.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

void Form1::RecountTallies() {
  // mnuopen2 or the station setup has already rebuilt tallies_.
  score_->ShowTallies();
  map_->ShowWorkedGrids();
}

void Form1::Labeldisplay() {
  score_->Labeldisplay();
}

void Form1::TimeStats() {
  score_->TimeStats();
}

void Form1::ApplyGridMapView() {
  const bool map_shown = GridMapShown(state_.prefs.GridMapView);
  map_->ShowMap(map_shown);
  score_->ShowBandView(!map_shown);
}

void Form1::Command2_Click() {
  state_.prefs.GridMapView = std::string(ToggledGridMapView(Std(Command2->text())));
  ApplyGridMapView();
  SavePref();
  txtCall->setFocus();
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
  RefreshAfterStation(r);
}

void Form1::RefreshAfterStation(const StationSetupRefresh& r) {
  score_->ShowStation(r.Label2, r.Label4, r.list_tooltip);
  Label30->setText(r.Label30);
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
  score_->UpdateNewIndicator();
  if (txtSec->text().size() >= 2) score_->ShowBearingDistance();
  score_->Labeldisplay();
  map_->Repaint();
  rover_->OwnGridChanged();
}

void Form1::mnuSetup_Click() {
  OpenStationSetup();
}

}  // namespace vantrel::ui

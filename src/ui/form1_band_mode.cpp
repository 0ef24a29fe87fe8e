#include "ui/form1_band_mode.h"

#include "contest/bands.h"
#include "ui/form1.h"
#include "ui/form1_grid_map.h"
#include "ui/form1_score_panel.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

constexpr QColor kNavy(0, 0, 128);

}  // namespace

Form1BandMode::Form1BandMode(Form1& form) : QObject(&form), f_(form), state_(form.state()) {
  setObjectName("Form1BandMode");
  f_.Label20 = f_.AddLabel("Label20", "Band", 120, 2160, 560, 300);
  f_.Label21 = f_.AddLabel("Label21", "", 680, 2160, 1240, 300, 10.0);
  f_.lblBandSwitch = f_.AddLabel("lblBandSwitch", "Mode", 1980, 2160, 560, 300);
  f_.Label30 = f_.AddLabel("Label30", "", 2540, 2160, 820, 300, 10.0);
  for (QLabel* l : {f_.Label21, f_.Label30}) {
    Paint(l, kNavy, Qt::white);
    l->setAlignment(Qt::AlignCenter);
  }
  f_.Label30->setCursor(Qt::PointingHandCursor);
}

void Form1BandMode::SelectBand(int band_index) {
  if (band_index < 1 || band_index > kBandCount) return;
  state_.contest.CurrentBand = std::string(kBands[static_cast<size_t>(band_index - 1)].label);
  RunBandChange();
}

void Form1BandMode::RunBandChange() {
  f_.map_->ResetColours();
  const BandChangeView view = vantrel::BandChange(state_.contest);
  f_.Label21->setText(Latin1(view.caption));
  f_.SavePref();
  for (QAction* item : f_.bandMenuItems) item->setChecked(false);
  f_.score_->PaintBandLabels(0);
  if (view.band) {
    f_.bandMenuItems[static_cast<size_t>(view.band->index - 1)]->setChecked(true);
    if (view.highlight_labels) f_.score_->PaintBandLabels(view.band->index);
  }
  if (f_.txtSec->text().size() > 3) f_.score_->GridTextChanged();
  f_.map_->ShowWorkedGrids();
  f_.RefreshBandMapSpots();
  f_.score_->GridTextChanged();
}

void Form1BandMode::SetMode(std::string_view mode) {
  state_.contest.CurrentMode = std::string(mode);
  const bool phone = mode == kModePhone;
  f_.mnuPhone->setChecked(phone);
  f_.mnuCW->setChecked(!phone);
  f_.Label30->setText(Latin1(mode));
  f_.SavePref();
  const int length = ReportMaxLength(mode);
  f_.txtRSTR->setMaxLength(length);
  f_.txtRSTS->setMaxLength(length);
  f_.score_->GridTextChanged();
}

void Form1BandMode::Label30_Click() {
  SetMode(ToggledMode(state_.contest.CurrentMode));
}

void Form1BandMode::ModeSelection(std::string_view radio_mode) {
  if (auto mode = DecideModeSelection(radio_mode, state_.contest.CurrentMode)) SetMode(*mode);
}

void Form1BandMode::BandFreqConversion(float mhz) {
  const FrequencyDecision d =
      DecideBandForFrequency(mhz, state_.contest.CurrentBand, state_.contest.ContestId);
  if (d.switch_to) SelectBand(d.switch_to->index);
  state_.contest.FrequencyText = d.frequency_text;
}

void Form1BandMode::ApplyModeDisplay() {
  f_.Label30->setText(Latin1(state_.contest.CurrentMode));
  const bool phone = EqualsNoCase(state_.contest.CurrentMode, kModePhone);
  f_.mnuPhone->setChecked(phone);
  f_.mnuCW->setChecked(!phone);
}

}  // namespace vantrel::ui

// The band and mode of the main window: the band and mode display above the
// band table (Label20, Label21, lblBandSwitch, Label30), the Band and Mode
// menus' check marks, and what a band or mode change refreshes.
//
// Responsibilities: select a band (menu, band table, a frequency from the
// radio) and run the band change; set the mode (menu, a click on Label30,
// the radio's mode) and the report length that goes with it.
// Collaborations: Form1 (its controls, SavePref, the band map hand-off), the
// score panel and the grid map it refreshes, contest/bands (every decision).
#pragma once

#include <QObject>
#include <string_view>

#include "ui/run_state.h"

namespace vantrel::ui {

class Form1;

class Form1BandMode : public QObject {
  Q_OBJECT

 public:
  // Places the band and mode display on the window.
  explicit Form1BandMode(Form1& form);

  void SelectBand(int band_index);  // 1..17
  void RunBandChange();
  void SetMode(std::string_view mode);
  void Label30_Click();
  void ModeSelection(std::string_view radio_mode);
  void BandFreqConversion(float mhz);
  // The stored mode on Label30 and the Mode menu, at start-up.
  void ApplyModeDisplay();

 private:
  Form1& f_;
  RunState& state_;
};

}  // namespace vantrel::ui

// Form1's start-up load step, the hand-offs to its files, and the ways out.
#include <QCloseEvent>

#include "common/text.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/form1_band_map.h"
#include "ui/form1_band_mode.h"
#include "ui/form1_files.h"
#include "ui/form1_rover.h"
#include "ui/form1_spots.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

bool Form1::Load() {
  // A rewrite cut short by a crash may have left a hidden temporary file.
  RemoveLeftoverTemporaries(state_.LogPath());
  RemoveLeftoverTemporaries(state_.PrefsPath());

  // Values that stand even when the preference file cannot be read.
  state_.prefs.RecordRst = 1;
  state_.prefs.FormSizePercent = 100;
  Label3->setVisible(false);

  // The whole screen, controls scaled by the design factors.
  LayoutMainAtCreation(*design_, screen_);

  // The design already runs the lists down to the band table heading.
  lblDialog->setText("Select a band and mode from the menu bar!");

  // Bearing and distance start empty; map squares show the window behind.
  Label23->clear();
  Label24->clear();
  for (QLabel* g : lblGrid) g->setAutoFillBackground(false);

  // Partial matches are listed from start-up on; cmdDup turns them off.
  state_.PartialDupesOn = 1;

  // The preference file. A damaged file is reported; the values read so
  // far stand and the rest keep their defaults, so the log still gets loaded
  // before the operator can log anything.
  files_->ReadPrefs();

  // The clock runs from here on, with the offset just read.
  Timer2->start();
  Timer2_Tick();
  Timer1->start();

  OfferUtcOffsetCorrection();
  ApplyGridMapView();
  if (state_.prefs.FormSizePercent < 100)
    LayoutMainPercent(*design_, screen_, state_.prefs.FormSizePercent);
  bands_->ApplyModeDisplay();
  RunBandChange();
  mnuRstRecord->setChecked(state_.prefs.RecordRst == 1);
  mnuRstDontRecord->setChecked(state_.prefs.RecordRst != 1);
  OpenStationSetup();
  // A "File Error" in the setup's reload ends the run before anything can
  // offer to erase the damaged file.
  if (terminate_requested_ || !files_->EnsureLogExists()) return false;
  if (!AskContinueLog()) return false;
  // Keyers and radio start only once the operator has chosen to go on.
  ReadVoiceKeyerSettings();
  ReadCwSettings();
  ApplyFullLayout();
  if (!EqualsNoCase(state_.prefs.RigType, "None")) OpenRigInterface();
  spots_->StartUp();
  // A stored source shows its spots from the start, not only after Done.
  if (spots_->WindowLoaded()) band_map_->PacketResize();

  rover_->Start();
  if (state_.SeededDefaults)
    lblDialog->setText("Default data files created in " + PathText(state_.WorkingDirectory) +
                       ".  Select a band and mode from the menu bar!");
  txtCall->setFocus();
  return true;
}

void Form1::RestoreWorkingDirectory() {
  files_->RestoreWorkingDirectory();
}

bool Form1::SavePref() {
  return files_->SavePref();
}

bool Form1::mnuopen2() {
  return files_->mnuopen2();
}

bool Form1::AskContinueLog() {
  return files_->AskContinueLog();
}

bool Form1::StartNewLog() {
  return files_->StartNewLog();
}

LogStorage& Form1::log_storage() {
  if (!log_storage_) log_storage_ = std::make_unique<FileLogStorage>(state_.LogPath());
  return *log_storage_;
}

void Form1::Terminate(int code) {
  terminate_requested_ = true;
  if (terminate_) terminate_(code);
}

void Form1::mnuNew_Click() {
  StartNewLog();
  TimeStats();
}

void Form1::mnuExit_Click() {
  // Leaves at once: no other window is asked and no backup is made.
  closing_via_exit_ = true;
  Terminate(0);
}

void Form1::closeEvent(QCloseEvent* event) {
  if (closing_via_exit_ || terminate_requested_) {
    event->accept();
    return;
  }
  EmptyCwBuffer();
  if (CwSending()) {
    // The keying stops because its buffer is now empty; a second close works.
    event->ignore();
    return;
  }
  CloseOtherWindows();
  Backup();
  event->accept();
}

void Form1::mnuFormSize_Click() {
  const auto answer = prompter_.Input(
      this, "Please enter screen percentage.",
      "Enter the % of the screen you would like the form to cover.  Try between 90 and 100 for "
      "best results.  Values below 75 do not display well.",
      QString::number(state_.prefs.FormSizePercent));
  int percent = 0;
  if (answer && ParseFormSizePercent(*answer, percent)) {
    state_.prefs.FormSizePercent = static_cast<uint8_t>(percent);
    prompter_.Message(this, "For this setting to take effect please restart this program.",
                      "This program must be closed and restarted for this setting to take effect.",
                      MessageIcon::kNone);
    SavePref();
  } else {
    prompter_.Message(this, "Numeric Values Required", "Please enter only numeric values.",
                      MessageIcon::kNone);
  }
}

void Form1::mnuTaskbar_Click() {
  if (state_.prefs.FormSizePercent == 100) {
    state_.prefs.TaskbarDisplay = state_.prefs.TaskbarDisplay == 1 ? 0 : 1;
    SavePref();
    ApplyFullLayout();
  } else {
    mnuTaskbar->setChecked(state_.prefs.TaskbarDisplay == 1);
    prompter_.Message(this, "Please set your form size to 100% to use this option.",
                      "The form size must be set to 100% to use the taskbar display option.",
                      MessageIcon::kNone);
  }
}

void Form1::ApplyFullLayout() {
  mnuTaskbar->setChecked(state_.prefs.TaskbarDisplay == 1);
  if (state_.prefs.FormSizePercent == 100)
    LayoutMainFull(*design_, screen_, state_.prefs.TaskbarDisplay == 1);
}

}  // namespace vantrel::ui

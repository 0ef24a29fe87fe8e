// Form1's start-up load step, the log load, the new-log confirmation, the
// preference file and the ways out.
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>

#include "common/text.h"
#include "contest/log_load.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const QString kDefaultDataTitle = "Error opening default data.";
const QString kDefaultDataText =
    "Error loading default data .  Check to make sure vhfpref.txt is in your working directory.";
const QString kFileErrorText =
    "Error opening file.  This error is annoying but probably correctable.  In all likelihood, a "
    "character such as a quote got into your data or one of your entries has an invalid "
    "date/time format.  Close this program and open log.txt in the program's working directory "
    "with a text editor such as notepad.  Inspect the data and fix any errors you see (remove any "
    "extra quotes and make sure your date and time entries are valid).";

}  // namespace

void Form1::RestoreWorkingDirectory() {
  // File dialogs may have moved the process elsewhere; data files always
  // belong to the folder the program started in.
  if (!state_.WorkingDirectory.empty()) QDir::setCurrent(PathText(state_.WorkingDirectory));
}

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
  {
    RestoreWorkingDirectory();
    std::string text, error;
    PrefsReadResult result;
    // Whatever the file does not supply comes from the shipped file, so band,
    // mode and map colours are never left empty.
    state_.prefs = ShippedDefaultPrefs();
    if (!ReadWholeFile(state_.PrefsPath(), text, error)) {
      result.error = PrefsReadError::kMissing;
      result.line = 1;
      // Station setup writes the call and grid to the shared file; take them
      // from there rather than blanking them for the vendor's other programs.
      state_.prefs.OwnCall = state_.shared.Get("OWN_CALL").value_or("");
      state_.prefs.OwnGrid = state_.shared.Get("OWN_GRID").value_or("");
    } else {
      result = ParsePrefs(text, state_.prefs);
    }
    if (!result.ok()) {
      // Start-up goes on and will save the preferences again; keep the
      // damaged file's values for the operator to compare or restore.
      if (!text.empty()) ReplaceFileAtomically(state_.WorkingFile(kDamagedPrefsFile), text, error);
      prompter_.Beep();
      prompter_.Message(this, kDefaultDataTitle, kDefaultDataText, MessageIcon::kNone);
    }
    mnuListPrevious->setChecked(state_.prefs.ListPreviousContacts == 1);
    state_.contest.CurrentBand = state_.prefs.CurrentBand;
    state_.contest.CurrentMode = state_.prefs.CurrentMode;
    state_.contest.ContestId = state_.prefs.ContestId;
    state_.contest.RoverStation = state_.prefs.RoverStation;
  }

  // The clock runs from here on, with the offset just read.
  Timer2->start();
  Timer2_Tick();
  Timer1->start();

  OfferUtcOffsetCorrection();
  ApplyGridMapView();
  if (state_.prefs.FormSizePercent < 100)
    LayoutMainPercent(*design_, screen_, state_.prefs.FormSizePercent);
  ApplyModeDisplay();
  RunBandChange();
  mnuRstRecord->setChecked(state_.prefs.RecordRst == 1);
  mnuRstDontRecord->setChecked(state_.prefs.RecordRst != 1);
  OpenStationSetup();
  // A "File Error" in the setup's reload ends the run before anything can
  // offer to erase the damaged file.
  if (terminate_requested_ || !EnsureLogExists()) return false;
  if (!AskContinueLog()) return false;
  // Keyers and radio start only once the operator has chosen to go on.
  ReadVoiceKeyerSettings();
  ReadCwSettings();
  ApplyFullLayout();
  if (!EqualsNoCase(state_.prefs.RigType, "None")) OpenRigInterface();

  if (state_.SeededDefaults)
    lblDialog->setText("Default data files created in " + PathText(state_.WorkingDirectory) +
                       ".  Select a band and mode from the menu bar!");
  txtCall->setFocus();
  return true;
}

void Form1::ApplyGridMapView() {
  const bool grid_view = state_.prefs.GridMapView == "View Bands";
  Command2->setText(grid_view ? "View Bands" : "View Grids");
  for (QListWidget* l : gridLists) l->setVisible(!grid_view);
  for (QLabel* l : bandNameLabels) l->setVisible(!grid_view);
  for (QLabel* l : bandCountLabels) l->setVisible(!grid_view);
  Label10->setVisible(!grid_view);
  for (QLabel* g : lblGrid) g->setVisible(grid_view);
  for (QPushButton* b : {Command3, Command4, Command5, Command6}) b->setVisible(grid_view);
}

void Form1::ApplyModeDisplay() {
  Label30->setText(Latin1(state_.contest.CurrentMode));
  const bool phone = EqualsNoCase(state_.contest.CurrentMode, kModePhone);
  mnuPhone->setChecked(phone);
  mnuCW->setChecked(!phone);
}

bool Form1::AskContinueLog() {
  const bool yes = prompter_.YesNo(
      this, "Open existing log?",
      "Do you want to continue an existing contest? (Yes opens your existing log, No erases any "
      "existing log and starts a new log.)",
      MessageIcon::kQuestion);
  const bool loaded = yes ? mnuopen2() : StartNewLog();
  cmdEdit->setVisible(false);
  cmdDelete->setVisible(false);
  return loaded;
}

bool Form1::StartNewLog() {
  const auto reply = prompter_.Input(
      this, "WARNING - Your existing log file will be ERASED!",
      "Are you sure that you want to start a new log file?  This function will ERASE the existing "
      "log file!\r\n\r\nTo verify that you want to start a new log file, please type: YES");
  // Whatever the count says, a log with contacts is copied into BACKUP before
  // it is erased; when that copy fails the log stays.
  if (reply && reply->toUpper() == "YES" &&
      KeepLogBeforeReplacing(this, state_, prompter_, log_storage(), BackupFileName(clock_->Now()),
                             "")) {
    state_.prefs.TotalTimeOnSeconds = 0;
    RestoreWorkingDirectory();
    std::string error;
    if (log_storage().Rewrite("", error)) {
      state_.log.Clear();
      SavePref();
    } else {
      // The old log stays; the reload below shows it again.
      prompter_.Message(this, "Unable to start a new log",
                        "The log could not be erased: " + Latin1(error), MessageIcon::kWarning);
    }
  }
  return mnuopen2();
}

LogStorage& Form1::log_storage() {
  if (!log_storage_) log_storage_ = std::make_unique<FileLogStorage>(state_.LogPath());
  return *log_storage_;
}

bool Form1::EnsureLogExists() {
  const QString folder = PathText(state_.WorkingDirectory);
  if (QFileInfo::exists(PathText(state_.LogPath()))) return true;
  QString why;
  if (!state_.SeedError.empty())
    why = "The default data files could not be copied: " + PathText(state_.SeedError) + ".\r\n\r\n";
  std::string error;
  if (!log_storage().Rewrite("", error)) {
    prompter_.Message(this, "No log found",
                      why + "There is no log.txt in " + folder +
                          ", and none can be created there: " + PathText(error),
                      MessageIcon::kCritical);
    Terminate(1);
    return false;
  }
  prompter_.Message(this, "No log found",
                    why + "There was no log.txt in " + folder +
                        ".  An empty one was created there.  If you expected contacts, restore "
                        "them with File > Restore from Archive or Backup.",
                    MessageIcon::kWarning);
  return true;
}

bool Form1::mnuopen2() {
  ResetGridMapColours();
  RestoreWorkingDirectory();
  std::string text, error;
  ContactLog loaded;
  if (!log_storage().ReadAll(text, error)) {
    ShowLoadFailure("log.txt cannot be read: " + PathText(error) + ".  The file was not changed.");
    return false;
  }
  if (!ParseLog(text, loaded).ok()) {
    ShowLoadFailure(kFileErrorText);
    return false;
  }
  const RecountResult recount = vantrel::RecountTallies(tallies_, loaded, state_.contest.ContestId,
                                                        state_.contest.RoverStation);
  if (!recount.ok) {
    ShowLoadFailure(Latin1(OverfullLogText(recount, loaded)));
    return false;
  }
  if (!state_.FirstLoad) state_.FirstLoad = FingerprintOf(text);
  state_.log.Swap(loaded);
  RecountTallies();
  FillContactList();
  if (state_.LoadedContactCount == 0) state_.LoadedContactCount = state_.log.ContactCount();
  return true;
}

void Form1::ShowLoadFailure(const QString& text) {
  prompter_.Message(this, "File Error", text, MessageIcon::kNone);
  // Nothing is saved on the way out: the damaged file stays for repair.
  Terminate(1);
}

void Form1::Terminate(int code) {
  terminate_requested_ = true;
  if (terminate_) terminate_(code);
}

bool Form1::SavePref() {
  state_.prefs.GridMapView = Command2->text().toStdString();
  state_.prefs.CurrentBand = state_.contest.CurrentBand;
  state_.prefs.CurrentMode = state_.contest.CurrentMode;
  state_.prefs.ContestId = static_cast<uint8_t>(state_.contest.ContestId);
  state_.prefs.RoverStation = static_cast<uint8_t>(state_.contest.RoverStation);
  RestoreWorkingDirectory();
  std::string error;
  if (!ReplaceFileAtomically(state_.PrefsPath(), FormatPrefs(state_.prefs), error)) {
    lblDialog->setText("Settings not saved: " + Latin1(error));
    return false;
  }
  return true;
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

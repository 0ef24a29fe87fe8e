#include "ui/form1_files.h"

#include <QDir>
#include <QFileInfo>

#include "contest/log_load.h"
#include "platform/durable_file.h"
#include "ui/form1.h"
#include "ui/form1_grid_map.h"
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

Form1Files::Form1Files(Form1& form, RunState& state, Prompter& prompter)
    : QObject(&form), f_(form), state_(state), prompter_(prompter) {
  setObjectName("Form1Files");
}

void Form1Files::ReadPrefs() {
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
    prompter_.Message(&f_, kDefaultDataTitle, kDefaultDataText, MessageIcon::kNone);
  }
  f_.mnuListPrevious->setChecked(state_.prefs.ListPreviousContacts == 1);
  state_.contest.CurrentBand = state_.prefs.CurrentBand;
  state_.contest.CurrentMode = state_.prefs.CurrentMode;
  state_.contest.ContestId = state_.prefs.ContestId;
  state_.contest.RoverStation = state_.prefs.RoverStation;
}

void Form1Files::RestoreWorkingDirectory() {
  // File dialogs may have moved the process elsewhere; data files always
  // belong to the folder the program started in.
  if (!state_.WorkingDirectory.empty()) QDir::setCurrent(PathText(state_.WorkingDirectory));
}

bool Form1Files::AskContinueLog() {
  const bool yes = prompter_.YesNo(
      &f_, "Open existing log?",
      "Do you want to continue an existing contest? (Yes opens your existing log, No erases any "
      "existing log and starts a new log.)",
      MessageIcon::kQuestion);
  const bool loaded = yes ? mnuopen2() : StartNewLog();
  f_.cmdEdit->setVisible(false);
  f_.cmdDelete->setVisible(false);
  return loaded;
}

bool Form1Files::StartNewLog() {
  const auto reply = prompter_.Input(
      &f_, "WARNING - Your existing log file will be ERASED!",
      "Are you sure that you want to start a new log file?  This function will ERASE the existing "
      "log file!\r\n\r\nTo verify that you want to start a new log file, please type: YES");
  // Whatever the count says, a log with contacts is copied into BACKUP before
  // it is erased; when that copy fails the log stays.
  if (reply && reply->toUpper() == "YES" &&
      KeepLogBeforeReplacing(&f_, state_, prompter_, f_.log_storage(),
                             BackupFileName(f_.clock().Now()), "")) {
    state_.prefs.TotalTimeOnSeconds = 0;
    RestoreWorkingDirectory();
    std::string error;
    if (f_.log_storage().Rewrite("", error)) {
      state_.log.Clear();
      SavePref();
    } else {
      // The old log stays; the reload below shows it again.
      prompter_.Message(&f_, "Unable to start a new log",
                        "The log could not be erased: " + Latin1(error), MessageIcon::kWarning);
    }
  }
  return mnuopen2();
}

bool Form1Files::EnsureLogExists() {
  const QString folder = PathText(state_.WorkingDirectory);
  if (QFileInfo::exists(PathText(state_.LogPath()))) return true;
  QString why;
  if (!state_.SeedError.empty())
    why = "The default data files could not be copied: " + PathText(state_.SeedError) + ".\r\n\r\n";
  std::string error;
  if (!f_.log_storage().Rewrite("", error)) {
    prompter_.Message(&f_, "No log found",
                      why + "There is no log.txt in " + folder +
                          ", and none can be created there: " + PathText(error),
                      MessageIcon::kCritical);
    f_.Terminate(1);
    return false;
  }
  prompter_.Message(&f_, "No log found",
                    why + "There was no log.txt in " + folder +
                        ".  An empty one was created there.  If you expected contacts, restore "
                        "them with File > Restore from Archive or Backup.",
                    MessageIcon::kWarning);
  return true;
}

bool Form1Files::mnuopen2() {
  f_.map_->ResetColours();
  RestoreWorkingDirectory();
  std::string text, error;
  ContactLog loaded;
  if (!f_.log_storage().ReadAll(text, error)) {
    ShowLoadFailure("log.txt cannot be read: " + PathText(error) + ".  The file was not changed.");
    return false;
  }
  if (!ParseLog(text, loaded).ok()) {
    ShowLoadFailure(kFileErrorText);
    return false;
  }
  const RecountResult recount = vantrel::RecountTallies(
      f_.tallies_, loaded, state_.contest.ContestId, state_.contest.RoverStation);
  if (!recount.ok) {
    ShowLoadFailure(Latin1(OverfullLogText(recount, loaded)));
    return false;
  }
  if (!state_.FirstLoad) state_.FirstLoad = FingerprintOf(text);
  state_.log.Swap(loaded);
  f_.RecountTallies();
  f_.FillContactList();
  if (state_.LoadedContactCount == 0) state_.LoadedContactCount = state_.log.ContactCount();
  return true;
}

void Form1Files::ShowLoadFailure(const QString& text) {
  prompter_.Message(&f_, "File Error", text, MessageIcon::kNone);
  // Nothing is saved on the way out: the damaged file stays for repair.
  f_.Terminate(1);
}

bool Form1Files::SavePref() {
  state_.prefs.GridMapView = f_.Command2->text().toStdString();
  state_.prefs.CurrentBand = state_.contest.CurrentBand;
  state_.prefs.CurrentMode = state_.contest.CurrentMode;
  state_.prefs.ContestId = static_cast<uint8_t>(state_.contest.ContestId);
  state_.prefs.RoverStation = static_cast<uint8_t>(state_.contest.RoverStation);
  RestoreWorkingDirectory();
  std::string error;
  if (!ReplaceFileAtomically(state_.PrefsPath(), FormatPrefs(state_.prefs), error)) {
    f_.lblDialog->setText("Settings not saved: " + Latin1(error));
    return false;
  }
  return true;
}

}  // namespace vantrel::ui

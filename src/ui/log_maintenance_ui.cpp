#include "ui/log_maintenance_ui.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <optional>
#include <system_error>

#include "log/log_maintenance.h"
#include "platform/durable_file.h"
#include "platform/system_clock.h"
#include "ui/frm_edit_con.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

QString FromLocal(const std::string& s) {
  return QString::fromLocal8Bit(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

LocalTime Now(const LogMaintenanceHooks& hooks) {
  if (hooks.clock) return hooks.clock->Now();
  return SystemClock().Now();
}

// File dialogs may wander; data files always belong to the starting folder.
void RestoreWorkingDirectory(const RunState& state) {
  if (!state.WorkingDirectory.empty()) QDir::setCurrent(FromLocal(state.WorkingDirectory));
}

bool Reload(const LogMaintenanceHooks& hooks) {
  return hooks.reload ? hooks.reload() : true;
}

bool ValidRecord(const RunState& state, int record) {
  return record >= 1 && record <= state.log.ContactCount();
}

// log.txt through the main window's storage, or straight to the file.
LogStorage& StorageOf(const LogMaintenanceHooks& hooks, const RunState& state,
                      std::optional<FileLogStorage>& own) {
  if (hooks.storage) return *hooks.storage;
  own.emplace(state.LogPath());
  return *own;
}

// Writes `bytes` into the BACKUP folder (made when missing) as `name`, or a
// numbered variant of it: never over an earlier copy.
bool KeepCopy(const RunState& state, std::string_view bytes, const std::string& name,
              std::string& error) {
  const std::string folder = state.BackupFolder();
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "Cannot create the folder " + folder + ": " + ec.message();
    return false;
  }
  for (int attempt = 1;; ++attempt) {
    const std::string path = folder + "/" + NumberedFileName(name, attempt);
    const QFileInfo taken(FromLocal(path));
    if (taken.exists() || taken.isSymLink()) continue;
    return CreateFileDurably(path, bytes, error);
  }
}

const QString kArchiveErrorTitle = "Error Archiving Log";
const QString kRestoreErrorTitle = "Error Restoring Log";

}  // namespace

OpenFileHook QtOpenFileDialog() {
  return [](QWidget* parent, const QString& folder, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), folder, filter);
  };
}

bool RewriteLog(QWidget* parent, const RunState& state, Prompter& prompter, LogStorage& storage) {
  std::string error;
  if (storage.Rewrite(FormatLog(state.log), error)) return true;
  // The old file is still whole; the reload that follows shows it again.
  prompter.Beep();
  prompter.Message(parent, "Error Writing Log", FromLocal(error), MessageIcon::kCritical);
  return false;
}

bool KeepLogBeforeReplacing(QWidget* parent, const RunState& state, Prompter& prompter,
                            LogStorage& storage, const std::string& name,
                            std::string_view replacement) {
  std::string current, error;
  bool kept;
  if (!storage.ReadAll(current, error))
    // A missing log has nothing to lose; one that cannot be read must stay.
    kept = !QFileInfo::exists(FromLocal(state.LogPath()));
  else
    kept = current.empty() || current == replacement || KeepCopy(state, current, name, error);
  if (kept) return true;
  prompter.Beep();
  prompter.Message(parent, "Log kept",
                   "log.txt was not changed, because a copy of it could not be kept in " +
                       FromLocal(state.BackupFolder()) + " first:\r\n" + FromLocal(error),
                   MessageIcon::kWarning);
  return false;
}

bool cmdDelete(QWidget* parent, RunState& state, Prompter& prompter, int record,
               const LogMaintenanceHooks& hooks) {
  if (!ValidRecord(state, record)) return true;
  // A stray Enter must not cost a contact.
  const bool yes = prompter.YesNo(parent, "Are you sure?", "Are you sure?", MessageIcon::kNone,
                                  DefaultButton::kNo);
  if (hooks.hide_edit_buttons) hooks.hide_edit_buttons();
  if (!yes) return true;
  state.log.Remove(record);
  RestoreWorkingDirectory(state);
  std::optional<FileLogStorage> own;
  RewriteLog(parent, state, prompter, StorageOf(hooks, state, own));
  return Reload(hooks);
}

bool cmdEdit(QWidget* parent, RunState& state, Prompter& prompter, const ScreenGeometry& screen,
             int record, const LogMaintenanceHooks& hooks) {
  if (!ValidRecord(state, record)) return true;
  frmEditCon::Outcome outcome;
  {
    frmEditCon window(state.log, record, prompter, screen, parent);
    if (hooks.run_edit_window)
      hooks.run_edit_window(window);
    else
      window.exec();
    outcome = window.outcome();
  }
  if (outcome == frmEditCon::Outcome::kDeleteDupe &&
      !cmdDelete(parent, state, prompter, record, hooks))
    return false;
  if (hooks.refill_list) hooks.refill_list();
  if (hooks.hide_edit_buttons) hooks.hide_edit_buttons();
  RestoreWorkingDirectory(state);
  std::optional<FileLogStorage> own;
  RewriteLog(parent, state, prompter, StorageOf(hooks, state, own));
  return Reload(hooks);
}

bool mnuArchive(QWidget* parent, const RunState& state, Prompter& prompter,
                const LogMaintenanceHooks& hooks) {
  prompter.Message(parent, "Archive Information",
                   "This function is used to create a permanent copy of your currently open log "
                   "file.  To open your log file at a later date, click File > Restore from "
                   "Archive or Backup.",
                   MessageIcon::kNone);
  const QString folder = FromLocal(state.BackupFolder());
  QDir().mkpath(folder);
  const SaveFileHook choose = hooks.save_file ? hooks.save_file : QtSaveFileDialog();
  const QString proposed = folder + "/" + Latin1(ArchiveFileName(state.prefs.OwnCall, Now(hooks)));
  const QString path = choose(parent, proposed, kLogFileFilter);
  RestoreWorkingDirectory(state);
  if (path.isEmpty()) return false;

  std::string bytes, error;
  std::optional<FileLogStorage> own;
  if (!StorageOf(hooks, state, own).ReadAll(bytes, error) ||
      !ReplaceFileAtomically(ToPath(path), bytes, error)) {
    prompter.Message(parent, kArchiveErrorTitle, FromLocal(error), MessageIcon::kNone);
    return false;
  }
  return true;
}

bool mnuRestore(QWidget* parent, RunState& state, Prompter& prompter,
                const LogMaintenanceHooks& hooks) {
  prompter.Message(parent, "Opening Archived Data Information",
                   "This action will open an archived log or backup file and creates a working "
                   "file called log.txt.  If you make any changes to your archived data that you "
                   "would like to permanently save, before you click File > New to start a new "
                   "contest, be sure to click File > Archive to save your changes.",
                   MessageIcon::kNone);
  if (state.log.ContactCount() > 0 &&
      !prompter.YesNo(parent, "Are your sure?",
                      "Are you sure that you want to open an archived log?  This action will "
                      "clear and replace existing QSO data.",
                      MessageIcon::kNone))
    return false;

  const QString folder = FromLocal(state.BackupFolder());
  QDir().mkpath(folder);
  const OpenFileHook choose = hooks.open_file ? hooks.open_file : QtOpenFileDialog();
  const QString path = choose(parent, folder, kLogFileFilter);
  RestoreWorkingDirectory(state);
  if (path.isEmpty()) return false;

  std::string bytes, error;
  if (!ReadWholeFile(ToPath(path), bytes, error)) {
    prompter.Message(parent, kRestoreErrorTitle, FromLocal(error), MessageIcon::kNone);
    return false;
  }
  // A file that is not a log would end the program at the reload, with the
  // working log already gone; refuse it while log.txt is still intact.
  ContactLog check;
  const LogParseResult parsed = ParseLog(bytes, check);
  if (!parsed.ok()) {
    prompter.Message(parent, kRestoreErrorTitle,
                     "The file " + path + " is not a valid log (" +
                         Latin1(DescribeParseError(parsed)) + ").  log.txt was not changed.",
                     MessageIcon::kNone);
    return false;
  }

  // Keep the log being replaced: the operator may have forgotten to archive it.
  std::optional<FileLogStorage> own;
  LogStorage& storage = StorageOf(hooks, state, own);
  if (!KeepLogBeforeReplacing(parent, state, prompter, storage, ReplacedLogFileName(Now(hooks)),
                              bytes))
    return false;
  if (!storage.Rewrite(bytes, error)) {
    prompter.Message(parent, kRestoreErrorTitle, FromLocal(error), MessageIcon::kNone);
    return false;
  }
  Reload(hooks);
  return true;
}

bool Backup(QWidget* parent, const RunState& state, Prompter& prompter, const Clock& clock,
            LogStorage& storage) {
  std::string bytes, error;
  bool written = false;
  if (storage.ReadAll(bytes, error) && BackupNeeded(bytes, state.FirstLoad)) {
    written = KeepCopy(state, bytes, BackupFileName(clock.Now()), error);
    if (!written)
      prompter.Message(parent, "Backup not made",
                       "The log could not be copied into " + FromLocal(state.BackupFolder()) +
                           ":\r\n" + FromLocal(error) +
                           "\r\n\r\nlog.txt itself is complete and unchanged.",
                       MessageIcon::kWarning);
  }
  RestoreWorkingDirectory(state);
  return written;
}

}  // namespace vantrel::ui

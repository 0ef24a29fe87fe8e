// The log maintenance the operator starts from the main window: editing and
// deleting a listed contact, archiving and restoring the log, and the backup
// made when the window is closed.
//
// Responsibilities: ask the operator (through Prompter and file-dialog
// hooks), change the in-memory log, rewrite log.txt through its LogStorage
// and have the main window reload it; keep a copy of a log before it is
// erased or replaced.
// Collaborations: log/log_maintenance (names and rules), ui/frm_edit_con
// (the edit window), log/log_storage (log.txt), platform/durable_file (the
// BACKUP folder), Form1 (which passes its RunState, its storage and its
// mnuopen2 as the reload).
#pragma once

#include <QString>
#include <QWidget>
#include <functional>

#include "common/utc_clock.h"
#include "log/log_storage.h"
#include "ui/adif_export.h"
#include "ui/form_scale.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

class frmEditCon;

// The file-open dialog: shown on `folder` with `filter`; returns the chosen
// path, or an empty text for Cancel.
using OpenFileHook =
    std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
OpenFileHook QtOpenFileDialog();

// Archives and backups are offered and listed with this filter.
inline constexpr char kLogFileFilter[] = "Log Files (*.log)";

struct LogMaintenanceHooks {
  SaveFileHook save_file;        // empty: the real dialog (asks before overwriting)
  OpenFileHook open_file;        // empty: the real dialog
  const Clock* clock = nullptr;  // local time of the file names; null: the system clock
  // log.txt; null: the file in the working folder.
  LogStorage* storage = nullptr;
  // Reloads log.txt and everything derived from it (Form1::mnuopen2); false
  // when the program must end. Empty: no reload.
  std::function<bool()> reload;
  // Hides cmdEdit and cmdDelete.
  std::function<void()> hide_edit_buttons;
  // Refills the contact list (FillContactList).
  std::function<void()> refill_list;
  // Runs the edit window until it is closed or hidden; empty: exec().
  // Tests drive the window here instead.
  std::function<void(frmEditCon&)> run_edit_window;
};

// Writes records 1..ContactCount over log.txt (temporary file renamed over
// it). On failure the old file stays whole and the failure is reported.
bool RewriteLog(QWidget* parent, const RunState& state, Prompter& prompter, LogStorage& storage);

// Before log.txt is erased or replaced by `replacement`: a non-empty log
// that differs from it is copied into the BACKUP folder as `name` (numbered
// when taken). False, after telling the operator, when the copy could not
// be made: the log must then stay as it is.
bool KeepLogBeforeReplacing(QWidget* parent, const RunState& state, Prompter& prompter,
                            LogStorage& storage, const std::string& name,
                            std::string_view replacement);

// cmdEdit on record `record` (the selected item's number; 0 or out of range
// does nothing). However the window is left, the list is refilled, the edit
// buttons hidden, log.txt rewritten and reloaded. Returns the reload's
// result (true when nothing needed reloading).
bool cmdEdit(QWidget* parent, RunState& state, Prompter& prompter, const ScreenGeometry& screen,
             int record, const LogMaintenanceHooks& hooks);

// cmdDelete on record `record` (0 or out of range does nothing): "Are you
// sure?", then the record removed, later ones renumbered, log.txt rewritten
// and reloaded. Returns the reload's result (true when nothing was reloaded).
bool cmdDelete(QWidget* parent, RunState& state, Prompter& prompter, int record,
               const LogMaintenanceHooks& hooks);

// "Archive Current &Log": a copy of log.txt under a name the operator picks,
// offered in the BACKUP folder. True when a copy was written.
bool mnuArchive(QWidget* parent, const RunState& state, Prompter& prompter,
                const LogMaintenanceHooks& hooks);

// "&Restore from Archive or Backup": a chosen log replaces log.txt, which is
// then reloaded. A file that is not a valid log is refused and log.txt stays
// as it was; the replaced log.txt is first kept in the BACKUP folder as
// "yyyymmddhhnn-replaced.log", and stays when that copy fails. True when
// log.txt was replaced.
bool mnuRestore(QWidget* parent, RunState& state, Prompter& prompter,
                const LogMaintenanceHooks& hooks);

// The backup on closing: a copy of log.txt in the BACKUP folder named for
// the local minute (numbered when that name is taken), made when log.txt is
// not empty and differs from what the run first loaded. A copy that cannot
// be made is reported; true when a copy was written.
bool Backup(QWidget* parent, const RunState& state, Prompter& prompter, const Clock& clock,
            LogStorage& storage);

}  // namespace vantrel::ui

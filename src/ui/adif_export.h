// The "Export ADIF Format" menu item: three questions, a save dialog, and the
// whole log written as an ADIF file.
//
// Responsibilities: ask for power, phone mode and comment; propose VHF.adi in
// the user folder; write through a temporary file so a failed export never
// leaves half a file under the chosen name; report the outcome.
// Collaborations: export/adif (the bytes), Prompter (questions and messages),
// a SaveFileHook (the file dialog), platform/durable_file (disk).
#pragma once

#include <QDateTime>
#include <QString>
#include <QWidget>
#include <functional>

#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

// The save-file dialog: shown with a proposed full path and a filter such as
// "ADIF Files (*.adi)"; returns the chosen path, or an empty text for
// Cancel. It asks before overwriting an existing file. Tests answer it
// directly instead.
using SaveFileHook =
    std::function<QString(QWidget* parent, const QString& proposed_path, const QString& filter)>;

// The real dialog (QFileDialog).
SaveFileHook QtSaveFileDialog();

struct AdifExportHooks {
  SaveFileHook choose_file;        // empty: the real dialog
  std::function<QDateTime()> now;  // empty: the current local time
  QString main_caption;            // empty: the main window's caption
};

// The whole export. Returns true when a file was written; Cancel in the save
// dialog and write failures (which are reported) return false.
bool mnuExportADIF(QWidget* parent, const RunState& state, Prompter& prompter,
                   const AdifExportHooks& hooks = {});

// Writes `bytes` to `path` (a temporary file renamed over it); on failure
// beeps and shows "Unable to write file." with the reason. Shared by the
// exports.
bool WriteExportFile(QWidget* parent, Prompter& prompter, const QString& path,
                     const std::string& bytes);

}  // namespace vantrel::ui

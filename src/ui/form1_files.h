// The main window's files: vhfpref.txt read at start-up and rewritten on
// every change (SavePref), log.txt loaded whole (mnuopen2), created when
// missing, and erased for a new log after the typed "YES".
//
// Responsibilities: every load and save of the run's two files and the
// questions around them; a log that cannot be loaded ends the run with
// "File Error" and leaves the file for repair.
// Collaborations: Form1 (its log storage, tallies, the controls a save or
// load reads and refreshes, and the way out), platform/durable_file,
// settings/program_prefs, log/log_storage, contest/log_load.
#pragma once

#include <QObject>
#include <QString>

#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

class Form1;

class Form1Files : public QObject {
  Q_OBJECT

 public:
  Form1Files(Form1& form, RunState& state, Prompter& prompter);

  // Start-up's read of vhfpref.txt: shipped defaults under whatever the file
  // holds; a damaged file is kept aside and reported, and start-up goes on.
  void ReadPrefs();
  bool SavePref();

  bool mnuopen2();
  bool AskContinueLog();
  bool StartNewLog();
  bool EnsureLogExists();

  void RestoreWorkingDirectory();

 private:
  void ShowLoadFailure(const QString& text);

  Form1& f_;
  RunState& state_;
  Prompter& prompter_;
};

}  // namespace vantrel::ui

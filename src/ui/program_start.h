// The start of a program run up to the main window: the working folder, the
// user folders, the shared preferences, the backup folder and, in an empty
// folder, the default data files.
#pragma once

#include <QString>
#include <functional>

#include "platform/log_lock.h"
#include "settings/user_folders.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

// Where the shipped data files are: $VANTREL_DATA_DIR, else "data" beside the
// program (a build), else share/vantrel of the tree the program is installed
// in, else the source tree's data/.
QString LocateDataDirectory();

// The first step of every run, before any file of `working_dir` is read or
// written: takes the log's lock. When another copy holds it, or the folder
// cannot be written, says so in one box and returns false: the run must end.
bool ClaimWorkingFolder(LogLock& lock, Prompter& prompter, const std::string& working_dir);

// Start-up steps before the main window: records the working directory
// (`working_dir`), seeds the defaults into a fresh folder, resolves and
// creates the user folders, loads the shared preferences and creates the
// backup folder. Folder failures are gathered into one report: a documents
// folder that cannot be written would otherwise give one box per level.
void PrepareRunState(RunState& state, const std::string& working_dir, FolderEnvironment& folders,
                     const std::string& data_dir);

}  // namespace vantrel::ui

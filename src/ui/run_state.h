// The run-time state of one program run, owned by the main window and passed
// explicitly to whatever needs it, instead of a scatter of globals.
//
// Responsibilities: hold the folders, the preference values, the contact log
// and the small counters that outlive a single window event.
#pragma once

#include <optional>
#include <string>

#include "contest/bands.h"
#include "log/contact_log.h"
#include "log/log_maintenance.h"
#include "settings/program_prefs.h"
#include "settings/shared_prefs.h"

namespace vantrel {

struct RunState {
  // The folder that was current at start; every data file lives here.
  std::string WorkingDirectory;
  std::string UserDataDirectory;    // vendor folder + "/VHF"
  std::string SharedDataDirectory;  // vendor folder + "/Shared"

  // The preference file's values. Band, mode, contest and station type live
  // in `contest` while the program runs and are copied here when saved.
  ProgramPrefs prefs;
  ContestState contest;
  SharedPreferences shared;
  ContactLog log;

  // Count of the first load of the run that found contacts; the backup on
  // closing compares against it to see whether the log changed.
  int LoadedContactCount = 0;
  // log.txt as the run first loaded it: the backup on closing is made when
  // the file differs from it.
  std::optional<LogFingerprint> FirstLoad;
  int PartialDupesOn = 0;
  // Set when this run seeded the default data files into an empty folder.
  bool SeededDefaults = false;
  // Why seeding the default data files failed, when it did.
  std::string SeedError;

  std::string WorkingFile(const std::string& name) const {
    return WorkingDirectory.empty() ? name : WorkingDirectory + "/" + name;
  }
  std::string LogPath() const { return WorkingFile("log.txt"); }
  std::string PrefsPath() const { return WorkingFile("vhfpref.txt"); }
  std::string BackupFolder() const { return UserDataDirectory + "/BACKUP"; }
};

}  // namespace vantrel

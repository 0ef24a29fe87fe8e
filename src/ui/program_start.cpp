#include "ui/program_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/durable_file.h"
#include "platform/shared_prefs_file.h"
#include "settings/first_start.h"

namespace vantrel::ui {

QString LocateDataDirectory() {
  const QString env = qEnvironmentVariable("VANTREL_DATA_DIR");
  if (!env.isEmpty() && QFileInfo(env).isDir()) return env;
  const QString app = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {app + "/data", app + "/../share/vantrel"}) {
    if (QFileInfo(candidate + "/vhfpref.txt").isFile()) return QDir::cleanPath(candidate);
  }
#ifdef VANTREL_SOURCE_DATA_DIR
  return QStringLiteral(VANTREL_SOURCE_DATA_DIR);
#else
  return {};
#endif
}

void PrepareRunState(RunState& state, const std::string& working_dir, FolderEnvironment& folders,
                     const std::string& data_dir) {
  state.WorkingDirectory = working_dir;
  const SeedResult seed = SeedDefaultsIfFresh(working_dir, data_dir, CreateFileDurably);
  state.SeededDefaults = seed.seeded;

  const std::string user = ResolveVendorFolder(folders, kVendorFolder, kUserFolder);
  const std::string shared = ResolveVendorFolder(folders, kVendorFolder, kSharedFolder);
  state.UserDataDirectory = user + "/" + std::string(kUserFolder);
  state.SharedDataDirectory = shared + "/" + std::string(kSharedFolder);
  LoadSharedPreferences(state.shared, state.SharedDataDirectory + "/SharedUserPreferences.xml");
  EnsureFolder(folders, state.BackupFolder(), false);
}

}  // namespace vantrel::ui

#include "ui/program_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/durable_file.h"
#include "platform/shared_prefs_file.h"
#include "settings/first_start.h"

#ifndef VANTREL_INSTALLED_DATA_DIR
#define VANTREL_INSTALLED_DATA_DIR "../share/vantrel"
#endif

namespace vantrel::ui {

QString LocateDataDirectory() {
  const QString env = qEnvironmentVariable("VANTREL_DATA_DIR");
  if (!env.isEmpty() && QFileInfo(env).isDir()) return env;
  const QString app = QCoreApplication::applicationDirPath();
  for (const QString& candidate : {app + "/data", app + "/" VANTREL_INSTALLED_DATA_DIR}) {
    if (QFileInfo(candidate + "/vhfpref.txt").isFile()) return QDir::cleanPath(candidate);
  }
#ifdef VANTREL_SOURCE_DATA_DIR
  return QStringLiteral(VANTREL_SOURCE_DATA_DIR);
#else
  return {};
#endif
}

namespace {

// Passes everything through but keeps only the first report: when the
// documents folder cannot be written, every folder below it fails too, and
// the first failure is the one the operator can act on.
class GatheredReports : public FolderEnvironment {
 public:
  explicit GatheredReports(FolderEnvironment& env) : env_(env) {}
  std::string Profile() override { return env_.Profile(); }
  std::string MyDocuments() override { return env_.MyDocuments(); }
  std::string Documents() override { return env_.Documents(); }
  std::string AppData() override { return env_.AppData(); }
  std::string FallbackBase() override { return env_.FallbackBase(); }
  bool FolderExists(const std::string& path) override { return env_.FolderExists(path); }
  bool CreateFolder(const std::string& path, std::string& error) override {
    return env_.CreateFolder(path, error);
  }
  void Report(const std::string& title, const std::string& text) override {
    if (title_.empty() && text_.empty()) {
      title_ = title;
      text_ = text;
    }
  }
  void Flush() {
    if (!text_.empty()) env_.Report(title_, text_);
  }

 private:
  FolderEnvironment& env_;
  std::string title_;
  std::string text_;
};

}  // namespace

bool ClaimWorkingFolder(LogLock& lock, Prompter& prompter, const std::string& working_dir) {
  const QString folder = QString::fromLocal8Bit(working_dir.c_str());
  switch (lock.Acquire()) {
    case LogLock::Outcome::kLocked:
      return true;
    case LogLock::Outcome::kHeldElsewhere:
      prompter.Message(nullptr, "Log already open",
                       "The log in " + folder + " is already open in another copy of Vantrel (" +
                           QString::fromStdString(lock.holder()) +
                           ").  Two copies on one log would overwrite each other's contacts.  "
                           "Use the copy that is open.  This copy ends without changing anything.",
                       MessageIcon::kCritical);
      return false;
    case LogLock::Outcome::kFailed:
      break;
  }
  prompter.Message(nullptr, "Cannot use this folder",
                   "Vantrel keeps log.txt and its settings in the folder it is started in, and it "
                   "cannot write in " +
                       folder + " (" + QString::fromLocal8Bit(lock.error().c_str()) +
                       ").  Start it in a folder you can write to.  Nothing was changed.",
                   MessageIcon::kCritical);
  return false;
}

void PrepareRunState(RunState& state, const std::string& working_dir, FolderEnvironment& env,
                     const std::string& data_dir) {
  GatheredReports folders(env);
  state.WorkingDirectory = working_dir;
  const SeedResult seed = SeedDefaultsIfFresh(working_dir, data_dir, CreateFileDurably);
  state.SeededDefaults = seed.seeded;
  state.SeedError = seed.error;

  const std::string user = ResolveVendorFolder(folders, kVendorFolder, kUserFolder);
  const std::string shared = ResolveVendorFolder(folders, kVendorFolder, kSharedFolder);
  state.UserDataDirectory = user + "/" + std::string(kUserFolder);
  state.SharedDataDirectory = shared + "/" + std::string(kSharedFolder);
  LoadSharedPreferences(state.shared, state.SharedDataDirectory + "/SharedUserPreferences.xml");
  EnsureFolder(folders, state.BackupFolder(), true);
  folders.Flush();
}

}  // namespace vantrel::ui

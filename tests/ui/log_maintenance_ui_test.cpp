// Editing, deleting, archiving, restoring and backing up against real files
// in a scratch working folder, with scripted answers and a fixed clock.
#include "ui/log_maintenance_ui.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <fstream>

#include "log/log_maintenance.h"
#include "platform/durable_file.h"
#include "support/fixed_clock.h"
#include "support/sample_contact.h"
#include "support/scripted_prompter.h"
#include "ui/contact_list_view.h"
#include "ui/frm_edit_con.h"

namespace vantrel::ui {
namespace {

ContactRecord Contact(const std::string& call, const std::string& grid = "FN31") {
  return SampleContact(call, grid);
}

std::string LogOf(std::initializer_list<const char*> calls) {
  ContactLog log;
  for (const char* call : calls) log.Add(Contact(call));
  return FormatLog(log);
}

class LogMaintenanceUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    state_.WorkingDirectory = dir_.path().toStdString();
    state_.UserDataDirectory = dir_.path().toStdString() + "/user";
    state_.prefs.OwnCall = "N0CALL";
    screen_.screen = QRect(0, 0, 1280, 1024);
    screen_.workArea = screen_.screen;
    hooks_.clock = &clock_;
    storage_ = FileLogStorage(state_.LogPath());
    hooks_.storage = &storage_;
    // What the main window's reload does with the file and the counts.
    hooks_.reload = [this] {
      ++reloads_;
      std::string text, error;
      ContactLog loaded;
      if (!ReadWholeFile(state_.LogPath(), text, error) || !ParseLog(text, loaded).ok())
        return false;
      if (!state_.FirstLoad) state_.FirstLoad = FingerprintOf(text);
      state_.log.Swap(loaded);
      state_.LoadedContactCount =
          LoadedCountAfterLoad(state_.LoadedContactCount, state_.log.ContactCount());
      list_.FillContactList(state_.log);
      return true;
    };
    hooks_.hide_edit_buttons = [this] { ++hides_; };
    hooks_.refill_list = [this] { list_.FillContactList(state_.log); };
  }

  void WriteLog(const std::string& bytes) { Write(state_.LogPath(), bytes); }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::string text, error;
    ReadWholeFile(path, text, error);
    return text;
  }
  std::string LogText() const { return Read(state_.LogPath()); }
  QStringList Backups() const {
    return QDir(QString::fromStdString(state_.BackupFolder())).entryList(QDir::Files, QDir::Name);
  }
  void Load(const std::string& bytes) {
    WriteLog(bytes);
    ASSERT_TRUE(hooks_.reload());
    reloads_ = 0;
  }
  QStringList ListedCalls() const {
    QStringList calls;
    for (int i = 0; i < tree_.topLevelItemCount(); ++i)
      calls << tree_.topLevelItem(i)->text(0) + " " + tree_.topLevelItem(i)->text(1);
    return calls;
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
  FixedClock clock_{MakeLocalTime(2007, 6, 9, 18, 30, 5)};
  LogMaintenanceHooks hooks_;
  FileLogStorage storage_{""};
  QTreeWidget tree_;
  ContactListView list_{&tree_};
  int reloads_ = 0;
  int hides_ = 0;
};

TEST_F(LogMaintenanceUiTest, DeleteRenumbersFileAndList) {
  Load(LogOf({"W1A", "W2B", "W3C", "W4D", "W5E"}));
  prompter_.yes_no_answers = {true};
  EXPECT_TRUE(cmdDelete(nullptr, state_, prompter_, 3, hooks_));
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Are you sure?");
  EXPECT_EQ(prompter_.asked[0].text, "Are you sure?");
  EXPECT_EQ(prompter_.asked[0].default_button, DefaultButton::kNo);
  EXPECT_EQ(hides_, 1);
  EXPECT_EQ(reloads_, 1);
  EXPECT_EQ(LogText(), LogOf({"W1A", "W2B", "W4D", "W5E"}));
  EXPECT_EQ(ListedCalls(), (QStringList{"4 W5E", "3 W4D", "2 W2B", "1 W1A"}));

  // No keeps everything but still hides the buttons.
  prompter_.yes_no_answers = {false};
  EXPECT_TRUE(cmdDelete(nullptr, state_, prompter_, 1, hooks_));
  EXPECT_EQ(hides_, 2);
  EXPECT_EQ(reloads_, 1);
  EXPECT_EQ(state_.log.ContactCount(), 4);
}

TEST_F(LogMaintenanceUiTest, EnterInTheRealDeleteQuestionKeepsTheContact) {
  Load(LogOf({"W1A", "W2B"}));
  QtPrompter real;
  QString title;
  QTimer::singleShot(0, [&title] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    QTest::keyClick(box, Qt::Key_Return);
  });
  EXPECT_TRUE(cmdDelete(nullptr, state_, real, 1, hooks_));
  EXPECT_EQ(title, "Are you sure?");
  EXPECT_EQ(state_.log.ContactCount(), 2);
  EXPECT_EQ(LogText(), LogOf({"W1A", "W2B"}));
}

TEST_F(LogMaintenanceUiTest, NothingSelectedDoesNothing) {
  const std::string text =
      "\"W1A\",\"\",\"FN31\",\"\",\"FN20\",\"2007/06/09\",\"18:30\",\"50 M\","
      "\"CW\",\"\"\n";  // LF: any rewrite would show as CR LF
  Load(text);
  prompter_.yes_no_answers = {true};
  int edits = 0;
  hooks_.run_edit_window = [&edits](frmEditCon&) { ++edits; };
  for (int record : {0, 2, -1}) {
    EXPECT_TRUE(cmdDelete(nullptr, state_, prompter_, record, hooks_));
    EXPECT_TRUE(cmdEdit(nullptr, state_, prompter_, screen_, record, hooks_));
  }
  EXPECT_TRUE(prompter_.asked.empty());
  EXPECT_EQ(edits, 0);
  EXPECT_EQ(reloads_, 0);
  EXPECT_EQ(hides_, 0);
  EXPECT_EQ(LogText(), text);
}

TEST_F(LogMaintenanceUiTest, EditRewritesAndReloadsHoweverTheWindowIsLeft) {
  // LF line ends: the rewrite after an unchanged edit shows as CR LF.
  std::string lf = LogOf({"W1A", "W2B"});
  for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
  Load(lf);

  hooks_.run_edit_window = [](frmEditCon& w) {
    w.show();
    w.txtEditCall->setText("W9Z");  // changed, then the close box
    w.close();
  };
  EXPECT_TRUE(cmdEdit(nullptr, state_, prompter_, screen_, 2, hooks_));
  EXPECT_EQ(LogText(), LogOf({"W1A", "W2B"}));
  EXPECT_EQ(reloads_, 1);
  EXPECT_EQ(hides_, 1);

  hooks_.run_edit_window = [](frmEditCon& w) {
    w.show();
    w.txtEditCall->setText("W9Z");
    w.txtEditSec->setText("FN42  ");
    w.cmdDone_Click();
  };
  EXPECT_TRUE(cmdEdit(nullptr, state_, prompter_, screen_, 2, hooks_));
  ContactRecord expected = Contact("W9Z", "FN42");
  EXPECT_EQ(state_.log.Record(2), expected);
  EXPECT_EQ(LogText(), FormatLogLine(Contact("W1A")) + FormatLogLine(expected));
  EXPECT_EQ(ListedCalls(), (QStringList{"2 W9Z", "1 W1A"}));
  EXPECT_EQ(reloads_, 2);
}

TEST_F(LogMaintenanceUiTest, DeleteDupeDeletesTheRecordBeingEdited) {
  Load(LogOf({"W1A", "W2B", "W3C"}));
  hooks_.run_edit_window = [](frmEditCon& w) {
    w.show();
    w.txtEditCall->setText("W1A");
    w.cmdDone_Click();
    ASSERT_TRUE(w.cmdDeleteDupe->isVisible());
    w.cmdDeleteDupe->click();
  };
  prompter_.yes_no_answers = {true};
  EXPECT_TRUE(cmdEdit(nullptr, state_, prompter_, screen_, 2, hooks_));
  EXPECT_TRUE(prompter_.WasAsked("Are you sure?"));
  EXPECT_EQ(LogText(), LogOf({"W1A", "W3C"}));
  EXPECT_EQ(ListedCalls(), (QStringList{"2 W3C", "1 W1A"}));
}

TEST_F(LogMaintenanceUiTest, ArchiveProposesCallAndDateInTheBackupFolder) {
  const std::string text = LogOf({"W1A", "W2B"});
  Load(text);
  QString proposed, filter;
  const QString chosen = dir_.filePath("mine.log");
  hooks_.save_file = [&](QWidget*, const QString& p, const QString& f) {
    proposed = p;
    filter = f;
    return chosen;
  };
  EXPECT_TRUE(mnuArchive(nullptr, state_, prompter_, hooks_));
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Archive Information");
  EXPECT_EQ(proposed, QString::fromStdString(state_.BackupFolder()) + "/N0CALL2007-06-09.log");
  EXPECT_EQ(filter, "Log Files (*.log)");
  EXPECT_EQ(Read(chosen.toStdString()), text);
  EXPECT_EQ(LogText(), text);

  state_.prefs.OwnCall.clear();
  hooks_.save_file = [&](QWidget*, const QString& p, const QString&) {
    proposed = p;
    return QString();  // Cancel
  };
  EXPECT_FALSE(mnuArchive(nullptr, state_, prompter_, hooks_));
  EXPECT_TRUE(proposed.endsWith("/YourCall2007-06-09.log"));
  EXPECT_EQ(prompter_.asked.size(), 2u);  // the information box only

  // A log that cannot be read is reported, and nothing is written.
  QFile::remove(QString::fromStdString(state_.LogPath()));
  hooks_.save_file = [&](QWidget*, const QString&, const QString&) {
    return dir_.filePath("second.log");
  };
  EXPECT_FALSE(mnuArchive(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(prompter_.asked.back().title, "Error Archiving Log");
  EXPECT_FALSE(QFile::exists(dir_.filePath("second.log")));
}

TEST_F(LogMaintenanceUiTest, RestoreReplacesTheLogAndKeepsTheOldOne) {
  const std::string old_log = LogOf({"W1A", "W2B"});
  const std::string archived = LogOf({"K1X", "K2Y", "K3Z"});
  Load(old_log);
  const std::string archive_path = dir_.filePath("archive.log").toStdString();
  Write(archive_path, archived);
  QString folder, filter;
  hooks_.open_file = [&](QWidget*, const QString& f, const QString& flt) {
    folder = f;
    filter = flt;
    return QString::fromStdString(archive_path);
  };

  // With contacts in the log, No stops before the dialog.
  prompter_.yes_no_answers = {false};
  EXPECT_FALSE(mnuRestore(nullptr, state_, prompter_, hooks_));
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].title, "Opening Archived Data Information");
  EXPECT_EQ(prompter_.asked[1].title, "Are your sure?");
  EXPECT_TRUE(folder.isEmpty());

  prompter_.yes_no_answers = {true};
  EXPECT_TRUE(mnuRestore(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(folder, QString::fromStdString(state_.BackupFolder()));
  EXPECT_EQ(filter, "Log Files (*.log)");
  EXPECT_EQ(LogText(), archived);
  EXPECT_EQ(reloads_, 1);
  EXPECT_EQ(state_.log.ContactCount(), 3);
  EXPECT_EQ(Read(state_.BackupFolder() + "/200706091830-replaced.log"), old_log);
}

TEST_F(LogMaintenanceUiTest, RestoreOnAnEmptyLogAsksNothingAndRefusesANonLog) {
  Load("");
  const std::string bad_path = dir_.filePath("bad.log").toStdString();
  Write(bad_path, "\"W1A\",\"59\",\"FN31\r\n");  // a record cut short
  hooks_.open_file = [&](QWidget*, const QString&, const QString&) {
    return QString::fromStdString(bad_path);
  };
  EXPECT_FALSE(mnuRestore(nullptr, state_, prompter_, hooks_));
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].kind, "message");
  EXPECT_EQ(prompter_.asked[1].title, "Error Restoring Log");
  EXPECT_TRUE(prompter_.asked[1].text.contains("log.txt was not changed"));
  EXPECT_EQ(LogText(), "");
  EXPECT_EQ(reloads_, 0);

  // Cancel does nothing more than the information box.
  hooks_.open_file = [](QWidget*, const QString&, const QString&) { return QString(); };
  EXPECT_FALSE(mnuRestore(nullptr, state_, prompter_, hooks_));
  EXPECT_EQ(prompter_.asked.size(), 3u);
}

TEST_F(LogMaintenanceUiTest, BackupWhenTheLogChangedAndNeverOverAnEarlierOne) {
  // Empty at start, ten logged (appended, no reload), closed: one backup.
  Load("");
  ContactLog ten;
  for (int i = 0; i < 10; ++i) ten.Add(Contact("W" + std::to_string(i) + "A"));
  WriteLog(FormatLog(ten));
  state_.log = ten;
  EXPECT_TRUE(Backup(nullptr, state_, prompter_, clock_, storage_));
  EXPECT_EQ(Backups(), QStringList{"200706091830.log"});
  EXPECT_EQ(Read(state_.BackupFolder() + "/200706091830.log"), FormatLog(ten));

  // Within the same minute a second backup gets a name of its own.
  const std::string first = FormatLog(ten);
  ten.Remove(1);
  WriteLog(FormatLog(ten));
  state_.log = ten;
  clock_.Advance(std::chrono::seconds(30));
  EXPECT_TRUE(Backup(nullptr, state_, prompter_, clock_, storage_));
  EXPECT_EQ(Backups(), (QStringList{"200706091830-2.log", "200706091830.log"}));
  EXPECT_EQ(Read(state_.BackupFolder() + "/200706091830.log"), first);
  EXPECT_EQ(Read(state_.BackupFolder() + "/200706091830-2.log"), FormatLog(ten));
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(LogMaintenanceUiTest, BackupAfterAnEditThatKeptTheCount) {
  // Ten at start and closed unchanged: no backup.
  ContactLog ten;
  for (int i = 0; i < 10; ++i) ten.Add(Contact("W" + std::to_string(i) + "A"));
  Load(FormatLog(ten));
  EXPECT_FALSE(Backup(nullptr, state_, prompter_, clock_, storage_));
  // One edited, closed: the count is the same but the file is not.
  hooks_.run_edit_window = [](frmEditCon& w) {
    w.txtEditCall->setText("K9Q");
    w.cmdDone_Click();
  };
  cmdEdit(nullptr, state_, prompter_, screen_, 4, hooks_);
  EXPECT_TRUE(Backup(nullptr, state_, prompter_, clock_, storage_));
  EXPECT_EQ(Backups().size(), 1);

  // Empty at start, ten logged, one edited: the edit's reload hides nothing.
  state_.LoadedContactCount = 0;
  state_.FirstLoad.reset();
  Load("");
  WriteLog(FormatLog(ten));
  state_.log = ten;
  cmdEdit(nullptr, state_, prompter_, screen_, 4, hooks_);
  EXPECT_EQ(state_.LoadedContactCount, 10);
  EXPECT_TRUE(Backup(nullptr, state_, prompter_, clock_, storage_));
  EXPECT_EQ(Backups().size(), 2);

  // An emptied log is never backed up.
  state_.log.Clear();
  WriteLog("");
  EXPECT_FALSE(Backup(nullptr, state_, prompter_, clock_, storage_));
  EXPECT_EQ(Backups().size(), 2);
}

TEST_F(LogMaintenanceUiTest, BackupOrRestoreThatCannotKeepACopySaysSo) {
  Load(LogOf({"W1A"}));
  WriteLog(LogOf({"W1A", "W2B"}));
  // The user folder is a plain file: BACKUP cannot be made below it.
  Write(state_.UserDataDirectory, "not a folder");
  EXPECT_FALSE(Backup(nullptr, state_, prompter_, clock_, storage_));
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Backup not made");
  EXPECT_TRUE(prompter_.asked[0].text.contains(QString::fromStdString(state_.BackupFolder())));

  // A restore that cannot keep the old log leaves it in place.
  const std::string archive_path = dir_.filePath("archive.log").toStdString();
  Write(archive_path, LogOf({"K1X"}));
  hooks_.open_file = [&](QWidget*, const QString&, const QString&) {
    return QString::fromStdString(archive_path);
  };
  prompter_.asked.clear();
  prompter_.yes_no_answers = {true};
  EXPECT_FALSE(mnuRestore(nullptr, state_, prompter_, hooks_));
  EXPECT_TRUE(prompter_.WasAsked("Log kept"));
  EXPECT_EQ(LogText(), LogOf({"W1A", "W2B"}));
  EXPECT_EQ(reloads_, 0);
}

}  // namespace
}  // namespace vantrel::ui

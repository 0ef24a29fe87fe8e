// Start-up of the main window against real files in a scratch working folder,
// with the operator's answers scripted.
#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

#include "support/scripted_prompter.h"
#include "ui/form1.h"
#include "ui/frm_edit_con.h"
#include "ui/program_start.h"

namespace vantrel::ui {
namespace {

const char kThreeContacts[] =
    "\"N0CALL\",\"59\",\"FN31\",\"59\",\"FN20\",\"2007/06/09\",\"18:30:15\",\"144 "
    "M\",\"PH\",\"144.200\"\r\n"
    "\"W1AW\",\"\",\"FN31pr\",\"\",\"FN20\",\"2007/06/09\",\"18:31:00\",\"50 M\",\"CW\",\"\"\r\n"
    "\"K2XX\",\"599\",\"FN12\",\"599\",\"FN20\",\"2007/06/09\",\"18:32:00\",\"432 "
    "M\",\"CW\",\"432.100\"\r\n";

std::string Prefs(int lines = 19, const char* mode = "PH", const char* view = "View Grids",
                  int record_rst = 1, int list_previous = 0) {
  std::ostringstream s;
  const std::string values[19] = {"\"N0CALL\"",
                                  "\"FN20\"",
                                  "5",
                                  std::string("\"") + mode + "\"",
                                  "\"144 M\"",
                                  "0",
                                  "2",
                                  std::to_string(record_rst),
                                  "100",
                                  "0",
                                  "76",
                                  "40",
                                  std::string("\"") + view + "\"",
                                  "255",
                                  "8421504",
                                  "0",
                                  "\"None\"",
                                  "0",
                                  std::to_string(list_previous)};
  for (int i = 0; i < lines; ++i) s << values[i] << "\r\n";
  return s.str();
}

class Form1StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    state_.WorkingDirectory = dir_.path().toStdString();
    state_.UserDataDirectory = dir_.path().toStdString() + "/user";
    screen_.screen = QRect(0, 0, 1920, 1080);
    screen_.workArea = QRect(0, 0, 1920, 1040);
  }

  void Write(const char* name, const std::string& bytes) {
    std::ofstream(dir_.filePath(name).toStdString(), std::ios::binary) << bytes;
  }
  std::string Read(const char* name) {
    std::ifstream in(dir_.filePath(name).toStdString(), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  std::unique_ptr<Form1> Start() {
    auto form = std::make_unique<Form1>(state_, prompter_, screen_);
    form->set_terminate_handler([this](int code) { exit_codes_.push_back(code); });
    // The station stays as stored and the clocks agree with the stored offset.
    form->set_station_setup_runner([this](Form1&) { return setup_(); });
    Form1* f = form.get();
    form->set_utc_source(
        [this, f] { return UtcFromLocal(f->clock().Now(), state_.prefs.UtcOffsetHours); });
    loaded_ = form->Load();
    return form;
  }

  QTemporaryDir dir_;
  RunState state_;
  ScriptedPrompter prompter_;
  ScreenGeometry screen_;
  std::vector<int> exit_codes_;
  bool loaded_ = false;
  std::function<StationSetupRefresh()> setup_ = [this] {
    StationSetupRefresh r;
    r.Label30 = QString::fromStdString(state_.contest.CurrentMode);
    r.Label2 = QString::fromStdString(state_.prefs.OwnCall);
    r.Label4 = QString::fromStdString(state_.prefs.OwnGrid);
    return r;
  };
};

TEST_F(Form1StartupTest, CaptionCarriesProductVersionAndPadding) {
  const QString caption = Form1::Caption();
  EXPECT_TRUE(caption.startsWith(QString("QX9ZZ's Vantrel 3.0") + QString(64, ' ')));
  EXPECT_FALSE(caption.at(19 + 64).isSpace());
  // The exports take the product from the first 50 characters, trimmed.
  EXPECT_EQ(caption.left(50).trimmed(), "QX9ZZ's Vantrel 3.0");
}

TEST_F(Form1StartupTest, YesLoadsTheExistingLogAndAppliesPreferences) {
  Write("vhfpref.txt", Prefs(19, "PH", "View Bands", 2, 1));
  Write("log.txt", kThreeContacts);
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_TRUE(exit_codes_.empty());
  EXPECT_EQ(state_.log.ContactCount(), 3);
  EXPECT_EQ(state_.log.Record(2).GridRcvd, "FN31pr");
  EXPECT_EQ(state_.log.Record(2).RstRcvd, "");
  EXPECT_EQ(state_.LoadedContactCount, 3);
  EXPECT_EQ(state_.prefs.OwnCall, "N0CALL");
  EXPECT_FLOAT_EQ(state_.prefs.UtcOffsetHours, 5.0f);
  EXPECT_TRUE(form->mnuListPrevious->isChecked());
  EXPECT_TRUE(form->mnuPhone->isChecked());
  EXPECT_FALSE(form->mnuCW->isChecked());
  EXPECT_TRUE(form->mnuRstDontRecord->isChecked());
  EXPECT_FALSE(form->mnuRstRecord->isChecked());
  EXPECT_EQ(form->Label30->text(), "PH");
  // "View Bands" stored means the grid view is shown.
  EXPECT_EQ(form->Command2->text(), "View Bands");
  EXPECT_FALSE(form->lblGrid[82]->isHidden());
  EXPECT_TRUE(form->gridLists[0]->isHidden());
  EXPECT_TRUE(form->cmdEdit->isHidden());
  EXPECT_EQ(form->lblDialog->text(), "Select a band and mode from the menu bar!");
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Open existing log?");
  EXPECT_EQ(prompter_.asked[0].text,
            "Do you want to continue an existing contest? (Yes opens your existing log, No "
            "erases any existing log and starts a new log.)");
  // The file was only read.
  EXPECT_EQ(Read("log.txt"), kThreeContacts);
}

TEST_F(Form1StartupTest, NewLogNeedsTheTypedYes) {
  struct Case {
    std::optional<QString> reply;
    bool erased;
  };
  const Case cases[] = {{QString("YES"), true},   {QString("yes"), true}, {QString("Yes"), true},
                        {QString("YES."), false}, {QString(""), false},   {std::nullopt, false},
                        {QString(" YES"), false}};
  for (const Case& c : cases) {
    Write("vhfpref.txt", Prefs());
    Write("log.txt", kThreeContacts);
    state_ = RunState{};
    state_.WorkingDirectory = dir_.path().toStdString();
    state_.UserDataDirectory = dir_.path().toStdString() + "/user";
    QDir(dir_.filePath("user/BACKUP")).removeRecursively();
    state_.prefs.TotalTimeOnSeconds = 0;
    prompter_ = ScriptedPrompter{};
    prompter_.yes_no_answers = {false};
    prompter_.input_answers = {c.reply};
    auto form = Start();
    const QString label = c.reply ? *c.reply : QString("<cancel>");
    ASSERT_TRUE(loaded_) << label.toStdString();
    EXPECT_EQ(state_.log.ContactCount(), c.erased ? 0 : 3) << label.toStdString();
    EXPECT_EQ(Read("log.txt"), c.erased ? "" : kThreeContacts) << label.toStdString();
    // The erased log is kept even though nothing changed since it was loaded.
    const QStringList kept = QDir(dir_.filePath("user/BACKUP")).entryList(QDir::Files);
    ASSERT_EQ(kept.size(), c.erased ? 1 : 0) << label.toStdString();
    if (c.erased) {
      EXPECT_EQ(Read(("user/BACKUP/" + kept[0]).toStdString().c_str()), kThreeContacts);
    }
    ASSERT_GE(prompter_.asked.size(), 2u);
    EXPECT_EQ(prompter_.asked[1].title, "WARNING - Your existing log file will be ERASED!");
    EXPECT_EQ(prompter_.asked[1].text,
              "Are you sure that you want to start a new log file?  This function will ERASE the "
              "existing log file!\r\n\r\nTo verify that you want to start a new log file, please "
              "type: YES");
  }
}

TEST_F(Form1StartupTest, DamagedLogEndsTheProgramAndLeavesTheFile) {
  const std::string damaged[] = {
      // stray quote
      "\"N0CALL\",\"59\",\"FN\"31\",\"59\",\"FN20\",\"2007/06/09\",\"18:30:15\",\"144 "
      "M\",\"PH\",\"\"\r\n",
      // short last record
      std::string(kThreeContacts) + "\"W9XYZ\",\"59\",\"EN52\"\r\n",
  };
  for (const auto& bytes : damaged) {
    Write("vhfpref.txt", Prefs());
    Write("log.txt", bytes);
    prompter_ = ScriptedPrompter{};
    prompter_.yes_no_answers = {true};
    exit_codes_.clear();
    auto form = Start();
    EXPECT_FALSE(loaded_);
    EXPECT_TRUE(form->terminate_requested());
    ASSERT_EQ(exit_codes_.size(), 1u);
    ASSERT_EQ(prompter_.asked.size(), 2u);
    EXPECT_EQ(prompter_.asked[1].title, "File Error");
    EXPECT_TRUE(prompter_.asked[1].text.startsWith(
        "Error opening file.  This error is annoying but probably correctable.  In all "
        "likelihood, a character"));
    EXPECT_TRUE(prompter_.asked[1].text.endsWith(
        "(remove any extra quotes and make sure your date and time entries are valid)."));
    EXPECT_EQ(Read("log.txt"), bytes);
  }
}

TEST_F(Form1StartupTest, MissingLogIsStartedEmptyAndSaidSo) {
  Write("vhfpref.txt", Prefs());
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_TRUE(exit_codes_.empty());
  EXPECT_FALSE(prompter_.WasAsked("File Error"));
  ASSERT_GE(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].title, "No log found");
  EXPECT_TRUE(prompter_.asked[0].text.contains("log.txt"));
  EXPECT_TRUE(prompter_.asked[0].text.contains(dir_.path()));
  EXPECT_TRUE(QFile::exists(dir_.filePath("log.txt")));
  EXPECT_EQ(Read("log.txt"), "");
  EXPECT_EQ(state_.log.ContactCount(), 0);
}

TEST_F(Form1StartupTest, FailedSeedingIsExplainedWhereTheLogIsMissing) {
  Write("vhfpref.txt", Prefs());
  state_.SeedError = "cannot copy log.txt: No space left on device";
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  ASSERT_TRUE(prompter_.WasAsked("No log found"));
  EXPECT_TRUE(prompter_.asked[0].text.contains("No space left on device"));
  EXPECT_EQ(Read("log.txt"), "");
}

TEST_F(Form1StartupTest, EditKeepingTheCountIsBackedUpOnCloseAndALinkedLogStaysLinked) {
  // log.txt is a link to the contest's own file elsewhere.
  ASSERT_TRUE(QDir(dir_.path()).mkdir("contest"));
  Write("contest/june.log", kThreeContacts);
  ASSERT_TRUE(QFile::link(dir_.filePath("contest/june.log"), dir_.filePath("log.txt")));
  Write("vhfpref.txt", Prefs());
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  LogMaintenanceHooks hooks;
  hooks.run_edit_window = [](frmEditCon& w) {
    w.txtEditCall->setText("K9Q");
    w.cmdDone_Click();
  };
  form->set_maintenance_hooks(hooks);
  form->ListView1->setCurrentItem(form->ListView1->topLevelItem(0));
  form->cmdEdit_Click();
  EXPECT_EQ(state_.log.ContactCount(), 3);
  EXPECT_TRUE(QFileInfo(dir_.filePath("log.txt")).isSymLink());
  EXPECT_TRUE(Read("contest/june.log").find("K9Q") != std::string::npos);

  form->show();
  EXPECT_TRUE(form->close());
  const QStringList kept = QDir(dir_.filePath("user/BACKUP")).entryList(QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  EXPECT_EQ(Read(("user/BACKUP/" + kept[0]).toStdString().c_str()), Read("contest/june.log"));
}

TEST_F(Form1StartupTest, FileErrorDuringStationSetupEndsStartUpAndKeepsTheFile) {
  // The stored CQ rover contest makes station setup reload the log.
  const std::string damaged = std::string(kThreeContacts) + "\"W9XYZ\",\"59\"\r\n";
  Write("vhfpref.txt", Prefs());
  Write("log.txt", damaged);
  setup_ = [] {
    StationSetupRefresh r;
    r.reload_log = true;
    return r;
  };
  prompter_.yes_no_answers = {false};
  prompter_.input_answers = {QString("YES")};
  auto form = Start();
  EXPECT_FALSE(loaded_);
  EXPECT_EQ(exit_codes_, std::vector<int>{1});
  EXPECT_TRUE(prompter_.WasAsked("File Error"));
  EXPECT_FALSE(prompter_.WasAsked("Open existing log?"));
  EXPECT_FALSE(prompter_.WasAsked("WARNING - Your existing log file will be ERASED!"));
  EXPECT_EQ(Read("log.txt"), damaged);
}

TEST_F(Form1StartupTest, OverfullBandIsNamedNotBlamedOnQuotes) {
  // 5001 different grids on 144 MHz.
  ContactLog log;
  for (int i = 0; i <= kMaxMultiplierKeys; ++i) {
    ContactRecord r{"W1AW", "59", "", "59", "FN20", "2007/06/09", "18:30", "144 M", "PH", ""};
    r.GridRcvd = {static_cast<char>('A' + i / 1800 % 18), static_cast<char>('A' + i / 100 % 18),
                  static_cast<char>('0' + i / 10 % 10), static_cast<char>('0' + i % 10)};
    log.Add(r);
  }
  const std::string bytes = FormatLog(log);
  Write("vhfpref.txt", Prefs());
  Write("log.txt", bytes);
  prompter_.yes_no_answers = {true};
  auto form = Start();
  EXPECT_FALSE(loaded_);
  EXPECT_EQ(exit_codes_, std::vector<int>{1});
  ASSERT_EQ(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[1].title, "File Error");
  const QString text = prompter_.asked[1].text;
  EXPECT_FALSE(text.contains("quote")) << text.toStdString();
  EXPECT_TRUE(text.contains("5000")) << text.toStdString();
  EXPECT_TRUE(text.contains("144 M")) << text.toStdString();
  EXPECT_TRUE(text.contains("record 5001")) << text.toStdString();
  EXPECT_EQ(Read("log.txt"), bytes);
}

TEST_F(Form1StartupTest, NoPreferenceFileStartsFromTheShippedOnesAndKeepsTheSharedStation) {
  Write("log.txt", kThreeContacts);
  state_.shared.Set("OWN_CALL", "W9XYZ", false);
  state_.shared.Set("OWN_GRID", "EN52", false);
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_TRUE(prompter_.WasAsked("Error opening default data."));
  EXPECT_EQ(state_.contest.CurrentBand, "50 M");
  EXPECT_EQ(state_.contest.CurrentMode, "PH");
  EXPECT_EQ(state_.prefs.WorkedColor, 255);
  EXPECT_EQ(state_.prefs.RemainingColor, 8421504);
  // Station setup writes these back to the shared file: they must not be blank.
  EXPECT_EQ(state_.prefs.OwnCall, "W9XYZ");
  EXPECT_EQ(state_.prefs.OwnGrid, "EN52");
  EXPECT_EQ(state_.log.ContactCount(), 3);
  ProgramPrefs saved;
  ASSERT_TRUE(ParsePrefs(Read("vhfpref.txt"), saved).ok());
  EXPECT_EQ(saved.CurrentBand, "50 M");
}

TEST_F(Form1StartupTest, ShortPreferenceFileIsReportedAndTheLogStillLoads) {
  Write("vhfpref.txt", Prefs(18));
  Write("log.txt", kThreeContacts);
  prompter_.yes_no_answers = {true};
  const std::string before = Read("vhfpref.txt");
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_EQ(prompter_.beeps, 1);
  ASSERT_GE(prompter_.asked.size(), 2u);
  EXPECT_EQ(prompter_.asked[0].title, "Error opening default data.");
  EXPECT_EQ(prompter_.asked[0].text,
            "Error loading default data .  Check to make sure vhfpref.txt is in your working "
            "directory.");
  EXPECT_EQ(prompter_.asked[1].title, "Open existing log?");
  // What was read stands, the damaged file is kept aside before start-up saves.
  EXPECT_EQ(state_.prefs.OwnCall, "N0CALL");
  EXPECT_EQ(state_.log.ContactCount(), 3);
  EXPECT_EQ(Read(kDamagedPrefsFile), before);
  ProgramPrefs reread;
  EXPECT_TRUE(ParsePrefs(Read("vhfpref.txt"), reread).ok());
  EXPECT_EQ(reread.OwnCall, "N0CALL");
}

TEST_F(Form1StartupTest, MissingPreferenceFileKeepsDefaults) {
  Write("log.txt", "");
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_TRUE(prompter_.WasAsked("Error opening default data."));
  EXPECT_EQ(state_.prefs.RecordRst, 1);
  EXPECT_EQ(state_.prefs.FormSizePercent, 100);
  EXPECT_EQ(state_.log.ContactCount(), 0);
  EXPECT_EQ(state_.LoadedContactCount, 0);
}

TEST_F(Form1StartupTest, FormSizeAnswersAreClampedOrRefused) {
  Write("vhfpref.txt", Prefs());
  Write("log.txt", "");
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);

  struct Case {
    std::optional<QString> answer;
    int stored;
    const char* title;
  };
  const Case cases[] = {
      {QString("120"), 100, "For this setting to take effect please restart this program."},
      {QString("10"), 30, "For this setting to take effect please restart this program."},
      {QString("85"), 85, "For this setting to take effect please restart this program."},
      {QString("abc"), 85, "Numeric Values Required"},
      {std::nullopt, 85, "Numeric Values Required"},
  };
  for (const Case& c : cases) {
    prompter_.asked.clear();
    prompter_.input_answers = {c.answer};
    form->mnuFormSize_Click();
    EXPECT_EQ(state_.prefs.FormSizePercent, c.stored);
    ASSERT_EQ(prompter_.asked.size(), 2u);
    EXPECT_EQ(prompter_.asked[0].title, "Please enter screen percentage.");
    EXPECT_EQ(prompter_.asked[1].title, c.title);
    // The stored file follows (line 9).
    ProgramPrefs reread;
    ASSERT_TRUE(ParsePrefs(Read("vhfpref.txt"), reread).ok());
    EXPECT_EQ(reread.FormSizePercent, c.stored);
  }
}

TEST_F(Form1StartupTest, TaskbarOptionNeedsFullSize) {
  Write("vhfpref.txt", Prefs());
  Write("log.txt", "");
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  EXPECT_FALSE(form->mnuTaskbar->isChecked());
  form->mnuTaskbar_Click();
  EXPECT_EQ(state_.prefs.TaskbarDisplay, 1);
  EXPECT_TRUE(form->mnuTaskbar->isChecked());
  EXPECT_EQ(form->design().applied_window.size(), QSize(1920, 1040));

  state_.prefs.FormSizePercent = 90;
  prompter_.asked.clear();
  form->mnuTaskbar_Click();
  EXPECT_EQ(state_.prefs.TaskbarDisplay, 1);
  EXPECT_TRUE(form->mnuTaskbar->isChecked());
  ASSERT_EQ(prompter_.asked.size(), 1u);
  EXPECT_EQ(prompter_.asked[0].title, "Please set your form size to 100% to use this option.");
  EXPECT_EQ(prompter_.asked[0].text,
            "The form size must be set to 100% to use the taskbar display option.");
}

TEST_F(Form1StartupTest, PreferencesAreWrittenToTheWorkingFolderWhereverTheProcessWent) {
  Write("vhfpref.txt", Prefs());
  Write("log.txt", "");
  prompter_.yes_no_answers = {true};
  auto form = Start();
  ASSERT_TRUE(loaded_);
  QTemporaryDir elsewhere;
  QDir::setCurrent(elsewhere.path());
  state_.prefs.OwnCall = "W9XYZ";
  ASSERT_TRUE(form->SavePref());
  EXPECT_FALSE(QFile::exists(elsewhere.filePath("vhfpref.txt")));
  ProgramPrefs reread;
  ASSERT_TRUE(ParsePrefs(Read("vhfpref.txt"), reread).ok());
  EXPECT_EQ(reread.OwnCall, "W9XYZ");
  EXPECT_EQ(reread.GridMapView, "View Grids");
}

TEST_F(Form1StartupTest, MenusCarryTheirCaptions) {
  Write("vhfpref.txt", Prefs());
  Write("log.txt", "");
  prompter_.yes_no_answers = {true};
  auto form = Start();
  EXPECT_FALSE(form->mnuOpen->isEnabled());
  const std::pair<const char*, const char*> items[] = {
      {"mnuExit", "&Exit"},
      {"mnuNew", "&New"},
      {"mnu160", "50 MHz"},
      {"mnu10", "1.3 GHz"},
      {"mnu241g", "241GHz"},
      {"mnuPrivileges", "&Privileges"},
      {"mnuRstRecord", "&Record"},
      {"mnuRstDontRecord", "&Don't Record"},
      {"mnuFormSize", "&Form Size"},
      {"mnuTaskbar", "&Taskbar"},
      {"mnuListPrevious", "&List Previous Contacts"},
      {"mnuArchive", "Archive Current &Log"},
      {"mnuRestore", "&Restore from Archive or Backup"},
      {"mnuExportADIF", "Export &ADIF Format"},
      {"mnuWriteSumm", "&Write Cabrillo File"},
      {"mnuCopyListtoClipboard", "&Copy Listed Items to Clipboard"},
      {"mnuPostContest", "&Post Contest Mode"},
  };
  for (const auto& [name, caption] : items) {
    QAction* a = form->FindAction(name);
    ASSERT_NE(a, nullptr) << name;
    EXPECT_EQ(a->text(), caption) << name;
  }
}

TEST_F(Form1StartupTest, ExitEndsAtOnceAndCloseBoxIsAccepted) {
  Write("vhfpref.txt", Prefs());
  Write("log.txt", kThreeContacts);
  prompter_.yes_no_answers = {true};
  auto form = Start();
  form->show();
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(exit_codes_.empty());
  form->mnuExit->trigger();
  EXPECT_EQ(exit_codes_, std::vector<int>{0});
}

TEST(ProgramStartTest, FreshFolderIsSeededAndPartialSetIsLeftAlone) {
  QTemporaryDir work, data, home;
  std::ofstream(data.filePath("vhfpref.txt").toStdString(), std::ios::binary) << Prefs();
  std::ofstream(data.filePath("log.txt").toStdString(), std::ios::binary) << "";
  std::ofstream(data.filePath("readVHF.txt").toStdString(), std::ios::binary) << "help\r\n";

  class FakeFolders : public FolderEnvironment {
   public:
    explicit FakeFolders(std::string base) : base_(std::move(base)) {}
    std::string Profile() override { return base_; }
    std::string MyDocuments() override { return {}; }
    std::string Documents() override { return base_ + "/Documents"; }
    std::string AppData() override { return base_ + "/appdata"; }
    std::string FallbackBase() override { return base_ + "/Documents"; }
    bool FolderExists(const std::string& path) override { return QDir(path.c_str()).exists(); }
    bool CreateFolder(const std::string& path, std::string&) override {
      return QDir().mkdir(path.c_str());
    }
    void Report(const std::string&, const std::string&) override {}

   private:
    std::string base_;
  } folders(home.path().toStdString());
  QDir(home.path()).mkdir("appdata");

  RunState state;
  PrepareRunState(state, work.path().toStdString(), folders, data.path().toStdString());
  EXPECT_TRUE(state.SeededDefaults);
  EXPECT_TRUE(QFile::exists(work.filePath("vhfpref.txt")));
  EXPECT_TRUE(QFile::exists(work.filePath("log.txt")));
  EXPECT_TRUE(QFile::exists(work.filePath("readVHF.txt")));
  EXPECT_TRUE(QDir(QString::fromStdString(state.BackupFolder())).exists());
  EXPECT_TRUE(QString::fromStdString(state.UserDataDirectory).endsWith("/QX9ZZ Software/VHF"));

  // A folder with a log but no preferences is not fresh: nothing is added.
  QTemporaryDir partial;
  std::ofstream(partial.filePath("log.txt").toStdString(), std::ios::binary) << kThreeContacts;
  RunState state2;
  PrepareRunState(state2, partial.path().toStdString(), folders, data.path().toStdString());
  EXPECT_FALSE(state2.SeededDefaults);
  EXPECT_FALSE(QFile::exists(partial.filePath("vhfpref.txt")));
}

TEST(ProgramStartTest, UnwritableDocumentsFolderIsReportedInOneBox) {
  QTemporaryDir work, data;
  class RefusingFolders : public FolderEnvironment {
   public:
    std::string Profile() override { return "/home/op"; }
    std::string MyDocuments() override { return {}; }
    std::string Documents() override { return "/home/op/Documents"; }
    std::string AppData() override { return "/home/op/.local/share"; }
    std::string FallbackBase() override { return "/home/op/Documents"; }
    bool FolderExists(const std::string& path) override { return path == "/home/op/Documents"; }
    bool CreateFolder(const std::string& path, std::string& error) override {
      error = "Permission denied  " + path;
      return false;
    }
    void Report(const std::string& title, const std::string& text) override {
      reports.push_back(title + ": " + text);
    }
    std::vector<std::string> reports;
  } folders;
  RunState state;
  PrepareRunState(state, work.path().toStdString(), folders, data.path().toStdString());
  ASSERT_EQ(folders.reports.size(), 1u);
  // The first failure is the cause; the folders below it fail only because of it.
  EXPECT_NE(folders.reports[0].find("/home/op/Documents/QX9ZZ Software"), std::string::npos)
      << folders.reports[0];
  EXPECT_EQ(folders.reports[0].find("/VHF"), std::string::npos) << folders.reports[0];
}

TEST(ProgramStartTest, SecondCopyOnOneFolderSaysSoAndTouchesNothing) {
  QTemporaryDir work;
  std::ofstream(work.filePath("log.txt").toStdString(), std::ios::binary) << kThreeContacts;
  const std::string log = work.filePath("log.txt").toStdString();
  LogLock first(log);
  ScriptedPrompter prompter;
  ASSERT_TRUE(ClaimWorkingFolder(first, prompter, work.path().toStdString()));
  EXPECT_TRUE(prompter.asked.empty());

  LogLock second(log);
  EXPECT_FALSE(ClaimWorkingFolder(second, prompter, work.path().toStdString()));
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].title, "Log already open");
  EXPECT_TRUE(prompter.asked[0].text.contains("already open in another copy"))
      << prompter.asked[0].text.toStdString();
  EXPECT_TRUE(prompter.asked[0].text.contains(work.path()));
  EXPECT_EQ(QDir(work.path()).entryList(QDir::Files | QDir::Hidden),
            (QStringList{".log.txt.lock", "log.txt"}));
  std::ifstream in(log, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
            kThreeContacts);
}

}  // namespace
}  // namespace vantrel::ui

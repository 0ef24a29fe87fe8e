// Form1: the main logging window. It owns the program run: the contact log,
// the preference values and every other window, which it creates on demand.
//
// Responsibilities: hold every control and menu item under its established
// name; route keys and clicks to the part that handles them; run the
// start-up sequence, the clocks and both ways out.
// Collaborations: RunState (the run's data), Prompter (questions and
// messages), form_scale (layout), and the parts that each build and run one
// piece of the window under the names below: Form1Menus (the menu bar),
// Form1BandMode (band and mode selection and display),
// Form1Files (vhfpref.txt and log.txt), Form1EntryPanel (the entry fields'
// keys and logging a contact), Form1ScorePanel (score, rates, band view,
// "New", bearing and distance), Form1GridMap (the grid map and its view
// switch).
#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <memory>

#include "common/utc_clock.h"
#include "contest/grid_map.h"
#include "contest/tallies.h"
#include "log/log_storage.h"
#include "settings/settings_store.h"
#include "ui/contact_list_view.h"
#include "ui/form6.h"
#include "ui/form_scale.h"
#include "ui/frm_station_id.h"
#include "ui/log_maintenance_ui.h"
#include "ui/prompter.h"
#include "ui/run_state.h"

namespace vantrel::ui {

class Form1BandMode;
class Form1EntryPanel;
class Form1Files;
class Form1Menus;
class Form1GridMap;
class Form1ScorePanel;
class Form1Rover;
class Form1Voice;
class Form1Spots;
class Form1Cw;
class Form1BandMap;
class RigControlfrm;

inline constexpr int kGridLabelCount = 165;
// Where a damaged vhfpref.txt is kept before start-up saves over it.
inline constexpr const char* kDamagedPrefsFile = "vhfpref.damaged.txt";

class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  // The caption: product and version, 64 blanks, then our web address. The
  // exports take the product name from its first 50 characters.
  static QString Caption();

  Form1(RunState& state, Prompter& prompter, ScreenGeometry screen, QWidget* parent = nullptr);
  ~Form1() override;

  // The load step of start-up. Returns false when the program must end
  // (the log could not be loaded). `terminate_requested()` then says so too.
  bool Load();

  // Reloads the whole log from log.txt and rebuilds what derives from it. A
  // file that cannot be loaded shows "File Error" and ends the program.
  bool mnuopen2();
  // The question of start-up: continue the existing log or start anew.
  bool AskContinueLog();
  // Asks for the typed "YES", erases the log when given, reloads either way.
  bool StartNewLog();
  // Writes vhfpref.txt whole from the current values.
  bool SavePref();
  // Every read and write of log.txt goes through here; tests may inject one.
  LogStorage& log_storage();
  void set_log_storage(std::unique_ptr<LogStorage> storage) { log_storage_ = std::move(storage); }

  RunState& state() { return state_; }
  DesignForm& design() { return *design_; }
  bool terminate_requested() const { return terminate_requested_; }
  // How the program ends when the log cannot be loaded; tests replace it.
  void set_terminate_handler(std::function<void(int)> handler) { terminate_ = std::move(handler); }
  // The local wall clock behind every time stamp; tests inject a fixed one.
  void set_clock(const Clock* clock);
  const Clock& clock() const { return *clock_; }
  // Where remembered values outside the working folder live; tests inject one.
  void set_settings_store(SettingsStore* store);
  SettingsStore& settings_store() { return *settings_; }

  // Logging a contact: Enter in any entry field.
  void Mains();
  void cmdClear_Click();
  void mnuRecall_Click();
  void SetRecordRst(int value);
  void mnuPostContest_Click();
  void mnuListPrevious_Click();
  void cmdDup_Click();
  bool PostContestMode() const { return !txtPostConTime->isHidden(); }

  // The contact list and the log's upkeep.
  void FillContactList();
  void AddContactListItem(int record);
  int ContactListItemCount() const;
  void cmdList_Click();
  void cmdEdit_Click();
  void cmdDelete_Click();
  ContactListView& contact_list() { return *contact_list_; }
  // File dialogs and the edit window's modal run; tests answer them.
  void set_maintenance_hooks(LogMaintenanceHooks hooks) { maintenance_ = std::move(hooks); }

  // Score and rates.
  void Labeldisplay();
  void TimeStats();
  QTimer* Timer1 = nullptr;
  const Tallies& tallies() const { return tallies_; }
  const GridMap& grid_map() const;
  void Command2_Click();
  void mnuSetup_Click();
  // The own grid changed outside the setup window (the grid box, the GPS):
  // stored and refreshed as setup stores and refreshes it.
  void ApplyOwnGrid(const std::string& grid);
  // GPS own grid, the grid box, band keys.
  Form1Rover& rover() { return *rover_; }
  void mnuColors_Click();

  // What start-up and the Setup menu run to ask for the station; tests
  // replace the modal window. The UTC clock the offset check compares with.
  using StationSetupRunner = std::function<StationSetupRefresh(Form1&)>;
  void set_station_setup_runner(StationSetupRunner runner) { setup_runner_ = std::move(runner); }
  void set_utc_source(std::function<UtcTime()> source) { utc_source_ = std::move(source); }
  void set_colour_dialog(ColourDialog dialog) { colour_dialog_ = std::move(dialog); }

  // Bands and modes.
  void SelectBand(int band_index);  // 1..17, as its menu item
  void RunBandChange();
  void SetMode(std::string_view mode);
  void Label30_Click();
  void ModeSelection(std::string_view radio_mode);
  void BandFreqConversion(float mhz);

  // The clock display, once a second.
  void Timer2_Tick();
  QTimer* Timer2 = nullptr;

  // Keys held back after a refused duplicate, and the timer that lets them go.
  QTimer* holdTimer = nullptr;
  void ReleaseHeldKeys();
  bool DupeFound() const;
  bool EntryIncomplete() const;

  // Controls, under their established names.
  QLineEdit* txtCall = nullptr;
  QLineEdit* txtRSTR = nullptr;
  QLineEdit* txtSec = nullptr;
  QLineEdit* txtRSTS = nullptr;
  QLineEdit* txtPostConTime = nullptr;
  QLineEdit* txtPostConDate = nullptr;
  QLabel* lblCallCaption = nullptr;
  QLabel* lblRstRCaption = nullptr;
  QLabel* lblGridCaption = nullptr;
  QLabel* lblRstSCaption = nullptr;
  QLabel* lblPostConTime = nullptr;
  QLabel* lblPostConDate = nullptr;
  QPushButton* cmdClear = nullptr;
  QLabel* Label3 = nullptr;  // "New"
  QLabel* Label14 = nullptr;
  QLabel* Label23 = nullptr;  // bearing
  QLabel* Label22 = nullptr;
  QLabel* Label24 = nullptr;  // distance
  QLabel* lblDialog = nullptr;
  QLabel* Label11 = nullptr;
  QLabel* lblutctime = nullptr;
  QLabel* lblCurTime = nullptr;
  QLabel* Label16 = nullptr;
  QLabel* lblPossDup = nullptr;
  QPushButton* cmdDup = nullptr;
  QLabel* lblDupe = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* lblTotCon = nullptr;
  QLabel* Label13 = nullptr;
  QLabel* lblTotSec = nullptr;
  QLabel* Label6 = nullptr;
  QLabel* lblsectogo = nullptr;
  QLabel* Label7 = nullptr;
  QLabel* lblTotScore = nullptr;
  QLabel* Label8 = nullptr;
  QLabel* lblAQSO20 = nullptr;
  QLabel* Label9 = nullptr;
  QLabel* lblAQSO60 = nullptr;
  QLabel* Label2 = nullptr;   // own call
  QLabel* Label4 = nullptr;   // own grid
  QLabel* Label20 = nullptr;  // "Band"
  QLabel* Label21 = nullptr;  // current band in words
  QLabel* lblBandSwitch = nullptr;
  QLabel* Label30 = nullptr;                  // current mode
  QLabel* Label10 = nullptr;                  // "#Contacts / #Grids"
  std::array<QLabel*, 10> bandNameLabels{};   // lbl160 .. Label19
  std::array<QLabel*, 10> bandCountLabels{};  // lbl50 .. lbl10
  std::array<QListWidget*, 10> gridLists{};   // List1 .. List10
  std::array<QLabel*, kGridLabelCount> lblGrid{};
  QLabel* lblRecentContacts = nullptr;
  QPushButton* cmdList = nullptr;
  QPushButton* cmdEdit = nullptr;
  QPushButton* cmdDelete = nullptr;
  QPushButton* Command2 = nullptr;  // view switch
  QPushButton* Command3 = nullptr;  // map north
  QPushButton* Command4 = nullptr;  // map south
  QPushButton* Command5 = nullptr;  // map west
  QPushButton* Command6 = nullptr;  // map east
  QTreeWidget* ListView1 = nullptr;

  // Menu items, under their established names.
  QAction* mnuNew = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuArchive = nullptr;
  QAction* mnuRestore = nullptr;
  QAction* mnuWriteSumm = nullptr;
  QAction* mnuExportADIF = nullptr;
  QAction* mnuExit = nullptr;
  QAction* mnuRecall = nullptr;
  QAction* mnuCopyListtoClipboard = nullptr;
  QAction* mnuListPrevious = nullptr;
  QAction* mnuPostContest = nullptr;
  std::array<QAction*, 17> bandMenuItems{};
  QAction* mnuPrivileges = nullptr;
  QAction* mnuCW = nullptr;
  QAction* mnuPhone = nullptr;
  QAction* mnuRstRecord = nullptr;
  QAction* mnuRstDontRecord = nullptr;
  QAction* mnuSetup = nullptr;
  QAction* mnuColors = nullptr;
  QAction* mnuFormSize = nullptr;
  QAction* mnuTaskbar = nullptr;
  QAction* mnuRigInterface = nullptr;
  QAction* mnuSpotConfigure = nullptr;
  QAction* mnuViewSpectrumMap = nullptr;
  QAction* mnuCWSetup = nullptr;
  QAction* mnuCWStrings = nullptr;
  QAction* mnuPhoneSetup = nullptr;
  QAction* mnuVoiceNavigation = nullptr;
  QAction* mnugraph = nullptr;
  QAction* mnuHelp = nullptr;

  QAction* FindAction(const QString& name) const;

  // Where the panels place their controls: the client area, in design units.
  QWidget* client() const { return client_; }
  QLabel* AddLabel(const char* name, const QString& caption, int left, int top, int width,
                   int height, double font = 8.0);
  QPushButton* AddButton(const char* name, const QString& caption, int left, int top, int width,
                         int height, double font = 8.0);
  // The rig window, created on first use and kept for the run.
  RigControlfrm& RigWindow();
  // The voice keyer and voice navigation.
  Form1Voice& voice() { return *voice_; }
  // DX spots: the store, the spot list and the spotting window.
  Form1Spots& spots() { return *spots_; }
  Form1Cw& cw() { return *cw_; }
  // The spot area: band map, spot list, spectrum map.
  Form1BandMap& band_map() { return *band_map_; }
  void mnuRigInterface_Click();

  // Menu handlers that exist now.
  void mnuFormSize_Click();
  void mnuTaskbar_Click();
  void mnuExit_Click();
  void mnuNew_Click();

  // The 100 % layout (work area or whole screen), also run when the taskbar
  // option changes.
  void ApplyFullLayout();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QLineEdit* AddTextBox(const char* name, int left, int top, int width, int height, int max_length,
                        double font = 12.0);

  // Start-up steps and hand-offs that later work fills in. Each is named for
  // what it will do; until then it does nothing.
  void OfferUtcOffsetCorrection();
  void ApplyGridMapView();
  void OpenStationSetup();
  void ReadVoiceKeyerSettings();
  void ReadCwSettings();
  void OpenRigInterface();
  void ShowRigTune();  // Ctrl+G
  // The window's side of a recount: lists, score, rates and the map.
  void RecountTallies();
  LogMaintenanceHooks MaintenanceHooks();
  void RedrawBandMap();
  void RefreshBandMapSpots();
  void EmptyCwBuffer();
  void StopRepeatingMessages();
  bool CwSending() const;
  void CloseOtherWindows() {}
  void Backup();
  void Announce(const char* what);
  // Runs `then` once the announcement playing has ended.
  void AwaitAnnouncement(std::function<void()> then);
  void OpenWindowForShortcut(int key);

  // Entry fields: the keys and logging live in the entry panel.
  friend class Form1EntryPanel;
  bool FormWideKey(QKeyEvent* key);
  bool IsEntryField(const QWidget* w) const;
  void ShowDialog(const QString& text, const QColor& background);

  // The run's files: the files panel reads and writes them.
  friend class Form1Files;
  // The menu bar opens windows with the run's state, prompter and screen.
  friend class Form1Menus;
  // Band and mode changes refresh the panels and reach the band map stub.
  friend class Form1BandMode;
  friend class Form1Rover;
  void RefreshAfterStation(const StationSetupRefresh& r);
  friend class Form1Voice;
  friend class Form1Spots;
  // CW keys, windows and keyboard mode.
  friend class Form1Cw;
  friend class Form1BandMap;
  void RestoreWorkingDirectory();
  void Terminate(int code);

  RunState& state_;
  Prompter& prompter_;
  ScreenGeometry screen_;
  std::unique_ptr<DesignForm> design_;
  QWidget* client_ = nullptr;
  std::function<void(int)> terminate_;
  bool terminate_requested_ = false;
  bool closing_via_exit_ = false;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<SettingsStore> own_settings_;
  SettingsStore* settings_ = nullptr;
  const Clock* clock_ = nullptr;
  // The panels are children: Qt deletes them.
  Form1EntryPanel* entry_ = nullptr;
  Form1Files* files_ = nullptr;
  Form1Menus* menus_ = nullptr;
  Form1BandMode* bands_ = nullptr;
  Form1ScorePanel* score_ = nullptr;
  Form1GridMap* map_ = nullptr;
  Form1Rover* rover_ = nullptr;
  Form1Voice* voice_ = nullptr;
  Form1Spots* spots_ = nullptr;
  Form1Cw* cw_ = nullptr;
  Form1BandMap* band_map_ = nullptr;
  Tallies tallies_;
  StationSetupRunner setup_runner_;
  std::function<UtcTime()> utc_source_;
  ColourDialog colour_dialog_;
  std::unique_ptr<ContactListView> contact_list_;
  LogMaintenanceHooks maintenance_;
  std::unique_ptr<LogStorage> log_storage_;
  RigControlfrm* rig_window_ = nullptr;  // a child: Qt deletes it
};

}  // namespace vantrel::ui

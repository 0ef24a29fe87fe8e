// Every window for an operator with a screen reader and no pointer: each
// control has a name, Tab reaches every control, Esc closes the dialogs, and
// results are spoken without the focus moving. kWindows lists every window
// the program opens; a new window is added there and is then held to the
// same rules.
#include <QAccessible>
#include <QGroupBox>
#include <QMenuBar>
#include <QRadioButton>
#include <functional>
#include <memory>

#include <QRegularExpression>

#include "form1_fixture.h"
#include "keying/cw_settings.h"
#include "platform/gpsd_client.h"
#include "platform/qt_serial_port.h"
#include "support/fake_wave_player.h"
#include "support/keying_doubles.h"
#include "support/manual_millisecond_clock.h"
#include "support/memory_settings_store.h"
#include "support/recording_serial_port.h"
#include "support/sample_log.h"
#include "ui/accessible_names.h"
#include "ui/all_bands_map.h"
#include "ui/blind_frm.h"
#include "ui/cw_frm.h"
#include "ui/form1_accessibility.h"
#include "ui/form1_cw.h"
#include "ui/form1_rover.h"
#include "ui/form1_spots.h"
#include "ui/form2.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/frm_band_plan.h"
#include "ui/frm_code_practice.h"
#include "ui/frm_cw_strings.h"
#include "ui/frm_edit_con.h"
#include "ui/frm_frequency_test.h"
#include "ui/frm_rig_tune.h"
#include "ui/frm_station_id.h"
#include "ui/frm_winkey.h"
#include "ui/graph_qso.h"
#include "ui/logo_window.h"
#include "ui/own_grid_box.h"
#include "ui/packet_spotfrm.h"
#include "ui/phone_frm.h"
#include "ui/rig_controlfrm.h"
#include "ui/serial_ports_window.h"

namespace vantrel::ui {
namespace {

const ScreenGeometry kScreen{QRect(0, 0, 1366, 768), QRect(0, 0, 1366, 728)};

class AccessibilityTest : public Form1Fixture {
 protected:
  void TearDown() override {
    opened_.reset();
    form_.reset();
  }
  // Keeps a window opened by a row of kWindows alive for the test.
  QWidget* Keep(QWidget* w) {
    opened_.reset(w);
    return w;
  }
  RunState& Station() {
    state_.prefs.OwnCall = "N0CALL";
    state_.prefs.OwnGrid = "FN20";
    state_.contest.ContestId = 2;
    state_.log = MakeSampleLog(40, 7);
    return state_;
  }

  MemorySettingsStore store_;
  std::unique_ptr<ComPortMap> ports_;
  std::unique_ptr<QWidget> opened_;
};

class WindowRules;
struct WindowCase {
  const char* name;
  bool dialog;  // Esc closes it
  std::function<QWidget*(WindowRules&)> open;
};

class WindowRules : public AccessibilityTest, public ::testing::WithParamInterface<WindowCase> {
 public:
  // The hooks the rows need, reached from outside the fixture.
  void StartMain() {
    Start(Line("W1AW", "59", "FN31", "59", "FN20", "06/09/2007", "1900", "144 M", "PH"));
  }
  Form1* Main() { return form_.get(); }
  using AccessibilityTest::Keep;
  using AccessibilityTest::Station;
  ScriptedPrompter& prompter() { return prompter_; }
  SettingsStore& store() { return store_; }
  ComPortMap& ports() {
    if (!ports_)
      ports_ =
          std::make_unique<ComPortMap>(store_, [](const std::string&) { return std::nullopt; });
    return *ports_;
  }
  std::string folder() { return dir_.path().toStdString(); }
  std::unique_ptr<WavePlayer> Player() { return std::make_unique<FakeWavePlayer>(ms_clock_); }
  VoiceDevices Devices() {
    struct NoParallel : ParallelPort {
      void Write(std::uint16_t, std::uint8_t) override {}
    };
    return {Player(), std::make_unique<RecordingSerialPort>(), std::make_unique<NoParallel>()};
  }
  ManualMillisecondClock ms_clock_;
};

// Every window the program opens.
const WindowCase kWindows[] = {
    {"Main", false,
     [](WindowRules& r) {
       r.StartMain();
       return static_cast<QWidget*>(r.Main());
     }},
    {"StationSetup", true,
     [](WindowRules& r) { return r.Keep(new frmStationID(r.Station(), r.prompter(), kScreen)); }},
    {"SummarySheet", true,
     [](WindowRules& r) {
       return r.Keep(new Form2({r.Station(), r.store(), r.prompter(), "4321", {}, {}}, kScreen));
     }},
    {"Help", true, [](WindowRules& r) { return r.Keep(new Form5(r.folder(), kScreen)); }},
    {"Colours", true, [](WindowRules& r) { return r.Keep(new Form6(r.Station().prefs, kScreen)); }},
    {"BandPrivileges", true,
     [](WindowRules& r) { return r.Keep(new frmBandPlan(r.folder(), r.prompter(), kScreen)); }},
    {"EditContact", true,
     [](WindowRules& r) {
       return r.Keep(new frmEditCon(r.Station().log, 12, r.prompter(), kScreen));
     }},
    {"ActivityGraph", true,
     [](WindowRules& r) { return r.Keep(new GraphQSO(r.Station().log, r.prompter(), kScreen)); }},
    {"SerialPorts", true,
     [](WindowRules& r) {
       return r.Keep(new SerialPortsWindow(r.ports(), kScreen, [] {
         return std::vector<DetectedPort>{{"/dev/ttyUSB0", "FT232R USB UART"}};
       }));
     }},
    {"RigInterface", true,
     [](WindowRules& r) {
       return r.Keep(new RigControlfrm(r.Station(), r.prompter(), kScreen,
                                       std::make_unique<QtSerialPort>(r.ports()), r.store(), {}));
     }},
    {"WinKeySetup", true,
     [](WindowRules& r) {
       return r.Keep(new frmWinKey(r.Station(), r.prompter(), r.store(), kScreen, {}));
     }},
    {"Logo", false, [](WindowRules& r) { return r.Keep(new LogoWindow(QString(), kScreen)); }},
    {"RigTune", true,
     [](WindowRules& r) {
       r.StartMain();
       return r.Keep(new frmRigTune(r.Main()->RigWindow(), r.prompter(), r.Main()));
     }},
    {"CommandTest", true,
     [](WindowRules& r) {
       r.StartMain();
       return r.Keep(new frmFrequencyTest(r.Main()->RigWindow(), r.prompter(), r.Main()));
     }},
    // Esc puts a TNC in command mode there; Done (Alt+D) closes it.
    {"DxSpotting", false,
     [](WindowRules& r) {
       r.StartMain();
       return static_cast<QWidget*>(&r.Main()->spots().Window());
     }},
    {"CwSetup", true,
     [](WindowRules& r) {
       r.StartMain();
       return static_cast<QWidget*>(&r.Main()->cw().setup());
     }},
    // Esc stops the CW being sent, as on the main window.
    {"CwStrings", false,
     [](WindowRules& r) {
       r.StartMain();
       return static_cast<QWidget*>(&r.Main()->cw().strings());
     }},
    {"CodePractice", true,
     [](WindowRules& r) {
       r.StartMain();
       return r.Keep(new frmCodePractice(r.Main()->cw().setup(), kScreen));
     }},
    {"PhoneWaves", true,
     [](WindowRules& r) {
       return r.Keep(new PhoneFrm(r.Station(), r.prompter(), kScreen, r.Devices()));
     }},
    {"VoiceNavigation", true,
     [](WindowRules& r) {
       return r.Keep(new BlindFrm(r.Station(), kScreen, r.Player(), r.ms_clock_, {}));
     }},
    {"OwnGrid", true,
     [](WindowRules& r) { return r.Keep(new OwnGridBox("FN20", r.prompter(), nullptr)); }},
    {"SpectrumMap", true,
     [](WindowRules& r) {
       static const SpotStore store;
       static const FixedClock clock;
       return r.Keep(new SpectrumMap(store, clock, 0, kScreen, {}));
     }},
};

QWidget* Show(QWidget* w) {
  w->show();
  QApplication::setActiveWindow(w);
  QApplication::processEvents();
  return w;
}

// An unchecked button of an exclusive radio group is skipped by Tab; its
// group is reached through the checked one and the arrows.
bool TabStop(const QWidget* w) {
  if (!w->isVisibleTo(w->window()) || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
    return false;
  if (auto* r = qobject_cast<const QRadioButton*>(w); r && r->autoExclusive() && !r->isChecked())
    for (const QRadioButton* other : r->parentWidget()->findChildren<QRadioButton*>())
      if (other->isChecked()) return false;
  return true;
}

// The focus path from the current focus, Tab by Tab, until it comes round.
QStringList TabCycle(QWidget* window, int limit = 80) {
  QStringList seen;
  QWidget* first = QApplication::focusWidget();
  for (QWidget* at = first; at && seen.size() < limit;) {
    seen << at->objectName();
    QTest::keyClick(at, Qt::Key_Tab);
    at = QApplication::focusWidget();
    if (at == first || !at || at->window() != window) break;
  }
  return seen;
}

TEST_P(WindowRules, EveryControlIsNamed) {
  QWidget* w = Show(GetParam().open(*this));
  EXPECT_EQ(UnnamedControls(w).join(", ").toStdString(), "");
}

TEST_P(WindowRules, TabReachesEveryControl) {
  QWidget* w = Show(GetParam().open(*this));
  if (!QApplication::focusWidget()) QTest::keyClick(w, Qt::Key_Tab);
  const QStringList cycle = TabCycle(w);
  for (QWidget* c : w->findChildren<QWidget*>()) {
    if (c->window() == w && TabStop(c)) {
      EXPECT_TRUE(cycle.contains(c->objectName())) << c->objectName().toStdString();
    }
  }
}

// A control placed by window coordinates inside a frame lands outside it,
// where nobody can see or click it; at least half of each must show.
TEST_P(WindowRules, ControlsInFramesShowInsideThem) {
  QWidget* w = Show(GetParam().open(*this));
  for (QGroupBox* frame : w->findChildren<QGroupBox*>()) {
    if (!frame->isVisibleTo(w)) continue;
    for (QWidget* c : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!c->isVisibleTo(w) || c->width() <= 0 || c->height() <= 0) continue;
      const QRect shown = c->geometry() & frame->rect();
      EXPECT_GE(2 * shown.width() * shown.height(), c->width() * c->height())
          << frame->objectName().toStdString() << " / " << c->objectName().toStdString();
    }
  }
}

// Esc closes a dialog; the main window keeps it for clearing the entry.
TEST_P(WindowRules, EscClosesDialogsOnly) {
  QWidget* w = Show(GetParam().open(*this));
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : w, Qt::Key_Escape);
  EXPECT_EQ(w->isVisible(), !GetParam().dialog);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowRules, ::testing::ValuesIn(kWindows),
                         [](const auto& info) { return std::string(info.param.name); });

// The focus paths an operator learns: the entry fields alone in the main
// window, and each setup window top to bottom, left to right.
TEST_F(AccessibilityTest, MainWindowTabsThroughTheEntryFields) {
  Start();
  EXPECT_EQ(TabCycle(form_.get()).join(" ").toStdString(), "txtCall txtRSTR txtSec txtRSTS");
  form_->mnuPostContest_Click();
  form_->txtCall->setFocus();
  EXPECT_EQ(TabCycle(form_.get()).join(" ").toStdString(),
            "txtCall txtRSTR txtSec txtRSTS txtPostConTime txtPostConDate");
}

TEST_F(AccessibilityTest, SetupWindowsTabTopToBottom) {
  state_.prefs.OwnCall = "N0CALL";
  state_.prefs.OwnGrid = "FN20";
  frmStationID setup(state_, prompter_, kScreen);
  Show(&setup);
  setup.Text1->setFocus();
  EXPECT_EQ(TabCycle(&setup).join(" ").toStdString(),
            "Text1 Text5 Text6 Text3 Text2 Option1 Option5 Command1");

  ComPortMap map(store_, [](const std::string&) { return std::nullopt; });
  SerialPortsWindow ports(map, kScreen, [] { return std::vector<DetectedPort>{}; });
  Show(&ports);
  ports.lstDetected->setFocus();
  EXPECT_EQ(TabCycle(&ports).join(" ").toStdString(),
            "lstDetected cmdUse cmdRefresh txtCom1 txtCom2 txtCom3 txtCom4 txtCom5 txtCom6 "
            "txtCom7 txtCom8 txtCom9 txtCom10 cmdSave cmdCancel");
}

// ------------------------------------------------------------ spoken ---

// What the main window's live region said, in order.
class SpokenTest : public AccessibilityTest {
 protected:
  void Start(const std::string& log_text = "", const char* mode = "PH") {
    AccessibilityTest::Start(log_text, 1, mode);
    auto* region = form_->findChild<LiveRegion*>();
    ASSERT_TRUE(region);
    QObject::connect(region, &LiveRegion::Spoken, [this](const QString& t) { said_ << t; });
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(region);
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->role(), QAccessible::Notification);
  }
  // Lets the window draw, which is when a changed label is spoken.
  QString Said() {
    QApplication::processEvents();
    const QString all = said_.isEmpty() ? QString() : said_.join("|") + "|";
    said_.clear();
    return all;
  }
  QStringList said_;
};

TEST_F(SpokenTest, ResultsAreSpokenAsTheyHappen) {
  Start();
  Said();
  struct Row {
    const char* call;
    const char* grid;
    const char* spoken;
  } rows[] = {
      {"W1AW", "FN31", "Logged W1AW, contact 1|"},
      {"K2XYZ", "", "Need Grid!|"},
  };
  for (const Row& r : rows) {
    form_->cmdClear_Click();
    Said();
    form_->txtCall->setFocus();
    Type(form_->txtCall, r.call);
    Said();
    form_->txtSec->setFocus();
    Type(form_->txtSec, r.grid);
    Said();
    Enter();
    EXPECT_EQ(Said().toStdString(), r.spoken) << r.call;
  }
}

TEST_F(SpokenTest, ARefusedDupeIsSpokenEachTime) {
  Start(Line("W1AW", "59", "FN31", "59", "FN20", "06/09/2007", "1900", "144 M", "PH"));
  Said();
  for (int attempt = 0; attempt < 2; ++attempt) {
    clock_.Set(MakeLocalTime(2007, 6, 9, 20, 31 + attempt * 5, 0));  // past the hold
    form_->cmdClear_Click();
    LogContact("W1AW", "FN31");
    const QString said = Said();
    EXPECT_TRUE(said.startsWith("Duplicate ")) << said.toStdString();
    EXPECT_EQ(said.toStdString(), (form_->lblDialog->text() + "|").toStdString());
  }
}

TEST_F(SpokenTest, PossibleDupesAndTheNewMarkAreSpoken) {
  Start(Line("W1AW", "59", "FN31", "59", "FN20", "06/09/2007", "1900", "144 M", "PH"));
  Said();
  Type(form_->txtCall, "W1A");
  EXPECT_TRUE(Said().contains("W1AW")) << form_->lblDupe->text().toStdString();
  form_->txtSec->setFocus();
  Type(form_->txtSec, "EM12");
  EXPECT_EQ(Said().toStdString(), "New multiplier on this band|");
  // A blank message line says nothing.
  form_->cmdClear_Click();
  EXPECT_EQ(Said().toStdString(), "");
}

// The keyer's, the spot intake's and the GPS's messages on the main window
// reach the operator whose focus stays in the call field.
TEST_F(SpokenTest, KeyerSpotAndGpsMessagesAreSpoken) {
  CwSettings cw;
  cw.keying_line = 2;  // DTR
  Write("CW.txt", FormatCwSettings(cw));
  Start("", "CW");
  GatedKeyingClock keying_clock;
  RecordingKeyLine line{keying_clock};
  form_->cw().setup().keyer().UseForTest(
      keying_clock, [&](int) { return std::make_unique<ForwardingKeyLine>(line); });
  store_.Save(kSettingsApplication, kSettingsSection, kGpsHostKey, "127.0.0.1");
  store_.Save(kSettingsApplication, kSettingsSection, kGpsPortKey, "1");  // nothing listens
  form_->set_settings_store(&store_);
  form_->rover().SetGpsOn(true);
  form_->rover().Report({GpsdReportKind::kFix, 3, 40.99, -75.5, ""});  // in FN20
  Said();
  auto key = [this](Qt::Key k) { return [this, k] { QTest::keyClick(form_->txtCall, k); }; };
  const struct {
    const char* what;
    std::function<void()> act;
    const char* spoken;  // pattern of all that was said
  } rows[] = {
      {"faster", key(Qt::Key_Up), R"(^\d+ WPM\|$)"},
      {"slower", key(Qt::Key_Down), R"(^\d+ WPM\|$)"},
      {"keyboard CW on", key(Qt::Key_F12), R"(^Keyboard CW mode is ON!  Press F12.*\|$)"},
      // The message line only empties; the word says it.
      {"keyboard CW off", key(Qt::Key_F12), R"(^Keyboard CW mode is off\|$)"},
      {"own call spotted",
       [this] {
         form_->spots().BandMapSpots("N0CALL", "144200.0", "DX de K1ABC: 144200.0 N0CALL FN20");
       },
       R"(^You've been spotted! \|.*You've been spotted!  DX de K1ABC)"},
      {"GPS in another square",
       [this] {
         form_->rover().Report({GpsdReportKind::kFix, 3, 41.01, -75.5, ""});
       },
       R"(^GPS: you are in FN21[\s\S]*Alt\+Y.*\|$)"},
  };
  for (const auto& r : rows) {
    r.act();
    const QString said = Said();
    EXPECT_TRUE(QRegularExpression(r.spoken).match(said).hasMatch())
        << r.what << ": " << said.toStdString();
  }
}

// ------------------------------------------------------------- reach ---

TEST_F(AccessibilityTest, ReachKeysCollideWithNoMenuOrCaption) {
  Start();
  QList<QKeySequence> taken;
  for (QAction* a : form_->menuBar()->actions()) taken << QKeySequence::mnemonic(a->text());
  for (QPushButton* b : form_->findChildren<QPushButton*>())
    if (b->window() == form_.get()) taken << QKeySequence::mnemonic(b->text());
  // The rover's keys: the grid box, the GPS warning's answers, the bands.
  for (Qt::Key rover : {Qt::Key_S, Qt::Key_Y, Qt::Key_N, Qt::Key_0, Qt::Key_1, Qt::Key_2, Qt::Key_3,
                        Qt::Key_4, Qt::Key_5, Qt::Key_6, Qt::Key_7, Qt::Key_8, Qt::Key_9})
    taken << QKeySequence(Qt::ALT | rover);
  for (const ReachKey& k : kForm1ReachKeys) {
    EXPECT_FALSE(k.key.keyboardModifiers() & Qt::ControlModifier) << k.control;
    EXPECT_FALSE(taken.contains(QKeySequence(k.key))) << k.control;
    EXPECT_TRUE(form_->findChild<QWidget*>(k.control)) << k.control;
  }
}

TEST_F(AccessibilityTest, KeysReachTheListTheMapAndTheButtons) {
  Start(Line("W1AW", "59", "FN31", "59", "FN20", "06/09/2007", "1900", "144 M", "PH") +
        Line("K2XYZ", "59", "FN12", "59", "FN20", "06/09/2007", "1905", "144 M", "PH"));
  int edited = 0;
  LogMaintenanceHooks hooks;
  hooks.run_edit_window = [&](frmEditCon& w) { edited = w.EditRecordNumber(); };
  form_->set_maintenance_hooks(hooks);

  // The contact list: the newest contact chosen, Enter edits it, Esc returns.
  QTest::keyClick(form_->txtCall, Qt::Key_L, Qt::AltModifier);
  ASSERT_EQ(Focus(), form_->ListView1);
  QTest::keyClick(Focus(), Qt::Key_Down);
  QTest::keyClick(Focus(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(edited, 1);
  // Tab goes back to the call as typed, Esc clears it as anywhere else.
  Type(form_->txtCall, "K1");
  QTest::keyClick(form_->txtCall, Qt::Key_L, Qt::AltModifier);
  QTest::keyClick(Focus(), Qt::Key_Tab);
  EXPECT_EQ(Focus(), form_->txtCall);
  EXPECT_EQ(form_->txtCall->text(), "K1");
  QTest::keyClick(form_->txtCall, Qt::Key_L, Qt::AltModifier);
  QTest::keyClick(Focus(), Qt::Key_Escape);
  EXPECT_EQ(Focus(), form_->txtCall);
  EXPECT_EQ(form_->txtCall->text(), "");

  // The map: shown, moved north, the partial list switched off.
  state_.prefs.OwnLatitude = 40;
  state_.prefs.OwnLongitude = 76;
  const QString view = form_->Command2->text();
  QTest::keyClick(form_->txtCall, Qt::Key_V, Qt::AltModifier);
  EXPECT_NE(form_->Command2->text(), view);
  ASSERT_TRUE(form_->Command3->isVisible());
  const QString corner = form_->lblGrid[0]->text();
  QTest::keyClick(form_->txtCall, Qt::Key_Up, Qt::AltModifier);
  EXPECT_NE(form_->lblGrid[0]->text(), corner);
  QTest::keyClick(form_->txtCall, Qt::Key_P, Qt::AltModifier);
  EXPECT_EQ(form_->cmdDup->text(), "Off");
  EXPECT_EQ(form_->cmdDup->accessibleName(), "Possible duplicates Off");
  EXPECT_EQ(Focus(), form_->txtCall);
}

// The spot list is reached by its key while it shows, and given back to
// logging by Tab and Esc.
TEST_F(AccessibilityTest, SpotListIsReachedAndLeftByKeys) {
  Start();
  QTreeWidget* spots = form_->spots().txtDX;
  QTest::keyClick(form_->txtCall, Qt::Key_X, Qt::AltModifier);
  EXPECT_EQ(Focus(), form_->txtCall);  // hidden: nothing to reach
  form_->spots().BandMapSpots("W1AW", "144200.0", "DX de K1ABC: 144200.0 W1AW FN31");
  form_->spots().BandMapSpots("K2XYZ", "144210.0", "DX de K1ABC: 144210.0 K2XYZ FN12");
  spots->show();
  Type(form_->txtCall, "K1");
  const struct {
    Qt::Key leave;
    const char* call_after;
  } rows[] = {{Qt::Key_Tab, "K1"}, {Qt::Key_Backtab, "K1"}, {Qt::Key_Escape, ""}};
  for (const auto& r : rows) {
    QTest::keyClick(form_->txtCall, Qt::Key_X, Qt::AltModifier);
    ASSERT_EQ(Focus(), spots);
    EXPECT_EQ(spots->currentItem()->text(0), "K2XYZ");  // the newest
    QTest::keyClick(spots, r.leave);
    EXPECT_EQ(Focus(), form_->txtCall) << r.leave;
    EXPECT_EQ(form_->txtCall->text(), r.call_after) << r.leave;
  }
}

// Page Up and Page Down change the band from the entry fields, and page
// through a list that has the focus.
TEST_F(AccessibilityTest, ListsKeepTheirPageKeys) {
  std::string log;
  for (int i = 0; i < 30; ++i)
    log += Line(("W" + std::to_string(i) + "AW").c_str(), "59", "FN31", "59", "FN20", "06/09/2007",
                "1900", "144 M", "PH");
  Start(log);
  for (int i = 0; i < 30; ++i)
    form_->spots().BandMapSpots("K" + std::to_string(i) + "XY", "144200.0", "DX de K1ABC");
  form_->spots().txtDX->show();
  const QTreeWidget* lists[] = {form_->ListView1, form_->spots().txtDX};
  const Qt::Key reach[] = {Qt::Key_L, Qt::Key_X};
  for (size_t i = 0; i < std::size(lists); ++i) {
    QTest::keyClick(form_->txtCall, reach[i], Qt::AltModifier);
    ASSERT_EQ(Focus(), lists[i]);
    QTest::keyClick(Focus(), Qt::Key_PageDown);
    EXPECT_EQ(state_.prefs.CurrentBand, "144 M") << lists[i]->objectName().toStdString();
    EXPECT_GT(lists[i]->indexOfTopLevelItem(lists[i]->currentItem()), 0)
        << lists[i]->objectName().toStdString();
    QTest::keyClick(Focus(), Qt::Key_Tab);
  }
  QTest::keyClick(form_->txtCall, Qt::Key_PageDown);
  EXPECT_NE(state_.prefs.CurrentBand, "144 M");  // the band keys still work from the fields
}

TEST_F(AccessibilityTest, MapSquaresSayWhetherWorked) {
  Start();
  state_.prefs.OwnLatitude = 40;
  state_.prefs.OwnLongitude = 76;
  form_->Command2_Click();
  form_->Command3->click();  // the map filled from the own position
  const QString grid = form_->lblGrid[80]->text();
  auto worked = [&] {
    QStringList w;
    for (QLabel* g : form_->lblGrid) {
      if (g->accessibleDescription() == "Worked on this band")
        w << g->text();
      else
        EXPECT_EQ(g->accessibleDescription().toStdString(), "Not worked on this band");
    }
    return w.join(" ").toStdString();
  };
  EXPECT_EQ(worked(), "");
  LogContact("W1AW", grid.toLatin1().constData());
  EXPECT_EQ(worked(), grid.toStdString());
  form_->SelectBand(3);  // another band, then back
  EXPECT_EQ(worked(), "");
  form_->SelectBand(2);
  EXPECT_EQ(worked(), grid.toStdString());
}

}  // namespace
}  // namespace vantrel::ui

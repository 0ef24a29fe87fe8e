// Renders every window with sample data to PNG files, offscreen, for the
// README and for review: vantrel_screenshots [output folder=docs/screenshots]
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "contest/rover_gps.h"
#include "platform/gpsd_client.h"
#include "platform/qt_serial_port.h"
#include "settings/program_prefs.h"
#include "settings/settings_store.h"
#include "support/fake_wave_player.h"
#include "support/manual_millisecond_clock.h"
#include "support/memory_settings_store.h"
#include "support/recording_serial_port.h"
#include "support/sample_log.h"
#include "support/scripted_prompter.h"
#include "ui/all_bands_map.h"
#include "ui/blind_frm.h"
#include "ui/form1.h"
#include "ui/form1_band_map.h"
#include "ui/form1_rover.h"
#include "ui/form1_spots.h"
#include "ui/form2.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/frm_band_plan.h"
#include "ui/frm_edit_con.h"
#include "ui/frm_station_id.h"
#include "ui/graph_qso.h"
#include "ui/logo_window.h"
#include "ui/packet_spotfrm.h"
#include "ui/phone_frm.h"
#include "ui/prompter.h"
#include "ui/rig_controlfrm.h"
#include "ui/serial_ports_window.h"

namespace {

struct NoParallel : vantrel::ParallelPort {
  void Write(std::uint16_t, std::uint8_t) override {}
};

using namespace vantrel;

bool Save(QWidget& w, const QString& path) {
  QApplication::processEvents();
  const bool ok = w.grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", path.toLocal8Bit().constData());
  return ok;
}

void WriteFile(const QString& path, const std::string& bytes) {
  std::ofstream(path.toLocal8Bit().constData(), std::ios::binary) << bytes;
}

// Spots of the last hour on 2 m and the HF bands, some of them old enough
// to have faded.
void AddSampleSpots(ui::Form1& form) {
  using std::chrono::minutes;
  const struct {
    const char* call;
    double mhz;
    int minutes_ago;
  } spots[] = {
      {"K1JT", 144.125, 50},  {"W3SZ/R", 144.205, 40}, {"VE3ZZ", 144.240, 25},
      {"K2UYH", 144.110, 15}, {"W1GHZ", 144.290, 12},  {"N2WK", 14.025, 9},
      {"DL1ABC", 14.205, 8},  {"JA1XYZ", 7.012, 7},    {"G4ABC", 21.300, 6},
      {"VK2DEF", 28.450, 5},  {"KB1ZZZ", 50.125, 4},   {"W8ZN", 50.313, 3},
      {"AA4X", 144.174, 2},   {"K8GP/R", 144.200, 1},  {"WA2FGK", 144.270, 0},
  };
  SpotStore& store = form.spots().book().store();
  for (const auto& s : spots) store.Add(s.call, s.mhz, form.clock().Now() - minutes(s.minutes_ago));
}

bool BandMaps(const QString& out, ui::Form1& form, const ui::ScreenGeometry& screen) {
  form.band_map().PacketResize(true, false);
  AddSampleSpots(form);
  form.band_map().DisplayBandMapLabels();
  bool ok = Save(form, out + "/main-band-map.png");
  ui::SpectrumMap map(form.spots().book().store(), form.clock(), 5, screen, {});
  map.show();
  map.BandMapLabelDisplay();
  ok &= Save(map, out + "/all-bands-map.png");
  return ok;
}

bool MainWindow(const QString& out, int width, int height, bool grid_view, bool rover = false,
                bool band_map = false) {
  QTemporaryDir work;
  ProgramPrefs prefs;
  prefs.OwnCall = "N0CALL";
  prefs.OwnGrid = "FN20";
  prefs.UtcOffsetHours = 5;
  prefs.CurrentMode = "PH";
  prefs.CurrentBand = "144 M";
  prefs.ContestId = 2;
  prefs.OwnLongitude = 76;
  prefs.OwnLatitude = 40;
  prefs.GridMapView = grid_view ? "View Bands" : "View Grids";
  prefs.WorkedColor = 255;
  prefs.RemainingColor = 8421504;
  prefs.RigType = "None";
  prefs.ListPreviousContacts = 1;
  WriteFile(work.filePath("vhfpref.txt"), FormatPrefs(prefs));
  WriteFile(work.filePath("log.txt"), FormatLog(MakeSampleLog(120, 7)));

  RunState state;
  state.WorkingDirectory = work.path().toLocal8Bit().toStdString();
  state.UserDataDirectory = state.WorkingDirectory;
  ui::ScriptedPrompter prompter;
  prompter.yes_no_answers = {true};
  ui::ScreenGeometry screen;
  screen.screen = QRect(0, 0, width, height);
  screen.workArea = QRect(0, 0, width, height - 40);
  ui::Form1 form(state, prompter, screen);
  form.set_terminate_handler([](int) {});
  form.set_station_setup_runner([&](ui::Form1&) {
    ui::StationSetupRefresh r;
    r.Label30 = "PH";
    r.Label2 = "N0CALL";
    r.Label4 = "FN20";
    return r;
  });
  form.set_utc_source([&] { return UtcFromLocal(form.clock().Now(), state.prefs.UtcOffsetHours); });
  if (!form.Load()) return false;
  form.show();
  if (band_map) return BandMaps(out, form, screen);
  if (rover) {
    // A rover just over the FN20/FN21 line with the GPS option on, then the
    // grid box it may answer with instead.
    MemorySettingsStore settings;
    form.set_settings_store(&settings);
    form.rover().SetGpsOn(true);
    form.rover().gpsd()->Stop();
    form.rover().Report({GpsdReportKind::kFix, 3, 40.99, -75.5, ""});
    form.rover().Report({GpsdReportKind::kFix, 3, 41.01, -75.5, ""});
    bool ok = Save(form, out + "/main-rover.png");
    form.rover().OpenGridBox();
    if (!form.rover().gridBox()) return false;
    ok &= Save(*form.rover().gridBox(), out + "/own-grid.png");
    form.rover().gridBox()->reject();
    form.set_settings_store(nullptr);
    return ok;
  }
  const QString name =
      QString("%1/main-%2x%3%4.png").arg(out).arg(width).arg(height).arg(grid_view ? "-grid" : "");
  return Save(form, name);
}

ui::ScreenGeometry Screen1920() {
  ui::ScreenGeometry screen;
  screen.screen = QRect(0, 0, 1920, 1080);
  screen.workArea = QRect(0, 0, 1920, 1040);
  return screen;
}

// A working folder holding one shipped data file, as first start leaves it.
bool CopyShipped(const QTemporaryDir& work, const char* name) {
  const QString from = QString(VANTREL_SOURCE_DATA_DIR) + "/" + name;
  return QFile::copy(from, work.filePath(name));
}

bool ActivityGraphWindow(const QString& out) {
  const ContactLog log = MakeSampleLog(900, 7);
  ui::ScriptedPrompter prompter;
  ui::GraphQSO graph(log, prompter, Screen1920());
  graph.show();
  bool ok = Save(graph, out + "/graph.png");
  graph.Command1_Click();
  ok &= Save(graph, out + "/graph-white.png");
  return ok;
}

bool BandPrivilegesWindow(const QString& out) {
  QTemporaryDir work;
  if (!CopyShipped(work, "BandPlan.txt")) return false;
  ui::ScriptedPrompter prompter;
  ui::frmBandPlan plan(work.path().toStdString(), prompter, Screen1920());
  plan.show();
  bool ok = Save(plan, out + "/band-privileges-extra.png");
  plan.ClassButton_Click(1);
  ok &= Save(plan, out + "/band-privileges-technician.png");
  return ok && prompter.asked.empty();
}

bool HelpWindow(const QString& out) {
  QTemporaryDir work;
  if (!CopyShipped(work, "readVHF.txt")) return false;
  ui::Form5 help(work.path().toStdString(), Screen1920());
  help.show();
  return Save(help, out + "/help.png");
}

// The dialogs: station setup, summary sheet, colours and contact editing.
bool Dialogs(const QString& out) {
  QTemporaryDir work;
  RunState state;
  state.WorkingDirectory = work.path().toStdString();
  state.UserDataDirectory = state.WorkingDirectory;
  state.prefs.OwnCall = "N0CALL";
  state.prefs.OwnGrid = "FN20";
  state.prefs.UtcOffsetHours = 5;
  state.prefs.WorkedColor = 255;
  state.prefs.RemainingColor = 8421504;
  state.contest.ContestId = 2;
  state.log = MakeSampleLog(40, 7);
  ui::ScriptedPrompter prompter;
  bool ok = true;
  {
    ui::frmStationID setup(state, prompter, Screen1920());
    setup.show();
    ok &= Save(setup, out + "/station-setup.png");
  }
  {
    MemorySettingsStore settings;
    ui::Form2 sheet({state, settings, prompter, "4321", {}, {}}, Screen1920());
    sheet.show();
    ok &= Save(sheet, out + "/summary-sheet.png");
  }
  {
    ui::Form6 colours(state.prefs, Screen1920());
    colours.show();
    ok &= Save(colours, out + "/colours.png");
  }
  {
    MemorySettingsStore settings;
    ComPortMap map(settings, [](const std::string&) { return std::nullopt; });
    map.Store(3, "/dev/ttyUSB0");
    ui::SerialPortsWindow ports(map, Screen1920(), [] {
      return std::vector<ui::DetectedPort>{{"/dev/ttyS0", "ttyS0"},
                                           {"/dev/ttyUSB0", "FT232R USB UART"}};
    });
    ports.show();
    ok &= Save(ports, out + "/serial-ports.png");
  }
  {
    MemorySettingsStore settings;
    ComPortMap map(settings, [](const std::string&) { return std::nullopt; });
    ui::RigControlfrm rig(state, prompter, Screen1920(), std::make_unique<QtSerialPort>(map),
                          settings, {});
    rig.show();
    rig.List1->setCurrentRow(4);  // Kenwood: its defaults shown
    ok &= Save(rig, out + "/rig-interface.png");
    rig.List1->setCurrentRow(19);  // Hamlib rigctld: host and port instead
    ok &= Save(rig, out + "/rig-interface-rigctld.png");
  }
  {
    ManualMillisecondClock clock;
    ui::VoiceDevices devices{std::make_unique<FakeWavePlayer>(clock),
                             std::make_unique<RecordingSerialPort>(),
                             std::make_unique<NoParallel>()};
    ui::PhoneFrm phone(state, prompter, Screen1920(), std::move(devices));
    phone.Text[0]->setText("/home/op/contest/cq.wav");
    phone.Text[1]->setText("/home/op/contest/exchange.wav");
    phone.Option1->setChecked(true);
    phone.show();
    ok &= Save(phone, out + "/phone-wave-selections.png");
    ui::BlindFrm blind(state, Screen1920(), std::make_unique<FakeWavePlayer>(clock), clock, {});
    blind.show();
    ok &= Save(blind, out + "/voice-navigation.png");
  }
  {
    MemorySettingsStore settings;
    ComPortMap map(settings, [](const std::string&) { return std::nullopt; });
    ui::PacketSpotfrm spots(state, prompter, Screen1920(), std::make_unique<QtSerialPort>(map), {},
                            "127.0.0.1", 8000);
    spots.show();
    spots.List1->setCurrentRow(1);  // TNC: its defaults and help shown
    ok &= Save(spots, out + "/dx-spotting.png");
  }
  {
    ui::frmEditCon edit(state.log, 12, prompter, Screen1920());
    edit.show();
    ok &= Save(edit, out + "/edit-contact.png");
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Absolute: the main window makes its own working folder current.
  const QString out =
      QDir(argc > 1 ? QString(argv[1]) : QString("docs/screenshots")).absolutePath();
  QDir().mkpath(out);
  bool ok = true;
  ok &= MainWindow(out, 1920, 1080, false);
  ok &= MainWindow(out, 1366, 768, false);
  ok &= MainWindow(out, 1920, 1080, true);
  ok &= MainWindow(out, 1366, 768, false, true);
  ok &= MainWindow(out, 1366, 768, false, false, true);
  ok &= Dialogs(out);
  ui::ScreenGeometry screen;
  screen.screen = QRect(0, 0, 1920, 1080);
  screen.workArea = screen.screen;
  ui::LogoWindow logo(QString(), screen);
  logo.show();
  ok &= Save(logo, out + "/logo.png");
  ok &= ActivityGraphWindow(out);
  ok &= BandPrivilegesWindow(out);
  ok &= HelpWindow(out);
  return ok ? 0 : 1;
}

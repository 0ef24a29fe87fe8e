// Renders every window with sample data to PNG files, offscreen, for the
// README and for review: vantrel_screenshots [output folder=docs/screenshots]
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>

#include "log/sample_log.h"
#include "settings/program_prefs.h"
#include "ui/form1.h"
#include "ui/logo_window.h"
#include "ui/prompter.h"

namespace {

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

bool MainWindow(const QString& out, int width, int height, bool grid_view) {
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
  if (!form.Load()) return false;
  form.show();
  const QString name =
      QString("%1/main-%2x%3%4.png").arg(out).arg(width).arg(height).arg(grid_view ? "-grid" : "");
  return Save(form, name);
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
  ui::ScreenGeometry screen;
  screen.screen = QRect(0, 0, 1920, 1080);
  screen.workArea = screen.screen;
  ui::LogoWindow logo(QString(), screen);
  logo.show();
  ok &= Save(logo, out + "/logo.png");
  return ok ? 0 : 1;
}

// The real main window on 144 MHz phone from FN20 with a full 12,000-contact
// log, the keys proven to reach the call field: what the key benchmarks type
// into.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>

#include "settings/program_prefs.h"
#include "support/sample_log.h"
#include "support/scripted_prompter.h"
#include "ui/form1.h"

namespace vantrel::bench {

struct FullLogWindow {
  QTemporaryDir dir;
  RunState state;
  ui::ScriptedPrompter prompter;
  std::unique_ptr<ui::Form1> form;

  // `more_files` writes further files into the working folder before the log
  // is loaded (a rig window's settings, say).
  explicit FullLogWindow(const std::function<void(const QTemporaryDir&)>& more_files = {}) {
    ProgramPrefs p;
    p.OwnCall = "N0CALL";
    p.OwnGrid = "FN20";
    p.CurrentMode = "PH";
    p.CurrentBand = "144 M";
    p.ContestId = 2;
    p.GridMapView = "View Grids";
    p.RigType = "None";
    std::ofstream(dir.filePath("vhfpref.txt").toStdString(), std::ios::binary) << FormatPrefs(p);
    ContactLog log = MakeSampleLog(12000, 1);
    std::ofstream(dir.filePath("log.txt").toStdString(), std::ios::binary) << FormatLog(log);
    if (more_files) more_files(dir);
    state.WorkingDirectory = dir.path().toStdString();
    prompter.yes_no_answers = {true};
    form = std::make_unique<ui::Form1>(
        state, prompter, ui::ScreenGeometry{QRect(0, 0, 1920, 1080), QRect(0, 0, 1920, 1040)});
    form->set_terminate_handler([](int) {});
    form->set_station_setup_runner([](ui::Form1&) { return ui::StationSetupRefresh{}; });
    ui::Form1* f = form.get();
    form->set_utc_source(
        [this, f] { return UtcFromLocal(f->clock().Now(), state.prefs.UtcOffsetHours); });
    form->Load();
    form->show();
    QApplication::setActiveWindow(form.get());
    form->txtCall->setFocus();
    QApplication::processEvents();
    // The keys must reach the window's own handling, or the figure is void.
    QTest::keyClick(form->txtCall, 'N');
    if (form->txtCall->text() != "N" || form->lblDupe->text().isEmpty()) {
      std::fprintf(stderr, "keys do not reach the call field\n");
      std::abort();
    }
  }
};

// main() of a benchmark program that types into one window: the window is
// made after the QApplication and gone before it.
template <class Window>
int RunBenchmarksWith(int argc, char** argv, Window*& global) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  auto window = std::make_unique<Window>();
  global = window.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace vantrel::bench

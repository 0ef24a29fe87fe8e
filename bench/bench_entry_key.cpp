// One key typed into the call field of the real main window with a full
// 12,000-contact log: filters, type-through check, partial-call scan and
// the label updates, as the operator feels them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "settings/program_prefs.h"
#include "support/sample_log.h"
#include "support/scripted_prompter.h"
#include "ui/form1.h"

namespace {

using namespace vantrel;

struct Window {
  QTemporaryDir dir;
  RunState state;
  ui::ScriptedPrompter prompter;
  std::unique_ptr<ui::Form1> form;

  Window() {
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
    form->txtCall->clear();
  }
};

// Made in main() and gone before the QApplication is.
Window* g_window = nullptr;

void BM_KeyIntoCallField(benchmark::State& st) {
  Window& w = *g_window;
  // "W" matches many sample calls, the following letters narrow the list.
  const char keys[] = {'W', '1', 'A', 'B', 'C'};
  size_t i = 0;
  // Each run starts from an empty call field that has the focus: a call
  // left over from the run before would carry the next digit into the
  // report field.
  w.form->txtCall->setText(QString());
  w.form->txtCall->setFocus();
  for (auto _ : st) {
    if (i == sizeof keys) {
      st.PauseTiming();
      w.form->txtCall->clear();
      i = 0;
      st.ResumeTiming();
    }
    QTest::keyClick(w.form->txtCall, keys[i++]);
  }
  benchmark::DoNotOptimize(w.form->txtCall->text());
}
BENCHMARK(BM_KeyIntoCallField)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  auto window = std::make_unique<Window>();
  g_window = window.get();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  window.reset();
  return 0;
}

// One key typed into the call field of the real main window with a full
// 12,000-contact log: filters, type-through check, partial-call scan and
// the label updates, as the operator feels them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/full_log_window.h"

namespace {

using namespace vantrel;

struct Window : bench::FullLogWindow {
  Window() { form->txtCall->clear(); }
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
  return vantrel::bench::RunBenchmarksWith(argc, argv, g_window);
}

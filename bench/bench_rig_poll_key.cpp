// One key typed into the call field with a 12,000-contact log while the rig
// window polls a radio on a pseudo-terminal at the fastest rate, beside the
// same key with no radio; and one poll tick on its own, the longest a key
// can wait behind the poller.
//
// Keys come at a typing pace (a 10 ms gap, untimed, in which the event loop
// runs the poll timer and the port's input), so ticks and keys interleave as
// they do for an operator.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <vector>

#include "bench/full_log_window.h"
#include "support/fake_radio.h"
#include "support/pty_radio.h"
#include "ui/rig_controlfrm.h"

namespace {

using namespace vantrel;

// The radio comes first: the window opens its port while it loads.
struct Radio {
  std::unique_ptr<DialRadio> radio = MakeFakeRadio("Kenwood");
  std::unique_ptr<PtyRadio> pty;

  Radio() {
    radio->dial.hz = 144200000;  // the band and mode the log is on
    radio->dial.mode = RadioMode::kUsb;
    pty = std::make_unique<PtyRadio>(*radio);
    setenv("VANTREL_COM3", pty->Path().c_str(), 1);
  }
};

void WriteRigSettings(const QTemporaryDir& dir) {
  RigSettings rig;
  ApplyRigChoice("Kenwood", rig);
  rig.Port = 3;
  rig.PollRate = "F";
  rig.SerialSettings = SerialSettingsString(rig);
  std::ofstream(dir.filePath("RigCntrl.txt").toStdString(), std::ios::binary)
      << FormatRigSettings(rig);
}

struct Window : Radio, bench::FullLogWindow {
  Window() : bench::FullLogWindow(WriteRigSettings) { form->txtCall->setText(QString()); }

  ui::RigControlfrm& rig() { return form->RigWindow(); }

  // Polling and answered, or stopped; aborts when the setup is not what the
  // figure claims.
  void SetPolling(bool on) {
    if (!on) {
      rig().Command2_Click();
      return;
    }
    rig().Command1_Click();
    const size_t before = pty->Replies();
    if (!rig().Polling() || !QTest::qWaitFor([&] { return pty->Replies() >= before + 3; }, 3000)) {
      std::fprintf(stderr, "the radio is not being polled\n");
      std::abort();
    }
  }
};

Window* g_window = nullptr;

void BM_KeyIntoCallField(benchmark::State& st) {
  Window& w = *g_window;
  w.SetPolling(st.range(0) != 0);
  const char keys[] = {'W', '1', 'A', 'B', 'C'};
  size_t i = 0;
  w.form->txtCall->setText(QString());
  w.form->txtCall->setFocus();
  const size_t replies = w.pty->Replies();
  std::vector<double> key_us;
  key_us.reserve(size_t(st.max_iterations));
  for (auto _ : st) {
    st.PauseTiming();
    if (i == sizeof keys) {
      w.form->txtCall->clear();
      i = 0;
    }
    QTest::qWait(10);
    st.ResumeTiming();
    // Whatever the poller left pending runs first, as it would before the key.
    const auto start = std::chrono::steady_clock::now();
    QApplication::processEvents();
    QTest::keyClick(w.form->txtCall, keys[i++]);
    key_us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  // Each key on its own: the median and the slowest, beside the mean above.
  std::sort(key_us.begin(), key_us.end());
  st.counters["key_median_us"] = key_us[key_us.size() / 2];
  st.counters["key_max_us"] = key_us.back();
  st.counters["replies"] = double(w.pty->Replies() - replies);
  w.SetPolling(false);
}
BENCHMARK(BM_KeyIntoCallField)
    ->ArgName("polling")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(300)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// Send and read ticks alternate; the read ticks parse and feed the log.
void BM_PollTick(benchmark::State& st) {
  Window& w = *g_window;
  w.SetPolling(true);
  w.rig().tmrGetData->stop();
  for (auto _ : st) {
    st.PauseTiming();
    QTest::qWait(5);  // the reply arrives
    st.ResumeTiming();
    w.rig().tmrGetData_Timer();
  }
  w.SetPolling(false);
}
BENCHMARK(BM_PollTick)
    ->Iterations(400)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return vantrel::bench::RunBenchmarksWith(argc, argv, g_window);
}

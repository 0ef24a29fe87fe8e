// F1 in phone mode, from the key typed into the call field of the full-log
// window to the first samples handed to the sound output, on the real wave
// player and a private sound server with a null sink. The goal is 30 ms at
// the median: the operator keys the message and expects it on the air.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include "bench/full_log_window.h"
#include "platform/qt_wave_player.h"
#include "support/private_pulse_server.h"
#include "support/wav_writer.h"
#include "ui/form1_voice.h"
#include "voice/voice_settings.h"

namespace {

using namespace vantrel;
using Clock = std::chrono::steady_clock;

void WriteVoiceSettings(const QTemporaryDir& dir) {
  const std::string wav = dir.filePath("cq.wav").toStdString();
  WriteToneWav(wav, 2000, 22050);
  VoiceSettings s;
  s.files[0] = wav;
  std::ofstream(dir.filePath("wave2.txt").toStdString(), std::ios::binary)
      << FormatVoiceSettings(s);
}

// The sound server comes first: the window's players find it at start.
struct Sound {
  PrivatePulseServer server;
  Sound() {
    if (!server.ok()) {
      std::fprintf(stderr, "no sound server: %s\n", server.why().c_str());
      std::exit(1);
    }
  }
};

struct Window : Sound, bench::FullLogWindow {
  Window() : bench::FullLogWindow(WriteVoiceSettings) {
    form->txtCall->setText(QString());
    player = dynamic_cast<QtWavePlayer*>(&form->voice().Phone().player());
    if (!player) std::abort();
    player->OnFirstFrame([this] { first_frame = Clock::now(); });
  }
  QtWavePlayer* player = nullptr;
  std::optional<Clock::time_point> first_frame;
};

Window* g_window = nullptr;

void BM_F1ToFirstFrame(benchmark::State& st) {
  Window& w = *g_window;
  w.form->txtCall->setFocus();
  std::vector<double> ms;
  for (auto _ : st) {
    w.first_frame.reset();
    QApplication::processEvents();
    const auto start = Clock::now();
    QTest::keyClick(w.form->txtCall, Qt::Key_F1);
    if (!w.first_frame && !QTest::qWaitFor([&] { return w.first_frame.has_value(); }, 2000)) {
      st.SkipWithError("no samples reached the sound output");
      break;
    }
    const double took = std::chrono::duration<double, std::milli>(*w.first_frame - start).count();
    ms.push_back(took);
    st.SetIterationTime(took / 1000);
    // Esc stops the message; the poll lets the line go before the next key.
    QTest::keyClick(w.form->txtCall, Qt::Key_Escape);
    (void)QTest::qWaitFor([&] { return !w.form->voice().Phone().keyer().PttOn(); }, 500);
  }
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  st.counters["median_ms"] = ms[ms.size() / 2];
  st.counters["max_ms"] = ms.back();
}
BENCHMARK(BM_F1ToFirstFrame)
    ->Iterations(50)
    ->Repetitions(3)
    ->UseManualTime()
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return vantrel::bench::RunBenchmarksWith(argc, argv, g_window);
}

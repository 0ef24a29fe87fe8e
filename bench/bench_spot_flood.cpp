// A key typed into the call field with a 12,000-contact log while a Telnet
// cluster on loopback floods the spotting window with 100,000 spot lines a
// minute, beside the same key with the cluster quiet; and the memory of the
// whole program after a long flood (VANTREL_FLOOD_SECONDS, 60 by default).
//
// The cluster runs in the same event loop as the window, as a second
// program on the same two cores would compete for them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/full_log_window.h"
#include "spots/spot_settings.h"
#include "ui/form1_spots.h"
#include "ui/packet_spotfrm.h"

namespace {

using namespace vantrel;

constexpr double kLinesPerSecond = 100000.0 / 60.0;

std::string FloodLine(uint64_t n) {
  static const char* const khz[] = {"50125.0",  "50313.0",   "144200.0",
                                    "432100.0", "1296100.0", "10368100.0"};
  std::string line = "DX de W" + std::to_string(n % 10) + "AB:";
  const std::string f = khz[n % 6];
  line.resize(24 - f.size(), ' ');
  line += f + "  K" + std::to_string(n % 997) + "XYZ";
  line.resize(39, ' ');
  line += "FN42 CW 559 tnx";
  line.resize(69, ' ');
  return line + " 2030Z\r\n";
}

// The cluster: it accepts the window's connection and, while flooding,
// sends lines at the set rate from a 5 ms timer.
struct Cluster {
  QTcpServer server;
  QTcpSocket* peer = nullptr;
  QTimer timer;
  std::chrono::steady_clock::time_point since;
  uint64_t sent = 0;
  uint64_t sent_at_start = 0;

  Cluster() {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection,
                     [this] { peer = server.nextPendingConnection(); });
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [this] { Send(); });
  }
  void Flood(bool on) {
    if (!on) {
      timer.stop();
      return;
    }
    since = std::chrono::steady_clock::now();
    sent_at_start = sent;
    timer.start();
  }
  void Send() {
    if (peer == nullptr) return;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
    const auto due = static_cast<uint64_t>(seconds * kLinesPerSecond) + sent_at_start;
    std::string bytes;
    for (; sent < due; ++sent) bytes += FloodLine(sent);
    if (!bytes.empty()) peer->write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
};

struct ClusterFirst {
  std::unique_ptr<Cluster> cluster = std::make_unique<Cluster>();
};

struct Window : ClusterFirst, bench::FullLogWindow {
  Window()
      : bench::FullLogWindow([this](const QTemporaryDir& dir) {
          SpotSettings s;
          s.Source = "Telnet";
          s.TelnetHost = "127.0.0.1";
          s.TelnetPort = std::to_string(cluster->server.serverPort());
          std::ofstream(dir.filePath("PackSpot.txt").toStdString(), std::ios::binary)
              << FormatSpotSettings(s);
        }) {
    form->txtCall->setText(QString());
    // The stored source opened at start-up; the cluster must be connected.
    if (!QTest::qWaitFor([&] { return cluster->peer != nullptr; }, 3000) ||
        !form->spots().WindowLoaded()) {
      std::fprintf(stderr, "the spotting window did not connect to the cluster\n");
      std::abort();
    }
  }
  unsigned long long Stored() const { return form->spots().book().store().version(); }
};

Window* g_window = nullptr;

long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::string(field).size());
  return 0;
}

void BM_KeyIntoCallField(benchmark::State& st) {
  Window& w = *g_window;
  w.cluster->Flood(st.range(0) != 0);
  const char keys[] = {'W', '1', 'A', 'B', 'C'};
  size_t i = 0;
  w.form->txtCall->setText(QString());
  w.form->txtCall->setFocus();
  const auto stored = w.Stored();
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
    // Whatever arrived meanwhile is taken first, as it would be before the key.
    const auto start = std::chrono::steady_clock::now();
    QApplication::processEvents();
    QTest::keyClick(w.form->txtCall, keys[i++]);
    key_us.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  w.cluster->Flood(false);
  std::sort(key_us.begin(), key_us.end());
  st.counters["key_median_us"] = key_us[key_us.size() / 2];
  st.counters["key_max_us"] = key_us.back();
  st.counters["spots"] = double(w.Stored() - stored);
}
BENCHMARK(BM_KeyIntoCallField)
    ->ArgName("flood")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(300)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

// The flood for a long stretch: spots taken per minute, and the program's
// resident memory at the end and at its peak.
void BM_FloodMemory(benchmark::State& st) {
  Window& w = *g_window;
  const char* env = std::getenv("VANTREL_FLOOD_SECONDS");
  const int seconds = env ? std::max(1, std::atoi(env)) : 60;
  for (auto _ : st) {
    const long rss_before = StatusKb("VmRSS:");
    const auto stored = w.Stored();
    w.cluster->Flood(true);
    QTest::qWait(seconds * 1000);
    w.cluster->Flood(false);
    QTest::qWait(200);
    st.counters["spots_per_minute"] = double(w.Stored() - stored) * 60.0 / seconds;
    st.counters["rss_before_mb"] = rss_before / 1024.0;
    st.counters["rss_after_mb"] = StatusKb("VmRSS:") / 1024.0;
    st.counters["rss_peak_mb"] = StatusKb("VmHWM:") / 1024.0;
  }
}
BENCHMARK(BM_FloodMemory)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
  return vantrel::bench::RunBenchmarksWith(argc, argv, g_window);
}

// Morse timing on the keying thread: "PARIS " keyed at 40 WPM (30 ms
// elements) onto a recording line while a load generator keeps every other
// core busy. Each line edge is compared with its ideal time (the first edge
// plus whole elements); the counters are the edge errors' p50, p99 and max in
// microseconds, and the p99 of the error of each edge-to-edge interval.
//
// One benchmark per timing method, with the keying thread at real-time
// priority (as the program asks for it) and at normal priority (what a
// system that refuses it gives). "Loop" is calibrated first, under the
// same load, as the setup window does; its error grows along the run with the
// calibration's error, which the interval figure separates from jitter.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "keying/keying_engine.h"
#include "keying/morse.h"
#include "platform/keying_clock.h"
#include "support/keying_doubles.h"

namespace {

using namespace vantrel;

constexpr double kWpm = 40;
constexpr std::int64_t kElementNs = 30'000'000;
constexpr int kWords = 4;  // about 6.5 s of keying per run

// Busy threads on every other core: arithmetic plus a sweep of a buffer
// larger than the caches, so the keying core also meets memory traffic.
class Load {
 public:
  Load() {
    const unsigned n = std::max(1u, std::thread::hardware_concurrency() - 1);
    for (unsigned i = 0; i < n; ++i)
      threads_.emplace_back([this] {
        std::vector<std::uint64_t> memory(8 << 20);
        std::uint64_t x = 1;
        std::size_t at = 0;
        while (!stop_.load(std::memory_order_relaxed)) {
          for (int k = 0; k < 4096; ++k) x = x * 6364136223846793005ULL + 1442695040888963407ULL;
          memory[at] += x;
          at = (at + 4099) % memory.size();
        }
        sink_.fetch_add(x + memory[0]);
      });
  }
  ~Load() {
    stop_.store(true);
    for (auto& t : threads_) t.join();
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<std::uint64_t> sink_{0};
  std::vector<std::thread> threads_;
};

std::vector<long> IdealEdgeElements(const std::string& text) {
  std::vector<long> edges;
  long t = 0;
  bool down = false;
  for (char c : text)
    for (char e : MorseElements(c, 0)) {
      if ((e == '1') != down) {
        down = !down;
        edges.push_back(t);
      }
      ++t;
    }
  for (long& e : edges) e -= edges.front();
  return edges;
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const auto i = static_cast<std::size_t>(std::ceil(p * static_cast<double>(v.size()))) - 1;
  return v[std::min(i, v.size() - 1)];
}

void BM_KeyingEdges(benchmark::State& state) {
  const auto timing = static_cast<CwTiming>(state.range(0));
  const bool want_realtime = state.range(1) != 0;
  std::string text;
  for (int i = 0; i < kWords; ++i) text += "PARIS ";
  const std::vector<long> ideal = IdealEdgeElements(text);
  PosixKeyingClock clock;
  Load load;
  double loops = 0;
  if (timing == CwTiming::kLoop)
    loops = want_realtime ? CalibrateLoopsAtKeyingPriority(clock) : CalibrateLoops(clock);

  std::vector<double> edge_us, interval_us;
  std::atomic<bool> realtime{false};
  for (auto _ : state) {
    RecordingKeyLine line(clock);
    KeyingEngine engine(clock);
    engine.SetLine(&line);
    engine.SetWpm(kWpm);
    engine.SetTiming(timing);
    engine.SetLoopsPer60ms(loops);
    {
      KeyingThread thread(engine, [&] {
        if (want_realtime) realtime = RaiseKeyingThreadPriority();
      });
      engine.Append(text);
      engine.WaitIdle();
    }
    const auto changes = line.changes();
    if (changes.size() != ideal.size()) {
      state.SkipWithError("the keyed edges differ from the ideal timeline");
      return;
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
      const double err = static_cast<double>(changes[i].ns - changes[0].ns - ideal[i] * kElementNs);
      edge_us.push_back(std::abs(err) / 1e3);
      if (i > 0) {
        const double gap = static_cast<double>(changes[i].ns - changes[i - 1].ns);
        interval_us.push_back(
            std::abs(gap - static_cast<double>((ideal[i] - ideal[i - 1]) * kElementNs)) / 1e3);
      }
    }
  }
  state.counters["edge_p50_us"] = Percentile(edge_us, 0.50);
  state.counters["edge_p99_us"] = Percentile(edge_us, 0.99);
  state.counters["edge_max_us"] = Percentile(edge_us, 1.0);
  state.counters["interval_p99_us"] = Percentile(interval_us, 0.99);
  state.counters["edges"] = static_cast<double>(edge_us.size());
  state.counters["realtime"] = realtime ? 1 : 0;
  if (timing == CwTiming::kLoop) state.counters["loops_per_60ms"] = loops;
}

BENCHMARK(BM_KeyingEdges)
    ->ArgNames({"timer0_loop1_sleep2", "realtime"})
    ->ArgsProduct({{static_cast<int>(CwTiming::kTimer), static_cast<int>(CwTiming::kLoop),
                    static_cast<int>(CwTiming::kSleep)},
                   {1, 0}})
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

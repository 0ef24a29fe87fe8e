// RecountTallies runs on every reload of the log (start-up, edits, deletes,
// station setup, colour changes), so a full log with a worst-case spread of
// grids must recount well inside the blink of an eye.
#include <benchmark/benchmark.h>

#include <string>

#include "contest/grid_map.h"
#include "contest/tallies.h"
#include "support/sample_log.h"

namespace {

using vantrel::ContactLog;
using vantrel::ContactRecord;

// The n-th four-character locator: fields A..R, squares 0..9.
std::string Locator(int n) {
  std::string s(4, ' ');
  s[0] = static_cast<char>('A' + n / 1800 % 18);
  s[1] = static_cast<char>('A' + n / 100 % 18);
  s[2] = static_cast<char>('0' + n / 10 % 10);
  s[3] = static_cast<char>('0' + n % 10);
  return s;
}

// 12,000 contacts on 144 MHz: 5,000 distinct grids, each worked again later
// in a different letter case, from a rover's 40 own grids.
const ContactLog& SpreadLog() {
  static const ContactLog log = [] {
    ContactLog l;
    l.Reserve(vantrel::kMaxContacts);
    for (int i = 0; i < vantrel::kMaxContacts; ++i) {
      ContactRecord r;
      r.Call = "W" + std::to_string(i);
      r.GridRcvd = Locator(i % 5000);
      if (i >= 5000) r.GridRcvd[0] = static_cast<char>(r.GridRcvd[0] + 32);
      r.GridSent = Locator(100 + i % 40);
      r.Band = "144 M";
      r.Mode = "CW";
      r.Date = "2007/06/09";
      r.Time = "18:30:15";
      l.Add(std::move(r));
    }
    return l;
  }();
  return log;
}

const ContactLog& SampleLog() {
  static const ContactLog log = vantrel::MakeSampleLog(vantrel::kMaxContacts, 1);
  return log;
}

void BM_RecountTallies5000Grids(benchmark::State& state) {
  const ContactLog& log = SpreadLog();
  vantrel::Tallies tallies;
  for (auto _ : state) {
    auto result = vantrel::RecountTallies(tallies, log, 2, 0);
    benchmark::DoNotOptimize(result);
  }
  if (tallies.Band(2)->MultiplierCount() != 5000) state.SkipWithError("expected 5000 grids");
  state.counters["contacts"] = log.ContactCount();
}
BENCHMARK(BM_RecountTallies5000Grids)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The CQ rover pairs every grid with its own grid: more, longer keys.
void BM_RecountTalliesCqRover(benchmark::State& state) {
  const ContactLog& log = SpreadLog();
  vantrel::Tallies tallies;
  for (auto _ : state) {
    auto result = vantrel::RecountTallies(tallies, log, 5, 1);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_RecountTalliesCqRover)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// A plausible contest log across ten bands.
void BM_RecountTalliesSampleLog(benchmark::State& state) {
  const ContactLog& log = SampleLog();
  vantrel::Tallies tallies;
  for (auto _ : state) {
    auto result = vantrel::RecountTallies(tallies, log, 2, 0);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_RecountTalliesSampleLog)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// Pointing at a map square counts that square over the whole log.
void BM_GridCountsText(benchmark::State& state) {
  const ContactLog& log = SampleLog();
  for (auto _ : state) {
    auto text = vantrel::GridCountsText(log, "FN31");
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_GridCountsText)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// The rates look at every contact, after each one logged and once a minute
// from the rate timer, so a full log must cost well under a millisecond.
void BM_TimeStatsFullLog(benchmark::State& state) {
  const ContactLog& log = SampleLog();
  const vantrel::UtcTime now =
      vantrel::UtcTime{std::chrono::sys_days{std::chrono::year{2007} / 6 / 10}};
  for (auto _ : state) {
    auto rates = vantrel::TimeStats(log, now);
    benchmark::DoNotOptimize(rates);
  }
  state.counters["contacts"] = log.ContactCount();
}
BENCHMARK(BM_TimeStatsFullLog)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// The duplicate checks scan the whole log; PartialDupeCheck does so on every
// key typed into the call field, so a full log must stay well inside one
// keystroke.
#include <benchmark/benchmark.h>

#include <string>

#include "log/dupes.h"
#include "support/sample_log.h"

namespace {

using vantrel::ContactLog;

const ContactLog& FullLog() {
  static const ContactLog log = vantrel::MakeSampleLog(vantrel::kMaxContacts, 1);
  return log;
}

constexpr std::string_view kBand = "144 M";
constexpr std::string_view kOwnGrid = "FN20";

void BM_PartialDupeCheckNoMatch(benchmark::State& state) {
  const ContactLog& log = FullLog();
  // A call area and suffix the sample log does not hold: the whole log is
  // scanned and nothing is listed.
  const std::string call = "KQ9";
  const char key = 'Z';
  if (!vantrel::PartialDupeCheck(log, call, key, kBand, kOwnGrid, true).match_text.empty()) {
    state.SkipWithError("the probe call matches the sample log");
    return;
  }
  for (auto _ : state) {
    auto result = vantrel::PartialDupeCheck(log, call, key, kBand, kOwnGrid, true);
    benchmark::DoNotOptimize(result);
  }
  state.counters["contacts"] = log.ContactCount();
}
BENCHMARK(BM_PartialDupeCheckNoMatch)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

// A common first key: many calls begin with it, so the band and own-grid
// tests run too, and the match text fills up to its cap.
void BM_PartialDupeCheckFirstKey(benchmark::State& state) {
  const ContactLog& log = FullLog();
  for (auto _ : state) {
    auto result = vantrel::PartialDupeCheck(log, "", 'W', kBand, kOwnGrid, true);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_PartialDupeCheckFirstKey)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_DupcheckNoMatch(benchmark::State& state) {
  const ContactLog& log = FullLog();
  const vantrel::DupeEntry entry{"KQ9ZZZ", "FN31", kBand, kOwnGrid};
  if (vantrel::dupcheck(log, entry).DupeFound) {
    state.SkipWithError("the probe call is in the sample log");
    return;
  }
  for (auto _ : state) {
    auto result = vantrel::dupcheck(log, entry);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_DupcheckNoMatch)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

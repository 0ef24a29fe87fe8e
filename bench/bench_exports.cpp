// The Cabrillo and ADIF exports of a full log (12,000 contacts): building the
// file text, and writing it to disk the way the windows do (a temporary file,
// fsync, rename).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/adif.h"
#include "export/cabrillo.h"
#include "platform/durable_file.h"
#include "support/sample_log.h"
#include "support/scratch_folder.h"

namespace {

using vantrel::ContactLog;

const ContactLog& FullLog() {
  static const ContactLog log = vantrel::MakeSampleLog(12000, 1);
  return log;
}

const std::string kCaption =
    "QX9ZZ's Vantrel 3.0" + std::string(64, ' ') + "https://vantrel.example.org";

vantrel::CabrilloStation Station() {
  return {"K1AB", 2, kCaption, "123456"};
}

vantrel::CabrilloSheet Sheet() {
  vantrel::CabrilloSheet sheet;
  sheet.Section = "CT";
  sheet.Name = "Pat Doe";
  return sheet;
}

const vantrel::AdifHeader kAdifHeader{kCaption, "6/10/07 2:05 PM"};
const vantrel::AdifAnswers kAdifAnswers{"100", "SSB", "ARRL June VHF QSO Party"};

// A scratch folder for the written files, removed at exit.
const std::string& ScratchFolder() {
  static const vantrel::ScratchFolder folder("vantrel-bench-exports");
  return folder.path();
}

void BM_CabrilloText(benchmark::State& state) {
  const ContactLog& log = FullLog();
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = vantrel::FormatCabrillo(log, Station(), Sheet());
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["contacts"] = log.ContactCount();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_CabrilloText)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_AdifText(benchmark::State& state) {
  const ContactLog& log = FullLog();
  size_t bytes = 0;
  for (auto _ : state) {
    std::string text = vantrel::FormatAdif(log, kAdifHeader, kAdifAnswers);
    bytes = text.size();
    benchmark::DoNotOptimize(text);
  }
  state.counters["contacts"] = log.ContactCount();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_AdifText)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);

// The whole export after the dialogs: text, temporary file, fsync, rename.
void BM_CabrilloExportToDisk(benchmark::State& state) {
  const ContactLog& log = FullLog();
  const std::string path = ScratchFolder() + "/K1AB.log";
  std::string error;
  for (auto _ : state) {
    if (!vantrel::ReplaceFileAtomically(path, vantrel::FormatCabrillo(log, Station(), Sheet()),
                                        error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}
BENCHMARK(BM_CabrilloExportToDisk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

void BM_AdifExportToDisk(benchmark::State& state) {
  const ContactLog& log = FullLog();
  const std::string path = ScratchFolder() + "/VHF.adi";
  std::string error;
  for (auto _ : state) {
    if (!vantrel::ReplaceFileAtomically(path, vantrel::FormatAdif(log, kAdifHeader, kAdifAnswers),
                                        error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}
BENCHMARK(BM_AdifExportToDisk)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// Loading a full log.txt (12,000 contacts) from disk, against the cheapest
// possible reading of the same bytes, so the reader's own cost shows.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "log/contact_log.h"
#include "platform/durable_file.h"
#include "support/sample_log.h"
#include "support/scratch_folder.h"

namespace {

// A full sample log in a private temporary folder for the whole run.
class SampleFile {
 public:
  SampleFile() : folder_("vantrel-bench"), path_(folder_.File("log.txt")) {
    std::string error;
    const std::string text = vantrel::FormatLog(vantrel::MakeSampleLog(vantrel::kMaxContacts, 1));
    if (!vantrel::ReplaceFileAtomically(path_, text, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      std::abort();
    }
  }
  const std::string& path() const { return path_; }

 private:
  vantrel::ScratchFolder folder_;
  std::string path_;
};

const SampleFile& Sample() {
  static const SampleFile file;
  return file;
}

void BM_LoadLog(benchmark::State& state) {
  const std::string& path = Sample().path();
  for (auto _ : state) {
    std::string text, error;
    if (!vantrel::ReadWholeFile(path, text, error)) state.SkipWithError(error.c_str());
    vantrel::ContactLog log;
    if (!vantrel::ParseLog(text, log).ok()) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(log);
    if (log.ContactCount() != vantrel::kMaxContacts) state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_LoadLog)->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

// Baseline: read the bytes and cut them at commas and line ends into
// strings, with no quote handling and no records.
void BM_ReadAndSplitBaseline(benchmark::State& state) {
  const std::string& path = Sample().path();
  for (auto _ : state) {
    std::string text, error;
    if (!vantrel::ReadWholeFile(path, text, error)) state.SkipWithError(error.c_str());
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i == text.size() || text[i] == ',' || text[i] == '\r' || text[i] == '\n') {
        if (i > start) fields.emplace_back(text, start, i - start);
        start = i + 1;
      }
    }
    benchmark::DoNotOptimize(fields);
    if (fields.size() != 10u * vantrel::kMaxContacts) state.SkipWithError("wrong field count");
  }
}
BENCHMARK(BM_ReadAndSplitBaseline)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

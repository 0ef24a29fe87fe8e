// gen_sample_log <path> [count=12000] [seed=1]
// Writes a made-up contest log in log.txt form, for trying out the program,
// benchmarks and screenshots. The same count and seed give the same file.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

#include "log/contact_log.h"
#include "support/sample_log.h"

namespace {

template <typename T>
bool ParseArg(std::string_view text, T lo, T hi, T& out) {
  T v{};
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || ptr != text.data() + text.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

int Usage() {
  std::fprintf(stderr, "usage: gen_sample_log <path> [count=12000 (0..%d)] [seed=1]\n",
               vantrel::kMaxContacts);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) return Usage();
  int count = vantrel::kMaxContacts;
  uint32_t seed = 1;
  if (argc > 2 && !ParseArg<int>(argv[2], 0, vantrel::kMaxContacts, count)) return Usage();
  if (argc > 3 && !ParseArg<uint32_t>(argv[3], 0, UINT32_MAX, seed)) return Usage();

  const std::string text = vantrel::FormatLog(vantrel::MakeSampleLog(count, seed));
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "gen_sample_log: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s: %d contacts, %zu bytes\n", argv[1], count, text.size());
  return 0;
}

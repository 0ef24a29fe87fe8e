// gpsd report lines on arbitrary bytes: never crash; a fix always carries a
// position that has a locator, and the watch fed with it stays consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "contest/rover_gps.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  OwnGridWatch watch("FN20");
  // Each line as the client hands it on, the whole input as one line too.
  size_t from = 0;
  for (size_t nl = text.find('\n'); from <= text.size(); nl = text.find('\n', from)) {
    const std::string_view line = text.substr(from, nl == std::string_view::npos ? nl : nl - from);
    const GpsdReport r = DecodeGpsdReport(line);
    if (r.kind == GpsdReportKind::kFix) {
      Check(r.mode >= 2);
      Check(LocatorOfPosition(r.latitude, r.longitude).has_value());
    }
    const bool asked = watch.Report(r);
    Check(!asked || watch.pending().size() == 4);
    Check((watch.link() == GpsLink::kFix) == (watch.locator().size() == 6));
    if (nl == std::string_view::npos) break;
    from = nl + 1;
  }
  DecodeGpsdReport(text);
  return 0;
}

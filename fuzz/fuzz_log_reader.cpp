// log.txt reader on arbitrary bytes. Besides not crashing it must keep its
// promises: a refused file leaves the log alone, and an accepted one reads
// back the same after being written out again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "log/contact_log.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vantrel::ContactRecord sentinel;
  sentinel.Call = "SENTINEL";
  vantrel::ContactLog log;
  log.Add(sentinel);

  const vantrel::LogParseResult result = vantrel::ParseLog(text, log);
  if (!result.ok()) {
    Check(log.ContactCount() == 1 && log.Record(1) == sentinel);
    Check(result.byte_offset <= size);
    Check(result.record >= 1 && result.record <= vantrel::kMaxContacts + 1);
    Check(!vantrel::DescribeParseError(result).empty());
    return 0;
  }
  Check(log.ContactCount() <= vantrel::kMaxContacts);
  for (const auto& r : log.records()) {
    for (int i = 0; i < vantrel::kFieldsPerRecord; ++i) {
      const std::string& f = r.Field(i);
      Check(f.find_first_of("\"\r\n") == std::string::npos);
    }
  }

  const std::string written = vantrel::FormatLog(log);
  vantrel::ContactLog again;
  Check(vantrel::ParseLog(written, again).ok());
  Check(again.records() == log.records());
  Check(vantrel::FormatLog(again) == written);
  return 0;
}

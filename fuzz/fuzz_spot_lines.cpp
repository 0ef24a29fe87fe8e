// Cluster text from a TNC or a Telnet node, in pieces of any size, through
// the line splitters into the spot book: no crash, every buffer within its
// bound, and the store and list never beyond their sizes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spots/spot_lines.h"
#include "spots/spot_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  if (size == 0) return 0;
  // The first byte picks the piece size and the DX-only box.
  const size_t piece = (data[0] & 0x7F) + 1;
  const bool dx_only = (data[0] & 0x80) != 0;
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  SpotDisplay display;
  TncLineSplitter tnc;
  TelnetLineSplitter telnet;
  SpotBook book;
  const LocalTime now = MakeLocalTime(2007, 6, 9, 20, 30, 0);
  while (!text.empty()) {
    const std::string_view part = text.substr(0, piece);
    text.remove_prefix(part.size());
    for (const std::string& line : tnc.Feed(part, display, dx_only)) {
      if (!StartsWithDx(line)) std::abort();
      book.TakeLine(line, "N0CALL", now);
    }
    for (const std::string& line : telnet.Feed(part)) {
      if (line.empty() || line.find_first_of("\r\n") != std::string::npos) std::abort();
      if (StartsWithDx(line)) book.TakeLine(line, "N0CALL", now);
    }
    if (tnc.buffer().size() > kLineBufferLimit || telnet.partial().size() > kLineBufferLimit ||
        display.text().size() > SpotDisplay::kLimit || book.list().rows().size() > SpotList::kRows)
      std::abort();
  }
  for (const Spot& s : book.store().spots())
    if (s.label != SpotLabel(s.call)) std::abort();
  return 0;
}

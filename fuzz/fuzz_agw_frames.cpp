// Bytes from a packet engine, in pieces of any size, through the frame
// decoder and the window's frame handling: no crash, bounded buffers and
// queue, and every decoded frame survives being encoded and decoded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "spots/agw_frame.h"
#include "spots/spot_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  if (size == 0) return 0;
  const size_t piece = (data[0] & 0x7F) + 1;
  const bool dx_only = (data[0] & 0x80) != 0;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  AgwDecoder decoder;
  AgwSession session;
  SpotDisplay display;
  SpotBook book;
  const LocalTime now = MakeLocalTime(2007, 6, 9, 20, 30, 0);
  while (!bytes.empty()) {
    const std::string_view part = bytes.substr(0, piece);
    bytes.remove_prefix(part.size());
    decoder.Feed(part);
    if (decoder.buffered() > kAgwHeaderSize + kAgwMaxData ||
        decoder.queued() > AgwDecoder::kMaxQueued)
      std::abort();
    AgwFrame frame;
    while (decoder.Next(frame)) {
      if (frame.data.size() > kAgwMaxData) std::abort();
      if (frame.call_from.size() < kAgwCallSize && frame.call_to.size() < kAgwCallSize) {
        AgwDecoder again;
        again.Feed(EncodeAgwFrame(frame));
        AgwFrame back;
        if (!again.Next(back) || !(back == frame)) std::abort();
      }
      const AgwFrameOutcome out = HandleAgwFrame(frame, session, dx_only, display);
      if (!out.spot_line.empty()) book.TakeLine(out.spot_line, "N0CALL", now);
      const AgwSendAction send = ReadAgwSend(frame.data, session);
      if (send.kind == AgwSendAction::kConnect && send.station.empty()) std::abort();
      if (display.text().size() > SpotDisplay::kLimit) std::abort();
    }
  }
  return 0;
}

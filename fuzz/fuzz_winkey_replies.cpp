// Bytes from a keyer, in pieces of any size: every byte is sorted into
// exactly one reply, the state follows the last status and speed-pot byte,
// and the held echoes stay bounded.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "keying/winkey_protocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vantrel;
  if (size == 0) return 0;
  const size_t piece = (data[0] & 0x3F) + 1;
  std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  winkey::ReplyDecoder decoder;
  std::optional<std::uint8_t> status;
  std::optional<std::uint8_t> pot;
  while (!bytes.empty()) {
    const std::string_view part = bytes.substr(0, piece);
    bytes.remove_prefix(part.size());
    const auto replies = decoder.Feed(part);
    if (replies.size() != part.size()) std::abort();
    for (size_t i = 0; i < replies.size(); ++i) {
      const auto byte = static_cast<std::uint8_t>(part[i]);
      const winkey::Reply& r = replies[i];
      if (r.kind == winkey::ReplyKind::kStatus) {
        if ((byte & 0xE0) != 0xC0 || r.value > 0x1F) std::abort();
        status = r.value;
      } else if (r.kind == winkey::ReplyKind::kSpeedPot) {
        if ((byte & 0xC0) != 0x80 || r.value > 63) std::abort();
        pot = r.value;
      } else if (r.value != byte) {
        std::abort();
      }
    }
    if (decoder.status() != status.value_or(0) || decoder.speed_pot() != pot) std::abort();
    if (decoder.xoff() != ((decoder.status() & winkey::kStatusXoff) != 0)) std::abort();
    if (FlowStatus(true, decoder.status(), 0) >= 5 && !decoder.xoff()) std::abort();
    if ((data[0] & 0x40) && decoder.TakeEchoes().size() > winkey::ReplyDecoder::kMaxEchoes)
      std::abort();
  }
  return 0;
}

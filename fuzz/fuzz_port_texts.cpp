// Serial settings strings and I/O addresses as read from settings files: no
// crash, only valid items accepted, and whatever parses survives being
// written out and parsed again unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/ports.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto settings = vantrel::ParseSerialSettings(text)) {
    if (settings->baud == 0 || (settings->data_bits != 7 && settings->data_bits != 8) ||
        (settings->stop_bits != 1 && settings->stop_bits != 2))
      std::abort();
    const auto again = vantrel::ParseSerialSettings(vantrel::FormatSerialSettings(*settings));
    if (!again || !(*again == *settings)) std::abort();
  }
  if (const auto address = vantrel::ParseIoAddress(text)) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "&H%X", unsigned(*address));
    if (vantrel::ParseIoAddress(hex) != address) std::abort();
  }
  return 0;
}

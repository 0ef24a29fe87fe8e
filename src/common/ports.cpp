#include "common/ports.h"

#include <charconv>

namespace vantrel {

namespace {

// Whole text as an unsigned number in `base`; nothing for empty text, a
// sign, a blank or any other character, or a value above `max`.
std::optional<std::uint32_t> Number(std::string_view text, int base, std::uint32_t max) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (ec != std::errc() || ptr != end || value > max) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<SerialSettings> ParseSerialSettings(std::string_view text) {
  std::string_view items[4];
  for (int i = 0; i < 4; ++i) {
    const size_t comma = text.find(',');
    if ((i < 3) != (comma != std::string_view::npos)) return std::nullopt;
    items[i] = text.substr(0, comma);
    if (i < 3) text.remove_prefix(comma + 1);
  }
  SerialSettings s;
  const auto baud = Number(items[0], 10, 4'000'000);
  if (!baud || *baud == 0) return std::nullopt;
  s.baud = *baud;
  if (items[1].size() != 1) return std::nullopt;
  switch (items[1][0]) {
    case 'N':
    case 'n':
      s.parity = Parity::kNone;
      break;
    case 'O':
    case 'o':
      s.parity = Parity::kOdd;
      break;
    case 'E':
    case 'e':
      s.parity = Parity::kEven;
      break;
    default:
      return std::nullopt;
  }
  if (items[2] == "7" || items[2] == "8")
    s.data_bits = items[2][0] - '0';
  else
    return std::nullopt;
  if (items[3] == "1" || items[3] == "2")
    s.stop_bits = items[3][0] - '0';
  else
    return std::nullopt;
  return s;
}

std::string FormatSerialSettings(const SerialSettings& settings) {
  const char parity = settings.parity == Parity::kOdd    ? 'O'
                      : settings.parity == Parity::kEven ? 'E'
                                                         : 'N';
  return std::to_string(settings.baud) + ',' + parity + ',' + std::to_string(settings.data_bits) +
         ',' + std::to_string(settings.stop_bits);
}

std::optional<std::uint16_t> ParseIoAddress(std::string_view text) {
  std::optional<std::uint32_t> value;
  if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
    text.remove_prefix(2);
    value = Number(text, 16, 0xFFFF);
  } else {
    value = Number(text, 10, 0xFFFF);
  }
  if (!value) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

}  // namespace vantrel

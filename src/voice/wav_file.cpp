#include "voice/wav_file.h"

#include <algorithm>
#include <array>

namespace vantrel {

namespace {

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool Tag(std::span<const std::uint8_t> b, std::size_t at, const char (&tag)[5]) {
  return std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}

WavParse Refuse(std::string why) {
  return {std::nullopt, std::move(why)};
}

constexpr std::array<int, 9> kRates = {8000,  11025, 12000, 16000, 22050,
                                       24000, 32000, 44100, 48000};
constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kExtensible = 0xFFFE;

}  // namespace

std::uint64_t WavInfo::DurationMs() const {
  const std::uint64_t per_second = static_cast<std::uint64_t>(format.sample_rate) *
                                   static_cast<std::uint64_t>(format.FrameBytes());
  return per_second == 0 ? 0 : data_bytes * 1000 / per_second;
}

WavParse ParseWavHeader(std::span<const std::uint8_t> head, std::uint64_t file_size) {
  if (file_size == 0 || head.empty()) return Refuse("the file is empty");
  if (head.size() > file_size) head = head.first(static_cast<std::size_t>(file_size));
  if (head.size() < 12) return Refuse("the file is too short for a wave header");
  if (!Tag(head, 0, "RIFF")) return Refuse("not a RIFF file");
  if (!Tag(head, 8, "WAVE")) return Refuse("a RIFF file, but not wave audio");

  std::optional<WavFormat> format;
  std::size_t at = 12;
  while (at + 8 <= head.size()) {
    const std::uint64_t size = Le32(head, at + 4);
    const std::size_t body = at + 8;
    if (Tag(head, at, "fmt ")) {
      if (size < 16 || body + 16 > head.size()) return Refuse("the format chunk is cut short");
      std::uint16_t tag = Le16(head, body);
      const int channels = Le16(head, body + 2);
      const auto rate = Le32(head, body + 4);
      const int align = Le16(head, body + 12);
      const int bits = Le16(head, body + 14);
      if (tag == kExtensible) {
        // The sub-format's first two bytes name the real encoding.
        if (size < 40 || body + 40 > head.size()) return Refuse("the format chunk is cut short");
        tag = Le16(head, body + 24);
      }
      if (tag != kPcm)
        return Refuse("encoding " + std::to_string(tag) +
                      " is not plain PCM; save the file as PCM");
      if (channels != 1 && channels != 2)
        return Refuse(std::to_string(channels) + " channels; only mono and stereo play");
      if (bits != 8 && bits != 16)
        return Refuse(std::to_string(bits) + "-bit samples; only 8 and 16 bits play");
      if (std::find(kRates.begin(), kRates.end(), static_cast<int>(rate)) == kRates.end())
        return Refuse("a sample rate of " + std::to_string(rate) + " Hz is not supported");
      const WavFormat f{channels, static_cast<int>(rate), bits};
      if (align != f.FrameBytes()) return Refuse("the frame size does not match the format");
      format = f;
    } else if (Tag(head, at, "data")) {
      if (!format) return Refuse("the samples come before their format");
      WavInfo info;
      info.format = *format;
      info.data_offset = body;
      const std::uint64_t present = file_size - std::min<std::uint64_t>(file_size, body);
      info.truncated = size > present;
      const std::uint64_t bytes = std::min(size, present);
      info.data_bytes = bytes - bytes % static_cast<std::uint64_t>(format->FrameBytes());
      if (info.data_bytes == 0) return Refuse("the file holds no samples");
      return {info, {}};
    }
    // Chunks are padded to an even length.
    const std::uint64_t next = body + size + (size & 1);
    if (next > head.size()) break;
    at = static_cast<std::size_t>(next);
  }
  if (head.size() < file_size && head.size() >= kWavHeadBytes)
    return Refuse("no samples within the first 64 KiB");
  return Refuse(format ? "the file ends before its samples" : "the file ends before its format");
}

}  // namespace vantrel

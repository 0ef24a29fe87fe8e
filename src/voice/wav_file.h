// The header of a wave file: where its PCM samples lie and how to play them.
//
// Responsibilities: walk the RIFF chunks of the first bytes of a file and
// accept only what the players can hand to the sound card unchanged (PCM,
// 8 or 16 bits, mono or stereo, the usual rates); say why anything else is
// refused.
// Collaborations: platform/qt_wave_player streams the samples it locates.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vantrel {

struct WavFormat {
  int channels = 0;     // 1 or 2
  int sample_rate = 0;  // frames per second
  int bits = 0;         // 8 (unsigned) or 16 (signed, little-endian)
  int FrameBytes() const { return channels * bits / 8; }
  friend bool operator==(const WavFormat&, const WavFormat&) = default;
};

struct WavInfo {
  WavFormat format;
  std::uint64_t data_offset = 0;  // from the start of the file
  std::uint64_t data_bytes = 0;   // whole frames that the file really holds
  bool truncated = false;         // the data chunk claims more than the file has
  std::uint64_t DurationMs() const;
};

struct WavParse {
  std::optional<WavInfo> info;
  std::string error;  // set when info is empty
};

// How much of a file the header walk needs: a data chunk must start within
// it (writers put the header and a few short chunks before it).
inline constexpr std::size_t kWavHeadBytes = 64 * 1024;

// `head` is the start of the file (up to kWavHeadBytes), `file_size` its
// whole size, so a huge file is never read to be parsed.
WavParse ParseWavHeader(std::span<const std::uint8_t> head, std::uint64_t file_size);

}  // namespace vantrel

// Writes small wave files for tests and benchmarks: a tone of a given
// length, 16-bit mono PCM.
#pragma once

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace vantrel {

inline bool WriteToneWav(const std::string& path, int milliseconds, int rate = 8000) {
  const std::uint32_t frames = static_cast<std::uint32_t>(rate) * milliseconds / 1000;
  const std::uint32_t bytes = frames * 2;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  auto u32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.put(static_cast<char>(v >> (8 * i)));
  };
  auto u16 = [&](std::uint16_t v) {
    out.put(static_cast<char>(v));
    out.put(static_cast<char>(v >> 8));
  };
  out << "RIFF";
  u32(36 + bytes);
  out << "WAVEfmt ";
  u32(16);
  u16(1);
  u16(1);
  u32(static_cast<std::uint32_t>(rate));
  u32(static_cast<std::uint32_t>(rate) * 2);
  u16(2);
  u16(16);
  out << "data";
  u32(bytes);
  for (std::uint32_t i = 0; i < frames; ++i)
    u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.3))));
  return static_cast<bool>(out);
}

}  // namespace vantrel

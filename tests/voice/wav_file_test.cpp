#include "voice/wav_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vantrel {
namespace {

void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void PutTag(std::vector<std::uint8_t>& b, const char* tag) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(tag[i]));
}

struct Shape {
  std::uint16_t tag = 1;
  std::uint16_t channels = 1;
  std::uint32_t rate = 8000;
  std::uint16_t bits = 16;
  std::int32_t align = -1;  // -1: the right one
  std::uint32_t data_claimed = 16000;
  std::uint32_t data_present = 16000;
  bool extra_chunk = false;
};

std::vector<std::uint8_t> Wav(const Shape& s) {
  std::vector<std::uint8_t> b;
  PutTag(b, "RIFF");
  Put32(b, 36 + s.data_claimed);
  PutTag(b, "WAVE");
  if (s.extra_chunk) {
    PutTag(b, "LIST");
    Put32(b, 3);  // odd: one pad byte follows
    for (char c : {'a', 'b', 'c', '\0'}) b.push_back(static_cast<std::uint8_t>(c));
  }
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, s.tag);
  Put16(b, s.channels);
  Put32(b, s.rate);
  const int frame = s.channels * s.bits / 8;
  Put32(b, s.rate * static_cast<std::uint32_t>(frame));
  Put16(b, static_cast<std::uint16_t>(s.align < 0 ? frame : s.align));
  Put16(b, s.bits);
  PutTag(b, "data");
  Put32(b, s.data_claimed);
  b.resize(b.size() + s.data_present, 0x80);
  return b;
}

TEST(WavHeader, AcceptsPcmOfTheUsualShapes) {
  const struct {
    Shape shape;
    WavFormat format;
    std::uint64_t bytes;
    std::uint64_t ms;
    bool truncated;
  } rows[] = {
      {{}, {1, 8000, 16}, 16000, 1000, false},
      {{.channels = 2, .rate = 44100, .data_claimed = 176400, .data_present = 176400},
       {2, 44100, 16},
       176400,
       1000,
       false},
      {{.rate = 22050, .bits = 8, .data_claimed = 11025, .data_present = 11025},
       {1, 22050, 8},
       11025,
       500,
       false},
      {{.extra_chunk = true}, {1, 8000, 16}, 16000, 1000, false},
      // Cut short: what is there plays, down to whole frames.
      {{.data_present = 8001}, {1, 8000, 16}, 8000, 500, true},
  };
  for (const auto& row : rows) {
    const auto bytes = Wav(row.shape);
    const WavParse p = ParseWavHeader(bytes, bytes.size());
    ASSERT_TRUE(p.info) << p.error;
    EXPECT_EQ(p.info->format, row.format);
    EXPECT_EQ(p.info->data_bytes, row.bytes);
    EXPECT_EQ(p.info->DurationMs(), row.ms);
    EXPECT_EQ(p.info->truncated, row.truncated);
    EXPECT_EQ(p.info->data_offset, bytes.size() - row.shape.data_present);
  }
}

TEST(WavHeader, RefusesWithAReason) {
  const auto good = Wav({});
  auto not_riff = good;
  not_riff[0] = 'X';
  auto not_wave = good;
  not_wave[8] = 'A';
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* error_has;
  } rows[] = {
      {"empty", {}, "empty"},
      {"short", {'R', 'I', 'F', 'F'}, "too short"},
      {"not RIFF", not_riff, "not a RIFF"},
      {"not WAVE", not_wave, "not wave"},
      {"header cut", std::vector<std::uint8_t>(good.begin(), good.begin() + 30), "cut short"},
      {"no data chunk", std::vector<std::uint8_t>(good.begin(), good.begin() + 36),
       "before its samples"},
      {"ADPCM", Wav({.tag = 2}), "not plain PCM"},
      {"float", Wav({.tag = 3, .bits = 32}), "not plain PCM"},
      {"six channels", Wav({.channels = 6}), "channels"},
      {"24 bits", Wav({.bits = 24}), "24-bit"},
      {"odd rate", Wav({.rate = 12345}), "12345 Hz"},
      {"frame size", Wav({.align = 3}), "frame size"},
      {"no samples", Wav({.data_claimed = 0, .data_present = 0}), "no samples"},
  };
  for (const auto& row : rows) {
    const WavParse p = ParseWavHeader(row.bytes, row.bytes.size());
    EXPECT_FALSE(p.info) << row.name;
    EXPECT_NE(p.error.find(row.error_has), std::string::npos) << row.name << ": " << p.error;
  }
}

TEST(WavHeader, AHugeFileIsJudgedByItsHead) {
  // A 2 GB file: only the head is read; the data length comes from the header.
  auto head = Wav({.data_claimed = 0x7FFFFF00u, .data_present = 100});
  const std::uint64_t size = 0x80000000ull;
  const WavParse p = ParseWavHeader(head, size);
  ASSERT_TRUE(p.info) << p.error;
  EXPECT_EQ(p.info->data_bytes, 0x7FFFFF00u);
  EXPECT_FALSE(p.info->truncated);

  // A head full of chunks with no samples in it is refused, not read on.
  std::vector<std::uint8_t> junk = Wav({});
  junk.resize(36);
  PutTag(junk, "LIST");
  Put32(junk, 0x10000);
  junk.resize(kWavHeadBytes, 0);
  EXPECT_NE(ParseWavHeader(junk, size).error.find("64 KiB"), std::string::npos);
}

TEST(WavHeader, ShippedAnnouncementsPlay) {
  for (const char* name : {"Call", "RstRcvd", "RstSnt", "Grid", "Dupe", "NavEn", "NavDis"}) {
    std::ifstream in(std::string(VANTREL_SHIPPED_DATA_DIR) + "/" + name + ".wav", std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                          std::istreambuf_iterator<char>());
    const WavParse p = ParseWavHeader(bytes, bytes.size());
    ASSERT_TRUE(p.info) << name << ": " << p.error;
    EXPECT_FALSE(p.info->truncated) << name;
    EXPECT_LT(p.info->DurationMs(), 3000u) << name << ": announcements are short";
  }
}

}  // namespace
}  // namespace vantrel

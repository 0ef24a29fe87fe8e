// Wave file heads as found on disk: no crash and no read outside the head,
// and whatever is accepted describes whole frames inside the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "voice/wav_file.h"

namespace {

void Check(std::span<const std::uint8_t> head, std::uint64_t file_size) {
  const vantrel::WavParse p = vantrel::ParseWavHeader(head, file_size);
  if (!p.info) {
    if (p.error.empty()) std::abort();
    return;
  }
  const vantrel::WavInfo& i = *p.info;
  const int frame = i.format.FrameBytes();
  if (frame <= 0 || i.data_bytes == 0 || i.data_bytes % static_cast<unsigned>(frame) != 0)
    std::abort();
  if (i.data_offset > file_size || i.data_bytes > file_size - i.data_offset) std::abort();
  if (i.data_offset > head.size() && head.size() == file_size) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const std::uint8_t> all(data, size);
  // The whole file as its head; the same head of a file of 2 GB; a file
  // shorter than the bytes read (it shrank between size and read).
  Check(all.first(std::min(size, vantrel::kWavHeadBytes)), size);
  Check(all.first(std::min(size, vantrel::kWavHeadBytes)), 0x80000000ull);
  Check(all, size / 2);
  return 0;
}

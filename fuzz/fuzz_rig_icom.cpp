// CI-V frames (Icom, Icom 735, Omni VI) on arbitrary bytes, in both turns.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rig_reply_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  for (const char* type : {"Icom", "Icom 735", "Ten Tec Omni VI"})
    for (uint8_t turn : {0, 1}) rigfuzz::CheckReply(*vantrel::FindRigModel(type), reply, turn);
  return 0;
}

// Binary-frequency Yaesu replies (890, 920, 990, 1000 D, 1000) on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rig_reply_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  for (const char* type : {"Yaesu 890", "Yaesu 920", "Yaesu 990", "Yaesu 1000 D", "Yaesu 1000"})
    rigfuzz::CheckReply(*vantrel::FindRigModel(type), reply, 0);
  return 0;
}

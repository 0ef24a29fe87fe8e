// Kenwood and Elecraft replies (FA/MD text) on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rig_reply_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  rigfuzz::CheckReply(*vantrel::FindRigModel("Kenwood"), reply, 0);
  rigfuzz::CheckReply(*vantrel::FindRigModel("Elecraft"), reply, 1);
  return 0;
}

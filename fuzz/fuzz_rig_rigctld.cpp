// Hamlib rigctld replies (extended form, "Key: value" lines ended by
// "RPRT n") on arbitrary bytes; the answer counter must agree with the
// finished-reply split on any input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "rig/rigctld.h"
#include "rig_reply_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view reply(reinterpret_cast<const char*>(data), size);
  rigfuzz::CheckReply(*vantrel::FindRigModel("Hamlib rigctld"), reply, 0);
  rigfuzz::Check(vantrel::RigctldFinishedLength(reply) <= reply.size());
  vantrel::RigctldAnswerCounter counter;
  rigfuzz::Check(counter.Feed(reply) >= 0);
  (void)vantrel::DescribeRefusal(vantrel::FirstRigctldRefusal(reply));
  return 0;
}

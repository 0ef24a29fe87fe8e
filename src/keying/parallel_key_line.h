// Keys the transmitter on bit 0 of the printer port's control register
// (base + 2): 3 for key down, 2 for key up, bit 1 staying set. The port
// object must be used by the keying thread alone (the CW keyer owns one).
#pragma once

#include <cstdint>

#include "common/ports.h"
#include "keying/key_line.h"

namespace vantrel {

class ParallelKeyLine : public KeyLine {
 public:
  ParallelKeyLine(ParallelPort& port, std::uint16_t base) : port_(port), base_(base) {}
  bool Set(bool down) override {
    port_.Write(static_cast<std::uint16_t>(base_ + 2), down ? 3 : 2);
    return true;
  }

 private:
  ParallelPort& port_;
  std::uint16_t base_;
};

}  // namespace vantrel

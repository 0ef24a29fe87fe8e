// The keying output and the time base of the Morse engine, as the core sees
// them. The platform layer implements both (a serial modem line or a printer
// port bit; the monotonic clock with absolute-deadline sleeps); tests use a
// recording line and a clock they advance themselves.
//
// Responsibilities: switch one line; tell the time in nanoseconds; wait for an
// absolute instant; count the rounds of the "Loop" timing method.
// Collaborations: keying/keying_engine (the only caller, on the keying
// thread); the voice keyer and WinKey may use a KeyLine of their own.
#pragma once

#include <cstdint>

namespace vantrel {

// One output that keys the transmitter. Set is called from the keying
// thread only, so an implementation must not touch objects the UI thread
// uses (QSerialPort): it works on a descriptor or a port of its own.
class KeyLine {
 public:
  virtual ~KeyLine() = default;
  // Key down (true) or up (false). False when the device failed; the engine
  // then ends the character and tries once more to release the line.
  virtual bool Set(bool down) = 0;
};

// A line with nothing behind it: "None", or RTS/DTR without a port. The
// timing still runs.
class NullKeyLine : public KeyLine {
 public:
  bool Set(bool) override { return true; }
};

class KeyingClock {
 public:
  virtual ~KeyingClock() = default;
  // Monotonic time; the "Timer" method derives its wrapping 32-bit
  // millisecond count from it.
  virtual std::int64_t NowNs() const = 0;
  // Returns at `deadline_ns` or soon after; at once when it has passed.
  virtual void SleepUntil(std::int64_t deadline_ns) = 0;
  // Counts a real variable from 0 in steps of 1 while it is below `rounds`,
  // reading no clock: the "Loop" method's wait.
  virtual void CountRounds(double rounds) = 0;
};

}  // namespace vantrel

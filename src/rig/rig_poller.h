// The send/read alternation of the rig window's poll timer, without the
// timer: each tick is one call, the port is the caller's.
//
// Responsibilities: decide what a send tick writes; run a read tick's bytes
// through the family parser; keep the phase, the mode turn and the reading
// between ticks.
// Collaborations: rig/rig_reply (parsers), rig/rig_settings (queries, rig
// type, mode source); the rig window, which reads the port (or PEGASUS.OUT)
// before a read tick, writes what a send tick returns, and feeds the main
// window after a processed read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rig/rig_reply.h"
#include "rig/rig_settings.h"

namespace vantrel {

// What the family writes in a send tick; the mode turn moves on for the
// families that send one query per cycle.
std::string PollQueries(const RigModel& model, const RigSettings& settings, uint8_t& mode_turn);

struct TickInput {
  // Send tick: nothing is written while earlier bytes are still queued.
  bool output_queue_empty = true;
  // Read tick: all input that arrived since the last read; for the Pegasus
  // the text of PEGASUS.OUT.
  std::string_view received;
  // Pegasus only: whether PEGASUS.OUT could be read.
  bool pegasus_file_read = false;
};

struct TickResult {
  bool read_tick = false;
  std::string to_send;      // send tick: bytes for the port, possibly none
  bool processed = false;   // read tick: the parser ran, so the main window is fed
  std::string unprocessed;  // read tick: lblUnProcess text
};

class RigPoller {
 public:
  // True when the next tick reads; the caller then collects the input first.
  bool read_tick_next() const { return read_next_; }
  uint8_t mode_turn() const { return mode_turn_; }
  const RigReading& reading() const { return reading_; }
  const RigState& state() const { return reading_.state; }

  // Test, and a click on a mode-source option, forget the mode.
  void ClearMode() { reading_.state.mode.clear(); }
  // A new connection starts with no reply half read.
  void ForgetUnfinishedReply() { unfinished_.clear(); }

  // One timer tick. `convert_from_hex` shows the reply as hex digits.
  TickResult Tick(const RigSettings& settings, bool convert_from_hex, const TickInput& in);

 private:
  bool read_next_ = false;
  uint8_t mode_turn_ = 0;
  RigReading reading_;
  std::string unfinished_;  // rigctld: the start of a reply still arriving
};

}  // namespace vantrel

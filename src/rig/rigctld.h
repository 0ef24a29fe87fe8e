// Hamlib's rigctld as a radio: the daemon owns the radio's port and serves
// any number of programs over TCP, so the logger and a digital-mode program
// can follow the same dial. This is the client side of its text protocol.
//
// Responsibilities: the poll queries, the frequency and mode commands, the
// parse of its replies into the Rig state, the answered-command count the
// connection uses to hold back a poll, the text of its error codes.
// Collaborations: rig/rig_poller and rig/rig_command (the "Hamlib rigctld"
// family), platform/rigctld_port (the TCP connection).
//
// Every command goes out in the extended response form ("+f", not "f"):
// each reply then names its values ("Frequency: 144200000") and ends with
// "RPRT n". In the plain form "f" answers with a bare number that cannot be
// told from the passband line of an "m" reply once a reply is late or cut,
// and a refused command is only "RPRT -n" in place of a value. With the end
// line, a reply cut across two reads is recognised as unfinished and kept,
// and the connection knows when every command has been answered.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rig/rig_reply.h"

namespace vantrel {

inline constexpr std::string_view kRigctldDefaultHost = "localhost";
inline constexpr int kRigctldDefaultPort = 4532;

// One poll: frequency, then mode and passband.
inline constexpr std::string_view kRigctldPollQueries = "+f\n+m\n";

// "+F <hertz>", exact integer hertz.
std::string RigctldFrequencyCommand(int64_t hz);
// "+M <Hamlib mode> 0" (passband 0: the radio's normal width for the mode);
// empty for a mode Hamlib has no name for.
std::string RigctldModeCommand(std::string_view mode);
// A Hamlib mode name as the log sees it: "CW" for CW and CWR, empty for
// nothing, "PH" for any other.
std::string RigctldLogMode(std::string_view hamlib_mode);

// The length of `text` made of finished replies (through the last "RPRT"
// line); the rest is a reply still arriving.
size_t RigctldFinishedLength(std::string_view text);
// The finished replies that answered with RPRT 0 set the frequency and mode;
// refused, unfinished and malformed ones change nothing.
RigReading ParseRigctldReply(std::string_view reply, RigReading cur);

// The first refused command among finished replies.
struct RigctldRefusal {
  std::string command;  // its echo line, e.g. "set_freq: 144200000"
  int code = 0;         // negative
  bool found() const { return code != 0; }
};
RigctldRefusal FirstRigctldRefusal(std::string_view reply);
// "set_freq: abc: RPRT -1 (invalid parameter)".
std::string DescribeRefusal(const RigctldRefusal& refusal);

// Commands written that expect an "RPRT" line: lines starting with "+".
// Plain-form commands typed in the command test window are not counted.
int RigctldCommandsAwaitingAnswer(std::string_view written);

// Counts "RPRT" lines in a byte stream that arrives in pieces.
class RigctldAnswerCounter {
 public:
  int Feed(std::string_view bytes);
  void Reset() { line_.clear(); }

 private:
  std::string line_;
};

}  // namespace vantrel

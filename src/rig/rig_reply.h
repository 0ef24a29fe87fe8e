// One pure reply parser per radio family: the bytes read in one read phase
// and the current reading in, the new reading out.
//
// Responsibilities: turn a family's reply into frequency (MHz), mode ("CW",
// "PH", and "AM"/"FM" from the 757 GX II) and, for the IF reply, the active
// VFO. A reply too short, a missing keyword or a field that is not a number
// stops the parser at once: what it already took stays, nothing else changes.
// Collaborations: rig/rig_model (family and layout data), rig/rig_poller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rig/rig_model.h"

namespace vantrel {

// The rig state the main window follows.
struct RigState {
  double frequency = 0;  // MHz to the 10 Hz the radios report; 0 until the first good reply
  std::string mode;      // "CW", "PH", "AM", "FM" or empty when unknown

  bool operator==(const RigState&) const = default;
};

// Neither VFO: what the window starts with until an IF reply names one.
inline constexpr uint8_t kNoActiveVfo = 10;

// All one reply can change.
struct RigReading {
  RigState state;
  uint8_t active_vfo = kNoActiveVfo;  // 0 VFO A, 1 VFO B

  bool operator==(const RigReading&) const = default;
};

// What the parsers need to know beyond the reply.
struct ReplyContext {
  std::string_view frequency_query;
  std::string_view mode_query;
  // 1: the frequency query went out last, so this is a frequency reply.
  uint8_t mode_turn = 0;
};

RigReading ParseKenwoodReply(std::string_view reply, const ReplyContext& ctx, RigReading cur);
RigReading ParseKenwood2Reply(std::string_view reply, const ReplyContext& ctx, RigReading cur);
// CI-V; `data_bytes` is the frequency width (5, or 4 for the 735).
RigReading ParseIcomReply(std::string_view reply, const ReplyContext& ctx, int data_bytes,
                          RigReading cur);
RigReading ParseYaesuReply(std::string_view reply, RigReading cur);
RigReading ParseYaesu757Reply(std::string_view reply, RigReading cur);
RigReading ParseYaesuBinaryReply(std::string_view reply, const YaesuBinaryLayout& layout,
                                 RigReading cur);
RigReading ParseFtdx9000Reply(std::string_view reply, const ReplyContext& ctx, RigReading cur);
RigReading ParseFntPnlReply(std::string_view reply, const ReplyContext& ctx, RigReading cur);
RigReading ParseOrionReply(std::string_view reply, RigReading cur);
// PEGASUS.OUT as written by the Pegasus control program: a number (MHz) and a
// text (the mode) in the quoted-value form.
RigReading ParsePegasusFile(std::string_view file_text, RigReading cur);

// The parser of `model`'s family; "None" and "Other" change nothing.
RigReading ParseRigReply(const RigModel& model, std::string_view reply, const ReplyContext& ctx,
                         RigReading cur);

// Mode source "Frequency": the mode of the segment the frequency lies
// strictly inside, or `mode` outside them all.
// The segments are single precision, and so is the comparison.
std::string ModeFromFrequency(double frequency, std::string_view mode);

// lblFreq: five decimals, no leading zero before the point ("###.####0").
std::string FormatRigFrequency(double frequency);

}  // namespace vantrel

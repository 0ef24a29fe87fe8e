#include "rig/rig_poller.h"

#include "rig/rigctld.h"

#include <utility>

namespace vantrel {

namespace {

void AppendHex(std::string& out, std::string_view query, int pairs) {
  if (const auto bytes = HexPairsToBytes(query, pairs)) out += *bytes;
}

}  // namespace

std::string PollQueries(const RigModel& model, const RigSettings& s, uint8_t& mode_turn) {
  std::string out;
  const std::string& freq = s.FrequencyQuery;
  const std::string& mode = s.ModeQuery;
  switch (model.family) {
    case RigFamily::kKenwood:
    case RigFamily::kKenwood2:
      out = freq + mode;
      break;
    case RigFamily::kIcom:
      if (mode_turn == 0) {
        if (freq.size() >= 17) AppendHex(out, freq, 6);
        mode_turn = 1;
      } else {
        if (mode.size() >= 17) AppendHex(out, mode, 6);
        mode_turn = 0;
      }
      break;
    case RigFamily::kYaesu:
    case RigFamily::kYaesu757:
    case RigFamily::kYaesuBinary:
      if (freq.size() > 13) AppendHex(out, freq, 5);
      break;
    case RigFamily::kYaesuFtdx9000:
      if (mode_turn == 0) {
        if (freq.size() >= 2) out = freq;
        mode_turn = 1;
      } else {
        if (mode.size() >= 2) out = mode;
        mode_turn = 0;
      }
      break;
    case RigFamily::kTenTecFntPnl:
      if (mode_turn == 0) {
        if (freq.size() >= 7) AppendHex(out, freq, 3);
        mode_turn = 1;
      } else {
        if (mode.size() >= 7) AppendHex(out, mode, 3);
        mode_turn = 0;
      }
      break;
    case RigFamily::kTenTecOrion:
      if (!freq.empty()) out += freq + '\r';
      if (!mode.empty()) out += mode + '\r';
      break;
    case RigFamily::kOther:
      if (s.ConvertToHex != 0) {
        if (!freq.empty()) AppendHex(out, freq, 0);
        if (!mode.empty()) AppendHex(out, mode, 0);
      } else {
        out = freq + mode;
      }
      break;
    case RigFamily::kRigctld:
      out = kRigctldPollQueries;
      break;
    case RigFamily::kNone:
    case RigFamily::kTenTecPegasus:
      break;
  }
  return out;
}

TickResult RigPoller::Tick(const RigSettings& s, bool convert_from_hex, const TickInput& in) {
  TickResult r;
  const RigModel* model = FindRigModel(s.RigType);
  if (!read_next_) {
    if (model && in.output_queue_empty) r.to_send = PollQueries(*model, s, mode_turn_);
    read_next_ = true;
    return r;
  }
  r.read_tick = true;
  read_next_ = false;
  const bool pegasus = model && model->family == RigFamily::kTenTecPegasus;
  if (!pegasus && in.received.empty()) return r;
  r.processed = true;
  if (model && model->family == RigFamily::kRigctld) {
    // A reply still arriving is finished by the next read.
    std::string joined = std::exchange(unfinished_, {}) + std::string(in.received);
    const size_t finished = RigctldFinishedLength(joined);
    unfinished_ = joined.substr(finished);
    joined.resize(finished);
    reading_ = ParseRigctldReply(joined, std::move(reading_));
  } else if (model && (!pegasus || in.pegasus_file_read)) {
    const ReplyContext ctx{s.FrequencyQuery, s.ModeQuery, mode_turn_};
    reading_ = ParseRigReply(*model, in.received, ctx, std::move(reading_));
  }
  if (s.ModeSource == static_cast<int16_t>(RigModeSource::kFrequency))
    reading_.state.mode = ModeFromFrequency(reading_.state.frequency, reading_.state.mode);
  // The Pegasus reply is a file, not port input: nothing to show raw.
  const std::string_view shown = pegasus ? std::string_view() : in.received;
  r.unprocessed = convert_from_hex ? HexDisplay(shown) : std::string(shown);
  return r;
}

}  // namespace vantrel

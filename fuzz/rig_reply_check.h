// Shared by the rig reply fuzz targets: whatever the bytes, a parser must not
// crash, must give the same answer twice, must produce only the values its
// family can produce, and must not let the old reading shape the new one (a
// field is either left exactly as it was or set to the same value from any
// starting reading).
#pragma once

#include <cmath>
#include <cstdlib>
#include <string_view>

#include "rig/rig_reply.h"

namespace rigfuzz {

inline void Check(bool ok) {
  if (!ok) std::abort();
}

inline bool ModeAllowed(const vantrel::RigModel& model, const std::string& mode,
                        const std::string& before) {
  if (mode == before || mode == "CW" || mode == "PH") return true;
  if (model.family == vantrel::RigFamily::kYaesu757) return mode == "AM" || mode == "FM";
  return model.family == vantrel::RigFamily::kTenTecPegasus && mode.empty();
}

inline void CheckReply(const vantrel::RigModel& model, std::string_view reply, uint8_t mode_turn) {
  using vantrel::RigReading;
  const vantrel::ReplyContext ctx{model.defaults.frequency_query, model.defaults.mode_query,
                                  mode_turn};
  const RigReading a_in{{432.1f, "FM"}, vantrel::kNoActiveVfo};
  const RigReading b_in{{0.0f, ""}, 7};
  const RigReading a = vantrel::ParseRigReply(model, reply, ctx, a_in);
  const RigReading b = vantrel::ParseRigReply(model, reply, ctx, b_in);
  Check(vantrel::ParseRigReply(model, reply, ctx, a_in) == a);
  Check(std::isfinite(a.state.frequency));
  if (model.family != vantrel::RigFamily::kTenTecPegasus) Check(a.state.frequency >= 0);
  Check(ModeAllowed(model, a.state.mode, a_in.state.mode));
  Check(ModeAllowed(model, b.state.mode, b_in.state.mode));
  const bool a_freq_kept = a.state.frequency == a_in.state.frequency;
  const bool b_freq_kept = b.state.frequency == b_in.state.frequency;
  Check((a_freq_kept && b_freq_kept) || a.state.frequency == b.state.frequency);
  const bool a_mode_kept = a.state.mode == a_in.state.mode;
  const bool b_mode_kept = b.state.mode == b_in.state.mode;
  Check((a_mode_kept && b_mode_kept) || a.state.mode == b.state.mode);
  Check(a.active_vfo == a_in.active_vfo || a.active_vfo <= 9);
  Check((a.active_vfo == a_in.active_vfo && b.active_vfo == b_in.active_vfo) ||
        a.active_vfo == b.active_vfo);
}

}  // namespace rigfuzz

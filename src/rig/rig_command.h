// Tuning the radio: the bytes (or text) each family needs to change the
// frequency and the mode, the band-plan mode a new frequency implies, and the
// order of waits and writes around them, all as data.
//
// Responsibilities: exact frequency text <-> hertz; the frequency and mode
// commands per family, refusing a frequency whose digits do not fit; the
// Extra-class band-plan lookup; the step lists a change runs through and a
// sequencer that walks them with a millisecond clock, never sleeping.
// Collaborations: rig/rig_model and rig/rig_settings (family, queries),
// contest/band_plan (the rows); the rig window runs the sequencer on a timer
// and owns the port.
//
// Frequencies travel as whole hertz from the text or spot to the command:
// a single-precision MHz value cannot hold 1296.1 or 432.1 exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contest/band_plan.h"
#include "rig/rig_model.h"
#include "rig/rig_settings.h"

namespace vantrel {

using Hertz = int64_t;

// MHz text as typed: digits with at most one decimal point, blanks around
// allowed. Digits past the hertz are rounded half up. Signs, exponents,
// letters and more than five digits before the point are not frequencies.
std::optional<Hertz> ParseMhz(std::string_view text);
// Hertz as MHz text without trailing zeros: "432.1", "50.12499", "1296".
std::string FormatMhz(Hertz hz);
// Inclusive amateur allocations from 160 m to 241 GHz.
bool InAmateurBand(Hertz hz);

// The scan's next frequency: one step up, and back to `from` once past `to`.
Hertz ScanNext(Hertz hz, Hertz from, Hertz to, Hertz step);

// What a typed frequency means for tuning: the hertz, or why it cannot be
// tuned (a sentence for the operator).
struct TypedFrequency {
  std::optional<Hertz> hz;
  std::string problem;
};
TypedFrequency CheckTypedFrequency(std::string_view text);

// The frequency command of one family. `bytes` goes to the port, or for the
// Pegasus into PEGASUS.IN (`to_file`). `pauses_ms` come before the write; the
// user interface runs between them. `error` set: the frequency does not fit
// the command and nothing may be written.
struct FrequencyCommand {
  std::string bytes;
  std::vector<uint32_t> pauses_ms;
  bool to_file = false;
  std::string error;
};
// `active_vfo` picks FB for the IF-reading Kenwood; `mode` is the Rig state's
// mode the Pegasus file carries.
FrequencyCommand BuildFrequencyCommand(const RigModel& model, const RigSettings& settings,
                                       uint8_t active_vfo, Hertz hz, std::string_view mode);

// Modes a radio can be asked for.
inline constexpr std::string_view kRigModes[] = {"CW",   "CW-R",   "LSB", "USB", "AM", "FM",
                                                 "RTTY", "RTTY-R", "FSK", "DIG", "PKT"};
// The mode command, empty when the family has none for the mode.
std::string BuildModeCommand(const RigModel& model, const RigSettings& settings,
                             std::string_view mode);

// The Extra-class rows ChangeMode looks in, at most kBandPlanMaxRows.
std::vector<BandPlanRow> ExtraClassRows(const BandPlan& plan);
// The mode that suits `hz`: the first row it lies strictly inside; "PH"
// becomes "USB", or "LSB" on 80, 60 and 40 m; 160 m and no row give empty.
std::string BandPlanMode(const std::vector<BandPlanRow>& rows, Hertz hz);

// One step of a change.
struct CommandStep {
  enum class Kind : uint8_t {
    kYield,      // let the user interface run once
    kDrain,      // until the output queue is empty, at most 2000 ms
    kPause,      // `ms` milliseconds
    kWrite,      // `bytes` to the port
    kWriteFile,  // `bytes` into PEGASUS.IN
  };
  Kind kind = Kind::kYield;
  uint32_t ms = 0;
  std::string bytes;
  bool operator==(const CommandStep&) const = default;
};

inline constexpr uint32_t kDrainLimitMs = 2000;
inline constexpr uint32_t kModePauseMs = 99;

// ChangeMode's steps; none when there is no command.
std::vector<CommandStep> ModeSteps(const std::string& mode_bytes);
// ChangeFrequency's: the mode first, then the frequency command.
std::vector<CommandStep> FrequencySteps(const std::string& mode_bytes,
                                        const FrequencyCommand& command);

// Walks a step list. The owner calls Next with the clock and the port's
// queued byte count, does what it returns, and for kWait calls again after
// `ms` (0: at the next turn of the event loop). A write's result is the
// owner's: on failure it stops calling.
class CommandSequencer {
 public:
  struct Action {
    enum class Kind : uint8_t { kWrite, kWriteFile, kWait, kDone };
    Kind kind = Kind::kDone;
    uint32_t ms = 0;
    std::string bytes;
  };

  void Start(std::vector<CommandStep> steps, uint32_t now);
  bool Running() const { return next_ < steps_.size(); }
  void Stop() {
    steps_.clear();
    next_ = 0;
  }
  Action Next(uint32_t now, size_t pending_output);

 private:
  std::vector<CommandStep> steps_;
  size_t next_ = 0;
  uint32_t step_start_ = 0;
  bool yielded_ = false;
};

}  // namespace vantrel

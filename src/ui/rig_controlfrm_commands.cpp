// The rig window's tuning side: frequency and mode changes run as timed
// steps while polling pauses, so the window never blocks.
#include "platform/durable_file.h"
#include "rig/rigctld.h"
#include "ui/rig_controlfrm.h"
#include "ui/widget_text.h"

namespace vantrel::ui {

namespace {

const char* const kFrequencyErrorTitle = "Error Changing Frequency";
const char* const kModeErrorTitle = "Error Changing Mode";
const char* const kPortClosed = "The rig port is not open.";
const char* const kWriteFailed = "The rig port refused the command.";

}  // namespace

void RigControlfrm::ReadBandPlan() {
  band_plan_.clear();
  std::string text, error;
  if (!ReadWholeFile(state_.WorkingFile(std::string(kBandPlanFile)), text, error)) return;
  BandPlan plan;
  // Rows before a damaged one still pick modes; the file is optional anyway.
  band_plan_ = ExtraClassRows(ParseBandPlan(text, plan, 0).partial);
}

void RigControlfrm::ChangeFrequency(Hertz hz) {
  if (Tuning()) {
    pending_hz_ = hz;  // the latest click is where the operator wants to be
    return;
  }
  if (!Polling()) return;
  const RigModel* model = FindRigModel(settings_.RigType);
  if (model == nullptr) return;
  tmrGetData->stop();
  // A reply to a query sent before the change describes the old dial.
  if (model->family != RigFamily::kTenTecPegasus) TakeInput();
  const FrequencyCommand command = BuildFrequencyCommand(
      *model, settings_, poller_.reading().active_vfo, hz, poller_.state().mode);
  if (!command.error.empty()) {
    frequency_change_ = true;
    ChangeFailed(kFrequencyErrorTitle, Latin1(command.error));
    return;
  }
  const std::string mode = BandPlanMode(band_plan_, hz);
  const std::string mode_bytes = BuildModeCommand(*model, settings_, mode);
  RunSteps(FrequencySteps(mode_bytes, command), true, true, mode, mode_bytes);
}

void RigControlfrm::ChangeMode(Hertz hz, std::string& mode) {
  if (settings_.RigType == "None") return;
  if (mode.empty()) mode = BandPlanMode(band_plan_, hz);
  if (mode.empty()) return;
  if (Tuning()) {
    pending_mode_ = mode;
    return;
  }
  const RigModel* model = FindRigModel(settings_.RigType);
  if (model == nullptr) return;
  const std::string mode_bytes = BuildModeCommand(*model, settings_, mode);
  if (mode_bytes.empty()) return;
  // A poll query must not land inside the command.
  const bool polling = Polling();
  tmrGetData->stop();
  RunSteps(ModeSteps(mode_bytes), polling, false, mode, mode_bytes);
}

bool RigControlfrm::SendRaw(std::string_view bytes) {
  return port_->IsOpen() && port_->Write(bytes);
}

void RigControlfrm::RunSteps(std::vector<CommandStep> steps, bool restart_polling,
                             bool frequency_change, std::string mode, std::string mode_bytes) {
  restart_polling_ = restart_polling;
  frequency_change_ = frequency_change;
  change_mode_ = std::move(mode);
  mode_bytes_ = std::move(mode_bytes);
  sequencer_.Start(std::move(steps), clock_->Milliseconds());
  StepChange();
}

void RigControlfrm::StepChange() {
  using Kind = CommandSequencer::Action::Kind;
  while (sequencer_.Running()) {
    const size_t queued = port_->IsOpen() ? port_->PendingOutput() : 0;
    CommandSequencer::Action a = sequencer_.Next(clock_->Milliseconds(), queued);
    switch (a.kind) {
      case Kind::kWait:
        tmrCommand->start(static_cast<int>(a.ms));
        return;
      case Kind::kWrite:
        if (!port_->IsOpen() || !port_->Write(a.bytes)) {
          const QString why = port_->IsOpen() ? kWriteFailed : kPortClosed;
          if (!mode_bytes_.empty() && a.bytes == mode_bytes_)
            ChangeFailed(kModeErrorTitle, why + " " + Latin1(change_mode_));
          else
            ChangeFailed(kFrequencyErrorTitle, why);
          return;
        }
        break;
      case Kind::kWriteFile: {
        std::string error;
        if (!ReplaceFileAtomically(PegasusInPath(), a.bytes, error)) {
          ChangeFailed(kFrequencyErrorTitle, Latin1(error));
          return;
        }
        break;
      }
      case Kind::kDone:
        break;
    }
  }
  FinishChange();
}

std::string RigControlfrm::RefusalInInput() {
  if (!OverTcp()) return {};
  if (port_->IsOpen()) input_ += port_->ReadAvailable();
  const RigctldRefusal refusal = FirstRigctldRefusal(input_);
  if (!refusal.found()) return {};
  input_.clear();  // reported once, not again by the next change
  return "rigctld refused " + DescribeRefusal(refusal);
}

void RigControlfrm::FinishChange() {
  // The daemon answers each command; the last drain waited for the answers.
  if (const std::string refused = RefusalInInput(); !refused.empty()) {
    if (frequency_change_ && refused.find("set_mode") == std::string::npos)
      ChangeFailed(kFrequencyErrorTitle, Latin1(refused));
    else
      ChangeFailed(kModeErrorTitle, Latin1(refused + " " + change_mode_));
    return;
  }
  const RigModel* model = FindRigModel(settings_.RigType);
  const bool pegasus = model && model->family == RigFamily::kTenTecPegasus;
  if (restart_polling_ && (pegasus || port_->IsOpen()))
    tmrGetData->start(PollIntervalMs(settings_.PollRate));
  if (pending_hz_) {
    const Hertz hz = *std::exchange(pending_hz_, std::nullopt);
    ChangeFrequency(hz);
  } else if (pending_mode_) {
    std::string mode = *std::exchange(pending_mode_, std::nullopt);
    ChangeMode(0, mode);
  }
}

void RigControlfrm::AbortChange() {
  sequencer_.Stop();
  tmrCommand->stop();
  pending_hz_.reset();
  pending_mode_.reset();
}

void RigControlfrm::ChangeFailed(const QString& title, const QString& text) {
  AbortChange();
  if (frequency_change_) {
    // Polling stays stopped until the next Test.
    lblPolling->hide();
  } else if (restart_polling_ && port_->IsOpen()) {
    tmrGetData->start(PollIntervalMs(settings_.PollRate));
  }
  // Before the box: a scan ticking under it must already be off.
  emit tuningFailed();
  prompter_.Message(this, title, text, MessageIcon::kCritical);
}

}  // namespace vantrel::ui

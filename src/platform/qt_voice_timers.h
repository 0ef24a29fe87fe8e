// The voice keyer's two timers as QTimers: the 40 ms end-of-play poll and
// the one-shot F1 repeat.
#pragma once

#include <QObject>
#include <QTimer>

#include "voice/voice_keyer.h"

namespace vantrel {

class QtVoiceTimers : public QObject, public VoiceTimers {
  Q_OBJECT

 public:
  explicit QtVoiceTimers(QObject* parent = nullptr);
  // The keyer the timers call; set once, before the first playing.
  void Attach(VoiceKeyer* keyer) { keyer_ = keyer; }

  void StartPoll() override { poll_->start(); }
  void StopPoll() override { poll_->stop(); }
  void StartRepeat(int period_ms) override { repeat_->start(period_ms); }
  void StopRepeat() override { repeat_->stop(); }

  QTimer* poll() const { return poll_; }      // Timer1
  QTimer* repeat() const { return repeat_; }  // tmrRepeat

 private:
  VoiceKeyer* keyer_ = nullptr;
  QTimer* poll_;
  QTimer* repeat_;
};

}  // namespace vantrel

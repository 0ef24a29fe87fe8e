#include "platform/qt_voice_timers.h"

namespace vantrel {

QtVoiceTimers::QtVoiceTimers(QObject* parent)
    : QObject(parent), poll_(new QTimer(this)), repeat_(new QTimer(this)) {
  poll_->setObjectName("Timer1");
  poll_->setInterval(kVoicePollMs);
  repeat_->setObjectName("tmrRepeat");
  repeat_->setSingleShot(true);
  connect(poll_, &QTimer::timeout, this, [this] {
    if (keyer_) keyer_->PollTick();
  });
  connect(repeat_, &QTimer::timeout, this, [this] {
    if (keyer_) keyer_->RepeatFired();
  });
}

}  // namespace vantrel

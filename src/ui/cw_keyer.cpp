#include "ui/cw_keyer.h"

#include <QMetaObject>
#include <QPointer>

#include "keying/parallel_key_line.h"
#include "platform/com_port_map.h"
#include "platform/keying_clock.h"
#include "platform/modem_key_line.h"
#include "platform/ppdev_parallel_port.h"
#include "platform/qt_serial_port.h"

namespace vantrel::ui {

CwKeyer::CwKeyer(Prompter& prompter, SettingsStore& store, QWidget* message_parent)
    : QObject(message_parent),
      prompter_(prompter),
      parent_(message_parent),
      map_(std::make_unique<ComPortMap>(store)),
      serial_(std::make_unique<QtSerialPort>(*map_)),
      parallel_(std::make_unique<PpdevParallelPort>(store)),
      own_clock_(std::make_unique<PosixKeyingClock>()),
      clock_(own_clock_.get()),
      engine_(*clock_) {
  repeat_timer_ = new QTimer(this);
  repeat_timer_->setObjectName("tmrCWRepeat");
  connect(repeat_timer_, &QTimer::timeout, this, [this] {
    repeat_timer_->stop();
    if (repeat_.TimerFired() && hooks_.repeat_message) hooks_.repeat_message();
  });
  // The thread reports; everything it reports is acted on here, in order.
  KeyingEngine::Events events;
  events.contact_mark = [this] {
    Post([this] {
      if (hooks_.call && !hooks_.call().isEmpty() && hooks_.log_contact) hooks_.log_contact();
    });
  };
  events.speed_refused = [this] {
    Post([this] { prompter_.Message(parent_, kBadSpeedTitle, kBadSpeedText); });
  };
  events.line_failed = [this] { Post([this] { LineFailed(); }); };
  events.progress = [this](const std::string& waiting) {
    Post([this, waiting] {
      if (show_text_ && hooks_.show_dialog) hooks_.show_dialog(QString::fromLatin1(waiting));
    });
  };
  events.finished = [this] { Post([this] { Finished(); }); };
  engine_.set_events(std::move(events));
  serial_->OnFailed([this](const std::string&) { ReleasePort(); });
  thread_ = std::make_unique<KeyingThread>(engine_, [] { RaiseKeyingThreadPriority(); });
}

CwKeyer::~CwKeyer() {
  thread_.reset();  // stops at an element boundary and joins
  if (line_) line_->Set(false);
  line_.reset();
  serial_->OnFailed({});
  serial_->Close();
}

void CwKeyer::Post(std::function<void()> f) {
  QMetaObject::invokeMethod(this, std::move(f), Qt::QueuedConnection);
}

bool CwKeyer::Send(std::string_view text) {
  if (keying_line_ == static_cast<int>(CwKeying::kWinKey)) {
    std::string all = engine_.Buffer() + std::string(text);
    engine_.Clear();
    if (hooks_.call && !hooks_.call().isEmpty() && all.find('!') != std::string::npos &&
        hooks_.log_contact)
      hooks_.log_contact();
    if (hooks_.winkey_send) hooks_.winkey_send(all);
    if (repeat_.SendFinished()) repeat_timer_->start();
    return true;
  }
  if (text.empty()) return false;
  if (!engine_.Sending()) {
    if (!(engine_.Wpm() > 0)) {
      engine_.Clear();
      prompter_.Message(parent_, kBadSpeedTitle, kBadSpeedText);
      return false;
    }
    PrepareLine();
  }
  engine_.Append(text);
  return true;
}

void CwKeyer::PrepareLine() {
  // The engine is idle here, so the old line is no longer in use.
  engine_.SetLine(nullptr);
  line_.reset();
  if (test_lines_) {
    line_ = test_lines_(keying_line_);
  } else if (keying_line_ == static_cast<int>(CwKeying::kRts) ||
             keying_line_ == static_cast<int>(CwKeying::kDtr)) {
    if (!serial_->IsOpen() && port_number_ > 0) CWSetup();
    if (serial_->IsOpen())
      line_ = std::make_unique<ModemKeyLine>(
          serial_->NativeHandle(),
          keying_line_ == static_cast<int>(CwKeying::kDtr) ? ModemLine::kDtr : ModemLine::kRts);
  } else if (keying_line_ == static_cast<int>(CwKeying::kPrinter)) {
    line_ = std::make_unique<ParallelKeyLine>(*parallel_, parallel_address_);
  }
  // No port: nothing is keyed, the timing still runs.
  if (!line_) line_ = std::make_unique<NullKeyLine>();
  engine_.SetLine(line_.get());
}

void CwKeyer::Finished() {
  if (engine_.Sending()) return;  // a later send is already under way
  if (repeat_.SendFinished()) repeat_timer_->start();
  if (show_text_ && hooks_.show_dialog)
    hooks_.show_dialog(keyboard_mode_ ? QString(kKeyboardModeOnText) : QString());
  emit sendFinished();
}

void CwKeyer::StopRepeating() {
  if (!repeat_.armed()) return;
  if (hooks_.winkey_open && hooks_.winkey_open() && hooks_.winkey_clear) hooks_.winkey_clear();
  engine_.Clear();
  repeat_.Stop();
  repeat_timer_->stop();
}

bool CwKeyer::CWSetup() {
  ReleasePort();
  if (port_number_ <= 0) return true;
  if (hooks_.close_voice_port) hooks_.close_voice_port();
  serial_->SetPortNumber(port_number_);
  serial_->SetDtr(false);
  serial_->SetRts(false);
  if (serial_->Open()) return true;
  prompter_.Beep();
  prompter_.Message(parent_, kInvalidCwPortTitle, kInvalidCwPortText);
  if (hooks_.invalid_port) hooks_.invalid_port();
  return false;
}

void CwKeyer::ReleasePort() {
  if (engine_.Sending()) {
    engine_.StopNow();
    engine_.WaitIdle();
  }
  engine_.SetLine(nullptr);
  if (line_) line_->Set(false);
  line_.reset();
  serial_->Close();
}

void CwKeyer::LineFailed() {
  ReleasePort();
  prompter_.Beep();
  prompter_.Message(parent_, kInvalidCwPortTitle, kInvalidCwPortText);
}

double CwKeyer::Calibrate() {
  return CalibrateLoopsAtKeyingPriority(*clock_);
}

SerialPort& CwKeyer::serial_port() {
  return *serial_;
}

void CwKeyer::UseForTest(KeyingClock& clock, LineFactory lines) {
  engine_.StopNow();
  engine_.WaitIdle();
  engine_.SetLine(nullptr);
  line_.reset();
  clock_ = &clock;
  engine_.SetClock(clock);
  test_lines_ = std::move(lines);
}

}  // namespace vantrel::ui

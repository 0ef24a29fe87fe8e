#include "platform/qt_winkey.h"

#include <QEventLoop>
#include <QTimer>

#include "platform/qt_serial_port.h"

namespace vantrel {

QtWinKey::QtWinKey(const ComPortMap& map) : port_(std::make_unique<QtSerialPort>(map)) {
  port_->SetSettings("1200,N,8,2");
  port_->SetHandshaking(Handshaking::kNone);
  // The keyer is powered and kept out of reset by DTR on some interfaces.
  port_->SetDtr(true);
  port_->SetRts(false);
  port_->OnDataArrived([this] { DataArrived(); });
  port_->OnFailed([this](const std::string& why) { Failed(why); });
}

QtWinKey::~QtWinKey() {
  wk_close();
}

std::optional<std::uint8_t> QtWinKey::AwaitByte() {
  if (answer_.empty() && port_->IsOpen()) {
    awaiting_ = true;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(this, &QtWinKey::answered, &loop, &QEventLoop::quit);
    timer.start(answer_wait_ms_);
    loop.exec();
    awaiting_ = false;
  }
  if (answer_.empty()) return std::nullopt;
  const auto byte = static_cast<std::uint8_t>(answer_.front());
  answer_.erase(0, 1);
  return byte;
}

int QtWinKey::wk_open(std::uint8_t& version, std::uint8_t com_port) {
  version = 0;
  if (open_ || opening_) return kWkAlreadyOpen;
  opening_ = true;
  port_->SetPortNumber(com_port);
  if (!port_->Open()) {
    opening_ = false;
    return kWkComOpenFailed;
  }
  answer_.clear();
  Put(winkey::EchoTest());
  const auto echo = AwaitByte();
  int result = kWkSuccess;
  if (!echo) {
    result = kWkNoEchoResponse;
  } else if (*echo != winkey::kEchoProbe) {
    result = kWkEchoMismatch;
  } else {
    answer_.clear();
    Put(winkey::HostOpen());
    const auto v = AwaitByte();
    // A version of 0 would read as "no keyer"; no firmware answers it.
    if (!v || *v == 0) {
      result = kWkNoOpenResponse;
    } else {
      version = *v;
    }
  }
  opening_ = false;
  if (result != kWkSuccess) {
    port_->Close();
    return result;
  }
  decoder_ = {};
  unconfirmed_ = 0;
  open_ = true;
  return kWkSuccess;
}

void QtWinKey::wk_close() {
  if (open_) Put(winkey::HostClose());
  Shut();
}

void QtWinKey::Shut() {
  open_ = false;
  unconfirmed_ = 0;
  decoder_ = {};
  if (port_->IsOpen()) port_->Close();
}

void QtWinKey::Put(const std::string& bytes) {
  if (!bytes.empty() && port_->IsOpen()) port_->Write(bytes);
}

void QtWinKey::wk_char(std::uint8_t code) {
  if (!open_) return;
  const std::string bytes = winkey::Character(code);
  if (bytes.empty()) return;
  Put(bytes);
  ++unconfirmed_;
}

int QtWinKey::wk_getstatus() {
  return FlowStatus(open_, decoder_.status(), unconfirmed_);
}

void QtWinKey::wk_clearbuf() {
  if (!open_) return;
  Put(winkey::ClearBuffer());
  unconfirmed_ = 0;
}

void QtWinKey::wk_backspace() {
  if (open_) Put(winkey::Backspace());
}

// Settings go out only to an open keyer; a closed one gets them all at open.
void QtWinKey::wk_wpm(std::uint8_t wpm) {
  if (open_) Put(winkey::Speed(wpm));
}
void QtWinKey::wk_weight(std::uint8_t weight) {
  if (open_) Put(winkey::Weight(weight));
}
void QtWinKey::wk_ptt_leadtail(std::uint8_t lead_in, std::uint8_t tail) {
  if (open_) Put(winkey::PttLeadTail(lead_in, tail));
}
void QtWinKey::wk_ditdah_ratio(std::uint8_t ratio) {
  if (open_) Put(winkey::Ratio(ratio));
}
void QtWinKey::wk_pincfg(std::uint8_t pins) {
  if (open_) Put(winkey::PinConfig(pins));
}
void QtWinKey::wk_setmode(std::uint8_t mode) {
  if (open_) Put(winkey::Mode(mode));
}

void QtWinKey::DataArrived() {
  const std::string bytes = port_->ReadAvailable();
  if (bytes.empty()) return;
  if (opening_) {
    answer_ += bytes;
    if (awaiting_) emit answered();
    return;
  }
  if (!open_) return;
  const std::size_t before = decoder_.statuses();
  decoder_.Feed(bytes);
  // A status after our characters went out describes them.
  if (decoder_.statuses() != before) unconfirmed_ = 0;
  decoder_.TakeEchoes();
}

void QtWinKey::Failed(const std::string& why) {
  const bool was_open = open_;
  Shut();
  if (awaiting_) emit answered();
  if (was_open) ReportLost(why);
}

}  // namespace vantrel

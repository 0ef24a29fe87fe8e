// The WinKey keyer on a serial port: the operations the windows call, with
// the host protocol of keying/winkey_protocol underneath.
//
// Responsibilities: open (echo test, host open, version) with a short wait
// for each answer; the commands; the last status the keyer reported, for
// the send loop's flow control; a keyer that vanishes closes the keyer and
// is reported once.
// Collaborations: QtSerialPort (owned, 1200 baud 8N2, event-driven reads),
// frmWinKey (the only caller), ComPortMap (COM number to device).
#pragma once

#include <QObject>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "keying/winkey_protocol.h"

namespace vantrel {

class ComPortMap;
class QtSerialPort;

// wk_open's result codes.
enum WinKeyResult : int {
  kWkSuccess = 0,
  kWkNoEchoResponse = 1,
  kWkEchoMismatch = 2,
  kWkNoOpenResponse = 3,
  kWkComOpenFailed = 4,
  kWkAlreadyOpen = 8,
  kWkNotOpen = 9,
};

// The keyer's operations as the windows call them.
class WinKeyDevice {
 public:
  virtual ~WinKeyDevice() = default;
  // Result code; `version` is 0 unless a keyer answered.
  virtual int wk_open(std::uint8_t& version, std::uint8_t com_port) = 0;
  virtual void wk_close() = 0;
  virtual void wk_char(std::uint8_t code) = 0;
  // 5 or more: take no more characters now; above 0: still sending.
  virtual int wk_getstatus() = 0;
  virtual void wk_clearbuf() = 0;
  virtual void wk_backspace() = 0;
  virtual void wk_wpm(std::uint8_t wpm) = 0;
  virtual void wk_weight(std::uint8_t weight) = 0;
  virtual void wk_ptt_leadtail(std::uint8_t lead_in, std::uint8_t tail) = 0;
  virtual void wk_ditdah_ratio(std::uint8_t ratio) = 0;
  virtual void wk_pincfg(std::uint8_t pins) = 0;
  virtual void wk_setmode(std::uint8_t mode) = 0;

  // Called once when an open keyer stops answering (the device vanished);
  // the keyer is closed by then.
  void OnLost(std::function<void(const std::string& why)> lost) { lost_ = std::move(lost); }

 protected:
  void ReportLost(const std::string& why) {
    if (lost_) lost_(why);
  }

 private:
  std::function<void(const std::string&)> lost_;
};

class QtWinKey : public QObject, public WinKeyDevice {
  Q_OBJECT

 public:
  explicit QtWinKey(const ComPortMap& map);
  ~QtWinKey() override;

  // How long open waits for each of the keyer's answers.
  void set_answer_wait_ms(int ms) { answer_wait_ms_ = ms; }

  int wk_open(std::uint8_t& version, std::uint8_t com_port) override;
  void wk_close() override;
  void wk_char(std::uint8_t code) override;
  int wk_getstatus() override;
  void wk_clearbuf() override;
  void wk_backspace() override;
  void wk_wpm(std::uint8_t wpm) override;
  void wk_weight(std::uint8_t weight) override;
  void wk_ptt_leadtail(std::uint8_t lead_in, std::uint8_t tail) override;
  void wk_ditdah_ratio(std::uint8_t ratio) override;
  void wk_pincfg(std::uint8_t pins) override;
  void wk_setmode(std::uint8_t mode) override;

  bool is_open() const { return open_; }
  const winkey::ReplyDecoder& replies() const { return decoder_; }

 signals:
  void answered();

 private:
  // Waits (letting events run) for one byte; nothing after the wait.
  std::optional<std::uint8_t> AwaitByte();
  void DataArrived();
  void Failed(const std::string& why);
  void Put(const std::string& bytes);
  void Shut();

  std::unique_ptr<QtSerialPort> port_;
  winkey::ReplyDecoder decoder_;
  bool open_ = false;
  bool opening_ = false;
  bool awaiting_ = false;
  std::string answer_;
  std::size_t unconfirmed_ = 0;
  int answer_wait_ms_ = 700;
};

}  // namespace vantrel

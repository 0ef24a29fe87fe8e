// The station's ports as the core sees them: a serial port that exchanges
// bytes with a radio, TNC or keyer; a parallel port whose control lines key
// a transmitter; a millisecond clock that wraps. The platform layer
// implements them; tests drive the serial port through pseudo-terminals.
//
// Responsibilities: the port operations every user of a port relies on; the
// settings string and I/O-address texts users type; wrap-safe elapsed time.
// Collaborations: the rig, spotting, CW and voice windows own one SerialPort
// each; the keying engines write the parallel port's control register.
// No exception crosses these interfaces: failures come back as values or
// through the failure callback.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

enum class Parity { kNone, kOdd, kEven };

// The four items of a settings string such as "9600,N,8,1".
struct SerialSettings {
  std::uint32_t baud = 9600;
  Parity parity = Parity::kNone;
  int data_bits = 8;  // 7 or 8
  int stop_bits = 1;  // 1 or 2
  friend bool operator==(const SerialSettings&, const SerialSettings&) = default;
};

// Baud (decimal digits, not 0), parity letter N, O or E (either case), data
// bits 7 or 8, stop bits 1 or 2, joined by commas without blanks. Anything
// else is refused, so a bad string never reaches the driver.
std::optional<SerialSettings> ParseSerialSettings(std::string_view text);
std::string FormatSerialSettings(const SerialSettings& settings);

enum class Handshaking { kNone, kXonXoff, kRtsCts, kRtsCtsXonXoff };

// Success, or the reason the port stayed closed.
struct OpenResult {
  bool ok = false;
  std::string error;
  explicit operator bool() const { return ok; }
  static OpenResult Success() { return {true, {}}; }
  static OpenResult Failure(std::string why) { return {false, std::move(why)}; }
};

// One user's serial port. Bytes pass untranslated both ways: a std::string
// carries one byte per char (0..255, NULs included).
//
// Port number, settings and handshaking are set while the port is closed and
// take effect at the next Open. All calls come from the UI thread; the
// callbacks run there too, from the event loop.
class SerialPort {
 public:
  using DataArrived = std::function<void()>;
  using Failed = std::function<void(const std::string& why)>;

  virtual ~SerialPort() = default;

  // 1 for COM1.
  virtual void SetPortNumber(int number) = 0;
  virtual int PortNumber() const = 0;
  virtual void SetSettings(std::string_view settings) = 0;
  virtual std::string Settings() const = 0;
  virtual void SetHandshaking(Handshaking handshaking) = 0;
  virtual Handshaking GetHandshaking() const = 0;

  // Opening a port that is missing, in use, or with settings that are
  // malformed or refused fails and leaves the port closed.
  virtual OpenResult Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // Output lines; a line that is on stays on until switched off or closed.
  // Set while closed, the state is applied right after the next Open. False
  // when the open device has no such line (a pseudo-terminal, some USB
  // adapters) or the line belongs to RTS/CTS handshaking.
  virtual bool SetDtr(bool on) = 0;
  virtual bool SetRts(bool on) = 0;

  // Hands the bytes to the driver; false when the port is closed or the
  // write failed (the failure is also reported through OnFailed).
  virtual bool Write(std::string_view bytes) = 0;
  bool Write(std::span<const std::uint8_t> bytes) {
    return Write(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  }
  // Everything received since the last read, possibly nothing; never waits.
  virtual std::string ReadAvailable() = 0;
  virtual std::size_t CountAvailable() const = 0;
  // Written bytes not yet sent; callers wait (by timer) for it to reach 0.
  virtual std::size_t PendingOutput() const = 0;

  // Called when bytes have arrived (read them with ReadAvailable).
  void OnDataArrived(DataArrived callback) { data_arrived_ = std::move(callback); }
  // Called once when an open port fails or its device vanishes (a USB
  // adapter pulled); the port is closed by then and a later Open may work.
  void OnFailed(Failed callback) { failed_ = std::move(callback); }

 protected:
  void ReportDataArrived() {
    if (data_arrived_) data_arrived_();
  }
  // Implementations call this for every failure; only the first one after
  // an Open reaches the user of the port.
  void ReportFailure(const std::string& why) {
    if (failure_reported_) return;
    failure_reported_ = true;
    if (failed_) failed_(why);
  }
  void ArmFailureReport() { failure_reported_ = false; }

 private:
  DataArrived data_arrived_;
  Failed failed_;
  bool failure_reported_ = false;
};

// "&H378" (hexadecimal, either case) or "888" (decimal) as a 16-bit I/O
// address; nothing for text that is neither or does not fit.
std::optional<std::uint16_t> ParseIoAddress(std::string_view text);

// The printer port's registers as byte writes to I/O addresses (the base,
// e.g. 0x378, is the data register; base + 2 the control register). A write
// to an address without hardware has no effect and reports nothing.
class ParallelPort {
 public:
  virtual ~ParallelPort() = default;
  virtual void Write(std::uint16_t address, std::uint8_t value) = 0;
};

// A 32-bit millisecond count that wraps after about 49.7 days, with the
// thread sleep and timer-resolution calls timing loops use.
class MillisecondClock {
 public:
  virtual ~MillisecondClock() = default;
  virtual std::uint32_t Milliseconds() const = 0;
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Asks for 1 ms timer resolution for a timing-critical stretch, and gives
  // it back; platforms with fine timers need neither.
  virtual void RaiseTimerResolution() {}
  virtual void ReleaseTimerResolution() {}
};

// Milliseconds from `then` to `now` across one wrap of the count.
constexpr std::uint32_t MillisecondsSince(std::uint32_t then, std::uint32_t now) {
  return now - then;  // unsigned arithmetic wraps exactly as the clock does
}

}  // namespace vantrel

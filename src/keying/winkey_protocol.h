// The WinKey host protocol as bytes: the commands the host sends and the
// sorting of what the keyer sends back. No I/O here; the platform's keyer
// writes these bytes to the serial port and feeds the replies in.
//
// Targets WinKeyer 1, 2 and 3 in their WK1-compatible host mode (1200 baud,
// 8 data bits, 2 stop bits): the commands used exist unchanged in all three,
// and WK2 mode (which turns status bit 3 into a push-button flag) is never
// requested. The keyer answers host open with its firmware version (10 for
// WK1, 20..23 for WK2, 30..31 for WK3).
//
// Also here: the WK.txt settings file and the field rules of the setup
// window (which values are sent, which reset to a default).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

namespace winkey {

inline constexpr char kAdmin = 0x00;
inline constexpr std::uint8_t kAdminReset = 0x01;
inline constexpr std::uint8_t kAdminHostOpen = 0x02;
inline constexpr std::uint8_t kAdminHostClose = 0x03;
inline constexpr std::uint8_t kAdminEcho = 0x04;
inline constexpr std::uint8_t kSpeed = 0x02;
inline constexpr std::uint8_t kWeight = 0x03;
inline constexpr std::uint8_t kPttLeadTail = 0x04;
inline constexpr std::uint8_t kBackspace = 0x08;
inline constexpr std::uint8_t kPinConfig = 0x09;
inline constexpr std::uint8_t kClearBuffer = 0x0A;
inline constexpr std::uint8_t kMode = 0x0E;
inline constexpr std::uint8_t kNull = 0x13;
inline constexpr std::uint8_t kRatio = 0x17;
// The byte the echo test sends and expects back.
inline constexpr std::uint8_t kEchoProbe = 'U';

// Status byte bits (110xxxxx).
inline constexpr std::uint8_t kStatusXoff = 0x01;
inline constexpr std::uint8_t kStatusBreakIn = 0x02;
inline constexpr std::uint8_t kStatusBusy = 0x04;
inline constexpr std::uint8_t kStatusKeyDown = 0x08;
inline constexpr std::uint8_t kStatusWait = 0x10;

// Commands. Each returns the exact bytes for the wire.
std::string HostOpen();
std::string HostClose();
// Three null commands first: they bring a keyer that was left inside a
// half-received command back to the start of one.
std::string EchoTest(std::uint8_t probe = kEchoProbe);
std::string Speed(std::uint8_t wpm);
std::string Weight(std::uint8_t weight);
std::string PttLeadTail(std::uint8_t lead_in, std::uint8_t tail);
std::string Ratio(std::uint8_t ratio);
std::string PinConfig(std::uint8_t pins);
std::string Mode(std::uint8_t mode);
std::string Backspace();
std::string ClearBuffer();
// A character to key, or nothing: codes below 0x20 are commands to the
// keyer, so they are never sent as text (0x7C and up are the keyer's own
// business and pass unchanged).
std::string Character(std::uint8_t code);

enum class ReplyKind { kStatus, kSpeedPot, kEcho };

struct Reply {
  ReplyKind kind;
  std::uint8_t value;  // status: the low five bits; speed pot: 0..63; echo: the byte
  friend bool operator==(const Reply&, const Reply&) = default;
};

// Sorts one byte from the keyer by its top bits.
Reply ClassifyReply(std::uint8_t byte);

// The keyer's state as its replies leave it.
class ReplyDecoder {
 public:
  // Returns the replies in the bytes, in order.
  std::vector<Reply> Feed(std::string_view bytes);

  std::uint8_t status() const { return status_; }
  bool xoff() const { return (status_ & kStatusXoff) != 0; }
  bool busy() const { return (status_ & kStatusBusy) != 0; }
  bool break_in() const { return (status_ & kStatusBreakIn) != 0; }
  std::optional<std::uint8_t> speed_pot() const { return speed_pot_; }
  // Echoed characters since the last TakeEchoes.
  std::string TakeEchoes();
  std::size_t statuses() const { return statuses_; }

  // The most echoes held before the oldest are dropped: a keyer echoing
  // into a host that never collects them must not grow memory.
  static constexpr std::size_t kMaxEchoes = 256;

 private:
  std::uint8_t status_ = 0;
  std::optional<std::uint8_t> speed_pot_;
  std::string echoes_;
  std::size_t statuses_ = 0;
};

}  // namespace winkey

// WK.txt: the settings as the setup window's fields hold them (text, as
// typed) plus the port, pin configuration and keyer mode.
struct WinKeySettings {
  int com_port = 5;
  std::string wpm = "18";
  std::string weight = "50";
  std::string lead_in = "0";
  std::string tail = "0";
  std::string ratio = "50";
  int pin_config = 6;
  int mode = 0;
  friend bool operator==(const WinKeySettings&, const WinKeySettings&) = default;
};

inline constexpr const char* kWinKeySettingsFile = "WK.txt";

// Reads lines 1..6 and, when present, 7 and 8; a line that does not read
// stops the reading and keeps what was read. False when nothing was read.
bool ParseWinKeySettings(std::string_view text, WinKeySettings& settings);
// Eight lines, CR LF; port, pins and mode bare, the rest quoted.
std::string FormatWinKeySettings(const WinKeySettings& settings);

// The field rules. A value is sent only when it is a number within its
// range; a field that is not a number at all is reset to its default.
struct FieldCheck {
  std::optional<std::uint8_t> send;  // the byte to send
  std::optional<std::string> reset;  // the text the field becomes
  friend bool operator==(const FieldCheck&, const FieldCheck&) = default;
};
FieldCheck CheckWpm(std::string_view text);
FieldCheck CheckWeight(std::string_view text);
FieldCheck CheckRatio(std::string_view text);
// Lead-in and tail go together; the field reset when either is not a
// number or does not fit a byte is the one named by `reset_tail`.
struct LeadTailCheck {
  std::optional<std::pair<std::uint8_t, std::uint8_t>> send;
  bool reset = false;  // the named field becomes "0"
};
LeadTailCheck CheckLeadTail(std::string_view lead_in, std::string_view tail);
// The port field left: its number, 0 for text that is not one.
int PortNumberOf(std::string_view text);

// The status number the send loop reads: 5 or more stops it queueing, above
// 0 means the keyer is still sending. `unconfirmed` counts characters
// written since the last status byte arrived.
int FlowStatus(bool open, std::uint8_t status, std::size_t unconfirmed);

}  // namespace vantrel

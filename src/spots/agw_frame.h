// The packet engine's TCP/IP API (served on port 8000 by sound-card packet
// engines): its frames, and what the spotting window does with each.
//
// A frame is a 36-byte header, little-endian: port (4 bytes), data kind (1
// byte, 1 reserved), PID (1 byte, 1 reserved), call from (10 bytes,
// NUL-padded), call to (10), data length (4), user (4); then the data.
//
// Responsibilities: encode the requests the window sends; decode frames out
// of a byte stream with bounded memory; handle one received frame (display
// text, spot line, connected-station changes); read an AGW send-box text.
// Collaborations: the spotting window moves the bytes over a TCP socket and
// acts on the outcomes; SpotDisplay holds the text the repeat check reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "spots/spot_lines.h"

namespace vantrel {

inline constexpr size_t kAgwHeaderSize = 36;
inline constexpr size_t kAgwCallSize = 10;
// No frame the window needs comes near this; larger ones are skipped.
inline constexpr uint32_t kAgwMaxData = 65536;

struct AgwFrame {
  uint32_t port = 0;
  char kind = 0;
  uint8_t pid = 0;
  std::string call_from;  // up to the first NUL
  std::string call_to;
  std::string data;
  uint32_t user = 0;
  bool operator==(const AgwFrame&) const = default;
};

// Calls longer than nine characters are cut, so the NUL always fits.
std::string EncodeAgwFrame(const AgwFrame& frame);

// The requests the window sends.
std::string AgwVersionRequest();                                                 // 'R'
std::string AgwRegister(std::string_view own_call);                              // 'X'
std::string AgwUnregister(std::string_view own_call);                            // 'x'
std::string AgwMonitorOn();                                                      // 'm'
std::string AgwConnect(std::string_view own_call, std::string_view station);     // 'C'
std::string AgwDisconnect(std::string_view own_call, std::string_view station);  // 'd'
std::string AgwSendData(std::string_view own_call, std::string_view station,
                        std::string_view text);  // 'D', PID F0

// Cuts frames out of the received bytes. A frame longer than kAgwMaxData is
// skipped as its bytes arrive; at most kMaxQueued decoded frames wait, the
// oldest going first when a flood outruns the window's one-per-tick pace.
class AgwDecoder {
 public:
  static constexpr size_t kMaxQueued = 256;

  void Feed(std::string_view bytes);
  bool Next(AgwFrame& frame);
  void Clear();
  size_t queued() const { return frames_.size(); }
  size_t buffered() const { return buffer_.size(); }
  unsigned long long skipped() const { return skipped_; }

 private:
  std::string buffer_;
  size_t skip_ = 0;  // bytes of an oversized frame still to pass over
  std::deque<AgwFrame> frames_;
  unsigned long long skipped_ = 0;
};

// The AGW session's state beside the socket: the connected station.
struct AgwSession {
  std::string connected;  // empty when not connected
};

// What handling one frame asks of the window besides the display.
struct AgwFrameOutcome {
  std::string spot_line;  // for spot intake when not empty
  int beeps = 0;
  bool caption_changed = false;
  std::string caption;  // "DX Spotting Setup" or "... - Connected to CALL"
};

inline constexpr const char* kSpotWindowCaption = "DX Spotting Setup";

// One received frame: display appends, spot line, connect ('C' or 'c') and
// disconnect ('d') of the connected station.
AgwFrameOutcome HandleAgwFrame(const AgwFrame& frame, AgwSession& session, bool dx_only,
                               SpotDisplay& display);

// Every CR and every LF becomes CR LF.
std::string ExpandLineEnds(std::string_view text);

// Enter in the send box with the AGW source.
struct AgwSendAction {
  enum Kind { kNothing, kCallRequired, kConnect, kDisconnect, kData } kind = kNothing;
  std::string station;
  std::string data;  // text and CR for kData
};
AgwSendAction ReadAgwSend(std::string_view text, const AgwSession& session);

}  // namespace vantrel

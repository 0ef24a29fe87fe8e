#include "spots/agw_frame.h"

#include <algorithm>

#include "common/text.h"

namespace vantrel {

namespace {

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetLe32(std::string_view in, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(in[at + static_cast<size_t>(i)]);
  return v;
}

void PutCall(std::string& out, std::string_view call) {
  std::string field(call.substr(0, kAgwCallSize - 1));
  field.resize(kAgwCallSize, '\0');
  out += field;
}

std::string GetCall(std::string_view in, size_t at) {
  const std::string_view field = in.substr(at, kAgwCallSize);
  return std::string(field.substr(0, field.find('\0')));
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = FoldCase(c);
  return out;
}

AgwFrame Request(char kind, std::string_view from = {}, std::string_view to = {},
                 std::string_view data = {}, uint8_t pid = 0) {
  AgwFrame f;
  f.kind = kind;
  f.call_from = std::string(from);
  f.call_to = std::string(to);
  f.data = std::string(data);
  f.pid = pid;
  return f;
}

bool EndsWith(std::string_view s, std::string_view end) {
  return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

}  // namespace

std::string EncodeAgwFrame(const AgwFrame& f) {
  std::string out;
  out.reserve(kAgwHeaderSize + f.data.size());
  PutLe32(out, f.port);
  out += f.kind;
  out += '\0';
  out += static_cast<char>(f.pid);
  out += '\0';
  PutCall(out, f.call_from);
  PutCall(out, f.call_to);
  PutLe32(out, static_cast<uint32_t>(f.data.size()));
  PutLe32(out, f.user);
  out += f.data;
  return out;
}

std::string AgwVersionRequest() {
  return EncodeAgwFrame(Request('R'));
}
std::string AgwRegister(std::string_view own_call) {
  return EncodeAgwFrame(Request('X', own_call));
}
std::string AgwUnregister(std::string_view own_call) {
  return EncodeAgwFrame(Request('x', own_call));
}
std::string AgwMonitorOn() {
  return EncodeAgwFrame(Request('m'));
}
std::string AgwConnect(std::string_view own_call, std::string_view station) {
  return EncodeAgwFrame(Request('C', own_call, station));
}
std::string AgwDisconnect(std::string_view own_call, std::string_view station) {
  return EncodeAgwFrame(Request('d', own_call, station));
}
std::string AgwSendData(std::string_view own_call, std::string_view station,
                        std::string_view text) {
  return EncodeAgwFrame(Request('D', own_call, station, text, 0xF0));
}

void AgwDecoder::Feed(std::string_view bytes) {
  for (;;) {
    if (skip_ > 0) {
      const size_t n = std::min(skip_, bytes.size());
      skip_ -= n;
      bytes.remove_prefix(n);
      if (skip_ > 0) return;
    }
    // The header first, so an oversized length is noticed before any of its
    // data is buffered.
    if (buffer_.size() < kAgwHeaderSize) {
      const size_t n = std::min(kAgwHeaderSize - buffer_.size(), bytes.size());
      buffer_.append(bytes.substr(0, n));
      bytes.remove_prefix(n);
      if (buffer_.size() < kAgwHeaderSize) return;
    }
    const uint32_t length = GetLe32(buffer_, 28);
    if (length > kAgwMaxData) {
      skip_ = length;
      buffer_.clear();
      ++skipped_;
      continue;
    }
    const size_t n = std::min(kAgwHeaderSize + length - buffer_.size(), bytes.size());
    buffer_.append(bytes.substr(0, n));
    bytes.remove_prefix(n);
    if (buffer_.size() < kAgwHeaderSize + length) return;
    AgwFrame f;
    f.port = GetLe32(buffer_, 0);
    f.kind = buffer_[4];
    f.pid = static_cast<uint8_t>(buffer_[6]);
    f.call_from = GetCall(buffer_, 8);
    f.call_to = GetCall(buffer_, 18);
    f.user = GetLe32(buffer_, 32);
    f.data = buffer_.substr(kAgwHeaderSize, length);
    buffer_.clear();
    if (frames_.size() >= kMaxQueued) {
      frames_.pop_front();
      ++skipped_;
    }
    frames_.push_back(std::move(f));
  }
}

bool AgwDecoder::Next(AgwFrame& frame) {
  if (frames_.empty()) return false;
  frame = std::move(frames_.front());
  frames_.pop_front();
  return true;
}

void AgwDecoder::Clear() {
  buffer_.clear();
  skip_ = 0;
  frames_.clear();
}

std::string ExpandLineEnds(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  for (char c : text) {
    if (c == '\r' || c == '\n')
      out += "\r\n";
    else
      out += c;
  }
  return out;
}

AgwFrameOutcome HandleAgwFrame(const AgwFrame& frame, AgwSession& session, bool dx_only,
                               SpotDisplay& display) {
  AgwFrameOutcome out;
  const std::string& station = frame.call_from;
  const std::string monitor =
      ExpandLineEnds(std::string(1, frame.kind) + station + " " + frame.data);
  std::string data = ExpandLineEnds(frame.data);
  if (session.connected.empty()) {
    // Monitored frames start with the engine's header line.
    const size_t lf = data.find('\n');
    data = lf == std::string::npos ? std::string() : data.substr(lf + 1);
    data = std::string(TrimBlanks(data));
  }
  if (data == "\r\n") data.clear();
  if (data.size() > 4 && EndsWith(data, "\r\n\r\n")) data.resize(data.size() - 2);

  const size_t dx = data.find("DX");
  if (!display.RecentlyShown(data) && (dx == 0 || dx == 1)) {
    display.Append(data);
    out.spot_line = data;
  }
  const bool from_connected =
      !session.connected.empty() && EqualsNoCase(station, session.connected);
  if (from_connected && !dx_only && !StartsWithDx(data)) display.Append(data);
  if (session.connected.empty() && !dx_only && monitor.find("DX") == std::string::npos &&
      !StartsWithDx(data))
    display.Append(monitor);
  if (frame.kind == 'd' && from_connected) {
    out.beeps = 2;
    display.Append("\r\n** Disconnected from " + session.connected + " **\r\n");
    out.caption_changed = true;
    out.caption = kSpotWindowCaption;
    session.connected.clear();
  } else if ((frame.kind == 'C' || frame.kind == 'c') && session.connected.empty() &&
             !station.empty()) {
    session.connected = station;
    display.Append("** Connected to " + station + " **");
    out.caption_changed = true;
    out.caption = std::string(kSpotWindowCaption) + " - Connected to " + station;
    out.beeps = 1;
  }
  return out;
}

AgwSendAction ReadAgwSend(std::string_view text, const AgwSession& session) {
  AgwSendAction a;
  if (!text.empty() && text[0] == ':') {
    const char letter = text.size() > 1 ? FoldCase(text[1]) : '\0';
    const std::string_view argument = TrimBlanks(text.size() > 2 ? text.substr(2) : "");
    if (letter == 'C') {
      a.station = Upper(argument);
      a.kind = a.station.empty() ? AgwSendAction::kCallRequired : AgwSendAction::kConnect;
    } else if (letter == 'D' && !session.connected.empty()) {
      a.kind = AgwSendAction::kDisconnect;
      a.station = session.connected;
    }
    return a;
  }
  if (session.connected.empty()) return a;
  a.kind = AgwSendAction::kData;
  a.station = session.connected;
  a.data = std::string(text) + "\r";
  return a;
}

}  // namespace vantrel

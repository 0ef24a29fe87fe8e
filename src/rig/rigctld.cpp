#include "rig/rigctld.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace vantrel {

namespace {

struct ModeName {
  std::string_view ours;
  std::string_view hamlib;
};
// FSK keys the same RTTY mode the serial families send; DIG and PKT are the
// data sub-modes.
constexpr ModeName kModeNames[] = {
    {"CW", "CW"},    {"CW-R", "CWR"},   {"LSB", "LSB"},   {"USB", "USB"},
    {"AM", "AM"},    {"FM", "FM"},      {"RTTY", "RTTY"}, {"RTTY-R", "RTTYR"},
    {"FSK", "RTTY"}, {"DIG", "PKTUSB"}, {"PKT", "PKTFM"},
};

// Bounds the kept partial reply: a peer that never ends a reply is not one.
constexpr size_t kMaxUnfinished = 4096;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Complete lines only: a last line without its newline is still arriving.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (size_t nl = text.find('\n'); nl != std::string_view::npos; nl = text.find('\n', start)) {
    out.push_back(Trim(text.substr(start, nl - start)));
    start = nl + 1;
  }
  return out;
}

// "RPRT n": n, or nothing when the line is not an end line.
std::optional<int> ReportCode(std::string_view line) {
  if (line.substr(0, 5) != "RPRT ") return std::nullopt;
  std::string_view digits = Trim(line.substr(5));
  bool negative = false;
  if (!digits.empty() && digits.front() == '-') {
    negative = true;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 6) return std::nullopt;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

// "Key: value" -> value, when the line has that key.
std::optional<std::string_view> Value(std::string_view line, std::string_view key) {
  if (line.size() <= key.size() || line.substr(0, key.size()) != key || line[key.size()] != ':')
    return std::nullopt;
  return Trim(line.substr(key.size() + 1));
}

// Whole hertz, with a fraction some versions print after them; nothing for
// anything else.
std::optional<int64_t> HertzValue(std::string_view text) {
  const size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  if (whole.empty() || whole.size() > 12) return std::nullopt;
  int64_t hz = 0;
  for (char c : whole) {
    if (c < '0' || c > '9') return std::nullopt;
    hz = hz * 10 + (c - '0');
  }
  if (point != std::string_view::npos) {
    const std::string_view fraction = text.substr(point + 1);
    for (char c : fraction)
      if (c < '0' || c > '9') return std::nullopt;
    if (!fraction.empty() && fraction.front() >= '5') ++hz;
  }
  return hz;
}

// Each finished reply: its lines and its end code.
struct Reply {
  std::vector<std::string_view> lines;
  int code = 0;
};
std::vector<Reply> FinishedReplies(std::string_view text) {
  std::vector<Reply> out;
  Reply current;
  for (std::string_view line : Lines(text)) {
    if (const auto code = ReportCode(line)) {
      current.code = *code;
      out.push_back(std::move(current));
      current = {};
    } else if (!line.empty()) {
      current.lines.push_back(line);
    }
  }
  return out;
}

}  // namespace

std::string RigctldFrequencyCommand(int64_t hz) {
  return "+F " + std::to_string(hz) + "\n";
}

std::string RigctldModeCommand(std::string_view mode) {
  for (const ModeName& m : kModeNames)
    if (m.ours == mode) return "+M " + std::string(m.hamlib) + " 0\n";
  return {};
}

std::string RigctldLogMode(std::string_view hamlib_mode) {
  if (hamlib_mode.empty()) return {};
  if (hamlib_mode == "CW" || hamlib_mode == "CWR") return "CW";
  return "PH";
}

size_t RigctldFinishedLength(std::string_view text) {
  size_t end = 0;
  size_t start = 0;
  for (size_t nl = text.find('\n'); nl != std::string_view::npos; nl = text.find('\n', start)) {
    if (ReportCode(Trim(text.substr(start, nl - start)))) end = nl + 1;
    start = nl + 1;
  }
  // Junk that never ends a reply is not kept for ever.
  if (text.size() - end > kMaxUnfinished) return text.size();
  return end;
}

RigReading ParseRigctldReply(std::string_view reply, RigReading cur) {
  for (const Reply& r : FinishedReplies(reply)) {
    if (r.code != 0) continue;
    for (std::string_view line : r.lines) {
      if (const auto f = Value(line, "Frequency")) {
        const auto hz = HertzValue(*f);
        if (hz && *hz > 0) cur.state.frequency = static_cast<double>(*hz) / 1e6;
      } else if (const auto m = Value(line, "Mode")) {
        const std::string mode = RigctldLogMode(*m);
        if (!mode.empty()) cur.state.mode = mode;
      }
    }
  }
  return cur;
}

RigctldRefusal FirstRigctldRefusal(std::string_view reply) {
  for (const Reply& r : FinishedReplies(reply)) {
    if (r.code >= 0) continue;
    return {r.lines.empty() ? std::string() : std::string(r.lines.front()), r.code};
  }
  return {};
}

std::string DescribeRefusal(const RigctldRefusal& refusal) {
  static constexpr const char* kCodes[] = {
      "",
      "invalid parameter",
      "invalid configuration",
      "out of memory",
      "not implemented",
      "the radio did not answer in time",
      "input/output error",
      "internal error",
      "protocol error",
      "command rejected by the radio",
      "argument truncated",
      "not available",
      "VFO not targetable",
  };
  const int n = -refusal.code;
  std::string out = refusal.command.empty() ? std::string() : refusal.command + ": ";
  out += "RPRT " + std::to_string(refusal.code);
  if (n > 0 && n < static_cast<int>(std::size(kCodes))) out += std::string(" (") + kCodes[n] + ")";
  return out;
}

int RigctldCommandsAwaitingAnswer(std::string_view written) {
  int count = 0;
  bool line_start = true;
  for (char c : written) {
    if (line_start && c == '+') ++count;
    line_start = c == '\n';
  }
  return count;
}

int RigctldAnswerCounter::Feed(std::string_view bytes) {
  int answers = 0;
  for (char c : bytes) {
    if (c != '\n') {
      if (line_.size() < 64) line_ += c;
      continue;
    }
    if (ReportCode(Trim(line_))) ++answers;
    line_.clear();
  }
  return answers;
}

}  // namespace vantrel

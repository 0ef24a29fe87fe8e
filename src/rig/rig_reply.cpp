#include "rig/rig_reply.h"

#include <cmath>
#include <cstdio>
#include <optional>

#include "common/quoted_value.h"
#include "rig/rigctld.h"

namespace vantrel {

namespace {

// A run of decimal digits as a number; anything else is not a frequency.
std::optional<uint64_t> Digits(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + static_cast<uint64_t>(c - '0');
  }
  return v;
}

double RoundedMhz(double mhz) {
  return std::round(mhz * 1e5) / 1e5;
}

unsigned Byte(std::string_view s, size_t i) {
  return static_cast<unsigned char>(s[i]);
}

// Hex digit n (1-based) of the reply's hex text: byte (n+1)/2, high nibble
// first.
unsigned HexDigit(std::string_view s, int n) {
  const unsigned b = Byte(s, static_cast<size_t>((n - 1) / 2));
  return n % 2 ? b >> 4 : b & 15;
}

// Packed BCD bytes as decimal digits; nullopt when a nibble is above 9.
std::optional<uint64_t> Bcd(std::string_view bytes, bool most_significant_first) {
  uint64_t v = 0;
  for (size_t k = 0; k < bytes.size(); ++k) {
    const unsigned b = Byte(bytes, most_significant_first ? k : bytes.size() - 1 - k);
    if ((b >> 4) > 9 || (b & 15) > 9) return std::nullopt;
    v = v * 100 + (b >> 4) * 10 + (b & 15);
  }
  return v;
}

// A byte's two hex digits read as a decimal numeral ("84" is 84, "0A" none).
std::optional<unsigned> HexAsDecimal(unsigned b) {
  if ((b >> 4) > 9 || (b & 15) > 9) return std::nullopt;
  return (b >> 4) * 10 + (b & 15);
}

// First position of `key` that is not an echoed query (the key followed
// straight by its ";"): a radio or cable that echoes must not make the parser
// read the echo's ";" as a mode or stop at it as a bad number.
size_t FindAnswer(std::string_view reply, std::string_view key) {
  for (size_t p = reply.find(key); p != std::string_view::npos; p = reply.find(key, p + 1))
    if (p + key.size() >= reply.size() || reply[p + key.size()] != ';') return p;
  return std::string_view::npos;
}

const char* KenwoodMode(char c) {
  return c == '3' || c == '7' ? "CW" : "PH";
}

}  // namespace

RigReading ParseKenwoodReply(std::string_view reply, const ReplyContext& ctx, RigReading cur) {
  if (ctx.frequency_query.size() >= 3) {
    const size_t p = FindAnswer(reply, ctx.frequency_query.substr(0, 2));
    if (p != std::string_view::npos && reply.size() > p + 13) {
      const auto hz = Digits(reply.substr(p + 2, 11));
      if (!hz) return cur;
      cur.state.frequency = RoundedMhz(static_cast<double>(*hz) / 1e6);
    }
  }
  const size_t m = FindAnswer(reply, "MD");
  if (m != std::string_view::npos && reply.size() > m + 2)
    cur.state.mode = KenwoodMode(reply[m + 2]);
  return cur;
}

RigReading ParseKenwood2Reply(std::string_view reply, const ReplyContext&, RigReading cur) {
  const size_t p = FindAnswer(reply, "IF");
  if (p == std::string_view::npos || reply.size() <= p + 13) return cur;
  const auto hz = Digits(reply.substr(p + 2, 11));
  if (!hz) return cur;
  cur.state.frequency = RoundedMhz(static_cast<double>(*hz) / 1e6);
  // Mode and VFO sit 29 and 30 characters after the I; a reply cut before
  // them keeps the old ones rather than reading them from nothing.
  if (reply.size() <= p + 30) return cur;
  const char vfo = reply[p + 30];
  if (vfo < '0' || vfo > '9') return cur;
  cur.state.mode = reply[p + 29] == '3' ? "CW" : "PH";
  cur.active_vfo = static_cast<uint8_t>(vfo - '0');
  return cur;
}

RigReading ParseIcomReply(std::string_view reply, const ReplyContext& ctx, int data_bytes,
                          RigReading cur) {
  enum class Scan { kIdle, kGotFirstFe, kGotSecondFe, kWaitForFd };
  const unsigned expected = ctx.mode_turn == 1 ? 0x03 : 0x04;
  Scan state = Scan::kIdle;
  int skip = 0;
  std::string data;
  std::optional<uint64_t> hz;
  std::optional<unsigned> mode_byte;
  for (size_t i = 0; i < reply.size(); ++i) {
    const unsigned b = Byte(reply, i);
    switch (state) {
      case Scan::kIdle:
        if (b == 0xFE) state = Scan::kGotFirstFe;
        break;
      case Scan::kGotFirstFe:
        if (b == 0xFE) {
          state = Scan::kGotSecondFe;
          skip = 2;  // destination and source address
        } else {
          state = Scan::kIdle;
        }
        break;
      case Scan::kGotSecondFe:
        if (skip > 0) {
          --skip;
        } else if (b == expected) {
          state = Scan::kWaitForFd;
          data.clear();
        } else {
          state = Scan::kIdle;
        }
        break;
      case Scan::kWaitForFd:
        if (b != 0xFD) {
          data += static_cast<char>(b);
          break;
        }
        state = Scan::kIdle;
        // Only whole frames count: the echo has no data, and a frame cut by
        // the end of the read or of the wrong width is not a reading.
        if (expected == 0x03 && data.size() == static_cast<size_t>(data_bytes)) {
          if (const auto v = Bcd(data, false)) hz = v;
        } else if (expected == 0x04 && !data.empty() && !mode_byte) {
          mode_byte = Byte(data, 0);
        }
        break;
    }
  }
  if (hz) cur.state.frequency = static_cast<double>(*hz) / 1e6;
  if (mode_byte) cur.state.mode = *mode_byte == 0x03 ? "CW" : "PH";
  return cur;
}

RigReading ParseYaesuReply(std::string_view reply, RigReading cur) {
  if (reply.size() < 5) return cur;
  const auto tens = Bcd(reply.substr(0, 4), true);
  if (!tens) return cur;
  cur.state.frequency = RoundedMhz(static_cast<double>(*tens) / 1e5);
  const auto mode = HexAsDecimal(Byte(reply, 4));
  if (!mode) return cur;
  switch (*mode) {
    case 0:
    case 1:
    case 4:
    case 8:
    case 84:
    case 88:
      cur.state.mode = "PH";
      break;
    case 2:
    case 3:
    case 82:
    case 83:
      cur.state.mode = "CW";
      break;
    default:
      break;
  }
  return cur;
}

RigReading ParseYaesu757Reply(std::string_view reply, RigReading cur) {
  // The frequency sits in bytes 6 to 9, the mode in byte 10.
  if (reply.size() < 9) return cur;
  const auto tens = Bcd(reply.substr(5, 4), false);
  if (!tens) return cur;
  cur.state.frequency = RoundedMhz(static_cast<double>(*tens) / 1e5);
  if (reply.size() < 10) return cur;
  static const char* const kModes[] = {"PH", "PH", "CW", "CW", "AM", "FM"};
  const auto mode = HexAsDecimal(Byte(reply, 9));
  if (mode && *mode < 6) cur.state.mode = kModes[*mode];
  return cur;
}

RigReading ParseYaesuBinaryReply(std::string_view reply, const YaesuBinaryLayout& layout,
                                 RigReading cur) {
  const int digits = static_cast<int>(reply.size()) * 2;
  if (reply.size() < 5 || layout.last_digit > digits || layout.first_digit < 1) return cur;
  uint64_t v = 0;
  for (int n = layout.first_digit; n <= layout.last_digit; ++n) v = v * 16 + HexDigit(reply, n);
  cur.state.frequency = RoundedMhz(static_cast<double>(v) / layout.scale);
  if (layout.mode_digit > digits) return cur;
  const unsigned mode = HexDigit(reply, layout.mode_digit);
  if (layout.mode_map == YaesuModeMap::kCwIsOne) {
    cur.state.mode = mode == 1 ? "CW" : "PH";
  } else if (mode <= 7) {
    cur.state.mode = mode == 2 ? "CW" : "PH";
  }
  return cur;
}

RigReading ParseFtdx9000Reply(std::string_view reply, const ReplyContext& ctx, RigReading cur) {
  if (ctx.frequency_query.size() >= 2) {
    const size_t p = FindAnswer(reply, ctx.frequency_query.substr(0, 2));
    if (p != std::string_view::npos && reply.size() >= p + 10) {
      const auto hz = Digits(reply.substr(p + 2, 8));
      if (!hz) return cur;
      cur.state.frequency = RoundedMhz(static_cast<double>(*hz) / 1e6);
    }
  }
  if (ctx.mode_query.empty()) return cur;
  const std::string_view key = ctx.mode_query.substr(0, 3);
  const size_t m = FindAnswer(reply, key);
  if (m != std::string_view::npos && reply.size() > m + key.size())
    cur.state.mode = reply[m + key.size()] == '3' ? "CW" : "PH";
  return cur;
}

RigReading ParseFntPnlReply(std::string_view reply, const ReplyContext& ctx, RigReading cur) {
  if (ctx.mode_turn == 1) {
    // "A", four bytes of Hz most significant first, CR.
    if (reply.size() < 5) return cur;
    uint64_t hz = 0;
    for (size_t i = 1; i <= 4; ++i) hz = hz * 256 + Byte(reply, i);
    cur.state.frequency = RoundedMhz(static_cast<double>(hz) / 1e6);
    return cur;
  }
  if (reply.size() < 3) return cur;
  const unsigned mode = HexDigit(reply, 4);
  if (mode <= 4) cur.state.mode = mode == 3 ? "CW" : "PH";
  return cur;
}

RigReading ParseOrionReply(std::string_view reply, RigReading cur) {
  const size_t p = reply.find("@AF");
  if (p != std::string_view::npos) {
    const size_t cr = reply.find('\r', p + 3);
    if (cr == std::string_view::npos) return cur;
    const auto hz = Digits(reply.substr(p + 3, cr - p - 3));
    if (!hz) return cur;
    cur.state.frequency = RoundedMhz(static_cast<double>(*hz) / 1e6);
  }
  const size_t m = reply.find("@RMM");
  if (m != std::string_view::npos && reply.size() > m + 4)
    cur.state.mode = reply[m + 4] == '2' || reply[m + 4] == '3' ? "CW" : "PH";
  return cur;
}

RigReading ParsePegasusFile(std::string_view file_text, RigReading cur) {
  FieldReader reader(file_text);
  std::string field;
  double mhz = 0;
  // The control program's number may come quoted or bare; either reads.
  if (reader.Next(field) != FieldReader::Status::kOk || !ParseNumber(field, mhz) ||
      !(std::fabs(mhz) < 1e9))
    return cur;
  cur.state.frequency = mhz;
  std::string mode;
  if (reader.Next(mode) != FieldReader::Status::kOk) return cur;
  cur.state.mode = mode.empty() || mode == "CW" ? mode : "PH";
  return cur;
}

namespace {

// A one-wire interface hands back every query it sends. The binary families
// have no framing to tell an echo from an answer, so the query's own bytes at
// the head of the buffer are dropped before the reply is read.
std::string_view WithoutEcho(std::string_view reply, std::string_view query, int pairs) {
  const auto sent = HexPairsToBytes(query, pairs);
  if (sent && !sent->empty() && reply.substr(0, sent->size()) == *sent)
    reply.remove_prefix(sent->size());
  return reply;
}

}  // namespace

RigReading ParseRigReply(const RigModel& model, std::string_view reply, const ReplyContext& ctx,
                         RigReading cur) {
  switch (model.family) {
    case RigFamily::kYaesu:
    case RigFamily::kYaesu757:
    case RigFamily::kYaesuBinary:
      reply = WithoutEcho(reply, ctx.frequency_query, 5);
      break;
    case RigFamily::kTenTecFntPnl:
      reply = WithoutEcho(reply, ctx.mode_turn == 1 ? ctx.frequency_query : ctx.mode_query, 3);
      break;
    default:
      break;
  }
  switch (model.family) {
    case RigFamily::kKenwood:
      return ParseKenwoodReply(reply, ctx, std::move(cur));
    case RigFamily::kKenwood2:
      return ParseKenwood2Reply(reply, ctx, std::move(cur));
    case RigFamily::kIcom:
      return ParseIcomReply(reply, ctx, model.icom_data_bytes, std::move(cur));
    case RigFamily::kYaesu:
      return ParseYaesuReply(reply, std::move(cur));
    case RigFamily::kYaesu757:
      return ParseYaesu757Reply(reply, std::move(cur));
    case RigFamily::kYaesuBinary:
      return ParseYaesuBinaryReply(reply, model.yaesu, std::move(cur));
    case RigFamily::kYaesuFtdx9000:
      return ParseFtdx9000Reply(reply, ctx, std::move(cur));
    case RigFamily::kTenTecFntPnl:
      return ParseFntPnlReply(reply, ctx, std::move(cur));
    case RigFamily::kTenTecOrion:
      return ParseOrionReply(reply, std::move(cur));
    case RigFamily::kTenTecPegasus:
      return ParsePegasusFile(reply, std::move(cur));
    case RigFamily::kRigctld:
      return ParseRigctldReply(reply, std::move(cur));
    case RigFamily::kNone:
    case RigFamily::kOther:
      break;
  }
  return cur;
}

namespace {

struct Segment {
  float low, high;
  const char* mode;
};
const Segment kSegments[] = {
    {3.5f, 3.6f, "CW"},     {3.6f, 4.0f, "PH"},      {7.0f, 7.125f, "CW"},
    {7.125f, 7.3f, "PH"},   {10.1f, 10.15f, "CW"},   {14.0f, 14.15f, "CW"},
    {14.15f, 14.35f, "PH"}, {18.068f, 18.11f, "CW"}, {18.11f, 18.168f, "PH"},
    {21.0f, 21.2f, "CW"},   {21.2f, 21.45f, "PH"},   {24.89f, 24.93f, "CW"},
    {24.93f, 24.99f, "PH"}, {28.0f, 28.3f, "CW"},    {28.3f, 29.7f, "PH"},
    {50.0f, 50.1f, "CW"},   {50.1f, 54.0f, "PH"},    {144.0f, 144.1f, "CW"},
    {144.1f, 148.0f, "PH"},
};

}  // namespace

std::string ModeFromFrequency(double frequency, std::string_view mode) {
  const auto f = static_cast<float>(frequency);
  for (const Segment& s : kSegments)
    if (f > s.low && f < s.high) return s.mode;
  return std::string(mode);
}

std::string FormatRigFrequency(double frequency) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.5f", frequency);
  std::string out(buf);
  if (out.rfind("0.", 0) == 0) out.erase(0, 1);
  if (out.rfind("-0.", 0) == 0) out.erase(1, 1);
  return out;
}

}  // namespace vantrel

#include "keying/winkey_protocol.h"

#include <cmath>

#include "common/quoted_value.h"
#include "keying/cw_settings.h"

namespace vantrel {

namespace winkey {

namespace {

std::string Bytes(std::initializer_list<std::uint8_t> bytes) {
  std::string out;
  for (std::uint8_t b : bytes) out.push_back(static_cast<char>(b));
  return out;
}

}  // namespace

std::string HostOpen() {
  return Bytes({0x00, kAdminHostOpen});
}
std::string HostClose() {
  return Bytes({0x00, kAdminHostClose});
}
std::string EchoTest(std::uint8_t probe) {
  return Bytes({kNull, kNull, kNull, 0x00, kAdminEcho, probe});
}
std::string Speed(std::uint8_t wpm) {
  return Bytes({kSpeed, wpm});
}
std::string Weight(std::uint8_t weight) {
  return Bytes({kWeight, weight});
}
std::string PttLeadTail(std::uint8_t lead_in, std::uint8_t tail) {
  return Bytes({kPttLeadTail, lead_in, tail});
}
std::string Ratio(std::uint8_t ratio) {
  return Bytes({kRatio, ratio});
}
std::string PinConfig(std::uint8_t pins) {
  return Bytes({kPinConfig, pins});
}
std::string Mode(std::uint8_t mode) {
  return Bytes({kMode, mode});
}
std::string Backspace() {
  return Bytes({kBackspace});
}
std::string ClearBuffer() {
  return Bytes({kClearBuffer});
}
std::string Character(std::uint8_t code) {
  if (code < 0x20) return {};
  return Bytes({code});
}

Reply ClassifyReply(std::uint8_t byte) {
  if ((byte & 0xE0) == 0xC0) return {ReplyKind::kStatus, std::uint8_t(byte & 0x1F)};
  if ((byte & 0xC0) == 0x80) return {ReplyKind::kSpeedPot, std::uint8_t(byte & 0x3F)};
  return {ReplyKind::kEcho, byte};
}

std::vector<Reply> ReplyDecoder::Feed(std::string_view bytes) {
  std::vector<Reply> replies;
  replies.reserve(bytes.size());
  for (char c : bytes) {
    const Reply r = ClassifyReply(static_cast<std::uint8_t>(c));
    switch (r.kind) {
      case ReplyKind::kStatus:
        status_ = r.value;
        ++statuses_;
        break;
      case ReplyKind::kSpeedPot:
        speed_pot_ = r.value;
        break;
      case ReplyKind::kEcho:
        if (echoes_.size() >= kMaxEchoes) echoes_.erase(0, 1);
        echoes_.push_back(static_cast<char>(r.value));
        break;
    }
    replies.push_back(r);
  }
  return replies;
}

std::string ReplyDecoder::TakeEchoes() {
  std::string out;
  out.swap(echoes_);
  return out;
}

}  // namespace winkey

bool ParseWinKeySettings(std::string_view text, WinKeySettings& settings) {
  FieldReader in(text);
  int64_t number = 0;
  if (in.NextInteger(0, 255, number) != FieldReader::Status::kOk) return false;
  settings.com_port = int(number);
  for (std::string* field :
       {&settings.wpm, &settings.weight, &settings.lead_in, &settings.tail, &settings.ratio}) {
    if (in.NextText(*field) != FieldReader::Status::kOk) return true;
  }
  if (in.AtEnd() || in.NextInteger(0, 255, number) != FieldReader::Status::kOk) return true;
  settings.pin_config = int(number);
  if (in.AtEnd() || in.NextInteger(0, 255, number) != FieldReader::Status::kOk) return true;
  settings.mode = int(number);
  return true;
}

std::string FormatWinKeySettings(const WinKeySettings& settings) {
  FieldWriter out;
  out.Integer(settings.com_port);
  out.EndLine();
  for (const std::string* field :
       {&settings.wpm, &settings.weight, &settings.lead_in, &settings.tail, &settings.ratio}) {
    out.Text(*field);
    out.EndLine();
  }
  out.Integer(settings.pin_config);
  out.EndLine();
  out.Integer(settings.mode);
  out.EndLine();
  return out.take();
}

namespace {

FieldCheck CheckRange(std::string_view text, double low, double high, const char* fallback) {
  const auto v = FieldNumber(text);
  if (!v) return {std::nullopt, std::string(fallback)};
  if (*v < low || *v > high) return {};
  return {std::uint8_t(std::lround(*v)), std::nullopt};
}

std::optional<std::uint8_t> ByteOf(std::string_view text) {
  const auto v = FieldNumber(text);
  if (!v || *v < -0.5 || *v >= 255.5) return std::nullopt;
  return std::uint8_t(std::lround(*v));
}

}  // namespace

FieldCheck CheckWpm(std::string_view text) {
  return CheckRange(text, 0, 99, "18");
}
FieldCheck CheckWeight(std::string_view text) {
  return CheckRange(text, 0, 99, "50");
}
FieldCheck CheckRatio(std::string_view text) {
  return CheckRange(text, 32, 67, "50");
}

LeadTailCheck CheckLeadTail(std::string_view lead_in, std::string_view tail) {
  const auto lead = ByteOf(lead_in);
  const auto t = ByteOf(tail);
  if (!lead || !t) return {std::nullopt, true};
  return {std::pair{*lead, *t}, false};
}

int PortNumberOf(std::string_view text) {
  const auto v = FieldNumber(text);
  if (!v || *v < 0 || *v > 255) return 0;
  return int(std::lround(*v));
}

int FlowStatus(bool open, std::uint8_t status, std::size_t unconfirmed) {
  if (!open) return 0;
  if (status & winkey::kStatusXoff) return 5;
  if (status & winkey::kStatusBusy) return 1;
  return unconfirmed > 0 ? 1 : 0;
}

}  // namespace vantrel

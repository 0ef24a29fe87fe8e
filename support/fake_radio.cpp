#include "support/fake_radio.h"

#include <cstdio>
#include <vector>

#include "rig/rig_command.h"
#include "rig/rig_model.h"

namespace vantrel {

namespace {

std::string Decimal(int64_t v, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(v));
  return buf;
}

// Splits text commands at their terminator, keeping it off.
std::vector<std::string_view> Commands(std::string_view request, char end) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (size_t i = 0; i < request.size(); ++i) {
    if (request[i] == end) {
      out.push_back(request.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

std::string BcdBytes(int64_t value, int bytes, bool most_significant_first) {
  std::string out(static_cast<size_t>(bytes), '\0');
  for (int k = 0; k < bytes; ++k) {
    const int digit_pair = static_cast<int>(value % 100);
    value /= 100;
    const char b = static_cast<char>((digit_pair / 10) << 4 | (digit_pair % 10));
    out[static_cast<size_t>(most_significant_first ? bytes - 1 - k : k)] = b;
  }
  return out;
}

// A run of decimal digits, or -1.
int64_t DigitsValue(std::string_view text) {
  if (text.empty()) return -1;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

int64_t FromBcd(std::string_view bytes, bool most_significant_first) {
  int64_t v = 0;
  for (size_t k = 0; k < bytes.size(); ++k) {
    const auto b =
        static_cast<unsigned char>(bytes[most_significant_first ? k : bytes.size() - 1 - k]);
    v = v * 100 + (b >> 4) * 10 + (b & 15);
  }
  return v;
}

// The mode whose code is `code` in a family's table (indexed by RadioMode);
// unknown codes leave the dial alone.
template <typename T, size_t N>
void SetMode(RadioDial& dial, const T (&codes)[N], T code) {
  for (size_t i = 0; i < N; ++i)
    if (codes[i] == code) dial.mode = static_cast<RadioMode>(i);
}

// Kenwood, Elecraft and the IF line; set commands get no answer.
class KenwoodRadio : public DialRadio {
 public:
  std::string Respond(std::string_view request) override {
    std::string out;
    for (std::string_view c : Commands(request, ';')) {
      if (c == "FA" || c == "FB") {
        out += std::string(c) + Decimal(dial.hz, 11) + ";";
      } else if (c == "MD") {
        out += "MD" + std::string(1, ModeDigit()) + ";";
      } else if (c.size() == 13 && (c.starts_with("FA") || c.starts_with("FB")) &&
                 DigitsValue(c.substr(2)) >= 0) {
        dial.hz = DigitsValue(c.substr(2));
      } else if (c.size() == 3 && c.starts_with("MD")) {
        SetMode(dial, kModeDigits, c[2]);
      } else if (c == "IF") {
        out += "IF" + Decimal(dial.hz, 11) + "0000+000000000" + "00" + ModeDigit() +
               static_cast<char>('0' + dial.vfo) + "0000000;";
      } else {
        out += "?;";
      }
    }
    return out;
  }

 private:
  static constexpr char kModeDigits[] = {'1', '2', '3', '5', '4'};
  char ModeDigit() const { return kModeDigits[static_cast<int>(dial.mode)]; }
};

// CI-V: every frame on the bus comes back to the sender, then the answer.
class IcomRadio : public DialRadio {
 public:
  IcomRadio(unsigned char address, int data_bytes) : address_(address), data_bytes_(data_bytes) {}
  std::string Respond(std::string_view request) override {
    std::string out;
    size_t i = 0;
    while ((i = request.find("\xFE\xFE", i)) != std::string_view::npos) {
      const size_t fd = request.find('\xFD', i);
      if (fd == std::string_view::npos) break;
      const std::string_view frame = request.substr(i, fd - i + 1);
      i = fd + 1;
      out += frame;  // the echo
      if (frame.size() < 6 || static_cast<unsigned char>(frame[2]) != address_) continue;
      const std::string head = std::string("\xFE\xFE\xE0", 3) + static_cast<char>(address_);
      if (frame[4] == 0x03) {
        out += head + '\x03' +
               BcdBytes(data_bytes_ == 4 ? dial.hz % 100000000 : dial.hz, data_bytes_, false) +
               '\xFD';
      } else if (frame[4] == 0x04) {
        out += head + '\x04' + kModes[static_cast<int>(dial.mode)] + '\x01' + '\xFD';
      } else if (frame[4] == 0x05 && frame.size() == 11) {
        dial.hz = FromBcd(frame.substr(5, 5), false);
        out += head + '\xFB' + '\xFD';  // OK
      } else if (frame[4] == 0x06 && frame.size() == 7) {
        SetMode(dial, kModes, frame[5]);
        out += head + '\xFB' + '\xFD';
      } else {
        out += head + '\xFA' + '\xFD';  // NG
      }
    }
    return out;
  }

 private:
  static constexpr char kModes[] = {0x00, 0x01, 0x03, 0x02, 0x05};
  unsigned char address_;
  int data_bytes_;
};

// The 5-byte Yaesu families: every command is five bytes, opcode last.
class YaesuRadio : public DialRadio {
 public:
  explicit YaesuRadio(const RigModel& model) : model_(model) {}
  std::string Respond(std::string_view request) override {
    std::string out;
    for (size_t i = 0; i + 5 <= request.size(); i += 5) {
      const unsigned opcode = static_cast<unsigned char>(request[i + 4]);
      if (model_.family == RigFamily::kYaesu && opcode == 0x03) out += Status817();
      if (model_.family == RigFamily::kYaesu757 && opcode == 0x10) out += Status757();
      if (model_.family == RigFamily::kYaesuBinary && opcode == 0x10) out += StatusBinary();
      const std::string_view c = request.substr(i, 5);
      if (model_.family == RigFamily::kYaesu && opcode == 0x01)
        dial.hz = FromBcd(c.substr(0, 4), true) * 10;
      if (model_.family == RigFamily::kYaesu && opcode == 0x07) {
        static constexpr unsigned char kCodes[] = {0x00, 0x01, 0x02, 0x04, 0x08};
        SetMode(dial, kCodes, static_cast<unsigned char>(c[0]));
      }
      if (model_.family != RigFamily::kYaesu && opcode == 0x0A)
        dial.hz = FromBcd(c.substr(0, 4), false) * 10;
      if (model_.family != RigFamily::kYaesu && opcode == 0x0C) {
        static constexpr unsigned char kCodes[] = {0x00, 0x01, 0x02, 0x04, 0x06};
        SetMode(dial, kCodes, static_cast<unsigned char>(c[3]));
      }
    }
    return out;
  }

 private:
  std::string Status817() const {
    static const char kModes[] = {0x00, 0x01, 0x02, 0x04, 0x08};
    return BcdBytes(dial.hz / 10, 4, true) + kModes[static_cast<int>(dial.mode)];
  }
  std::string Status757() const {
    static const char kModes[] = {0, 1, 2, 4, 5};
    std::string out(75, '\0');
    out.replace(5, 4, BcdBytes(dial.hz / 10, 4, false));
    out[9] = kModes[static_cast<int>(dial.mode)];
    return out;
  }
  std::string StatusBinary() const {
    const YaesuBinaryLayout& l = model_.yaesu;
    std::string out(16, '\0');
    uint64_t v = static_cast<uint64_t>(static_cast<double>(dial.hz) * l.scale / 1e6);
    for (int n = l.last_digit; n >= l.first_digit; --n, v >>= 4) SetDigit(out, n, v & 15);
    static const unsigned kCwIsTwo[] = {0, 1, 2, 3, 4};
    static const unsigned kCwIsOne[] = {0, 2, 1, 3, 4};
    const unsigned* modes = l.mode_map == YaesuModeMap::kCwIsOne ? kCwIsOne : kCwIsTwo;
    SetDigit(out, l.mode_digit, modes[static_cast<int>(dial.mode)]);
    return out;
  }
  static void SetDigit(std::string& s, int n, unsigned nibble) {
    auto& b = reinterpret_cast<unsigned char&>(s[static_cast<size_t>((n - 1) / 2)]);
    b = n % 2 ? static_cast<unsigned char>((b & 0x0F) | nibble << 4)
              : static_cast<unsigned char>((b & 0xF0) | nibble);
  }
  const RigModel& model_;
};

class Ftdx9000Radio : public DialRadio {
 public:
  std::string Respond(std::string_view request) override {
    std::string out;
    static constexpr char kModes[] = {'1', '2', '3', '5', '4'};
    for (std::string_view c : Commands(request, ';')) {
      if (c == "FA")
        out += "FA" + Decimal(dial.hz, 8) + ";";
      else if (c == "MD0")
        out += std::string("MD0") + kModes[static_cast<int>(dial.mode)] + ";";
      else if (c.size() == 10 && c.starts_with("FA") && DigitsValue(c.substr(2)) >= 0)
        dial.hz = DigitsValue(c.substr(2));
      else if (c.size() == 4 && c.starts_with("MD0"))
        SetMode(dial, kModes, c[3]);
      else
        out += "?;";
    }
    return out;
  }
};

class FntPnlRadio : public DialRadio {
 public:
  std::string Respond(std::string_view request) override {
    std::string out;
    static const char kModes[] = {'2', '1', '3', '0', '4'};
    // "*A" and four binary bytes may hold a CR of their own: taken whole first.
    std::string queries;
    for (size_t i = 0; i < request.size();) {
      if (request.substr(i, 2) == "*A" && i + 7 <= request.size() && request[i + 6] == '\r') {
        int64_t hz = 0;
        for (size_t k = 2; k < 6; ++k) hz = hz * 256 + static_cast<unsigned char>(request[i + k]);
        dial.hz = hz;
        i += 7;
      } else {
        queries += request[i++];
      }
    }
    for (std::string_view c : Commands(queries, '\r')) {
      if (c == "?A") {
        const auto hz = static_cast<uint32_t>(dial.hz);
        out += 'A';
        for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>(hz >> shift & 255);
        out += '\r';
      } else if (c == "?M") {
        const char m = kModes[static_cast<int>(dial.mode)];
        out += std::string("M") + m + m + "\r";
      }
    }
    return out;
  }
};

class OrionRadio : public DialRadio {
 public:
  std::string Respond(std::string_view request) override {
    std::string out;
    static const char kModes[] = {'1', '0', '2', '4', '5'};
    for (std::string_view c : Commands(request, '\r')) {
      if (c == "?AF") {
        out += "@AF" + std::to_string(dial.hz) + "\r";
      } else if (c.starts_with("*AF")) {
        if (const auto hz = ParseMhz(c.substr(3))) dial.hz = *hz;
      } else if (c == "?RMM") {
        out += std::string("@RMM") + kModes[static_cast<int>(dial.mode)] + "\r";
      }
    }
    return out;
  }
};

}  // namespace

std::unique_ptr<DialRadio> MakeFakeRadio(std::string_view rig_type) {
  const RigModel* model = FindRigModel(rig_type);
  if (!model) return nullptr;
  switch (model->family) {
    case RigFamily::kKenwood:
    case RigFamily::kKenwood2:
      return std::make_unique<KenwoodRadio>();
    case RigFamily::kIcom:
      return std::make_unique<IcomRadio>(rig_type == "Ten Tec Omni VI" ? 0x04 : 0x64,
                                         model->icom_data_bytes);
    case RigFamily::kYaesu:
    case RigFamily::kYaesu757:
    case RigFamily::kYaesuBinary:
      return std::make_unique<YaesuRadio>(*model);
    case RigFamily::kYaesuFtdx9000:
      return std::make_unique<Ftdx9000Radio>();
    case RigFamily::kTenTecFntPnl:
      return std::make_unique<FntPnlRadio>();
    case RigFamily::kTenTecOrion:
      return std::make_unique<OrionRadio>();
    case RigFamily::kNone:
    case RigFamily::kOther:
    case RigFamily::kTenTecPegasus:
    case RigFamily::kRigctld:  // tests start the real daemon instead
      break;
  }
  return nullptr;
}

std::string PegasusOutText(double mhz, std::string_view mode) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.6f\r\n\"", mhz);
  return buf + std::string(mode) + "\"\r\n";
}

std::string ExpectedRigMode(std::string_view rig_type, RadioMode mode) {
  if (mode == RadioMode::kCw) return "CW";
  if (rig_type == "Yaesu 757 GX II" && mode == RadioMode::kAm) return "AM";
  if (rig_type == "Yaesu 757 GX II" && mode == RadioMode::kFm) return "FM";
  return "PH";
}

std::string FaultyRadio::Respond(std::string_view request) {
  std::string answer = inner_.Respond(request);
  switch (fault_) {
    case RadioFault::kNone:
      break;
    case RadioFault::kSilence:
      return rest_.empty() ? std::string() : TakeRest();
    case RadioFault::kGarbage:
      answer = garbage_;
      break;
    case RadioFault::kCut: {
      fault_ = RadioFault::kNone;  // one answer is cut, the next ones are whole
      const std::string held = TakeRest();
      rest_ = answer.substr(answer.size() / 2);
      return held + answer.substr(0, answer.size() / 2);
    }
    case RadioFault::kEcho:
      answer = std::string(request) + answer;
      break;
  }
  return TakeRest() + answer;
}

std::string FaultyRadio::TakeRest() {
  std::string out;
  out.swap(rest_);
  return out;
}

}  // namespace vantrel

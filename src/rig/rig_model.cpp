#include "rig/rig_model.h"

namespace vantrel {

namespace {

using std::string_view_literals::operator""sv;

constexpr std::string_view kYaesuOpen = "\0\0\0\0\0"sv;
constexpr std::string_view kYaesuClose = "\0\0\0\0\x80"sv;

constexpr RigDefaults kUnchanged{};

constexpr RigDefaults Serial(std::string_view baud, char data, char stop, std::string_view freq,
                             std::string_view mode, bool hex, bool hint = false) {
  RigDefaults d;
  d.baud = baud;
  d.data_bits = data;
  d.stop_bits = stop;
  d.parity = 'N';
  d.frequency_query = freq;
  d.mode_query = mode;
  d.convert_to_hex = hex;
  d.icom_hint = hint;
  return d;
}

constexpr RigModel Model(std::string_view name, RigFamily family, RigDefaults defaults) {
  RigModel m;
  m.name = name;
  m.family = family;
  m.defaults = defaults;
  return m;
}

constexpr RigModel Icom(std::string_view name, RigDefaults defaults, int data_bytes) {
  RigModel m = Model(name, RigFamily::kIcom, defaults);
  m.icom_data_bytes = data_bytes;
  return m;
}

constexpr RigModel Yaesu(std::string_view name, RigFamily family, std::string_view freq_query) {
  RigModel m = Model(name, family, Serial("4800", '8', '2', freq_query, "", true));
  m.open_bytes = kYaesuOpen;
  m.close_bytes = kYaesuClose;
  return m;
}

constexpr RigModel YaesuBinary(std::string_view name, int first, int last, double scale,
                               YaesuModeMap map = YaesuModeMap::kCwIsTwo) {
  RigModel m = Yaesu(name, RigFamily::kYaesuBinary, "00 00 00 02 10");
  m.yaesu = {first, last, scale, 16, map};
  return m;
}

constexpr RigModel TenTec(std::string_view name, RigFamily family, RigDefaults defaults,
                          std::string_view open = {}) {
  RigModel m = Model(name, family, defaults);
  m.hardware_handshake = true;
  m.open_bytes = open;
  return m;
}

constexpr RigDefaults Ftdx9000() {
  RigDefaults d;
  d.baud = "4800";
  d.frequency_query = "FA;";
  d.mode_query = "MD0;";
  return d;
}

constexpr RigDefaults OtherDefaults() {
  RigDefaults d;
  d.convert_to_hex_enabled = true;
  return d;
}

// Serial values and queries stay as they are: the daemon has its own.
constexpr RigModel Rigctld() {
  RigModel m = Model("Hamlib rigctld", RigFamily::kRigctld, kUnchanged);
  m.over_tcp = true;
  return m;
}

constexpr RigDefaults kIcomDefaults =
    Serial("1200", '8', '1', "FE FE 64 E0 03 FD", "FE FE 64 E0 04 FD", true, true);
constexpr RigDefaults kKenwoodDefaults = Serial("4800", '8', '2', "FA;", "MD;", false);

const std::array<RigModel, kRigModelCount> kModels = {
    Model("None", RigFamily::kNone, kUnchanged),
    Model("Elecraft", RigFamily::kKenwood, kKenwoodDefaults),
    Icom("Icom", kIcomDefaults, 5),
    Icom("Icom 735", kIcomDefaults, 4),
    Model("Kenwood", RigFamily::kKenwood, kKenwoodDefaults),
    Model("Kenwood 2", RigFamily::kKenwood2, Serial("4800", '8', '2', "IF;", "", false)),
    Icom("Ten Tec Omni VI",
         Serial("1200", '8', '1', "FE FE 04 E0 03 FD", "FE FE 04 E0 04 FD", true), 5),
    TenTec("Ten Tec Orion", RigFamily::kTenTecOrion,
           Serial("56000", '8', '1', "?AF", "?RMM", false), "X\r"),
    TenTec("Ten Tec Fnt Pnl", RigFamily::kTenTecFntPnl,
           Serial("56000", '8', '1', "3F 41 0D", "3F 4D 0D", true)),
    Model("Ten Tec Pegasus", RigFamily::kTenTecPegasus, kUnchanged),
    Yaesu("Yaesu", RigFamily::kYaesu, "00 00 00 00 03"),
    Yaesu("Yaesu 757 GX II", RigFamily::kYaesu757, "00 00 00 00 10"),
    YaesuBinary("Yaesu 890", 5, 10, 100000),
    YaesuBinary("Yaesu 920", 3, 10, 1000000, YaesuModeMap::kCwIsOne),
    YaesuBinary("Yaesu 990", 3, 8, 100000),
    YaesuBinary("Yaesu 1000 D", 3, 8, 100000),
    YaesuBinary("Yaesu 1000", 4, 9, 100000),
    Model("Yaesu FTdx9000", RigFamily::kYaesuFtdx9000, Ftdx9000()),
    Model("Other", RigFamily::kOther, OtherDefaults()),
    Rigctld(),
};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

const std::array<RigModel, kRigModelCount>& RigModels() {
  return kModels;
}

const RigModel* FindRigModel(std::string_view rig_type) {
  for (const RigModel& m : kModels)
    if (m.name == rig_type) return &m;
  return nullptr;
}

std::optional<std::string> HexPairsToBytes(std::string_view text, int count) {
  std::string out;
  const size_t wanted = count > 0 ? static_cast<size_t>(count) : (text.size() + 2) / 3;
  for (size_t i = 0; i < wanted; ++i) {
    const size_t p = i * 3;
    if (p >= text.size()) return std::nullopt;
    const std::string_view pair = text.substr(p, 2);
    int value = 0;
    for (char c : pair) {
      const int v = HexValue(c);
      if (v < 0) return std::nullopt;
      value = value * 16 + v;
    }
    out += static_cast<char>(value);
  }
  return out;
}

std::string BytesToHexPairs(std::string_view bytes) {
  std::string out = HexDisplay(bytes);
  if (!out.empty()) out.pop_back();
  return out;
}

std::string HexDisplay(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 15];
    out += ' ';
  }
  return out;
}

}  // namespace vantrel

// The radios the rig window offers, and what differs between them, as data.
//
// Responsibilities: the 20 rig types in list order with their family, the
// defaults a list choice applies, the bytes written when the port opens and
// when the window unloads; hex-pair query text <-> bytes.
// Collaborations: rig/rig_settings (applies the defaults), rig/rig_reply (the
// parser per family), rig/rig_poller (what each family writes per tick).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// Families share one wire format and one parser; models inside a family
// differ only by the data in RigModel.
enum class RigFamily : uint8_t {
  kNone,
  kKenwood,        // "Kenwood", "Elecraft": FA/MD text
  kKenwood2,       // IF text
  kIcom,           // CI-V frames (Icom, Icom 735, Ten Tec Omni VI)
  kYaesu,          // 5-byte status, BCD most significant first
  kYaesu757,       // "Yaesu 757 GX II": BCD least significant first
  kYaesuBinary,    // 890, 920, 990, 1000 D, 1000: binary frequency
  kYaesuFtdx9000,  // FA/MD0 text
  kTenTecFntPnl,   // front-panel binary
  kTenTecOrion,    // @AF/@RMM text
  kTenTecPegasus,  // a file written by the Pegasus control program
  kOther,          // user queries, raw reply only
  kRigctld,        // Hamlib's rigctld over TCP (rig/rigctld.h)
};

// How a binary-frequency Yaesu lays out its reply: a run of hex digits of the
// reply text (1-based, two per byte) read as one unsigned number.
enum class YaesuModeMap : uint8_t {
  kCwIsTwo,  // 0, 1 PH; 2 CW; 3..7 PH; others unchanged
  kCwIsOne,  // 1 CW; any other PH
};
struct YaesuBinaryLayout {
  int first_digit = 0;
  int last_digit = 0;
  double scale = 1;
  int mode_digit = 0;
  YaesuModeMap mode_map = YaesuModeMap::kCwIsTwo;
};

// Serial defaults a list choice applies; nullopt leaves the control alone.
struct RigDefaults {
  std::optional<std::string_view> baud;
  std::optional<char> data_bits;
  std::optional<char> stop_bits;
  std::optional<char> parity;
  std::string_view frequency_query;
  std::string_view mode_query;
  bool convert_to_hex = false;
  bool convert_to_hex_enabled = false;
  bool icom_hint = false;
};

struct RigModel {
  std::string_view name;  // the rig type text, exact case
  RigFamily family = RigFamily::kNone;
  RigDefaults defaults;
  int icom_data_bytes = 0;    // frequency data bytes of a CI-V reply (4 or 5)
  YaesuBinaryLayout yaesu{};  // kYaesuBinary only
  bool hardware_handshake = false;
  std::string_view open_bytes;   // written right after the port opens
  std::string_view close_bytes;  // written at unload while polling
  // Talks to a daemon over TCP instead of a serial port. Its replies are
  // keyed and ended, so input is never dropped to realign them.
  bool over_tcp = false;
};

inline constexpr int kRigModelCount = 20;
// List order of the rig window.
const std::array<RigModel, kRigModelCount>& RigModels();
// The model of an exact (case-sensitive) rig type, or nullptr.
const RigModel* FindRigModel(std::string_view rig_type);

// Hex-pair text ("FE FE 64 E0 03 FD") to bytes: pairs start at every third
// character; `count` pairs are taken, or as many as the text holds when
// count is 0. A pair cut by the end of the text is read from its one digit.
// nullopt when a pair is not hexadecimal: sending junk to a radio is worse
// than sending nothing.
std::optional<std::string> HexPairsToBytes(std::string_view text, int count = 0);
// Bytes to hex-pair text, upper case, pairs separated by one blank.
std::string BytesToHexPairs(std::string_view bytes);
// The unprocessed-reply display in hex: two digits and a blank per byte.
std::string HexDisplay(std::string_view bytes);

}  // namespace vantrel

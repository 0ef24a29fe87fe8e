// RigCntrl.txt: the rig window's serial settings, queries and choices, one
// value per line in the shared quoted-value form.
//
// The rigctld host and port follow the fourteen serial-era lines as lines 15
// and 16. A file written before they existed ends after line 14 and loads
// with the defaults (localhost, 4532); a reader that knows only fourteen
// lines stops there, so the longer file still loads there too.
//
// Responsibilities: hold the values; file text <-> values; the
// defaults a list choice applies; the serial settings string and poll timing.
// Collaborations: common/quoted_value (field format), rig/rig_model (the
// per-family defaults); the rig window, which reads the file at load and
// rewrites it whole through the platform's atomic replace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rig/rig_model.h"
#include "rig/rigctld.h"

namespace vantrel {

inline constexpr int kRigSettingsLineCount = 14;
inline constexpr int kRigSettingsLineCountWithRigctld = 16;

enum class RigModeSource : int16_t { kRig = 1, kFrequency = 2, kDontUse = 3 };

// The values as the window holds them when no file was read.
struct RigSettings {
  std::string Baud = "56000";    // 1, five characters, blank-padded
  std::string Parity = "N";      // 2
  std::string DataBits = "8";    // 3
  std::string StopBits = "1";    // 4
  std::string ModeQuery;         // 5
  std::string FrequencyQuery;    // 6
  std::string SerialSettings;    // 7, e.g. 9600,N,8,1
  uint8_t Port = 1;              // 8, COM number
  std::string PowerLine = "N";   // 9, N none, R RTS, D DTR
  std::string PollRate = "M";    // 10, F M S R
  std::string RigType = "None";  // 11
  int16_t ConvertToHex = 0;      // 12
  int16_t UseFrequency = 1;      // 13
  int16_t ModeSource = 1;        // 14, RigModeSource

  // Hamlib rigctld, after the serial-era lines.
  std::string RigctldHost{kRigctldDefaultHost};  // 15, optional
  uint16_t RigctldPort = kRigctldDefaultPort;    // 16, optional

  bool operator==(const RigSettings&) const = default;
};

struct RigSettingsReadResult {
  int items_read = 0;  // values taken from the file, in order
  // The fourteen serial-era values; the rigctld lines may be missing.
  bool ok() const { return items_read >= kRigSettingsLineCount; }
};

// Reads the values in file order, stopping at the first one that is missing
// or of the wrong kind; the values before it replace those held, the rest
// stay. The caller sets its controls only when all fourteen were read. The
// rigctld lines are taken only as a pair of a text and a port 1..65535.
RigSettingsReadResult ParseRigSettings(std::string_view text, RigSettings& settings);

// The whole file, sixteen CR LF lines. Quotes and line ends cannot live in a
// quoted text, so they are dropped from texts.
std::string FormatRigSettings(const RigSettings& settings);

// Blank-pads (or cuts) a baud text to the fixed five characters.
std::string PadBaud(std::string_view baud);
// Right-trimmed baud, parity, data bits, stop bits joined by commas.
std::string SerialSettingsString(const RigSettings& settings);

// A list choice: the rig type and the family's defaults. Queries are cleared
// and Convert to Hex is switched off first; serial values the family leaves
// alone keep their current choice.
struct RigChoice {
  bool convert_to_hex_enabled = false;
  bool icom_hint = false;
};
RigChoice ApplyRigChoice(std::string_view rig_type, RigSettings& settings);

// Timer interval of a poll-rate letter: half a full send-and-read cycle.
// Unknown letters poll at the medium rate.
int PollIntervalMs(std::string_view poll_rate);

struct PollRate {
  char letter;
  const char* caption;
  int interval_ms;
};
inline constexpr PollRate kPollRates[] = {
    {'F', "100 ms", 50}, {'M', "500 ms", 250}, {'S', "2 Sec", 1000}, {'R', "10 Sec", 5000}};

inline constexpr std::string_view kBaudRates[] = {"1200",  "2400",  "4800",  "9600", "14400",
                                                  "19200", "28800", "38400", "56000"};

}  // namespace vantrel

// PackSpot.txt: the spotting window's source, serial settings and Telnet
// address, one value per line in the shared quoted-value form.
//
// Responsibilities: hold the fourteen values; file text <-> values; the
// defaults choosing "TNC" applies; the serial settings string.
// Collaborations: common/quoted_value (field format); the spotting window,
// which reads the file at load and rewrites it whole on Done.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kSpotSettingsLineCount = 14;

// The sources in list order.
inline constexpr std::string_view kSpotSources[] = {"None", "TNC", "Telnet", "AGW Packet Engine"};
enum class SpotSource { kNone, kTnc, kTelnet, kAgw };
// Any case; an unknown text counts as "None", which opens nothing.
SpotSource SpotSourceOf(std::string_view text);

struct SpotSettings {
  std::string Baud = "9600";     // 1
  std::string Parity = "N";      // 2
  std::string DataBits = "8";    // 3
  std::string StopBits = "1";    // 4
  uint8_t Port = 1;              // 5, COM number
  std::string PowerLine = "N";   // 6, N none, R RTS, D DTR
  std::string Source = "None";   // 7
  int16_t ConvertToHex = 0;      // 8
  uint8_t Handshaking = 1;       // 9, 1 none .. 4 RTS with XON/XOFF
  int16_t DxOnly = 0;            // 10
  bool ListDisplay = false;      // 11
  std::string CommandCharacter;  // 12, hexadecimal byte
  std::string TelnetPort;        // 13
  std::string TelnetHost;        // 14

  bool operator==(const SpotSettings&) const = default;
};

struct SpotSettingsReadResult {
  int items_read = 0;
  bool ok() const { return items_read == kSpotSettingsLineCount; }
};

// Reads the values in file order, stopping at the first one missing or of the
// wrong kind; those before it replace the held values.
SpotSettingsReadResult ParseSpotSettings(std::string_view text, SpotSettings& settings);
// The whole file, fourteen CR LF lines.
std::string FormatSpotSettings(const SpotSettings& settings);

// What choosing "TNC" sets: 9600,N,8,1, RTS handshaking, command byte 03.
void ApplyTncDefaults(SpotSettings& settings);
// Baud, parity, data bits and stop bits joined by commas.
std::string SerialSettingsText(const SpotSettings& settings);
// The byte the command-mode text names ("03", "1b"); nothing when it is not
// one or two hexadecimal digits.
bool CommandByte(std::string_view hex, char& byte);

}  // namespace vantrel

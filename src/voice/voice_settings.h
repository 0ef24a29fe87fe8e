// The voice keyer's settings and their file, wave2.txt: nine wave files for
// F1..F9, the push-to-talk port and line, the F1 repeat interval and the
// parallel port address, one value a line.
//
// Responsibilities: read and write the thirteen lines; turn the typed texts
// (port, interval, address) into the values the keyer uses.
// Collaborations: voice/voice_keyer (uses the values), ui/phone_frm (edits
// them), platform/durable_file (the atomic rewrite).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The push-to-talk line as wave2.txt numbers it. The CW keying line numbers
// the same serial lines the other way round (RTS 1, DTR 2), so the two must
// never be converted into each other by value.
enum class PttLine { kRts = 0, kDtr = 1, kParallel = 2 };

inline constexpr const char* kVoiceSettingsFile = "wave2.txt";

struct VoiceSettings {
  std::array<std::string, 9> files;  // F1..F9
  std::string port = "0";            // serial port number; 0 = none
  std::optional<PttLine> line;       // none chosen yet
  std::string repeat = "0";          // seconds; 0 = no repeat
  std::string parallel = "&H378";    // I/O address text
  friend bool operator==(const VoiceSettings&, const VoiceSettings&) = default;
};

std::optional<PttLine> PttLineFromNumber(std::int64_t number);

// A file with fewer lines keeps the defaults for the rest; a line that does
// not read leaves its value at the default too, so one damaged line never
// loses the others.
VoiceSettings ParseVoiceSettings(std::string_view text);
std::string FormatVoiceSettings(const VoiceSettings& settings);

// Leading and trailing blanks and tabs removed.
std::string_view TrimBlanksAndTabs(std::string_view text);

// The serial port number of the port field: a non-numeric text is 0.
int PttPortNumber(std::string_view text);

// The repeat field when it loses the focus: 0 <= seconds < 60 gives the
// period in ms; anything else gives nothing, and the field becomes "0".
std::optional<int> VoiceRepeatPeriodMs(std::string_view text);

// The characters the repeat field takes: Backspace, "." and digits.
bool RepeatFieldAccepts(char c);

}  // namespace vantrel

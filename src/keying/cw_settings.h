// CW.txt: the CW messages and keying settings, eighteen values in the shared
// quoted-value form, plus the two timing values kept in the settings store.
//
// Responsibilities: hold the values as the setup window's fields hold them;
// file text <-> values; which file name to read; the numeric readings of the
// text fields (speed, word space, repeat interval, port, address).
// Collaborations: common/quoted_value (field format); the CW setup window,
// which reads the file at start-up and rewrites it whole atomically.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kCwSettingsLineCount = 18;
inline constexpr int kCwMessageCount = 11;
inline constexpr std::string_view kCwSettingsFile = "CW.txt";
// Earlier versions read (and some folders hold) the lower-case name.
inline constexpr std::string_view kCwSettingsFileLower = "cw.txt";
inline constexpr std::string_view kDefaultMessage9 = "VVV DE ";

// CWKeyingLine values; 4 is not used.
enum class CwKeying : int { kNone = 0, kRts = 1, kDtr = 2, kPrinter = 3, kWinKey = 5 };

enum class CwTiming { kTimer, kLoop, kSleep };
// Settings-store names: "Timer", "Loop", "Sleep"; anything else is "Timer".
CwTiming ParseCwTiming(std::string_view name);
std::string_view CwTimingName(CwTiming timing);

struct CwSettings {
  // Messages 1..11 in key order: F1..F9 (Text1..Text9), F10 (Text12), F11
  // (Text13).
  std::string messages[kCwMessageCount];
  std::string serial_port = "0";           // Text10
  std::string speed = "13";                // Text11
  std::string word_space = "0";            // txtSpace
  int keying_line = 0;                     // CWKeyingLine
  std::string parallel_address = "&H378";  // Text14
  int show_text = 0;                       // Check1
  std::string repeat_seconds = "0";        // txtCWLoop

  bool operator==(const CwSettings&) const = default;
};

struct CwSettingsReadResult {
  int items_read = 0;
  bool ok() const { return items_read == kCwSettingsLineCount; }
};

// Reads the values in file order, stopping silently at the first one that is
// missing or of the wrong kind; those before it replace the held ones. When
// all eighteen were read, an empty Message 9 becomes "VVV DE ".
CwSettingsReadResult ParseCwSettings(std::string_view text, CwSettings& settings);
// The whole file, eighteen CR LF lines. A double quote cannot live in a
// quoted value, so it is dropped.
std::string FormatCwSettings(const CwSettings& settings);

// The name to read: "CW.txt", or "cw.txt" when only that one exists (names
// differ by case on this system). Writing always uses "CW.txt".
std::string CwSettingsFileToRead(const std::function<bool(const std::string&)>& exists);

// The numeric value of a field's text, or nothing for non-numeric text.
std::optional<double> FieldNumber(std::string_view text);

// The repeat field when it loses the focus: the period for 0 <= v < 60
// seconds, rounded to whole ms; nothing for anything else (the field then
// becomes "0" and the period 0).
std::optional<int> RepeatPeriodMs(std::string_view text);

// The word-space field's value, never below -8; 0 for non-numeric text.
int WordSpaceValue(std::string_view text);

}  // namespace vantrel

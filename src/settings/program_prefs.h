// vhfpref.txt: the program's own nineteen settings, one value per line, in a
// fixed order with a fixed type per line and no names in the file.
//
// Responsibilities: hold the nineteen values; turn file text into values and
// values into file text.
// Collaborations: settings/quoted_value (field format); the main window, which
// reads the file once at start-up and rewrites it whole (SavePref) through the
// platform's atomic file replace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr int kPrefsLineCount = 19;

struct ProgramPrefs {
  std::string OwnCall;               // 1
  std::string OwnGrid;               // 2, trimmed by whoever sets it
  float UtcOffsetHours = 0;          // 3, hours added to local time
  std::string CurrentMode;           // 4, "CW" or "PH"
  std::string CurrentBand;           // 5, band label such as "144 M"
  float TotalTimeOnSeconds = 0;      // 6
  uint8_t ContestId = 0;             // 7, 1..5
  uint8_t RecordRst = 1;             // 8, 1 record reports, 2 skip them
  uint8_t FormSizePercent = 100;     // 9
  uint8_t RoverStation = 0;          // 10, 1 rover
  double OwnLongitude = 0;           // 11, west positive
  double OwnLatitude = 0;            // 12, north positive
  std::string GridMapView;           // 13, caption of Command2
  int32_t WorkedColor = 0;           // 14
  int32_t RemainingColor = 0;        // 15
  uint8_t VoiceNavLevel = 0;         // 16, 0 off, 1 call only, 2 all fields
  std::string RigType;               // 17, "None" without a radio
  uint8_t TaskbarDisplay = 0;        // 18
  uint8_t ListPreviousContacts = 0;  // 19

  bool operator==(const ProgramPrefs&) const = default;
};

enum class PrefsReadError {
  kNone,
  kMissing,    // the file ended before this value
  kWrongType,  // a quote error, a text where a number belongs, or a number out of range
};

struct PrefsReadResult {
  PrefsReadError error = PrefsReadError::kNone;
  int line = 0;  // 1-based number of the value that failed; 0 when all were read

  bool ok() const { return error == PrefsReadError::kNone; }
};

// Reads the values in file order into `prefs`, stopping at the first one that
// is missing or of the wrong type. Values before it are kept (start-up goes on
// with what it has), the failing one and all after it are left untouched.
// Anything after the nineteenth value is ignored.
PrefsReadResult ParsePrefs(std::string_view text, ProgramPrefs& prefs);

// The whole file: nineteen lines, CR LF each, texts quoted, numbers bare.
// Double quotes and line ends cannot be stored inside a quoted text, so they
// are dropped from texts rather than allowed to break every later line.
std::string FormatPrefs(const ProgramPrefs& prefs);

// The values of the vhfpref.txt installed with the program: what a folder
// without a readable preference file starts from, so that band, mode and map
// colours are never left empty.
ProgramPrefs ShippedDefaultPrefs();

}  // namespace vantrel

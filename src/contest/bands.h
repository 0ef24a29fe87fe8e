// Bands, modes and contests: the fixed tables every per-band list follows, the
// points each contest gives per band, and the decisions behind band and mode
// selection (from the menus, the labels and the radio).
//
// Responsibilities: the contest table (the band and mode table is
// common/band_table.h); frequency-to-band and frequency text; the pure parts
// of BandChange, ModeSelection and BandFreqConversion over a ContestState.
// Collaborations: the main window owns the one ContestState of a run and
// performs the screen side (check marks, colours, redraws, SavePref).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "common/band_table.h"
#include "common/text.h"

namespace vantrel {

inline constexpr int kContestCount = 5;
inline constexpr int kUhfContestId = 3;
inline constexpr int kCqContestId = 5;

struct ContestInfo {
  int id;  // 1..5
  std::string_view name;
  std::string_view cabrillo;  // CONTEST value of the Cabrillo header
  std::string_view option_button;
};

inline constexpr std::array<ContestInfo, kContestCount> kContests{{
    {1, "ARRL January VHF Sweepstakes", "ARRL-VHF-JAN", "Option1"},
    {2, "ARRL June VHF QSO Party", "ARRL-VHF-JUN", "Option2"},
    {3, "ARRL UHF Contest", "ARRL-UHF-AUG", "Option3"},
    {4, "ARRL September VHF QSO Party", "ARRL-VHF-SEP", "Option4"},
    {5, "CQ World Wide VHF", "CQ-VHF", "Option7"},
}};

// Contact points, [contest id - 1][band index - 1]. A 0 band neither scores
// nor counts as a contact or multiplier in that contest.
inline constexpr int kPointsPerBand[kContestCount][kBandCount] = {
    {1, 1, 2, 2, 4, 4, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8},
    {1, 1, 2, 2, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
    {0, 0, 3, 3, 6, 6, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12, 12},
    {1, 1, 2, 2, 3, 3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
    {1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

// The run-time values that say which band, mode and contest are in force.
// The main window owns the one instance; everything else receives it.
struct ContestState {
  std::string CurrentBand;    // Band label of the next contact
  std::string CurrentMode;    // "CW" or "PH"
  int ContestId = 0;          // 1..5
  int RoverStation = 0;       // 0 fixed, 1 rover
  std::string FrequencyText;  // "#####.##0" of the last radio frequency, or empty
};

// The contest with this id, or nullptr.
const ContestInfo* FindContest(int contest_id);

// Points of a contact on `band_index` (1..17) in `contest_id` (1..5); 0 for
// anything outside the tables.
int Points(int contest_id, int band_index);
int Points(int contest_id, std::string_view band_label);

// The band whose range holds `mhz` strictly between its bounds, or nullptr.
const BandInfo* BandForFrequency(float mhz);

// `mhz` as "#####.##0": no leading zeros, a point and three decimals, halves
// rounded away from zero ("144.200", "10368.100", ".500"). Empty when `mhz`
// is not a finite number.
std::string FormatFrequencyText(float mhz);

// The UHF contest has no 50 and 144 MHz points, so selecting either lands on
// 222 MHz. Returns the band that is in force after the rule.
std::string_view ApplyUhfRule(int contest_id, std::string_view band);

// What the screen shows after BandChange.
struct BandChangeView {
  std::string caption;             // Label21: the band followed by "Hz"
  const BandInfo* band = nullptr;  // the menu item to check; nullptr checks none
  bool highlight_labels = false;   // band 1..10: its name and count labels go maroon
};

// The pure part of BandChange: applies the UHF rule to state.CurrentBand and
// says what to show. The caller does the rest (grid map reset, SavePref,
// check marks and colours, the grid field's change handler, band map).
BandChangeView BandChange(ContestState& state);

struct FrequencyDecision {
  // The band whose menu item the frequency "clicks" (set CurrentBand to its
  // label and run BandChange), or nullptr for no band change.
  const BandInfo* switch_to = nullptr;
  // The band in force once BandChange has run (the UHF rule may move it);
  // with the radio on 144 MHz in the UHF contest the click happens on every
  // frequency read, and this stays "222 M".
  std::string_view resulting_band;
  std::string frequency_text;  // the new FrequencyText
};

FrequencyDecision DecideBandForFrequency(float mhz, std::string_view current_band, int contest_id);

// BandFreqConversion over the state: sets FrequencyText and, on a band
// switch, CurrentBand to the clicked band. True when the caller must now run
// its BandChange (which calls BandChange(state) above).
bool BandFreqConversion(ContestState& state, float mhz);

// The mode a radio mode text selects: "CW" or "PH" (case-insensitive) when it
// differs from `current_mode`; nothing for an empty text, the current mode or
// any other text.
std::optional<std::string_view> DecideModeSelection(std::string_view text,
                                                    std::string_view current_mode);

// ModeSelection over the state: sets CurrentMode when the radio's mode text
// selects another one. True when the caller must now apply the mode (check
// marks, Label30, SavePref, report lengths, the grid field's change handler).
bool ModeSelection(ContestState& state, std::string_view text);

// The mode Label30's click switches to: CW unless CW is in force.
std::string_view ToggledMode(std::string_view current_mode);

// Maximum length of the report fields: RST on CW, RS on phone.
int ReportMaxLength(std::string_view mode);

}  // namespace vantrel

#include "contest/bands.h"

#include <cmath>
#include <cstdio>

namespace vantrel {

const ContestInfo* FindContest(int contest_id) {
  if (contest_id < 1 || contest_id > kContestCount) return nullptr;
  return &kContests[static_cast<size_t>(contest_id - 1)];
}

int Points(int contest_id, int band_index) {
  if (contest_id < 1 || contest_id > kContestCount) return 0;
  if (band_index < 1 || band_index > kBandCount) return 0;
  return kPointsPerBand[contest_id - 1][band_index - 1];
}

int Points(int contest_id, std::string_view band_label) {
  return Points(contest_id, BandIndex(band_label));
}

const BandInfo* BandForFrequency(float mhz) {
  // Float comparisons on purpose: the bounds are single-precision values, and
  // 1300.0 lies inside the 1.3 GHz range only because 1300.0001f > 1300.0f.
  for (const auto& band : kBands) {
    if (!band.lower || !band.upper) continue;
    if (*band.lower < mhz && mhz < *band.upper) return &band;
  }
  return nullptr;
}

std::string FormatFrequencyText(float mhz) {
  if (!std::isfinite(mhz)) return {};
  // A float times 1000 is exact in a double (24 + 10 bits), so rounding the
  // product rounds the value the radio reported, not a binary neighbour.
  const double scaled = std::round(static_cast<double>(mhz) * 1000.0);
  if (std::fabs(scaled) >= 9e15) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.3f", static_cast<double>(mhz));
    return buffer;
  }
  const bool negative = scaled < 0;
  const long long thousandths = static_cast<long long>(std::fabs(scaled));
  const long long whole = thousandths / 1000;
  const int fraction = static_cast<int>(thousandths % 1000);
  std::string text;
  if (negative && thousandths != 0) text += '-';
  if (whole != 0) text += std::to_string(whole);  // "#" places: no leading zero
  char decimals[8];
  std::snprintf(decimals, sizeof decimals, ".%03d", fraction);
  text += decimals;
  return text;
}

std::string_view ApplyUhfRule(int contest_id, std::string_view band) {
  if (contest_id == kUhfContestId &&
      (EqualsNoCase(band, kBands[0].label) || EqualsNoCase(band, kBands[1].label)))
    return kBands[2].label;
  return band;
}

BandChangeView BandChange(ContestState& state) {
  const std::string_view band = ApplyUhfRule(state.ContestId, state.CurrentBand);
  if (band != state.CurrentBand) state.CurrentBand = std::string(band);
  BandChangeView view;
  view.caption = state.CurrentBand + "Hz";
  view.band = FindBand(state.CurrentBand);
  view.highlight_labels = view.band && view.band->OnWindow();
  return view;
}

FrequencyDecision DecideBandForFrequency(float mhz, std::string_view current_band, int contest_id) {
  FrequencyDecision decision;
  decision.resulting_band = current_band;
  const BandInfo* band = BandForFrequency(mhz);
  if (band && !EqualsNoCase(band->label, current_band)) {
    decision.switch_to = band;
    decision.resulting_band = ApplyUhfRule(contest_id, band->label);
  }
  decision.frequency_text = FormatFrequencyText(mhz);
  return decision;
}

bool BandFreqConversion(ContestState& state, float mhz) {
  FrequencyDecision decision = DecideBandForFrequency(mhz, state.CurrentBand, state.ContestId);
  if (decision.switch_to) state.CurrentBand = std::string(decision.switch_to->label);
  state.FrequencyText = std::move(decision.frequency_text);
  return decision.switch_to != nullptr;
}

std::optional<std::string_view> DecideModeSelection(std::string_view text,
                                                    std::string_view current_mode) {
  if (text.empty() || EqualsNoCase(text, current_mode)) return std::nullopt;
  if (EqualsNoCase(text, kModePhone)) return kModePhone;
  if (EqualsNoCase(text, kModeCw)) return kModeCw;
  return std::nullopt;
}

bool ModeSelection(ContestState& state, std::string_view text) {
  const auto mode = DecideModeSelection(text, state.CurrentMode);
  if (!mode) return false;
  state.CurrentMode = std::string(*mode);
  return true;
}

std::string_view ToggledMode(std::string_view current_mode) {
  return EqualsNoCase(current_mode, kModeCw) ? kModePhone : kModeCw;
}

int ReportMaxLength(std::string_view mode) {
  return EqualsNoCase(mode, kModeCw) ? 3 : 2;
}

}  // namespace vantrel

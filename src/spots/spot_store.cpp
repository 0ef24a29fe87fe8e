#include "spots/spot_store.h"

#include <cmath>

#include "common/quoted_value.h"
#include "common/text.h"
#include "spots/spot_lines.h"

namespace vantrel {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string Mid(std::string_view s, size_t start1, size_t count) {
  if (start1 < 1 || start1 > s.size()) return {};
  return std::string(s.substr(start1 - 1, count));
}

}  // namespace

std::string SpotLabel(std::string_view call) {
  if (call.size() < 3) return {};
  size_t slash = 0, last_digit = 0;  // 1-based, 0 for none
  for (size_t i = 0; i < call.size(); ++i) {
    if (call[i] == '/') slash = i + 1;
    if (IsDigit(call[i])) last_digit = i + 1;
  }
  if (slash == 0)
    return last_digit == 0 ? std::string(call) : std::string(call.substr(0, last_digit));
  // A short part before the "/" is a country prefix; a part after it is the
  // portable area or suffix.
  const double half = static_cast<double>(call.size()) / 2 + 1;
  if (static_cast<double>(slash) < half) return std::string(call.substr(0, slash - 1));
  const std::string after = Mid(call, slash + 1, last_digit == 0 ? call.size() : last_digit);
  if (!IsNumericText(after)) return after;
  size_t first_digit = 0;
  while (first_digit < call.size() && !IsDigit(call[first_digit])) ++first_digit;
  return std::string(call.substr(0, first_digit)) + after;
}

void SpotStore::Add(std::string_view call, double mhz, LocalTime received) {
  for (size_t i = 1; i < kSlots; ++i) slots_[i - 1] = std::move(slots_[i]);
  Spot& newest = slots_[kSlots - 1];
  newest.call = std::string(call);
  newest.frequency = static_cast<float>(mhz);
  newest.hz = std::llround(mhz * 1e6);
  newest.received = received;
  newest.label = SpotLabel(call);
  // Slot 0 is about to leave the store anyway.
  for (size_t i = kSlots - 2; i >= 1; --i) {
    if (EqualsNoCase(slots_[i].call, call)) {
      slots_[i].frequency = 0;
      slots_[i].hz = 0;
      break;
    }
  }
  ++version_;
}

void SpotStore::Dismiss(size_t slot) {
  if (slot >= kSlots) return;
  slots_[slot].frequency = 0;
  slots_[slot].hz = 0;
  ++version_;
}

SpotListRow MakeSpotListRow(std::string_view call, float mhz, std::string_view text) {
  SpotListRow row;
  row.call = std::string(call);
  row.frequency = FormatSingle(mhz);
  row.comments =
      std::string(TrimBlanks(Mid(text, 1, 11))) + "  " + std::string(TrimBlanks(Mid(text, 35, 25)));
  row.prefix = std::string(TrimBlanks(Mid(text, 62, 5)));
  row.time = Mid(text, 68, 4);
  row.from = std::string(TrimBlanks(Mid(text, 73, 4)));
  return row;
}

void SpotList::Insert(SpotListRow row) {
  if (rows_.size() >= kRows) rows_.pop_back();
  rows_.push_front(std::move(row));
}

bool IsOwnCallSpot(std::string_view call, std::string_view own_call) {
  own_call = TrimBlanks(own_call);
  return !own_call.empty() && EqualsNoCase(call, own_call);
}

SpotTaken SpotBook::Take(std::string_view call, std::string_view frequency_khz,
                         std::string_view spot_text, std::string_view own_call, LocalTime now) {
  SpotTaken t;
  t.own_call = IsOwnCallSpot(call, own_call);
  t.spot_text = std::string(spot_text.substr(0, spot_text.find_first_of("\r\n")));
  double khz = 0;
  if (!IsNumericText(frequency_khz, &khz)) return t;
  const double mhz = khz / 1000;
  // Too large for the store's number, or for whole hertz.
  if (!std::isfinite(static_cast<float>(mhz)) || std::fabs(mhz) > 9e6) return t;
  store_.Add(call, mhz, now);
  list_.Insert(MakeSpotListRow(call, static_cast<float>(mhz), t.spot_text));
  t.stored = true;
  return t;
}

SpotTaken SpotBook::TakeLine(std::string_view line, std::string_view own_call, LocalTime now) {
  const SpotLineFields f = ReadSpotLine(line);
  return Take(f.call, f.frequency_khz, f.spot_text, own_call, now);
}

}  // namespace vantrel

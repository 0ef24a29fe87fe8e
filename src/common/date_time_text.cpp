#include "common/date_time_text.h"

#include <array>
#include <cstdio>

namespace vantrel {
namespace {

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// Callers have checked AllDigits and a short length, so this cannot overflow.
int DigitsValue(std::string_view text) {
  int value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

// Splits `text` at `separator` into exactly `count` parts; false otherwise.
template <size_t N>
bool SplitExactly(std::string_view text, char separator, std::array<std::string_view, N>& parts) {
  size_t start = 0;
  for (size_t i = 0; i < N; ++i) {
    const size_t end = i + 1 < N ? text.find(separator, start) : text.size();
    if (end == std::string_view::npos) return false;
    parts[i] = text.substr(start, end - start);
    start = end + 1;
  }
  return parts[N - 1].find(separator) == std::string_view::npos;
}

std::optional<std::chrono::year_month_day> MakeDate(std::string_view year, std::string_view month,
                                                    std::string_view day) {
  if (year.size() != 4 || month.size() > 2 || day.size() > 2) return std::nullopt;
  if (!AllDigits(year) || !AllDigits(month) || !AllDigits(day)) return std::nullopt;
  const int y = DigitsValue(year);
  if (y < 1) return std::nullopt;
  const std::chrono::year_month_day date{
      std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(DigitsValue(month))},
      std::chrono::day{static_cast<unsigned>(DigitsValue(day))}};
  if (!date.ok()) return std::nullopt;
  return date;
}

}  // namespace

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view text) {
  std::array<std::string_view, 3> parts;
  if (SplitExactly(text, '-', parts)) return MakeDate(parts[0], parts[1], parts[2]);
  if (!SplitExactly(text, '/', parts)) return std::nullopt;
  if (parts[0].size() == 4) return MakeDate(parts[0], parts[1], parts[2]);
  return MakeDate(parts[2], parts[0], parts[1]);  // m/d/yyyy
}

std::optional<TimeOfDay> ParseTimeText(std::string_view text) {
  std::array<std::string_view, 3> three;
  std::array<std::string_view, 2> two;
  std::string_view hour, minute, second;
  if (SplitExactly(text, ':', two)) {
    hour = two[0];
    minute = two[1];
  } else if (SplitExactly(text, ':', three)) {
    hour = three[0];
    minute = three[1];
    second = three[2];
    if (second.size() != 2 || !AllDigits(second)) return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (hour.size() > 2 || !AllDigits(hour)) return std::nullopt;
  if (minute.size() != 2 || !AllDigits(minute)) return std::nullopt;
  TimeOfDay time{DigitsValue(hour), DigitsValue(minute), second.empty() ? 0 : DigitsValue(second)};
  if (time.hour > 23 || time.minute > 59 || time.second > 59) return std::nullopt;
  return time;
}

std::string FormatDateText(std::chrono::year_month_day date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d/%02u/%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return buffer;
}

std::string FormatTimeText(const TimeOfDay& time, bool with_seconds) {
  char buffer[32];
  if (with_seconds)
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", time.hour, time.minute, time.second);
  else
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", time.hour, time.minute);
  return buffer;
}

PostContestResult NormalisePostContest(std::string_view date_text, std::string_view time_text) {
  PostContestResult result;
  result.date_text = std::string(date_text);
  result.time_text = std::string(time_text);

  const auto date = ParseDateText(date_text);
  if (!date) {
    result.error = PostContestError::kInvalidDate;
    result.message = kInvalidDateFormat;
    return result;
  }
  result.date_text = FormatDateText(*date);

  // Operators type 930 for 9:30; the field accepts at most five characters.
  if (time_text.size() > 2 && time_text.size() < 5 && AllDigits(time_text))
    result.time_text.insert(result.time_text.size() - 2, 1, ':');
  const auto time = ParseTimeText(result.time_text);
  if (!time) {
    result.error = PostContestError::kInvalidTime;
    result.message = kInvalidTimeFormat;
    return result;
  }
  result.time_text = FormatTimeText(*time, false);
  return result;
}

}  // namespace vantrel

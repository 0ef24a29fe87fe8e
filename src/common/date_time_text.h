// Dates and times as the operator types them and as the log stores them.
// One definition of "a valid date" and "a valid time", shared by post-contest
// entry and the edit window, so a text accepted in one is accepted in both.
//
// Accepted dates: yyyy/mm/dd, m/d/yyyy and yyyy-mm-dd (month and day with one
// or two digits, the year with four), and only real calendar days.
// Accepted times: h:mm and hh:mm, optionally followed by :ss (hours 0..23,
// minutes and seconds with exactly two digits, 0..59).
// Stored forms: "yyyy/mm/dd", "hh:mm:ss" or, from post-contest entry, "hh:mm".
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

struct TimeOfDay {
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const TimeOfDay&) const = default;
};

std::optional<std::chrono::year_month_day> ParseDateText(std::string_view text);
std::optional<TimeOfDay> ParseTimeText(std::string_view text);

// "yyyy/mm/dd".
std::string FormatDateText(std::chrono::year_month_day date);
// "hh:mm:ss", or "hh:mm" without seconds.
std::string FormatTimeText(const TimeOfDay& time, bool with_seconds = true);

inline constexpr std::string_view kInvalidDateFormat = "Invalid date format!";
inline constexpr std::string_view kInvalidTimeFormat = "Invalid time format!";

enum class PostContestError { kNone, kInvalidDate, kInvalidTime };

// The post-contest date and time fields after the check at logging time.
struct PostContestResult {
  PostContestError error = PostContestError::kNone;
  // The fields' texts afterwards: the date rewritten as "yyyy/mm/dd" once it
  // is valid, the time as "hh:mm" once it is valid (or with its inserted ":"
  // when it is not). With ok() they are the contact's Date and Time.
  std::string date_text;
  std::string time_text;
  // lblDialog's text on failure (with a beep); empty when ok().
  std::string_view message;
  bool ok() const { return error == PostContestError::kNone; }
};

// Checks and normalises the typed date, then the time. A time of three or
// four digits gets a ":" before its last two ("930" -> "9:30" -> "09:30").
PostContestResult NormalisePostContest(std::string_view date_text, std::string_view time_text);

}  // namespace vantrel

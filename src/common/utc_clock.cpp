#include "common/utc_clock.h"

#include <cmath>
#include <cstdio>

#include "common/date_time_text.h"

namespace vantrel {
namespace {

using std::chrono::days;
using std::chrono::milliseconds;

// Calendar date and time of day of a time point's count since its epoch.
template <typename TimePoint>
void Split(TimePoint t, std::chrono::year_month_day& date, TimeOfDay& time) {
  const auto day = std::chrono::floor<days>(t);
  date = std::chrono::year_month_day{std::chrono::sys_days{day.time_since_epoch()}};
  const std::chrono::hh_mm_ss hms{std::chrono::floor<std::chrono::seconds>(t - day)};
  time = {static_cast<int>(hms.hours().count()), static_cast<int>(hms.minutes().count()),
          static_cast<int>(hms.seconds().count())};
}

}  // namespace

LocalTime MakeLocalTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond) {
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  return LocalTime{std::chrono::local_days{date}.time_since_epoch()} + std::chrono::hours{hour} +
         std::chrono::minutes{minute} + std::chrono::seconds{second} + milliseconds{millisecond};
}

std::chrono::minutes UtcOffsetMinutes(float UtcOffsetHours) {
  if (!std::isfinite(UtcOffsetHours)) return std::chrono::minutes{0};
  const double hours = std::fmax(-1e6, std::fmin(1e6, static_cast<double>(UtcOffsetHours)));
  return std::chrono::minutes{std::llround(hours * 60.0)};
}

UtcTime UtcFromLocal(LocalTime local, float UtcOffsetHours) {
  return UtcTime{local.time_since_epoch()} + UtcOffsetMinutes(UtcOffsetHours);
}

UtcTime UtcNow(const Clock& clock, float UtcOffsetHours) {
  return UtcFromLocal(clock.Now(), UtcOffsetHours);
}

LogStamp MakeLogStamp(UtcTime utc) {
  std::chrono::year_month_day date;
  TimeOfDay time;
  Split(utc, date, time);
  return {FormatDateText(date), FormatTimeText(time)};
}

ClockTexts Timer2Texts(LocalTime local, float UtcOffsetHours, std::string_view am,
                       std::string_view pm) {
  ClockTexts texts;
  std::chrono::year_month_day date;
  TimeOfDay utc_time;
  Split(UtcFromLocal(local, UtcOffsetHours), date, utc_time);
  texts.utc = FormatTimeText(utc_time);

  TimeOfDay local_time;
  Split(local, date, local_time);
  const int hour12 = local_time.hour % 12 == 0 ? 12 : local_time.hour % 12;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", hour12, local_time.minute,
                local_time.second);
  texts.local = buffer;
  texts.ampm = std::string(local_time.hour < 12 ? am : pm);
  return texts;
}

}  // namespace vantrel

#include "ui/utc_offset_check.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "common/quoted_value.h"
#include "ui/frm_station_id.h"

namespace vantrel::ui {

namespace {

// "hh:nn" of a time point's time of day.
template <typename TimePoint>
QString HoursMinutes(TimePoint t) {
  const auto day = std::chrono::floor<std::chrono::days>(t);
  const std::chrono::hh_mm_ss hms{std::chrono::floor<std::chrono::seconds>(t - day)};
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", static_cast<int>(hms.hours().count()),
                static_cast<int>(hms.minutes().count()));
  return QString::fromLatin1(buffer);
}

QString OffsetText(float hours) {
  return QString::fromStdString(FormatSingle(hours));
}

}  // namespace

float RecommendedUtcOffset(UtcTime system_utc, LocalTime local) {
  const auto utc_s = std::chrono::floor<std::chrono::seconds>(system_utc).time_since_epoch();
  const auto local_s = std::chrono::floor<std::chrono::seconds>(local).time_since_epoch();
  const double minutes = std::round(static_cast<double>((utc_s - local_s).count()) / 60.0);
  return static_cast<float>(std::round(minutes / 60.0 * 100.0) / 100.0);
}

QString UtcOffsetPrompt(UtcTime system_utc, LocalTime local, float recommended, float current) {
  const QString crlf = "\r\n";
  return "Would you like to adjust the UTC offset in this program for your local time setting?" +
         crlf + crlf + "Current System Time: " + HoursMinutes(system_utc) + crlf +
         "Current Local Time: " + HoursMinutes(local) + crlf + crlf +
         "Recommended Offset Setting: " + OffsetText(recommended) + crlf +
         "Current Offset Setting: " + OffsetText(current) + crlf + crlf +
         "Please click OK to accept the recommended change or Cancel to keep the current "
         "setting.";
}

bool UtcOffsetCheck(QWidget* parent, Prompter& prompter, UtcTime system_utc, LocalTime local,
                    float& UtcOffsetHours) {
  const float recommended = RecommendedUtcOffset(system_utc, local);
  if (recommended == UtcOffsetHours) return false;
  const auto answer = prompter.Input(
      parent, kUtcOffsetTitle, UtcOffsetPrompt(system_utc, local, recommended, UtcOffsetHours),
      OffsetText(recommended));
  double value = 0;
  if (!answer || !IsNumericText(*answer, &value)) return false;
  if (std::fabs(value) > std::numeric_limits<float>::max()) return false;
  const float hours = static_cast<float>(value);
  if (hours == UtcOffsetHours) return false;
  UtcOffsetHours = hours;
  return true;
}

UtcTime SystemUtcNow() {
  return std::chrono::floor<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

}  // namespace vantrel::ui

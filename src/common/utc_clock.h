// The UTC rule and the clock display. Every time stamp is the computer's local
// wall time plus the operator's UTC offset; the offset, not the time zone
// database, is what the operator controls during a contest.
//
// Responsibilities: UTC from local time and offset; the log's date and time
// texts; the once-a-second clock texts.
// Collaborations: a Clock supplied by the platform layer (tests inject a
// FixedClock from the support library); the main window (Timer2, Mains), scoring (rates).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vantrel {

// Local wall time (no time zone attached) and UTC time, in milliseconds.
using LocalTime = std::chrono::local_time<std::chrono::milliseconds>;
using UtcTime = std::chrono::sys_time<std::chrono::milliseconds>;

class Clock {
 public:
  virtual ~Clock() = default;
  // The computer's local wall time.
  virtual LocalTime Now() const = 0;
};

// Local time from calendar fields, for tests and callers holding broken-down
// time. Fields are not validated beyond what the calendar arithmetic does.
LocalTime MakeLocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int millisecond = 0);

// The offset in whole minutes: hours times 60, rounded (5.5 gives 330).
// A non-finite offset counts as 0, and magnitudes are capped at a million
// hours so no arithmetic overflows.
std::chrono::minutes UtcOffsetMinutes(float UtcOffsetHours);

// UTC now = local time plus UtcOffsetHours x 60 minutes.
UtcTime UtcFromLocal(LocalTime local, float UtcOffsetHours);
UtcTime UtcNow(const Clock& clock, float UtcOffsetHours);

// The Date and Time fields of a contact logged at `utc`: "yyyy/mm/dd" and
// "hh:mm:ss" (24-hour).
struct LogStamp {
  std::string Date;
  std::string Time;
};
LogStamp MakeLogStamp(UtcTime utc);

// Texts of one Timer2 tick.
struct ClockTexts {
  std::string utc;    // lblutctime, "hh:nn:ss" 24-hour
  std::string local;  // lblCurTime, "h:nn:ss" 12-hour, without the designator
  std::string ampm;   // Label16, the AM or PM designator
};
// `am` and `pm` are the designators of the system locale.
ClockTexts Timer2Texts(LocalTime local, float UtcOffsetHours, std::string_view am = "AM",
                       std::string_view pm = "PM");

}  // namespace vantrel

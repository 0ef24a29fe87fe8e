// The start-up check of the UTC offset: compares the offset in force with the
// one the computer's two clocks suggest, and offers the suggestion in an
// input box. Time stamps follow the offset, not the time zone, so a clock
// change since the last contest shows up here first.
//
// Responsibilities: the recommended offset, the question, taking a numeric
// answer.
// Collaborations: Prompter (the input box), the local Clock and the UTC
// system clock (read by the caller), the main window (SavePref on a change).
#pragma once

#include <QString>
#include <QWidget>

#include "common/utc_clock.h"
#include "ui/prompter.h"

namespace vantrel::ui {

inline constexpr char kUtcOffsetTitle[] = "Update the Local Time / UTC Offset?";

// UTC minus local in whole minutes (the difference rounded, so clocks read
// a moment apart agree), as hours rounded to two decimals: 5, -1, 5.5, 9.75.
float RecommendedUtcOffset(UtcTime system_utc, LocalTime local);

// The input box's prompt, lines separated by CR LF, groups by an empty line.
QString UtcOffsetPrompt(UtcTime system_utc, LocalTime local, float recommended, float current);

// UtcOffsetCheck. `system_utc` and `local` are the two clocks read at the
// same moment. Asks only when the recommendation differs from
// `UtcOffsetHours`; a numeric answer replaces it. True when it changed: the
// caller then saves the preferences. Cancel, an empty or non-numeric answer,
// or one that is out of range keeps the offset as it was.
bool UtcOffsetCheck(QWidget* parent, Prompter& prompter, UtcTime system_utc, LocalTime local,
                    float& UtcOffsetHours);

// The computer's UTC clock, to the millisecond.
UtcTime SystemUtcNow();

}  // namespace vantrel::ui

// Morse patterns and element timing.
//
// A pattern is a string of elements: "1" keys the line for one element time,
// "0" releases it for one. Dots are "10", dashes "1110", and every pattern
// closes with two more "0"s so a character is followed by three elements of
// silence. A blank is eight "0"s, making an eleven-element word gap.
//
// Responsibilities: the table; a character's elements with the word-space
// adjustment; element time from words per minute; the "Loop" arithmetic.
// Collaborations: keying/keying_engine, keying/code_practice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel {

// The pattern of `c` after upper-casing; empty when it has none (such as
// "$", "#", "*", "!" and control characters).
std::string_view MorsePattern(char c);

// Elements to key for `c`. For a blank, an adjustment above 0 appends that
// many "0"s and one below 0 drops that many from the end (clamped at -8, so
// -8 leaves no gap of its own).
std::string MorseElements(char c, int space_adjustment);

// One element lasts 1200 / WPM ms; 0 for a speed of 0 or below, which the
// engine refuses.
double ElementMs(double wpm);

// The characters code practice and the tests draw from: A..Z, 0..9, then
// ". , ? / -" (41 entries).
inline constexpr std::string_view kPracticeCharacters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-";

// "Loop" method: rounds of the counting loop for one element at `wpm`.
double LoopRounds(double loops_per_60ms, double wpm);
// Calibration: counting to 5,000,000 took `elapsed_ms`; the rounds that last
// 60 ms, rounded. An elapsed time of 0 (a clock too coarse to see the count)
// counts as 1 ms rather than dividing by zero.
inline constexpr double kCalibrationRounds = 5'000'000.0;
double LoopsPer60msFromCalibration(std::uint32_t elapsed_ms);
// The "F" and "S" trims of the calibration, rounded to whole rounds.
double LoopFaster(double loops_per_60ms);
double LoopSlower(double loops_per_60ms);

}  // namespace vantrel

// What counts as a Maidenhead locator, and the four-character square that
// multipliers, dupes and the grid map compare.
//
// Responsibilities: IsValidLocator, GridSquareKey.
// Collaborations: the logging transaction and station setup (refusal of a
// malformed grid), tallies and dupes (the square as the key).
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// "AA00" to "RR99", optionally followed by a subsquare "aa" to "xx" in
// either case. Nothing else: no blanks, no 2, 3 or 5 characters.
bool IsValidLocator(std::string_view grid);

// The square a grid counts as: its first four characters in upper case. A
// six-character grid and its square are the same multiplier. A text that is
// not a valid locator keeps its whole text, upper-cased, so an old log's odd
// grids still count consistently as themselves.
std::string GridSquareKey(std::string_view grid);

// GridSquareKey(a) == GridSquareKey(b), without building either key: the
// duplicate scans run it over the whole log on every key typed.
bool SameGridSquare(std::string_view a, std::string_view b);

}  // namespace vantrel

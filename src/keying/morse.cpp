#include "keying/morse.h"

#include <algorithm>
#include <cmath>

namespace vantrel {

namespace {

struct Entry {
  char c;
  const char* pattern;
};

constexpr Entry kTable[] = {
    {'A', "10111000"},
    {'B', "111010101000"},
    {'C', "11101011101000"},
    {'D', "1110101000"},
    {'E', "1000"},
    {'F', "101011101000"},
    {'G', "111011101000"},
    {'H', "1010101000"},
    {'I', "101000"},
    {'J', "1011101110111000"},
    {'K', "111010111000"},
    {'L', "101110101000"},
    {'M', "1110111000"},
    {'N', "11101000"},
    {'O', "11101110111000"},
    {'P', "10111011101000"},
    {'Q', "1110111010111000"},
    {'R', "1011101000"},
    {'S', "10101000"},
    {'T', "111000"},
    {'U', "1010111000"},
    {'V', "101010111000"},
    {'W', "101110111000"},
    {'X', "11101010111000"},
    {'Y', "1110101110111000"},
    {'Z', "11101110101000"},
    {'0', "1110111011101110111000"},
    {'1', "10111011101110111000"},
    {'2', "101011101110111000"},
    {'3', "1010101110111000"},
    {'4', "10101010111000"},
    {'5', "101010101000"},
    {'6', "11101010101000"},
    {'7', "1110111010101000"},
    {'8', "111011101110101000"},
    {'9', "11101110111011101000"},
    {'.', "10111010111010111000"},
    {',', "1110111010101110111000"},
    {'?', "101011101110101000"},
    {'/', "1110101011101000"},
    {'-', "1110101010111000"},  // BT, not the six-element hyphen
    {'=', "1110101010111000"},
    {'[', "1011101011101000"},           // AR
    {']', "101010111010111000"},         // SK
    {';', "111010111011101000"},         // KN
    {'\\', "111010111010101110101000"},  // CL
    {' ', "00000000"},
};

}  // namespace

std::string_view MorsePattern(char c) {
  if (c == '\0') return {};
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const Entry& e : kTable)
    if (e.c == c) return e.pattern;
  return {};
}

std::string MorseElements(char c, int space_adjustment) {
  std::string elements(MorsePattern(c));
  if (c != ' ' || elements.empty()) return elements;
  const int a = std::max(space_adjustment, -8);
  if (a > 0) elements.append(static_cast<std::size_t>(a), '0');
  if (a < 0) elements.resize(elements.size() - static_cast<std::size_t>(-a));
  return elements;
}

double ElementMs(double wpm) {
  return wpm > 0 ? 1200.0 / wpm : 0.0;
}

double LoopRounds(double loops_per_60ms, double wpm) {
  return wpm > 0 ? loops_per_60ms / wpm * 20.0 : 0.0;
}

double LoopsPer60msFromCalibration(std::uint32_t elapsed_ms) {
  return std::round(kCalibrationRounds / std::max<std::uint32_t>(elapsed_ms, 1) * 60.0);
}

double LoopFaster(double loops_per_60ms) {
  return std::round(loops_per_60ms * 0.9);
}

double LoopSlower(double loops_per_60ms) {
  return std::round(loops_per_60ms * 1.111111111111);
}

}  // namespace vantrel

#include "common/locator.h"

namespace vantrel {
namespace {

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
bool InRange(char c, char low, char high) {
  return c >= low && c <= high;
}

}  // namespace

bool IsValidLocator(std::string_view grid) {
  if (grid.size() != 4 && grid.size() != 6) return false;
  if (!InRange(Upper(grid[0]), 'A', 'R') || !InRange(Upper(grid[1]), 'A', 'R')) return false;
  if (!InRange(grid[2], '0', '9') || !InRange(grid[3], '0', '9')) return false;
  if (grid.size() == 6) {
    if (!InRange(Upper(grid[4]), 'A', 'X') || !InRange(Upper(grid[5]), 'A', 'X')) return false;
  }
  return true;
}

std::string GridSquareKey(std::string_view grid) {
  std::string_view kept = IsValidLocator(grid) ? grid.substr(0, 4) : grid;
  std::string key;
  key.reserve(kept.size());
  for (char c : kept) key.push_back(Upper(c));
  return key;
}

bool SameGridSquare(std::string_view a, std::string_view b) {
  if (IsValidLocator(a)) a = a.substr(0, 4);
  if (IsValidLocator(b)) b = b.substr(0, 4);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Upper(a[i]) != Upper(b[i])) return false;
  return true;
}

}  // namespace vantrel

// Text helpers every folder shares: the ASCII case rules used for calls,
// grids, band labels and mode codes, and the call as it appears in file names.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// ASCII case-insensitive equality, the comparison used for calls, grids,
// band labels and mode codes.
constexpr char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
constexpr bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}

// The leading run of "0".."9" and "A".."Z" of `text`, for naming files after
// the operator's call; "YourCall" when there is none.
std::string CallForFileName(std::string_view text);

}  // namespace vantrel

#include "keying/code_practice.h"

#include <algorithm>

#include "keying/cw_settings.h"
#include "keying/morse.h"

namespace vantrel {

namespace {

int Count(std::string_view text, int fallback) {
  const auto v = FieldNumber(text);
  if (!v) return fallback;
  return static_cast<int>(std::clamp(*v, 0.0, 1000.0));
}

}  // namespace

std::string RandomGroups(std::string_view count, std::string_view length, bool letters_only,
                         const std::function<double()>& uniform) {
  const int groups = Count(count, 10);
  const int size = Count(length, 5);
  const int n = letters_only ? 26 : static_cast<int>(kPracticeCharacters.size());
  std::string out;
  out.reserve(static_cast<std::size_t>(groups) * static_cast<std::size_t>(size + 1));
  for (int g = 0; g < groups; ++g) {
    for (int c = 0; c < size; ++c) {
      // A generator that returns 1.0 must not step past the table.
      const int index = std::min(static_cast<int>(n * uniform()), n - 1);
      out += kPracticeCharacters[static_cast<std::size_t>(index)];
    }
    out += ' ';
  }
  return out;
}

}  // namespace vantrel

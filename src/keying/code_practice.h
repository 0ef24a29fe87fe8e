// Random groups for on-the-air code practice.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantrel {

// `count` groups of `length` characters, each followed by a blank, drawn
// from the first 26 practice characters (letters only) or all 41. Non-numeric
// texts give 10 groups of 5. `uniform` returns numbers in [0, 1). Counts are
// kept within 0..1000 so a slip of the finger cannot ask for gigabytes.
std::string RandomGroups(std::string_view count, std::string_view length, bool letters_only,
                         const std::function<double()>& uniform);

}  // namespace vantrel

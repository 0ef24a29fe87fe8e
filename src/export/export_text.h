// Small text helpers the export writers share.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// Blanks only, as the exports' "trimmed" means; tabs and other white space stay.
inline std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

// The product name and version from the main window's caption: its first 50
// characters, trimmed. The rest of the caption is blanks and a web address.
inline std::string ProductFromCaption(std::string_view caption) {
  return std::string(TrimBlanks(caption.substr(0, 50)));
}

}  // namespace vantrel

#include "common/text.h"

namespace vantrel {

std::string CallForFileName(std::string_view text) {
  size_t n = 0;
  while (n < text.size() &&
         ((text[n] >= '0' && text[n] <= '9') || (text[n] >= 'A' && text[n] <= 'Z')))
    ++n;
  if (n == 0) return "YourCall";
  return std::string(text.substr(0, n));
}

}  // namespace vantrel

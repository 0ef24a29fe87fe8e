#include "contest/log_load.h"

namespace vantrel {

std::string OverfullLogText(const RecountResult& result, const ContactLog& log) {
  const int n = result.overflow_record;
  std::string what;
  if (result.overflow == TallyOverflow::kRoverGridList) {
    what = "the list of own grids";
  } else {
    const std::string band = n >= 1 && n <= log.ContactCount() ? log.Record(n).Band : "";
    what = band.empty() ? "one band's multiplier list" : "the multiplier list of " + band;
  }
  return "log.txt cannot be loaded: " + what + " would need more than " +
         std::to_string(kMaxMultiplierKeys) + " different grids (record " + std::to_string(n) +
         " is the first that does not fit).  The file is not damaged and was not changed.  Keep a "
         "copy of it, then move part of its contacts to another file or start a new log.";
}

}  // namespace vantrel

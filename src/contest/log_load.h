// What the operator is told when log.txt holds more than the tallies can
// take: the file itself is sound, so the stray-quote advice would mislead.
#pragma once

#include <string>

#include "contest/tallies.h"
#include "log/contact_log.h"

namespace vantrel {

// The reason a log that parsed cleanly was refused by RecountTallies, naming
// the band (or the own-grid list) and the first record that did not fit.
// `result` must be a failed recount of `log`.
std::string OverfullLogText(const RecountResult& result, const ContactLog& log);

}  // namespace vantrel

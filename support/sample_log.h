// A made-up but plausible contest log, for benchmarks, screenshots and the
// sample-log tool.
//
// Responsibilities: the same records for the same seed on every machine and
// library version (only std::mt19937 and plain arithmetic are used).
// Collaborations: log/contact_log.
#pragma once

#include <cstdint>

#include "log/contact_log.h"

namespace vantrel {

// `count` contacts (clamped to 0..kMaxContacts) of a June weekend from FN20:
// US and Canadian calls (some rovers and portables), mostly 4-character grids
// around FN/EN/EM/FM, bands from "50 M" to "10 G" weighted towards 50 and
// 144 MHz, ascending UTC times over 33 hours, frequencies inside the band or
// empty, reports "59"/"599" or empty. Many stations are worked on several
// bands, as in a real log.
ContactLog MakeSampleLog(int count, uint32_t seed);

}  // namespace vantrel

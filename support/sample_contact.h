// One ordinary contact for tests: N0CALL-style fields on 144 MHz phone from
// FN20, every field filled; tests change what they are about.
#pragma once

#include <string>

#include "log/contact_log.h"

namespace vantrel {

inline ContactRecord SampleContact(const std::string& call, const std::string& grid = "FN31",
                                   const std::string& band = "144 M") {
  ContactRecord r;
  r.Call = call;
  r.RstRcvd = "59";
  r.GridRcvd = grid;
  r.RstSnt = "59";
  r.GridSent = "FN20";
  r.Date = "2007/06/09";
  r.Time = "18:30:15";
  r.Band = band;
  r.Mode = "PH";
  r.Freq = "144.200";
  return r;
}

}  // namespace vantrel

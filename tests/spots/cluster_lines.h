// Cluster spot lines in the column layout common nodes send: the spotter
// from column 7, the frequency ending at column 24, the call from column 27,
// the comment from column 40, the time at 71-74 and "Z", then the
// spotter's locator.
#pragma once

#include <string>

namespace vantrel {

inline std::string ClusterLine(const std::string& spotter, const std::string& khz,
                               const std::string& call, const std::string& comment,
                               const std::string& time = "1234", const std::string& grid = "") {
  std::string line = "DX de " + spotter + ":";
  line.resize(24 - khz.size(), ' ');
  line += khz + "  " + call;
  line.resize(39, ' ');
  line += comment;
  line.resize(69, ' ');
  line += " " + time + "Z";
  if (!grid.empty()) line += " " + grid;
  return line;
}

}  // namespace vantrel

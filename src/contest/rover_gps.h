// The rover's own grid from a GPS receiver: the locator of a position, the
// reports gpsd sends, and when to ask the operator about a new square.
//
// Responsibilities: LocatorOfPosition; DecodeGpsdReport for one line of
// gpsd's JSON stream; OwnGridWatch, which turns reports into the link state
// shown on the main window and asks once per square change; StepBand for the
// band keys.
// Collaborations: the gpsd client of the platform layer feeds the watch; the
// main window shows its state and applies an accepted square as the own grid.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantrel {

// The six-character locator ("FN31pr") of a position in degrees, north and
// EAST positive as GPS receivers give them. The north pole and the
// antimeridian fold into the last row and first column. Nothing for a value
// that is not finite or lies beyond the poles or +-180.
std::optional<std::string> LocatorOfPosition(double latitude, double longitude_east);

enum class GpsdReportKind {
  kGarbage,  // not a JSON object, or cut short
  kOther,    // a report we do not use (SKY, DEVICES, WATCH, ...)
  kVersion,  // the greeting gpsd sends on connecting
  kNoFix,    // TPV without a usable 2D or 3D position
  kFix,      // TPV with mode 2 or 3 and a position
};

struct GpsdReport {
  GpsdReportKind kind = GpsdReportKind::kGarbage;
  int mode = 0;  // TPV mode: 0 unknown, 1 no fix, 2 2D, 3 3D
  double latitude = 0;
  double longitude = 0;  // east positive
  std::string release;   // VERSION
};

// One line of gpsd's JSON watch stream (without its line end).
GpsdReport DecodeGpsdReport(std::string_view line);

enum class GpsLink {
  kNoGpsd,  // not connected (yet, or gpsd went away)
  kNoFix,   // connected, no position
  kFix,     // a current position
};

// Follows the receiver and decides when the operator must be asked to move
// the own grid. A square is asked about once per crossing: while the
// question stands, after it was declined, and until the rover is back in
// the own square, the same square does not ask again.
class OwnGridWatch {
 public:
  explicit OwnGridWatch(std::string own_grid = {}) : own_(std::move(own_grid)) {}

  // The own grid in force changed (setup, the grid box, an accepted square).
  void SetOwnGrid(std::string_view grid);
  // A report from gpsd. True when it raises the question now.
  bool Report(const GpsdReport& report);
  void LinkLost();
  // The square to switch to, and the question is closed; nothing when none stands.
  std::optional<std::string> Accept();
  // The rover stays in the own grid on purpose: this square asks no more
  // until the rover has been back in the own square.
  void Decline();

  GpsLink link() const { return link_; }
  // The locator of the last fix; empty without a current fix.
  const std::string& locator() const { return locator_; }
  // The square asked about, empty when no question stands.
  const std::string& pending() const { return pending_; }

 private:
  std::string own_;
  GpsLink link_ = GpsLink::kNoGpsd;
  std::string locator_;
  std::string pending_;
  std::string declined_;
};

// The band index (1..17) one step up (+1) or down (-1) the band list from
// `current`, passing over bands the contest gives no points for; `current`
// itself at either end. From a label that is no band, the first or last band
// that scores. 0 only when no band scores.
int StepBand(std::string_view current, int step, int contest_id);

}  // namespace vantrel

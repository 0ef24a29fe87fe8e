// A wave player as the voice keyer and the announcements use it: close,
// open a file, start playing without waiting, "is playing", stop.
//
// Responsibilities: the operations and the kinds of failure the callers
// tell apart (a file that will not play is silent; a missing sound device is
// worth telling the operator once).
// Collaborations: platform/qt_wave_player implements it; tests use a fake.
#pragma once

#include <string>

namespace vantrel {

struct PlayResult {
  enum class Kind { kOk, kBadFile, kNoDevice, kDeviceFailed };
  Kind kind = Kind::kOk;
  std::string error;
  explicit operator bool() const { return kind == Kind::kOk; }
  static PlayResult Ok() { return {}; }
  static PlayResult Fail(Kind kind, std::string why) { return {kind, std::move(why)}; }
};

class WavePlayer {
 public:
  virtual ~WavePlayer() = default;
  // Stops a playing and lets go of the file.
  virtual void Close() = 0;
  virtual PlayResult Open(const std::string& path) = 0;
  // Starts the opened file and returns at once.
  virtual PlayResult Play() = 0;
  // True from Play until the last sample has been played, or a stop.
  virtual bool IsPlaying() const = 0;
  virtual void Stop() = 0;
};

}  // namespace vantrel

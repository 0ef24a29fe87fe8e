// A PulseAudio server of the test's own, with one null sink as its default
// output, on a socket in a scratch folder: real playback with no sound card
// and no user session. Sets PULSE_SERVER for this process, so it must start
// before the first use of the sound system.
#pragma once

#include <sys/types.h>

#include <string>

namespace vantrel {

class PrivatePulseServer {
 public:
  PrivatePulseServer();
  ~PrivatePulseServer();
  PrivatePulseServer(const PrivatePulseServer&) = delete;
  PrivatePulseServer& operator=(const PrivatePulseServer&) = delete;

  bool ok() const { return ok_; }
  // Why it did not start (for the skip message).
  const std::string& why() const { return why_; }

 private:
  void StartPacer();

  std::string folder_;
  pid_t pid_ = -1;
  pid_t pacer_ = -1;
  bool ok_ = false;
  std::string why_;
};

}  // namespace vantrel

// A fake device on a pseudo-terminal: the program under test opens Path()
// as its serial port; a thread reads what it sends and writes the radio's
// answers back, with faults on request: silence, garbage, a reply cut in two
// with a pause between the halves, and the cable pulled and plugged back.
//
// Path() is a symbolic link to the current slave side. Unplug closes the
// master (an open port sees the line hang up) and removes the link, as a
// pulled USB adapter removes its device; Plug makes a new pair and points
// the link at it again.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>

#include "support/fake_radio.h"

namespace vantrel {

class PtyRadio {
 public:
  enum class Fault {
    kNone,
    kSilence,  // hears everything, answers nothing
    kGarbage,  // answers with the garbage bytes instead of the reply
    kSplit,    // sends the first half of each reply, pauses, then the rest
  };

  // Plugged in at once; `Plugged()` says whether the pseudo-terminal opened.
  explicit PtyRadio(FakeRadio& radio);
  ~PtyRadio();
  PtyRadio(const PtyRadio&) = delete;
  PtyRadio& operator=(const PtyRadio&) = delete;

  const std::string& Path() const { return link_; }
  bool Plugged() const { return master_ >= 0; }

  void SetFault(Fault fault);
  void SetGarbage(std::string bytes);
  void SetSplitPause(std::chrono::milliseconds pause);

  // Bytes the radio sends without being asked.
  void Send(const std::string& bytes);

  void Unplug();
  bool Plug();

  // Everything the radio has heard, across plugs; and how many replies
  // (or reply halves' first parts) it has put on the line.
  std::string Received() const;
  std::size_t Replies() const { return replies_; }

 private:
  void Run(int master, int wake);
  struct Faults {
    Fault fault = Fault::kNone;
    std::string garbage;
    std::chrono::milliseconds split_pause{0};
  };
  void Answer(int master, const std::string& reply, const Faults& faults);
  void WriteAll(int master, const std::string& bytes);
  void StopThread();

  FakeRadio& radio_;
  std::string folder_;
  std::string link_;
  int master_ = -1;
  int slave_ = -1;  // held so the master never sees a hang-up between test opens
  int wake_[2] = {-1, -1};
  std::thread thread_;

  mutable std::mutex mutex_;
  std::condition_variable stop_cv_;
  bool stopping_ = false;
  std::string received_;
  Fault fault_ = Fault::kNone;
  std::string garbage_ = "\x01\xFF?;garbage\xFD";
  std::chrono::milliseconds split_pause_{100};
  std::atomic<std::size_t> replies_{0};
};

}  // namespace vantrel

// A fake WinKey keyer on a pseudo-terminal, speaking the host protocol:
// echo test, host open (answers its version) and close, the commands with
// their argument bytes, a character buffer keyed at a fixed pace with
// status bytes (busy, XOFF) on every change and echoes when the mode asks
// for them. Faults: silence, garbage answers, XOFF held, the cable pulled.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace vantrel {

class PtyWinKey {
 public:
  enum class Fault {
    kNone,
    kSilence,   // hears everything, answers nothing
    kGarbage,   // answers every question with 0xFF 0x3F
    kHoldXoff,  // reports XOFF and keys nothing
  };

  PtyWinKey();
  ~PtyWinKey();
  PtyWinKey(const PtyWinKey&) = delete;
  PtyWinKey& operator=(const PtyWinKey&) = delete;

  const std::string& Path() const { return link_; }
  bool Plugged() const { return master_ >= 0; }
  void Unplug();
  bool Plug();

  void SetFault(Fault fault);
  // The firmware version host open answers.
  void SetVersion(std::uint8_t version);
  // Time to key one character; and the buffer fill that raises XOFF.
  void SetCharacterTime(std::chrono::milliseconds time);
  void SetXoffLevel(std::size_t level);

  // Every byte heard, across plugs; and the bytes heard after host open
  // (the commands and text of the session), without the open handshake.
  std::string Received() const;
  std::string Session() const;
  void ClearReceived();
  // Characters keyed so far, and those still waiting in its buffer.
  std::string Keyed() const;
  std::string Buffered() const;
  bool HostOpen() const;

 private:
  void Run(int master, int wake);
  void Heard(int master, std::uint8_t byte);
  void KeyOne(int master);
  void SendStatus(int master, bool force = false);
  void Put(int master, std::string bytes);
  void StopThread();

  std::string folder_;
  std::string link_;
  int master_ = -1;
  int slave_ = -1;
  int wake_[2] = {-1, -1};
  std::thread thread_;

  mutable std::mutex mutex_;
  bool stopping_ = false;
  Fault fault_ = Fault::kNone;
  std::uint8_t version_ = 23;
  std::chrono::milliseconds char_time_{30};
  std::size_t xoff_level_ = 20;
  std::string received_;
  std::string session_;
  std::string keyed_;
  std::deque<char> buffer_;
  bool host_open_ = false;
  std::uint8_t mode_ = 0;
  int last_status_ = -1;
  // The command being read: its bytes so far and how many it needs.
  std::string command_;
  std::size_t command_size_ = 0;
};

}  // namespace vantrel

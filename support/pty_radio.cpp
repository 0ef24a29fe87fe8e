#include "support/pty_radio.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace vantrel {

PtyRadio::PtyRadio(FakeRadio& radio) : radio_(radio) {
  std::string pattern = "/tmp/vantrel-pty-XXXXXX";
  if (::mkdtemp(pattern.data()) != nullptr) {
    folder_ = pattern;
    // QSerialPort names its lock file after the last path element, so the
    // link's name must be unique across test programs running side by side.
    link_ = folder_ + "/tty" + folder_.substr(folder_.size() - 6);
  }
  Plug();
}

PtyRadio::~PtyRadio() {
  Unplug();
  if (!folder_.empty()) ::rmdir(folder_.c_str());
}

void PtyRadio::SetFault(Fault fault) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
}

void PtyRadio::SetGarbage(std::string bytes) {
  std::lock_guard lock(mutex_);
  garbage_ = std::move(bytes);
}

void PtyRadio::SetSplitPause(std::chrono::milliseconds pause) {
  std::lock_guard lock(mutex_);
  split_pause_ = pause;
}

std::string PtyRadio::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

void PtyRadio::Send(const std::string& bytes) {
  if (master_ >= 0) WriteAll(master_, bytes);
}

bool PtyRadio::Plug() {
  if (master_ >= 0 || link_.empty()) return master_ >= 0;
  termios raw{};
  ::cfmakeraw(&raw);
  int master = -1;
  int slave = -1;
  if (::openpty(&master, &slave, nullptr, &raw, nullptr) != 0) return false;
  char name[128] = {};
  if (::ttyname_r(slave, name, sizeof name) != 0 || ::pipe2(wake_, O_CLOEXEC) != 0) {
    ::close(master);
    ::close(slave);
    return false;
  }
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
  ::fcntl(slave, F_SETFD, FD_CLOEXEC);
  ::unlink(link_.c_str());
  if (::symlink(name, link_.c_str()) != 0) {
    ::close(master);
    ::close(slave);
    ::close(wake_[0]);
    ::close(wake_[1]);
    return false;
  }
  master_ = master;
  slave_ = slave;
  {
    std::lock_guard lock(mutex_);
    stopping_ = false;
  }
  thread_ = std::thread([this, master, wake = wake_[0]] { Run(master, wake); });
  return true;
}

void PtyRadio::StopThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stop_cv_.notify_all();
  if (wake_[1] >= 0) {
    const char byte = 0;
    [[maybe_unused]] auto n = ::write(wake_[1], &byte, 1);
  }
  if (thread_.joinable()) thread_.join();
  for (int& fd : wake_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void PtyRadio::Unplug() {
  if (master_ < 0) return;
  StopThread();
  ::unlink(link_.c_str());
  ::close(slave_);
  ::close(master_);
  slave_ = master_ = -1;
}

void PtyRadio::WriteAll(int master, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += size_t(n);
    } else if (n < 0 && errno == EAGAIN) {
      // Nobody is reading the port and its queue is full: wait a little,
      // and give up when the harness stops.
      {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
      }
      pollfd out{master, POLLOUT, 0};
      ::poll(&out, 1, 50);
    } else if (n < 0 && errno != EINTR) {
      return;
    }
  }
}

void PtyRadio::Answer(int master, const std::string& reply, const Faults& faults) {
  const std::string& garbage = faults.garbage;
  const std::chrono::milliseconds pause = faults.split_pause;
  switch (faults.fault) {
    case Fault::kSilence:
      return;
    case Fault::kGarbage:
      ++replies_;
      WriteAll(master, garbage);
      return;
    case Fault::kSplit: {
      if (reply.empty()) return;
      const size_t half = reply.size() / 2;
      ++replies_;
      WriteAll(master, reply.substr(0, half));
      std::unique_lock lock(mutex_);
      if (stop_cv_.wait_for(lock, pause, [this] { return stopping_; })) return;
      lock.unlock();
      WriteAll(master, reply.substr(half));
      return;
    }
    case Fault::kNone:
      break;
  }
  if (reply.empty()) return;
  // Counted before the bytes leave: a test that has read them sees the count.
  ++replies_;
  WriteAll(master, reply);
}

void PtyRadio::Run(int master, int wake) {
  std::vector<char> buffer(4096);
  for (;;) {
    pollfd fds[2] = {{master, POLLIN, 0}, {wake, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[1].revents != 0) return;
    if ((fds[0].revents & POLLIN) == 0) {
      // No reader on the far side cannot happen while slave_ is held;
      // anything else means the line is gone.
      if (fds[0].revents & (POLLERR | POLLNVAL)) return;
      continue;
    }
    const ssize_t n = ::read(master, buffer.data(), buffer.size());
    if (n <= 0) {
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return;
    }
    const std::string request(buffer.data(), size_t(n));
    // The faults in force when the request is recorded decide its answer: a
    // test that saw the request arrive may change them for the next one.
    Faults faults;
    {
      std::lock_guard lock(mutex_);
      received_ += request;
      faults = {fault_, garbage_, split_pause_};
    }
    Answer(master, radio_.Respond(request), faults);
  }
}

}  // namespace vantrel

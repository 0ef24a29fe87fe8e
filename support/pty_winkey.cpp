#include "support/pty_winkey.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace vantrel {

namespace {

// Bytes a command takes, its own included; admin depends on its second byte.
std::size_t CommandSize(const std::string& so_far) {
  const auto c = static_cast<std::uint8_t>(so_far[0]);
  if (c == 0x00) {
    if (so_far.size() < 2) return 2;
    return static_cast<std::uint8_t>(so_far[1]) == 0x04 ? 3 : 2;
  }
  switch (c) {
    case 0x04:
    case 0x1B:
      return 3;
    case 0x05:
      return 4;
    case 0x0F:
      return 16;
    case 0x07:
    case 0x08:
    case 0x0A:
    case 0x13:
    case 0x15:
    case 0x1E:
    case 0x1F:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

PtyWinKey::PtyWinKey() {
  std::string pattern = "/tmp/vantrel-wk-XXXXXX";
  if (::mkdtemp(pattern.data()) != nullptr) {
    folder_ = pattern;
    link_ = folder_ + "/ttyWK" + folder_.substr(folder_.size() - 6);
  }
  Plug();
}

PtyWinKey::~PtyWinKey() {
  Unplug();
  if (!folder_.empty()) ::rmdir(folder_.c_str());
}

void PtyWinKey::SetFault(Fault fault) {
  std::lock_guard lock(mutex_);
  fault_ = fault;
}
void PtyWinKey::SetVersion(std::uint8_t version) {
  std::lock_guard lock(mutex_);
  version_ = version;
}
void PtyWinKey::SetCharacterTime(std::chrono::milliseconds time) {
  std::lock_guard lock(mutex_);
  char_time_ = time;
}
void PtyWinKey::SetXoffLevel(std::size_t level) {
  std::lock_guard lock(mutex_);
  xoff_level_ = level;
}
std::string PtyWinKey::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}
std::string PtyWinKey::Session() const {
  std::lock_guard lock(mutex_);
  return session_;
}
void PtyWinKey::ClearReceived() {
  std::lock_guard lock(mutex_);
  received_.clear();
  session_.clear();
}
std::string PtyWinKey::Keyed() const {
  std::lock_guard lock(mutex_);
  return keyed_;
}
std::string PtyWinKey::Buffered() const {
  std::lock_guard lock(mutex_);
  return std::string(buffer_.begin(), buffer_.end());
}
bool PtyWinKey::HostOpen() const {
  std::lock_guard lock(mutex_);
  return host_open_;
}

bool PtyWinKey::Plug() {
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
    host_open_ = false;
    buffer_.clear();
    command_.clear();
    last_status_ = -1;
  }
  thread_ = std::thread([this, master, wake = wake_[0]] { Run(master, wake); });
  return true;
}

void PtyWinKey::StopThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
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

void PtyWinKey::Unplug() {
  if (master_ < 0) return;
  StopThread();
  ::unlink(link_.c_str());
  ::close(slave_);
  ::close(master_);
  slave_ = master_ = -1;
}

// Called with the mutex held.
void PtyWinKey::Put(int master, std::string bytes) {
  if (fault_ == Fault::kSilence) return;
  std::size_t done = 0;
  for (int tries = 0; done < bytes.size() && tries < 50 && !stopping_; ++tries) {
    const ssize_t n = ::write(master, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += std::size_t(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      return;
    } else {
      ::usleep(2000);
    }
  }
}

// Called with the mutex held: a status byte whenever busy or XOFF changes.
void PtyWinKey::SendStatus(int master, bool force) {
  std::uint8_t status = 0xC0;
  if (fault_ == Fault::kHoldXoff) {
    status |= 0x01;
  } else {
    if (!buffer_.empty()) status |= 0x04;
    if (buffer_.size() > xoff_level_) status |= 0x01;
  }
  if (!force && status == last_status_) return;
  last_status_ = status;
  Put(master, std::string(1, char(status)));
}

// Called with the mutex held.
void PtyWinKey::Heard(int master, std::uint8_t byte) {
  if (host_open_) session_.push_back(char(byte));
  if (command_.empty() && byte >= 0x20) {
    if (!host_open_) return;
    buffer_.push_back(char(byte));
    SendStatus(master);
    return;
  }
  command_.push_back(char(byte));
  command_size_ = CommandSize(command_);
  if (command_.size() < command_size_) return;
  const std::string c = command_;
  command_.clear();
  if (fault_ == Fault::kGarbage && c[0] == 0x00 && (c[1] == 0x02 || c[1] == 0x04)) {
    Put(master, "\xFF?");
    return;
  }
  const auto op = static_cast<std::uint8_t>(c[0]);
  if (op == 0x00) {
    const auto admin = static_cast<std::uint8_t>(c[1]);
    if (admin == 0x04) Put(master, c.substr(2, 1));
    if (admin == 0x02) {
      host_open_ = true;
      session_.clear();
      Put(master, std::string(1, char(version_)));
    }
    if (admin == 0x03) host_open_ = false;
    return;
  }
  if (!host_open_) return;
  if (op == 0x0A) buffer_.clear();
  if (op == 0x08 && !buffer_.empty()) buffer_.pop_back();
  if (op == 0x0E) mode_ = static_cast<std::uint8_t>(c[1]);
  if (op == 0x15) {
    SendStatus(master, true);
    return;
  }
  SendStatus(master);
}

// Called with the mutex held.
void PtyWinKey::KeyOne(int master) {
  if (buffer_.empty() || fault_ == Fault::kHoldXoff) return;
  const char c = buffer_.front();
  buffer_.pop_front();
  keyed_.push_back(c);
  if (mode_ & 0x04) Put(master, std::string(1, c));
  SendStatus(master);
}

void PtyWinKey::Run(int master, int wake) {
  char data[512];
  auto next_key = std::chrono::steady_clock::now();
  for (;;) {
    int timeout = -1;
    {
      std::lock_guard lock(mutex_);
      if (fault_ == Fault::kHoldXoff && host_open_) {
        SendStatus(master);
        timeout = 50;
      } else if (!buffer_.empty()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            next_key - std::chrono::steady_clock::now());
        timeout = int(std::max<long>(0, left.count()));
      }
    }
    pollfd fds[2] = {{master, POLLIN, 0}, {wake, POLLIN, 0}};
    const int ready = ::poll(fds, 2, timeout);
    if (ready < 0 && errno != EINTR) return;
    if (fds[1].revents != 0) return;
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    if (ready > 0 && (fds[0].revents & POLLIN)) {
      const ssize_t n = ::read(master, data, sizeof data);
      if (n < 0 && errno != EAGAIN && errno != EINTR) return;
      for (ssize_t i = 0; i < n; ++i) {
        received_.push_back(data[i]);
        const bool was_empty = buffer_.empty();
        Heard(master, static_cast<std::uint8_t>(data[i]));
        if (was_empty && !buffer_.empty()) next_key = std::chrono::steady_clock::now() + char_time_;
      }
    } else if (ready > 0 && (fds[0].revents & (POLLERR | POLLNVAL))) {
      return;
    }
    if (!buffer_.empty() && std::chrono::steady_clock::now() >= next_key) {
      KeyOne(master);
      next_key = std::chrono::steady_clock::now() + char_time_;
    }
  }
}

}  // namespace vantrel

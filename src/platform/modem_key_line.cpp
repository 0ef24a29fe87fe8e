#include "platform/modem_key_line.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace vantrel {

ModemCalls ModemCalls::System() {
  return {[](int fd) { return ::dup(fd); },
          [](int fd, unsigned long request, int* bits) { return ::ioctl(fd, request, bits); },
          [](int fd) { ::close(fd); }};
}

ModemKeyLine::ModemKeyLine(int fd, ModemLine line, ModemCalls calls)
    : calls_(std::move(calls)), bit_(line == ModemLine::kDtr ? TIOCM_DTR : TIOCM_RTS) {
  if (fd >= 0) fd_ = calls_.dup(fd);
}

ModemKeyLine::~ModemKeyLine() {
  if (fd_ < 0) return;
  Set(false);
  calls_.close(fd_);
}

bool ModemKeyLine::Set(bool down) {
  if (fd_ < 0) return false;
  int bits = bit_;
  return calls_.ioctl(fd_, down ? TIOCMBIS : TIOCMBIC, &bits) == 0;
}

}  // namespace vantrel

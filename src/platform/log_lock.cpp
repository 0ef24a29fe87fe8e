#include "platform/log_lock.h"

#include <QFile>
#include <QLockFile>

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace vantrel {

namespace {

std::string LockPathFor(const std::string& log_path) {
  const size_t slash = log_path.rfind('/');
  if (slash == std::string::npos) return "." + log_path + ".lock";
  return log_path.substr(0, slash + 1) + "." + log_path.substr(slash + 1) + ".lock";
}

// QLockFile reports only "permission denied" or "unknown"; the operating
// system's own words help the operator more.
std::string WhyNotWritable(const std::string& lock_path) {
  const std::string probe = lock_path + ".probe";
  const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return std::strerror(errno);
  ::close(fd);
  ::unlink(probe.c_str());
  return "the lock file cannot be created";
}

}  // namespace

LogLock::LogLock(const std::string& log_path)
    : lock_path_(LockPathFor(log_path)),
      lock_(std::make_unique<QLockFile>(QFile::decodeName(lock_path_.c_str()))) {
  // Only a dead owner makes a lock stale: a contest runs for days.
  lock_->setStaleLockTime(0);
}

LogLock::~LogLock() = default;

LogLock::Outcome LogLock::Acquire() {
  if (lock_->isLocked()) return Outcome::kLocked;
  if (lock_->tryLock(0)) return Outcome::kLocked;
  if (lock_->error() == QLockFile::LockFailedError) {
    qint64 pid = 0;
    QString host, app;
    if (lock_->getLockInfo(&pid, &host, &app))
      holder_ = "process " + std::to_string(pid) + " on " + host.toStdString();
    else
      holder_ = "another program";
    return Outcome::kHeldElsewhere;
  }
  error_ = WhyNotWritable(lock_path_);
  return Outcome::kFailed;
}

}  // namespace vantrel

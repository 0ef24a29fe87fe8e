// One running copy per working folder: two copies on one log.txt would each
// rewrite the file from their own memory and lose the other's contacts.
//
// Responsibilities: hold an exclusive lock beside log.txt for the whole run;
// take over a lock left by a copy that crashed; say who holds it otherwise.
// Collaborations: start-up (ui/program_start), which asks before anything
// in the folder is read or written.
#pragma once

#include <memory>
#include <string>

class QLockFile;

namespace vantrel {

class LogLock {
 public:
  enum class Outcome {
    kLocked,         // this run owns the log
    kHeldElsewhere,  // another running copy owns it
    kFailed,         // the lock could not be made (e.g. the folder is read-only)
  };

  // Locks `log_path` (the lock file is a hidden one beside it).
  explicit LogLock(const std::string& log_path);
  ~LogLock();
  LogLock(const LogLock&) = delete;
  LogLock& operator=(const LogLock&) = delete;

  // Tries once, never waits. A lock whose owner is no longer running is
  // taken over. For kHeldElsewhere `holder` describes the other copy; for
  // kFailed `error` says why.
  Outcome Acquire();
  const std::string& holder() const { return holder_; }
  const std::string& error() const { return error_; }
  const std::string& lock_path() const { return lock_path_; }

 private:
  std::string lock_path_;
  std::unique_ptr<QLockFile> lock_;
  std::string holder_;
  std::string error_;
};

}  // namespace vantrel

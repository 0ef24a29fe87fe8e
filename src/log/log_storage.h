// Durable storage of log.txt, behind an interface so the core stays free of
// operating-system calls. The platform layer supplies the real file; tests
// may supply their own.
//
// Responsibilities: append one line so it is on disk before returning;
// replace the whole file so a crash leaves the old or the new file; read all.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class LogStorage {
 public:
  virtual ~LogStorage() = default;
  // Appends `bytes` and flushes them to disk. On failure returns false, sets
  // `error`, and the file holds either nothing of `bytes` or is truncated back
  // to its earlier length.
  virtual bool Append(std::string_view bytes, std::string& error) = 0;
  // Replaces the whole content through a temporary file renamed over the
  // original.
  virtual bool Rewrite(std::string_view bytes, std::string& error) = 0;
  // Reads the whole file. False when it is missing, a directory or unreadable.
  virtual bool ReadAll(std::string& out, std::string& error) const = 0;
};

}  // namespace vantrel

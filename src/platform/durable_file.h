// Durable file operations for the data files of the working directory.
//
// Responsibilities: append bytes so they are on disk before returning and
// never leave half of them behind; replace a whole file so that a crash
// leaves either the old or the new content; read a whole file.
// Collaborations: log/log_storage (FileLogStorage is its real
// implementation), the settings writers (whole-file rewrites).
//
// Errors come back as one human-readable line naming the file and the
// operating system's reason.
#pragma once

#include <string>
#include <string_view>

#include "log/log_storage.h"

namespace vantrel {

// Opens `path` for appending (creating it 0644 when missing), writes all of
// `bytes` and fsyncs. When a write fails part way or the fsync fails, the file
// is cut back to its earlier length. `bytes` always starts on a line of its
// own: CR LF goes first when the file's last line has no line end.
bool AppendDurably(const std::string& path, std::string_view bytes, std::string& error);

// Writes `bytes` to a temporary file beside `path`, fsyncs it, renames it
// over `path` and fsyncs the folder. The original's permission bits are kept.
// On failure the temporary file is removed and `path` is untouched. When
// `path` is a symbolic link, the file it points to is replaced and the link
// stays.
//
// The temporary file is named "." + file name + ".tmp-XXXXXX" (hidden, and
// never the name of a data file). A process killed mid-rewrite can leave one
// behind; the next successful rewrite of the same file removes it.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Creates `path` with `bytes`, fsynced, only when nothing of that name
// exists: written to a temporary file first and linked in under its name, so
// the file appears whole or not at all. An existing file is never touched
// (the error then says "File exists").
bool CreateFileDurably(const std::string& path, std::string_view bytes, std::string& error);

// Reads the whole regular file `path` into `out`. Missing files, folders and
// other non-regular files are refused. `out` is untouched on failure.
bool ReadWholeFile(const std::string& path, std::string& out, std::string& error);

// True for a name ReplaceFileAtomically would give a temporary file of
// `path` (file names only, no folder).
bool IsTemporaryNameFor(const std::string& path, std::string_view file_name);

// Removes temporary files of `path` left behind by a killed rewrite. Returns
// how many were removed.
int RemoveLeftoverTemporaries(const std::string& path);

// log.txt (or any file) through the functions above.
class FileLogStorage : public LogStorage {
 public:
  explicit FileLogStorage(std::string path) : path_(std::move(path)) {}

  bool Append(std::string_view bytes, std::string& error) override;
  bool Rewrite(std::string_view bytes, std::string& error) override;
  bool ReadAll(std::string& out, std::string& error) const override;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace vantrel

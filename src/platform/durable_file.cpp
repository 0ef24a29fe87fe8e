#include "platform/durable_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace vantrel {

namespace {

constexpr std::string_view kTempMarker = ".tmp-";
constexpr size_t kTempSuffixLength = 6;  // the XXXXXX of mkstemp

std::string Describe(std::string_view action, const std::string& path, int err) {
  std::string text(action);
  text += ' ';
  text += path;
  text += ": ";
  text += std::error_code(err, std::generic_category()).message();
  return text;
}

// Folder and file name of `path`; "." when it names no folder.
void SplitPath(const std::string& path, std::string& folder, std::string& name) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    folder = ".";
    name = path;
  } else {
    folder = slash == 0 ? "/" : path.substr(0, slash);
    name = path.substr(slash + 1);
  }
}

// Returns 0 or the errno of the failing write.
int WriteAll(int fd, std::string_view bytes) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    p += n;
    left -= static_cast<size_t>(n);
  }
  return 0;
}

int SyncFile(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

// Makes a new or renamed directory entry durable. Some file systems refuse
// fsync on a folder; the data itself is already on disk then, so this is
// best effort.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  SyncFile(fd);
  ::close(fd);
}

}  // namespace

bool AppendDurably(const std::string& path, std::string_view bytes, std::string& error) {
  bool created = false;
  // Read access only serves the look at the last byte below.
  int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
  if (fd < 0 && errno == ENOENT) {
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    created = fd >= 0;
  }
  if (fd < 0) {
    error = Describe("Cannot open", path, errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = Describe("Cannot examine", path, errno);
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "Cannot append to " + path + ": not a regular file";
    ::close(fd);
    return false;
  }
  const off_t before = st.st_size;
  // A file whose last line lost its line end (edited by hand) would glue the
  // new line onto the old one and make both unreadable: start a fresh line.
  std::string fresh_line;
  if (before > 0 && !bytes.empty() && bytes.front() != '\r' && bytes.front() != '\n') {
    char last = '\n';
    if (::pread(fd, &last, 1, before - 1) == 1 && last != '\n' && last != '\r') {
      fresh_line.reserve(bytes.size() + 2);
      fresh_line.append("\r\n").append(bytes);
      bytes = fresh_line;
    }
  }
  int err = WriteAll(fd, bytes);
  const char* action = "Cannot write to";
  if (err == 0) {
    err = SyncFile(fd);
    action = "Cannot flush";
  }
  if (err != 0) {
    // Whatever part of `bytes` reached the file must go again: a half record
    // would make the whole log unreadable.
    while (::ftruncate(fd, before) != 0 && errno == EINTR) {
    }
    SyncFile(fd);
    ::close(fd);
    error = Describe(action, path, err);
    return false;
  }
  // The data is on disk; a failing close cannot take it back.
  ::close(fd);
  if (created) {
    std::string folder, name;
    SplitPath(path, folder, name);
    SyncFolder(folder);
  }
  return true;
}

bool IsTemporaryNameFor(const std::string& path, std::string_view file_name) {
  std::string folder, name;
  SplitPath(path, folder, name);
  const size_t prefix = 1 + name.size() + kTempMarker.size();
  return file_name.size() == prefix + kTempSuffixLength && file_name[0] == '.' &&
         file_name.substr(1, name.size()) == name &&
         file_name.substr(1 + name.size(), kTempMarker.size()) == kTempMarker;
}

int RemoveLeftoverTemporaries(const std::string& path) {
  std::string folder, name;
  SplitPath(path, folder, name);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  std::vector<std::string> doomed;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsTemporaryNameFor(path, entry->d_name)) doomed.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  int removed = 0;
  for (const auto& file : doomed) {
    if (::unlink((folder + "/" + file).c_str()) == 0) ++removed;
  }
  return removed;
}

namespace {

// The file a chain of symbolic links ends at, so a rewrite replaces the file
// the operator linked to instead of the link. A dangling link names the file
// to create. Gives up (returning the last name) after 40 links, like the kernel.
std::string FollowLinks(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
    std::vector<char> target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size()) break;
    std::string next(target.data(), static_cast<size_t>(n));
    if (next.front() != '/') {
      std::string folder, name;
      SplitPath(path, folder, name);
      next = folder + "/" + next;
    }
    path = std::move(next);
  }
  return path;
}

// Writes `bytes` to a new temporary file beside `path` with `mode` and flushes
// it to disk; `temp` gets its name. On failure nothing is left behind.
bool WriteTemporary(const std::string& path, mode_t mode, std::string_view bytes, std::string& temp,
                    std::string& error) {
  std::string folder, name;
  SplitPath(path, folder, name);
  temp = folder + "/." + name + std::string(kTempMarker) + "XXXXXX";
  std::vector<char> templ(temp.begin(), temp.end());
  templ.push_back('\0');
  const int fd = ::mkostemp(templ.data(), O_CLOEXEC);
  if (fd < 0) {
    error = Describe("Cannot create a temporary file for", path, errno);
    return false;
  }
  temp.assign(templ.data());

  const auto fail = [&](const char* action, int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    error = Describe(action, path, err);
    return false;
  };
  if (::fchmod(fd, mode) != 0) return fail("Cannot set permissions for", errno);
  if (const int err = WriteAll(fd, bytes)) return fail("Cannot write a new", err);
  if (const int err = SyncFile(fd)) return fail("Cannot flush a new", err);
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = Describe("Cannot close a new", path, err);
    return false;
  }
  return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& given_path, std::string_view bytes,
                           std::string& error) {
  const std::string path = FollowLinks(given_path);
  std::string folder, name;
  SplitPath(path, folder, name);
  if (name.empty()) {
    error = "Cannot replace " + path + ": no file name";
    return false;
  }
  mode_t mode = 0644;
  struct stat original {};
  if (::stat(path.c_str(), &original) == 0) {
    if (S_ISDIR(original.st_mode)) {
      error = Describe("Cannot replace", path, EISDIR);
      return false;
    }
    mode = original.st_mode & 07777;
  }
  std::string temp;
  if (!WriteTemporary(path, mode, bytes, temp, error)) return false;
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    error = Describe("Cannot replace", path, err);
    return false;
  }
  SyncFolder(folder);
  RemoveLeftoverTemporaries(path);
  return true;
}

bool CreateFileDurably(const std::string& path, std::string_view bytes, std::string& error) {
  std::string folder, name;
  SplitPath(path, folder, name);
  if (name.empty()) {
    error = "Cannot create " + path + ": no file name";
    return false;
  }
  std::string temp;
  if (!WriteTemporary(path, 0644, bytes, temp, error)) return false;
  // link() refuses an existing name, so a file already there is never touched.
  const int linked = ::link(temp.c_str(), path.c_str());
  const int err = errno;
  ::unlink(temp.c_str());
  if (linked != 0) {
    error = Describe("Cannot create", path, err);
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::string& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = Describe("Cannot open", path, errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    error = Describe("Cannot examine", path, errno);
    ::close(fd);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    error = Describe("Cannot read", path, EISDIR);
    ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "Cannot read " + path + ": not a regular file";
    ::close(fd);
    return false;
  }
  std::string data;
  // The size is a hint only: the file may grow or shrink while it is read.
  data.resize(static_cast<size_t>(st.st_size) + 1);
  size_t used = 0;
  for (;;) {
    if (used == data.size()) data.resize(data.size() * 2 + 4096);
    const ssize_t n = ::read(fd, data.data() + used, data.size() - used);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = Describe("Cannot read", path, errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    used += static_cast<size_t>(n);
  }
  ::close(fd);
  data.resize(used);
  out.swap(data);
  return true;
}

bool FileLogStorage::Append(std::string_view bytes, std::string& error) {
  return AppendDurably(path_, bytes, error);
}

bool FileLogStorage::Rewrite(std::string_view bytes, std::string& error) {
  return ReplaceFileAtomically(path_, bytes, error);
}

bool FileLogStorage::ReadAll(std::string& out, std::string& error) const {
  return ReadWholeFile(path_, out, error);
}

}  // namespace vantrel

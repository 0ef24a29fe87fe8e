// A private folder under the system's temporary area for one test or one
// benchmark run, removed with everything in it when the object goes, even
// when a test took its write permission away.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

class ScratchFolder {
 public:
  // The folder is named `prefix` followed by a unique suffix; aborts when
  // the temporary area refuses, since no test can run without it.
  explicit ScratchFolder(std::string_view prefix = "vantrel");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

}  // namespace vantrel

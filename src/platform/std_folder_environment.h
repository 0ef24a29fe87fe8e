// The machine's side of the user folders: where the profile, documents and
// application-data folders are, and whether a folder exists or can be made.
// The choice among them is the core's (settings/user_folders).
#pragma once

#include <functional>
#include <string>

#include "settings/user_folders.h"

namespace vantrel {

// The machine's real folders: $HOME as the profile, the XDG documents folder
// as "My Documents" (only when it is not $HOME itself), $HOME/Documents,
// $XDG_DATA_HOME (default ~/.local/share) as application data.
class StdFolderEnvironment : public FolderEnvironment {
 public:
  using Reporter = std::function<void(const std::string& title, const std::string& text)>;

  // Without a reporter, reports go to standard error.
  void set_reporter(Reporter reporter) { reporter_ = std::move(reporter); }

  std::string Profile() override;
  std::string MyDocuments() override;
  std::string Documents() override;
  std::string AppData() override;
  std::string FallbackBase() override;
  bool FolderExists(const std::string& path) override;
  bool CreateFolder(const std::string& path, std::string& error) override;
  void Report(const std::string& title, const std::string& text) override;

 private:
  Reporter reporter_;
};

}  // namespace vantrel

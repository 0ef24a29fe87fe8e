// The user's own folders: a vendor folder "QX9ZZ Software" in the documents
// area, shared with the vendor's other programs, with "VHF" (backups) and
// "Shared" (SharedUserPreferences.xml) below it.
//
// Responsibilities: choose the documents area in a fixed order of preference
// and create the folders that are missing, reporting what fails and going on.
// Collaborations: a FolderEnvironment for the platform facts (tests pass a
// fake); start-up, which resolves both folders; backups and file naming.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kVendorFolder = "QX9ZZ Software";
inline constexpr std::string_view kUserFolder = "VHF";
inline constexpr std::string_view kSharedFolder = "Shared";

// What the folder procedures need to know about the machine. Any method may
// throw a std::exception to signal a failure of the platform itself (for
// example a folder that cannot be examined); the procedures report it and go
// on with their next step.
class FolderEnvironment {
 public:
  virtual ~FolderEnvironment() = default;
  // The user's profile folder; empty when unknown.
  virtual std::string Profile() = 0;
  // The platform's own documents folder when it is distinct from the profile
  // folder; empty means there is none, and none is ever created.
  virtual std::string MyDocuments() = 0;
  // The conventional "Documents" folder of the profile.
  virtual std::string Documents() = 0;
  // The user's application-data folder.
  virtual std::string AppData() = 0;
  // Where to go when there is no profile at all.
  virtual std::string FallbackBase() = 0;
  virtual bool FolderExists(const std::string& path) = 0;
  // Creates the last level of `path` only; on failure fills `error` with a
  // explanation for the operator.
  virtual bool CreateFolder(const std::string& path, std::string& error) = 0;
  // Shows a message box with an OK button.
  virtual void Report(const std::string& title, const std::string& text) = 0;
};

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

// "base/vendor", creating "base/vendor" and "base/vendor/program" where they
// are missing. The base is, first that applies: the fallback when there is
// no profile; "My Documents" (created silently if missing); the profile's
// "Documents"; otherwise application data, after leaving the vendor and
// program folders under the profile as well.
std::string ResolveVendorFolder(FolderEnvironment& env, std::string_view vendor,
                                std::string_view program);

// Creates the last folder of `path` unless it exists. True when the folder
// exists afterwards. Never throws.
bool EnsureFolder(FolderEnvironment& env, const std::string& path, bool report_failures);

// The leading run of "0".."9" and "A".."Z" of `text`, for naming files after
// the operator's call; "YourCall" when there is none.
std::string CallForFileName(std::string_view text);

}  // namespace vantrel

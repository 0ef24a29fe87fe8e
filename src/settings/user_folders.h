// The user's own folders: a vendor folder "QX9ZZ Software" in the documents
// area, shared with the vendor's other programs, with "VHF" (backups) and
// "Shared" (SharedUserPreferences.xml) below it.
//
// Responsibilities: choose the documents area in a fixed order of preference
// and create the folders that are missing, reporting what fails and going on.
// Collaborations: a FolderEnvironment for the platform facts
// (platform/std_folder_environment; tests pass a fake); start-up, which
// resolves both folders; backups.
#pragma once

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

// `base` and `sub` joined by one "/", whatever slashes they end or start with.
std::string JoinPath(std::string_view base, std::string_view sub);

}  // namespace vantrel

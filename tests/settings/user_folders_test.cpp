#include "settings/user_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vantrel {
namespace {

using Reports = std::vector<std::pair<std::string, std::string>>;
using Paths = std::vector<std::string>;

// An in-memory folder tree; creation makes the last level only, like mkdir.
struct FakeFolders : FolderEnvironment {
  std::string profile = "/home/op", my_documents, documents = "/home/op/Documents";
  std::set<std::string> folders = {"/home/op", "/home/op/.local", "/home/op/.local/share", "/fb"};
  std::set<std::string> refuse, unreadable;  // creation fails / the exists check throws
  Paths created;
  Reports reports;

  std::string Profile() override {
    if (unreadable.count("profile")) throw std::runtime_error("no profile");
    return profile;
  }
  std::string MyDocuments() override { return my_documents; }
  std::string Documents() override { return documents; }
  std::string AppData() override { return "/home/op/.local/share"; }
  std::string FallbackBase() override { return "/fb/Documents"; }
  bool FolderExists(const std::string& path) override {
    if (unreadable.count(path)) throw std::runtime_error("Path/File access error");
    return folders.count(path) > 0;
  }
  bool CreateFolder(const std::string& path, std::string& error) override {
    if (refuse.count(path) || !folders.count(path.substr(0, path.rfind('/')))) {
      error = refuse.count(path) ? "Permission denied" : "Path not found";
      return false;
    }
    folders.insert(path);
    created.push_back(path);
    return true;
  }
  void Report(const std::string& title, const std::string& text) override {
    reports.emplace_back(title, text);
  }
};

TEST(ResolveVendorFolder, NoProfileCreatesTheFallbackBaseFirst) {
  FakeFolders env;
  env.profile.clear();
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder), "/fb/Documents/QX9ZZ Software");
  EXPECT_EQ(env.created, (Paths{"/fb/Documents", "/fb/Documents/QX9ZZ Software",
                                "/fb/Documents/QX9ZZ Software/VHF"}));
}

TEST(ResolveVendorFolder, MyDocumentsIsCreatedOnFirstStartAndReusedAfterwards) {
  FakeFolders env;
  env.my_documents = "/home/op/Dokumente";   // missing: made without a word
  env.folders.insert("/home/op/Documents");  // present, but second choice
  const std::string vendor = "/home/op/Dokumente/QX9ZZ Software";
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder), vendor);
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kSharedFolder), vendor);
  EXPECT_EQ(env.created,
            (Paths{"/home/op/Dokumente", vendor, vendor + "/VHF", vendor + "/Shared"}));
  env.created.clear();
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder), vendor);
  EXPECT_TRUE(env.created.empty());

  // When it cannot be made, the next case decides, still without a report.
  FakeFolders refused;
  refused.my_documents = "/home/op/Docs";
  refused.refuse.insert("/home/op/Docs");
  refused.folders.insert("/home/op/Documents");
  EXPECT_EQ(ResolveVendorFolder(refused, kVendorFolder, kUserFolder),
            "/home/op/Documents/QX9ZZ Software");
  EXPECT_TRUE(env.reports.empty());
  EXPECT_TRUE(refused.reports.empty());
}

TEST(ResolveVendorFolder, WithoutMyDocumentsOnlyTheDocumentsFolderIsUsed) {
  FakeFolders env;
  env.folders.insert("/home/op/Documents");
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder),
            "/home/op/Documents/QX9ZZ Software");
  EXPECT_EQ(env.created,
            (Paths{"/home/op/Documents/QX9ZZ Software", "/home/op/Documents/QX9ZZ Software/VHF"}));
}

TEST(ResolveVendorFolder, NeitherDocumentsFolderLeavesFoldersInProfileAndAnswersAppData) {
  FakeFolders env;
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder),
            "/home/op/.local/share/QX9ZZ Software");
  EXPECT_EQ(env.created, (Paths{"/home/op/QX9ZZ Software", "/home/op/QX9ZZ Software/VHF",
                                "/home/op/.local/share/QX9ZZ Software",
                                "/home/op/.local/share/QX9ZZ Software/VHF"}));
  EXPECT_TRUE(env.reports.empty());
}

TEST(ResolveVendorFolder, FailuresAreReportedOneByOneAndTheProcedureGoesOn) {
  FakeFolders env;
  env.refuse.insert("/home/op/QX9ZZ Software");
  env.folders.erase("/home/op/.local/share");
  env.unreadable.insert("/home/op/Documents");
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder),
            "/home/op/.local/share/QX9ZZ Software");
  const std::string t = "Unable to create directory.";
  EXPECT_EQ(env.reports,
            (Reports{{"User Access Directory Error", "Path/File access error"},
                     {t, "Permission denied  /home/op/QX9ZZ Software"},
                     {t, "Path not found  /home/op/QX9ZZ Software/VHF"},
                     {t, "Path not found  /home/op/.local/share/QX9ZZ Software"},
                     {t, "Path not found  /home/op/.local/share/QX9ZZ Software/VHF"}}));

  FakeFolders no_profile;
  no_profile.unreadable.insert("profile");
  EXPECT_EQ(ResolveVendorFolder(no_profile, kVendorFolder, kSharedFolder),
            "/fb/Documents/QX9ZZ Software");
  EXPECT_EQ(no_profile.reports, (Reports{{"User Access Directory Error", "no profile"}}));
}

TEST(EnsureFolder, ReportsOnlyWhenAskedAndNeverThrows) {
  FakeFolders env;
  EXPECT_FALSE(EnsureFolder(env, "", false));
  EXPECT_EQ(env.reports, (Reports{{"Unable to Create Directory", "Invalid Path"}}));
  env.reports.clear();
  EXPECT_TRUE(EnsureFolder(env, "/home/op/BACKUP", true));
  EXPECT_FALSE(EnsureFolder(env, "/home/op/a/b", false));
  env.unreadable.insert("/home/op/x");
  EXPECT_FALSE(EnsureFolder(env, "/home/op/x", false));
  EXPECT_TRUE(env.reports.empty());
  EXPECT_FALSE(EnsureFolder(env, "/home/op/a/b", true));
  EXPECT_EQ(env.reports,
            (Reports{{"Unable to create directory.", "Path not found  /home/op/a/b"}}));
  EXPECT_EQ(env.created, Paths{"/home/op/BACKUP"});
}

}  // namespace
}  // namespace vantrel

#include "settings/user_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
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

TEST(CallForFileName, TakesTheLeadingRunOfCapitalsAndDigits) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"N0CALL/R", "N0CALL"}, {"", "YourCall"}, {"n0call", "YourCall"}, {"/R", "YourCall"},
      {"W1AW", "W1AW"},       {"K1aBC", "K1"},  {" W1AW", "YourCall"},  {"\xC4W1", "YourCall"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(CallForFileName(in), out) << in;
}

// The real environment in a scratch home, through the variables it reads.
class StdFolderEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    home_ = std::filesystem::temp_directory_path() / ("vantrel_home_" + std::to_string(rd()));
    std::filesystem::create_directories(home_ / ".config");
    std::filesystem::create_directories(home_ / ".local/share");
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      const char* v = std::getenv(name);
      saved_.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
      unsetenv(name);
    }
    setenv("HOME", home_.c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_)
      value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
    std::filesystem::remove_all(home_);
  }
  void UserDirs(const std::string& line) {
    std::ofstream(home_ / ".config/user-dirs.dirs") << "# test\nXDG_DESKTOP_DIR=\"$HOME/D\"\n"
                                                    << line << "\n";
  }
  std::filesystem::path home_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(StdFolderEnvironmentTest, MyDocumentsComesFromUserDirsUnlessItIsHome) {
  StdFolderEnvironment env;
  EXPECT_EQ(env.MyDocuments(), "");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"", home_.string() + "/Dokumente"},
      {"XDG_DOCUMENTS_DIR=\"$HOME/\"", ""},
      {"XDG_DOCUMENTS_DIR=\"$HOME\"", ""},
      {"XDG_DOCUMENTS_DIR=\"/srv/papers\"", "/srv/papers"},
      {"#XDG_DOCUMENTS_DIR=\"/srv/papers\"", ""}};
  for (const auto& [line, expected] : cases) {
    UserDirs(line);
    EXPECT_EQ(env.MyDocuments(), expected) << line;
  }
  setenv("XDG_CONFIG_HOME", (home_ / "elsewhere").c_str(), 1);
  UserDirs("XDG_DOCUMENTS_DIR=\"/srv/papers\"");
  EXPECT_EQ(env.MyDocuments(), "");
  setenv("XDG_DATA_HOME", "/var/data", 1);
  EXPECT_EQ(env.AppData(), "/var/data");
}

TEST_F(StdFolderEnvironmentTest, BareHomeGetsFoldersUnderProfileAndDataHomeUntilDocumentsExists) {
  StdFolderEnvironment env;
  Reports reports;
  env.set_reporter([&](const std::string& t, const std::string& m) { reports.emplace_back(t, m); });
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kUserFolder),
            home_.string() + "/.local/share/QX9ZZ Software");
  EXPECT_TRUE(std::filesystem::is_directory(home_ / ".local/share/QX9ZZ Software/VHF"));
  EXPECT_TRUE(std::filesystem::is_directory(home_ / "QX9ZZ Software/VHF"));
  EXPECT_FALSE(std::filesystem::exists(home_ / "My Documents"));
  EXPECT_FALSE(std::filesystem::exists(home_ / "Documents"));

  std::filesystem::create_directory(home_ / "Documents");
  EXPECT_EQ(ResolveVendorFolder(env, kVendorFolder, kSharedFolder),
            home_.string() + "/Documents/QX9ZZ Software");
  EXPECT_TRUE(std::filesystem::is_directory(home_ / "Documents/QX9ZZ Software/Shared"));
  EXPECT_FALSE(EnsureFolder(env, (home_ / "no/such").string(), true));
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].first, "Unable to create directory.");
}

}  // namespace
}  // namespace vantrel

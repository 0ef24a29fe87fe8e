#include "platform/std_folder_environment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/scratch_folder.h"

namespace vantrel {
namespace {

using Reports = std::vector<std::pair<std::string, std::string>>;

// The real environment in a scratch home, through the variables it reads.
class StdFolderEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
  }
  void UserDirs(const std::string& line) {
    std::ofstream(home_ / ".config/user-dirs.dirs") << "# test\nXDG_DESKTOP_DIR=\"$HOME/D\"\n"
                                                    << line << "\n";
  }
  ScratchFolder scratch_{"vantrel_home"};
  std::filesystem::path home_{scratch_.path()};
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

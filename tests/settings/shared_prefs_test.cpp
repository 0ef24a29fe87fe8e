#include "settings/shared_prefs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

class SharedPrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    dir_ = fs::temp_directory_path() /
           ("vantrel_shared_" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir_);
    file_ = (dir_ / "SharedUserPreferences.xml").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string ReadFile() const {
    std::ifstream in(file_, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  void WriteFile(const std::string& bytes) const {
    std::ofstream(file_, std::ios::binary) << bytes;
  }

  fs::path dir_;
  std::string file_;
};

TEST_F(SharedPrefsTest, MissingFileAndOneSavedKeyGiveDeclarationAndElement) {
  SharedPreferences prefs;
  prefs.Load(file_);
  EXPECT_EQ(prefs.text(), kDecl);
  EXPECT_FALSE(fs::exists(file_));
  EXPECT_TRUE(prefs.Set("OWN_CALL", "N0CALL", true));
  EXPECT_EQ(ReadFile(), kDecl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
  // Only the file itself remains; the temporary one was renamed.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(SharedPrefsTest, SettingAKeyAgainInAnyCaseReplacesItsOneElement) {
  SharedPreferences prefs;
  prefs.Load(file_);
  prefs.Set("OWN_CALL_OLD", "K1XX", false);  // a longer key with the same start
  prefs.Set("OWN_CALL", "N0CALL", false);
  prefs.Set("OWN_ADDRESS_Line1", " 12 Main St, <Apt> & Co ", false);
  prefs.Set("OWN_CALL", "W1AW", false);
  prefs.Set("own_call", "K1ABC/R", false);
  EXPECT_EQ(prefs.text(),
            kDecl +
                "\r\n<OWN_CALL_OLD>K1XX</OWN_CALL_OLD>"
                "\r\n<OWN_CALL>K1ABC/R</OWN_CALL>"
                "\r\n<OWN_ADDRESS_LINE1> 12 Main St, <Apt> & Co </OWN_ADDRESS_LINE1>");
  EXPECT_EQ(prefs.Get("Own_Call"), "K1ABC/R");
  EXPECT_FALSE(fs::exists(file_));  // nothing saved without save_now
}

TEST_F(SharedPrefsTest, LoadAndSaveKeepEveryByteOfOwnAndForeignFiles) {
  SharedPreferences first;
  first.Load(file_);
  first.Set("OWN_CALL", "N0CALL", false);
  first.Set("OWN_EMAIL", "op@example.org", true);
  const std::string saved = ReadFile();
  SharedPreferences second;
  second.Load(file_);
  ASSERT_TRUE(second.Save());
  EXPECT_EQ(ReadFile(), saved);

  // Another program's layout and elements stay as they were.
  const std::string foreign =
      kDecl + "\r\n<OTHER a=\"1\">x</OTHER>\r\n\r\n<OWN_CALL>OLD</OWN_CALL>";
  WriteFile(foreign + "\r\n");
  second.Load(file_);
  second.Set("OWN_CALL", "NEW", true);
  EXPECT_EQ(ReadFile(), kDecl + "\r\n<OTHER a=\"1\">x</OTHER>\r\n\r\n<OWN_CALL>NEW</OWN_CALL>\r\n");
}

TEST_F(SharedPrefsTest, HandEditedFilesAreReadSensibly) {
  SharedPreferences prefs;
  WriteFile(kDecl + "\n<OWN_CALL>N0CALL</OWN_CALL>\n");  // LF ends: only the last goes
  prefs.Load(file_);
  EXPECT_EQ(prefs.Get("OWN_CALL"), "N0CALL");

  WriteFile(kDecl + "\r\n<OWN_CALL>OLD\r\n<OWN_GRID>FN20</OWN_GRID>\r\n");  // closing tag lost
  prefs.Load(file_);
  prefs.Set("OWN_CALL", "NEW", false);
  EXPECT_EQ(prefs.text(), kDecl + "\r\n<OWN_CALL>NEW</OWN_CALL>\r\n<OWN_GRID>FN20</OWN_GRID>");

  WriteFile("");
  prefs.Load(file_);
  EXPECT_EQ(prefs.text(), kDecl);

  fs::create_directory(dir_ / "folder.xml");  // not a file at all
  prefs.Load((dir_ / "folder.xml").string());
  EXPECT_EQ(prefs.text(), kDecl);
}

TEST_F(SharedPrefsTest, SaveFailuresAreQuietAndKeepTheOldFile) {
  WriteFile(kDecl + "\r\n<OWN_CALL>OLD</OWN_CALL>\r\n");
  SharedPreferences prefs;
  prefs.Load(file_);
  fs::create_directory(file_ + ".tmp");  // the temporary file cannot be made
  EXPECT_FALSE(prefs.Set("OWN_CALL", "NEW", true));
  EXPECT_EQ(ReadFile(), kDecl + "\r\n<OWN_CALL>OLD</OWN_CALL>\r\n");
  EXPECT_EQ(prefs.Get("OWN_CALL"), "NEW");

  // The rename over a non-empty folder fails and the temporary file goes.
  fs::create_directories(dir_ / "blocked.xml" / "inside");
  prefs.Load((dir_ / "blocked.xml").string());
  EXPECT_FALSE(prefs.Save());
  EXPECT_FALSE(fs::exists(dir_ / "blocked.xml.tmp"));

  SharedPreferences never_loaded;
  EXPECT_FALSE(never_loaded.Save());
}

}  // namespace
}  // namespace vantrel

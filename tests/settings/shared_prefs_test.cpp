#include "settings/shared_prefs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vantrel {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

// The text as a saver would have written it, or nothing when never saved.
class SharedPrefsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    prefs_.set_saver([this](std::string_view text) {
      ++saves_;
      if (!save_works_) return false;
      file_ = std::string(text);
      return true;
    });
  }
  SharedPreferences prefs_;
  std::optional<std::string> file_;
  bool save_works_ = true;
  int saves_ = 0;
};

TEST_F(SharedPrefsTest, MissingFileAndOneSavedKeyGiveDeclarationAndElement) {
  prefs_.Parse("");
  EXPECT_EQ(prefs_.text(), kDecl);
  EXPECT_TRUE(prefs_.Set("OWN_CALL", "N0CALL", true));
  EXPECT_EQ(file_, kDecl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
  EXPECT_EQ(saves_, 1);
}

TEST_F(SharedPrefsTest, SettingAKeyAgainInAnyCaseReplacesItsOneElement) {
  prefs_.Parse("");
  prefs_.Set("OWN_CALL_OLD", "K1XX", false);  // a longer key with the same start
  prefs_.Set("OWN_CALL", "N0CALL", false);
  prefs_.Set("OWN_ADDRESS_Line1", " 12 Main St, <Apt> & Co ", false);
  prefs_.Set("OWN_CALL", "W1AW", false);
  prefs_.Set("own_call", "K1ABC/R", false);
  EXPECT_EQ(prefs_.text(),
            kDecl +
                "\r\n<OWN_CALL_OLD>K1XX</OWN_CALL_OLD>"
                "\r\n<OWN_CALL>K1ABC/R</OWN_CALL>"
                "\r\n<OWN_ADDRESS_LINE1> 12 Main St, <Apt> & Co </OWN_ADDRESS_LINE1>");
  EXPECT_EQ(prefs_.Get("Own_Call"), "K1ABC/R");
  EXPECT_EQ(saves_, 0);  // nothing saved without save_now
}

TEST_F(SharedPrefsTest, LoadAndSaveKeepEveryByteOfOwnAndForeignFiles) {
  prefs_.Set("OWN_CALL", "N0CALL", false);
  prefs_.Set("OWN_EMAIL", "op@example.org", true);
  const std::string saved = *file_;
  SharedPreferences second;
  second.Parse(saved);
  EXPECT_EQ(second.FileText(), saved);

  // Another program's layout and elements stay as they were.
  const std::string foreign =
      kDecl + "\r\n<OTHER a=\"1\">x</OTHER>\r\n\r\n<OWN_CALL>OLD</OWN_CALL>";
  prefs_.Parse(foreign + "\r\n");
  prefs_.Set("OWN_CALL", "NEW", true);
  EXPECT_EQ(file_, kDecl + "\r\n<OTHER a=\"1\">x</OTHER>\r\n\r\n<OWN_CALL>NEW</OWN_CALL>\r\n");
}

TEST_F(SharedPrefsTest, HandEditedFilesAreReadSensibly) {
  prefs_.Parse(kDecl + "\n<OWN_CALL>N0CALL</OWN_CALL>\n");  // LF ends: only the last goes
  EXPECT_EQ(prefs_.Get("OWN_CALL"), "N0CALL");

  prefs_.Parse(kDecl + "\r\n<OWN_CALL>OLD\r\n<OWN_GRID>FN20</OWN_GRID>\r\n");  // closing tag lost
  prefs_.Set("OWN_CALL", "NEW", false);
  EXPECT_EQ(prefs_.text(), kDecl + "\r\n<OWN_CALL>NEW</OWN_CALL>\r\n<OWN_GRID>FN20</OWN_GRID>");

  prefs_.Parse("");
  EXPECT_EQ(prefs_.text(), kDecl);
}

TEST_F(SharedPrefsTest, SaveFailuresAreQuietAndKeepTheValue) {
  prefs_.Parse(kDecl + "\r\n<OWN_CALL>OLD</OWN_CALL>\r\n");
  save_works_ = false;
  EXPECT_FALSE(prefs_.Set("OWN_CALL", "NEW", true));
  EXPECT_FALSE(file_.has_value());
  EXPECT_EQ(prefs_.Get("OWN_CALL"), "NEW");

  SharedPreferences never_loaded;
  EXPECT_FALSE(never_loaded.Save());
}

}  // namespace
}  // namespace vantrel

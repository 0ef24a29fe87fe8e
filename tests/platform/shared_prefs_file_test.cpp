// The shared preference file on disk: read at start, written only through
// the atomic rewrite, so a failed save keeps the old file whole.
#include "platform/shared_prefs_file.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fstream>
#include <iterator>

namespace vantrel {
namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(SharedPrefsFile, MissingFileThenOneSavedKeyLeavesOnlyTheFile) {
  QTemporaryDir dir;
  const std::string file = dir.filePath("SharedUserPreferences.xml").toStdString();
  SharedPreferences prefs;
  LoadSharedPreferences(prefs, file);
  EXPECT_EQ(prefs.text(), kDecl);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(file)));
  EXPECT_TRUE(prefs.Set("OWN_CALL", "N0CALL", true));
  EXPECT_EQ(ReadFile(file), kDecl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"SharedUserPreferences.xml"});

  // Read back and saved again: the same bytes.
  SharedPreferences again;
  LoadSharedPreferences(again, file);
  ASSERT_TRUE(again.Save());
  EXPECT_EQ(ReadFile(file), kDecl + "\r\n<OWN_CALL>N0CALL</OWN_CALL>\r\n");
}

TEST(SharedPrefsFile, UnreadableFilesCountAsMissingAndFailedSavesKeepTheOldFile) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("folder.xml");  // not a file at all
  SharedPreferences prefs;
  LoadSharedPreferences(prefs, dir.filePath("folder.xml").toStdString());
  EXPECT_EQ(prefs.text(), kDecl);
  EXPECT_FALSE(prefs.Save());

  // A symbolic link stays a link; the file it points to is rewritten.
  const std::string target = dir.filePath("real.xml").toStdString();
  std::ofstream(target, std::ios::binary) << kDecl << "\r\n<OWN_CALL>OLD</OWN_CALL>\r\n";
  ASSERT_TRUE(QFile::link(dir.filePath("real.xml"), dir.filePath("link.xml")));
  LoadSharedPreferences(prefs, dir.filePath("link.xml").toStdString());
  EXPECT_EQ(prefs.Get("OWN_CALL"), "OLD");
  ASSERT_TRUE(prefs.Set("OWN_CALL", "NEW", true));
  EXPECT_TRUE(QFileInfo(dir.filePath("link.xml")).isSymLink());
  EXPECT_EQ(ReadFile(target), kDecl + "\r\n<OWN_CALL>NEW</OWN_CALL>\r\n");
}

}  // namespace
}  // namespace vantrel

// The one-copy-per-folder lock: a second holder is refused, a lock left by a
// dead process is taken over, and nothing but the lock file is created.
#include "platform/log_lock.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>
#include <fstream>

namespace vantrel {
namespace {

TEST(LogLock, SecondHolderIsRefusedUntilTheFirstLetsGo) {
  QTemporaryDir dir;
  const std::string log = dir.filePath("log.txt").toStdString();
  auto first = std::make_unique<LogLock>(log);
  ASSERT_EQ(first->Acquire(), LogLock::Outcome::kLocked);
  LogLock second(log);
  EXPECT_EQ(second.Acquire(), LogLock::Outcome::kHeldElsewhere);
  EXPECT_NE(second.holder().find(std::to_string(::getpid())), std::string::npos) << second.holder();
  // Only the hidden lock file was made; the log itself is not created.
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{".log.txt.lock"});
  first.reset();
  EXPECT_EQ(second.Acquire(), LogLock::Outcome::kLocked);
}

TEST(LogLock, LockOfACrashedCopyIsTakenOver) {
  QTemporaryDir dir;
  const std::string log = dir.filePath("log.txt").toStdString();
  // A process that has ended leaves its number behind in the lock file.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  ::waitpid(child, nullptr, 0);
  std::ofstream(dir.filePath(".log.txt.lock").toStdString())
      << child << "\nvantrel\n"
      << QSysInfo::machineHostName().toStdString() << "\n";
  LogLock lock(log);
  EXPECT_EQ(lock.Acquire(), LogLock::Outcome::kLocked);
}

TEST(LogLock, ReadOnlyFolderFailsWithTheReason) {
  QTemporaryDir dir;
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
  if (::access(dir.path().toLocal8Bit().constData(), W_OK) == 0)
    GTEST_SKIP() << "permissions are not enforced for this user (root?)";
  LogLock lock(dir.filePath("log.txt").toStdString());
  EXPECT_EQ(lock.Acquire(), LogLock::Outcome::kFailed);
  EXPECT_NE(lock.error().find("Permission denied"), std::string::npos) << lock.error();
  QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace
}  // namespace vantrel

// Crash safety is tested with real processes: a child writes the log and is
// killed with SIGKILL at a varying moment, and the parent inspects what is
// left on disk.
#include "platform/durable_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "log/contact_log.h"
#include "support/sample_log.h"
#include "support/scratch_folder.h"

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// The folder's entries are what crash tests inspect after a killed write.
class TempDir : public ScratchFolder {
 public:
  TempDir() : ScratchFolder("vantrel-durable") {}
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(path())) names.push_back(e.path().filename());
    return names;
  }
};

std::string Slurp(const std::string& path) {
  std::string out, error;
  if (!ReadWholeFile(path, out, error)) ADD_FAILURE() << error;
  return out;
}

void SleepMicroseconds(long us) {
  timespec ts{us / 1000000, (us % 1000000) * 1000};
  while (::nanosleep(&ts, &ts) != 0) {
  }
}

// Starts `body` in a child that reports progress numbers through a pipe,
// kills it after `delay_us` and returns the last number it reported.
template <typename Body>
int RunAndKill(long delay_us, Body body) {
  int fds[2];
  if (::pipe(fds) != 0) std::abort();
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::alarm(60);  // never outlive a test run that went wrong
    const auto report = [&](int n) {
      if (::write(fds[1], &n, sizeof n) != static_cast<ssize_t>(sizeof n)) ::_exit(3);
    };
    body(report);
    for (;;) ::pause();
  }
  ::close(fds[1]);
  SleepMicroseconds(delay_us);
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
      << "child ended by itself, status " << status;
  int last = 0, n = 0;
  while (::read(fds[0], &n, sizeof n) == static_cast<ssize_t>(sizeof n)) last = n;
  ::close(fds[0]);
  return last;
}

// Kill moments spread evenly over 0..20 ms, jittered by a fixed seed so
// every run of the test uses the same ones.
std::vector<long> KillDelays(int runs, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<long> delays;
  const long slot = 20000 / runs;
  for (int i = 0; i < runs; ++i) delays.push_back(i * slot + static_cast<long>(gen() % slot));
  return delays;
}

TEST(DurableFileCrash, KilledAppenderLeavesOnlyWholeRecords) {
  const ContactLog source = MakeSampleLog(kMaxContacts, 11);
  int interrupted = 0;
  for (long delay : KillDelays(30, 1234)) {
    SCOPED_TRACE("kill after " + std::to_string(delay) + " us");
    TempDir dir;
    const std::string path = dir.File("log.txt");
    const int reported = RunAndKill(delay, [&](auto report) {
      std::string error;
      for (int i = 1; i <= kMaxContacts; ++i) {
        if (!AppendDurably(path, FormatLogLine(source.Record(i)), error)) ::_exit(2);
        report(i);
      }
    });
    if (reported > 0 && reported < kMaxContacts) ++interrupted;

    std::string text, error;
    if (!ReadWholeFile(path, text, error)) {
      EXPECT_EQ(reported, 0) << error;  // killed before the first append
      continue;
    }
    ContactLog log;
    const auto result = ParseLog(text, log);
    ASSERT_TRUE(result.ok()) << DescribeParseError(result);
    // Every reported contact is there, plus at most the one being written.
    ASSERT_GE(log.ContactCount(), reported);
    ASSERT_LE(log.ContactCount(), reported + 1);
    ContactLog expected;
    for (int i = 1; i <= log.ContactCount(); ++i) expected.Add(source.Record(i));
    ASSERT_EQ(text, FormatLog(expected));
  }
  RecordProperty("interrupted_runs", interrupted);
}

TEST(DurableFileCrash, KilledRewriteLeavesOldOrNewFile) {
  const std::string a = FormatLog(MakeSampleLog(50, 1));
  const std::string b = FormatLog(MakeSampleLog(2000, 2));
  int leftovers = 0;
  for (long delay : KillDelays(30, 5678)) {
    SCOPED_TRACE("kill after " + std::to_string(delay) + " us");
    TempDir dir;
    const std::string path = dir.File("log.txt");
    std::string error;
    ASSERT_TRUE(ReplaceFileAtomically(path, a, error)) << error;
    RunAndKill(delay, [&](auto report) {
      for (int i = 1;; ++i) {
        if (!ReplaceFileAtomically(path, i % 2 ? b : a, error)) ::_exit(2);
        report(i);
      }
    });
    const std::string text = Slurp(path);
    ASSERT_TRUE(text == a || text == b) << "torn file of " << text.size() << " bytes";

    // A rewrite killed before its rename may leave its temporary file, under
    // a name that is never read as the log; the next rewrite removes it.
    std::vector<std::string> strays;
    for (const auto& name : dir.Names())
      if (name != "log.txt") strays.push_back(name);
    ASSERT_LE(strays.size(), 1u);
    if (!strays.empty()) {
      ++leftovers;
      ASSERT_TRUE(IsTemporaryNameFor(path, strays[0])) << strays[0];
      ASSERT_TRUE(ReplaceFileAtomically(path, a, error)) << error;
      EXPECT_EQ(dir.Names(), std::vector<std::string>{"log.txt"});
    }
  }
  RecordProperty("runs_with_leftover_temporary", leftovers);
}

TEST(DurableFile, AppendCreatesThenAppends) {
  TempDir dir;
  const std::string path = dir.File("log.txt");
  std::string error;
  ASSERT_TRUE(AppendDurably(path, "one\r\n", error)) << error;
  ASSERT_TRUE(AppendDurably(path, "", error)) << error;
  ASSERT_TRUE(AppendDurably(path, "two\r\n", error)) << error;
  EXPECT_EQ(Slurp(path), "one\r\ntwo\r\n");

  // A last line whose line end was lost in an editor stays a line of its own.
  ASSERT_TRUE(ReplaceFileAtomically(path, "one", error)) << error;
  ASSERT_TRUE(AppendDurably(path, "two\r\n", error)) << error;
  EXPECT_EQ(Slurp(path), "one\r\ntwo\r\n");
}

TEST(DurableFile, ReplaceKeepsPermissionsAndLeavesNoTemporary) {
  TempDir dir;
  const std::string path = dir.File("vhfpref.txt");
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(path, "first", error)) << error;
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(ReplaceFileAtomically(path, "second", error)) << error;
  EXPECT_EQ(Slurp(path), "second");
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  ASSERT_TRUE(ReplaceFileAtomically(path, "", error)) << error;
  EXPECT_EQ(Slurp(path), "");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"vhfpref.txt"});
}

TEST(DurableFile, TemporaryNamesAreRecognisedExactly) {
  EXPECT_TRUE(IsTemporaryNameFor("/x/log.txt", ".log.txt.tmp-a1B2c3"));
  EXPECT_TRUE(IsTemporaryNameFor("log.txt", ".log.txt.tmp-a1B2c3"));
  EXPECT_FALSE(IsTemporaryNameFor("/x/log.txt", "log.txt"));
  EXPECT_FALSE(IsTemporaryNameFor("/x/log.txt", ".log.txt.tmp-a1B2c"));
  EXPECT_FALSE(IsTemporaryNameFor("/x/log.txt", ".log.txt.tmp-a1B2c3d"));
  EXPECT_FALSE(IsTemporaryNameFor("/x/log.txt", ".vhfpref.txt.tmp-a1B2c3"));
  EXPECT_FALSE(IsTemporaryNameFor("/x/log.txt", "xlog.txt.tmp-a1B2c3"));

  TempDir dir;
  const std::string path = dir.File("log.txt");
  std::string error;
  for (const char* name : {".log.txt.tmp-abcdef", ".log.txt.tmp-ABCDEF", ".log.txt.bak"})
    ASSERT_TRUE(ReplaceFileAtomically(dir.File(name), "x", error)) << error;
  EXPECT_EQ(RemoveLeftoverTemporaries(path), 2);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{".log.txt.bak"});
}

TEST(DurableFile, ReadsWholeFilesOfAnySize) {
  TempDir dir;
  const std::string path = dir.File("big.txt");
  std::string big(300000, 'x');
  big[12345] = '\0';
  big.back() = '\xFF';
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(path, big, error)) << error;
  EXPECT_EQ(Slurp(path), big);
}

// Every failure names the file and gives the system's reason; outputs and
// files stay as they were.
TEST(DurableFileFailure, ParentIsAFile) {
  TempDir dir;
  const std::string plain = dir.File("plain");
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(plain, "data", error)) << error;
  const std::string path = plain + "/log.txt";
  error.clear();
  EXPECT_FALSE(AppendDurably(path, "x", error));
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
  EXPECT_NE(error.find(path), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(ReplaceFileAtomically(path, "x", error));
  EXPECT_NE(error.find("Not a directory"), std::string::npos) << error;
  std::string out = "keep";
  EXPECT_FALSE(ReadWholeFile(path, out, error));
  EXPECT_EQ(out, "keep");
  EXPECT_EQ(Slurp(plain), "data");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"plain"});
}

TEST(DurableFileFailure, DirectoriesAndMissingFiles) {
  TempDir dir;
  std::string out = "keep", error;
  EXPECT_FALSE(ReadWholeFile(dir.path(), out, error));
  EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
  EXPECT_FALSE(ReadWholeFile(dir.File("log.txt"), out, error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
  EXPECT_NE(error.find(dir.File("log.txt")), std::string::npos) << error;
  EXPECT_EQ(out, "keep");

  ASSERT_EQ(::mkdir(dir.File("log.txt").c_str(), 0755), 0);
  error.clear();
  EXPECT_FALSE(AppendDurably(dir.File("log.txt"), "x", error));
  EXPECT_NE(error.find("Is a directory"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("log.txt"), "x", error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"log.txt"});
}

TEST(DurableFileFailure, ReadOnlyFolder) {
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  std::string error;
  if (AppendDurably(dir.File("probe"), "", error)) {
    GTEST_SKIP() << "permissions are not enforced for this user (root?)";
  }
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
  error.clear();
  EXPECT_FALSE(ReplaceFileAtomically(dir.File("log.txt"), "x", error));
  EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
}

// A file-size limit makes the kernel stop a write part way, the one failure
// that can leave half a record behind unless it is undone.
TEST(DurableFileFailure, WriteStoppedPartWayIsUndone) {
  TempDir dir;
  const std::string path = dir.File("log.txt");
  const std::string before = FormatLog(MakeSampleLog(3, 1));
  const std::string record = FormatLogLine(MakeSampleLog(4, 1).Record(4));
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(path, before, error)) << error;

  const pid_t pid = ::fork();
  if (pid == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = before.size() + record.size() / 2;
    const rlimit rl{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &rl) != 0) ::_exit(10);
    std::string e;
    int code = 0;
    if (AppendDurably(path, record, e)) code |= 1;
    if (e.find("File too large") == std::string::npos) code |= 2;
    if (ReplaceFileAtomically(path, before + record, e)) code |= 4;
    ::_exit(code);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "1: append succeeded, 2: wrong message, 4: replace succeeded";
  EXPECT_EQ(Slurp(path), before);
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"log.txt"});
}

TEST(DurableFile, RewriteThroughASymbolicLinkReplacesItsTarget) {
  TempDir dir;
  ASSERT_EQ(::mkdir(dir.File("real").c_str(), 0755), 0);
  const std::string target = dir.File("real/contest.log");
  std::string error;
  ASSERT_TRUE(ReplaceFileAtomically(target, "old\r\n", error)) << error;
  // One absolute link, and a relative link to that link.
  ASSERT_EQ(::symlink(target.c_str(), dir.File("abs.txt").c_str()), 0);
  ASSERT_EQ(::symlink("abs.txt", dir.File("log.txt").c_str()), 0);
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("log.txt"), "new\r\n", error)) << error;
  struct stat st {};
  ASSERT_EQ(::lstat(dir.File("log.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  ASSERT_EQ(::lstat(dir.File("abs.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(Slurp(target), "new\r\n");
  EXPECT_EQ(Slurp(dir.File("log.txt")), "new\r\n");
  // The temporary file went where the target is, and nothing is left over.
  EXPECT_EQ(dir.Names().size(), 3u);
  EXPECT_EQ(fs::directory_iterator(dir.File("real"))->path().filename(), "contest.log");

  // A dangling link names the file to create.
  ASSERT_EQ(::symlink("real/made.txt", dir.File("dangling.txt").c_str()), 0);
  ASSERT_TRUE(ReplaceFileAtomically(dir.File("dangling.txt"), "x", error)) << error;
  EXPECT_EQ(Slurp(dir.File("real/made.txt")), "x");
}

TEST(DurableFile, CreateNeverOverwrites) {
  TempDir dir;
  std::string error;
  ASSERT_TRUE(CreateFileDurably(dir.File("a.log"), "first", error)) << error;
  EXPECT_EQ(Slurp(dir.File("a.log")), "first");
  EXPECT_FALSE(CreateFileDurably(dir.File("a.log"), "second", error));
  EXPECT_NE(error.find("File exists"), std::string::npos) << error;
  EXPECT_EQ(Slurp(dir.File("a.log")), "first");
  EXPECT_EQ(dir.Names(), std::vector<std::string>{"a.log"});
  EXPECT_FALSE(CreateFileDurably(dir.File("missing/b.log"), "x", error));
}

TEST(FileLogStorage, WorksThroughTheInterface) {
  TempDir dir;
  FileLogStorage file(dir.File("log.txt"));
  LogStorage& storage = file;
  std::string out = "keep", error;
  EXPECT_FALSE(storage.ReadAll(out, error));
  EXPECT_EQ(out, "keep");
  ASSERT_TRUE(storage.Append("a\r\n", error)) << error;
  ASSERT_TRUE(storage.Append("b\r\n", error)) << error;
  ASSERT_TRUE(storage.ReadAll(out, error)) << error;
  EXPECT_EQ(out, "a\r\nb\r\n");
  ASSERT_TRUE(storage.Rewrite("c\r\n", error)) << error;
  ASSERT_TRUE(storage.ReadAll(out, error)) << error;
  EXPECT_EQ(out, "c\r\n");
}

}  // namespace
}  // namespace vantrel

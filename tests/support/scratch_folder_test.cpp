#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

// Crash tests take write permission away from their folder; the folder must
// still go, or every run leaves one behind.
TEST(ScratchFolder, OwnUniqueFolderRemovedEvenWhenLockedWithContents) {
  std::string kept;
  {
    ScratchFolder a("vantrel-scratch-test"), b("vantrel-scratch-test");
    ASSERT_TRUE(fs::is_directory(a.path()));
    EXPECT_NE(a.path(), b.path());
    EXPECT_EQ(a.File("log.txt"), a.path() + "/log.txt");
    fs::create_directory(a.File("sub"));
    std::ofstream(a.File("sub/log.txt")) << "x";
    fs::permissions(a.path(), fs::perms::owner_read | fs::perms::owner_exec);
    fs::permissions(a.File("sub"), fs::perms::owner_read | fs::perms::owner_exec);
    kept = a.path();
  }
  EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
}  // namespace vantrel

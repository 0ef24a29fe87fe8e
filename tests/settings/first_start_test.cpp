// Seeding a fresh folder: every file through the durable writer, the
// preference file last, nothing overwritten, the first failure named.
#include "settings/first_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace vantrel {
namespace {

namespace fs = std::filesystem;

class FirstStartTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device rd;
    root_ = fs::temp_directory_path() / ("vantrel_seed_" + std::to_string(rd()));
    fs::create_directories(root_ / "data");
    fs::create_directories(root_ / "work");
    for (const char* name : {"vhfpref.txt", "log.txt", "BandPlan.txt", "readVHF.txt"})
      std::ofstream(root_ / "data" / name, std::ios::binary) << name;
  }
  void TearDown() override { fs::remove_all(root_); }

  SeedResult Seed() {
    return SeedDefaultsIfFresh(
        (root_ / "work").string(), (root_ / "data").string(),
        [this](const std::string& path, std::string_view bytes, std::string& error) {
          written_.push_back(fs::path(path).filename().string());
          if (written_.size() == fail_at_) {
            error = "No space left on device";
            return false;
          }
          std::ofstream(path, std::ios::binary) << bytes;
          return true;
        });
  }

  fs::path root_;
  std::vector<std::string> written_;
  size_t fail_at_ = 0;
};

TEST_F(FirstStartTest, EveryFileGoesThroughTheWriterPreferencesLast) {
  const SeedResult r = Seed();
  EXPECT_TRUE(r.seeded);
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(written_,
            (std::vector<std::string>{"BandPlan.txt", "log.txt", "readVHF.txt", "vhfpref.txt"}));
  EXPECT_EQ(r.copied, written_);
}

TEST_F(FirstStartTest, FailureIsNamedAndStopsBeforeThePreferences) {
  fail_at_ = 2;
  const SeedResult r = Seed();
  EXPECT_FALSE(r.seeded);
  EXPECT_EQ(r.error, "cannot copy log.txt: No space left on device");
  EXPECT_FALSE(fs::exists(root_ / "work" / "vhfpref.txt"));
  EXPECT_FALSE(fs::exists(root_ / "work" / "log.txt"));
}

TEST_F(FirstStartTest, FolderWithEitherFileIsLeftAlone) {
  std::ofstream(root_ / "work" / "log.txt") << "mine";
  EXPECT_FALSE(Seed().seeded);
  EXPECT_TRUE(written_.empty());
  fs::remove(root_ / "work" / "log.txt");
  fs::remove_all(root_ / "data");
  const SeedResult r = Seed();
  EXPECT_FALSE(r.seeded);
  EXPECT_NE(r.error.find("no default data folder"), std::string::npos);
}

}  // namespace
}  // namespace vantrel

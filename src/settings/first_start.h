// First start in an empty folder: a new user gets a working logger without
// hand-made files, while a folder that already holds some of them is left
// exactly as it is.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

struct SeedResult {
  bool seeded = false;              // the folder was fresh and files were copied
  std::vector<std::string> copied;  // file names copied
  std::string error;                // why seeding failed, when it did
};

// Creates `path` holding `bytes`, on disk before returning, and never over an
// existing file; false with `error` otherwise. The platform layer supplies it.
using CreateNewFile =
    std::function<bool(const std::string& path, std::string_view bytes, std::string& error)>;

// When `working_dir` holds neither vhfpref.txt nor log.txt, copies every
// regular file of `data_dir` that is not already there through `create`,
// vhfpref.txt last. Never overwrites; stops at the first failure.
SeedResult SeedDefaultsIfFresh(const std::string& working_dir, const std::string& data_dir,
                               const CreateNewFile& create);

}  // namespace vantrel

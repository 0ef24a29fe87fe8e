// First start in an empty folder: a new user gets a working logger without
// hand-made files, while a folder that already holds some of them is left
// exactly as it is.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

struct SeedResult {
  bool seeded = false;              // the folder was fresh and files were copied
  std::vector<std::string> copied;  // file names copied
  std::string error;                // why seeding failed, when it did
};

// When `working_dir` holds neither vhfpref.txt nor log.txt, copies every
// regular file of `data_dir` that is not already there. Never overwrites.
SeedResult SeedDefaultsIfFresh(const std::string& working_dir, const std::string& data_dir);

}  // namespace vantrel

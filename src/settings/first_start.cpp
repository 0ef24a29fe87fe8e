#include "settings/first_start.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace vantrel {

namespace fs = std::filesystem;

SeedResult SeedDefaultsIfFresh(const std::string& working_dir, const std::string& data_dir,
                               const CreateNewFile& create) {
  SeedResult result;
  std::error_code ec;
  const fs::path work(working_dir);
  if (fs::exists(work / "vhfpref.txt", ec) || fs::exists(work / "log.txt", ec)) return result;
  if (!fs::is_directory(data_dir, ec)) {
    result.error = "no default data folder at " + data_dir;
    return result;
  }
  std::vector<fs::path> sources;
  for (const auto& entry : fs::directory_iterator(data_dir, ec))
    if (entry.is_regular_file(ec)) sources.push_back(entry.path());
  // The preference file goes last: if seeding is cut short, the next start
  // finds the folder not fresh, says what is missing and fills it in.
  std::sort(sources.begin(), sources.end());
  std::stable_partition(sources.begin(), sources.end(),
                        [](const fs::path& p) { return p.filename() != "vhfpref.txt"; });
  for (const auto& src : sources) {
    const fs::path dst = work / src.filename();
    if (fs::exists(dst, ec)) continue;
    std::ifstream in(src, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string error;
    if (!in.good() && !in.eof()) error = "cannot read " + src.string();
    if (error.empty() && !create(dst.string(), bytes, error)) {
      result.error = "cannot copy " + src.filename().string() + ": " + error;
      return result;
    }
    if (!error.empty()) {
      result.error = error;
      return result;
    }
    result.copied.push_back(src.filename().string());
  }
  result.seeded = !result.copied.empty();
  return result;
}

}  // namespace vantrel

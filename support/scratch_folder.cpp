#include "support/scratch_folder.h"

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vantrel {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(std::string_view prefix) {
  std::string templ = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
  if (!::mkdtemp(templ.data())) std::abort();
  path_ = templ;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

}  // namespace vantrel

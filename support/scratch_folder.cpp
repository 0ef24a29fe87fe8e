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
  // Each folder gets its permissions back as the walk reaches it, before
  // the walk opens it.
  std::error_code ec;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(
           path_, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    std::error_code entry_ec;
    if (it->is_directory(entry_ec) && !it->is_symlink(entry_ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, entry_ec);
  }
  fs::remove_all(path_, ec);
}

}  // namespace vantrel

// SharedUserPreferences.xml on disk: read once at start, saved through the
// same flushed atomic rewrite as every other data file.
#pragma once

#include <string>

#include "settings/shared_prefs.h"

namespace vantrel {

// Reads `path` into `prefs` (a file that cannot be read counts as missing)
// and makes every later save of `prefs` replace `path` atomically.
void LoadSharedPreferences(SharedPreferences& prefs, const std::string& path);

}  // namespace vantrel

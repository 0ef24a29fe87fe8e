#include "platform/shared_prefs_file.h"

#include "platform/durable_file.h"

namespace vantrel {

void LoadSharedPreferences(SharedPreferences& prefs, const std::string& path) {
  std::string text, error;
  if (!ReadWholeFile(path, text, error)) text.clear();
  prefs.Parse(text);
  prefs.set_saver([path](std::string_view file_text) {
    std::string ignored;
    return ReplaceFileAtomically(path, file_text, ignored);
  });
}

}  // namespace vantrel

// vhfpref.txt reader on arbitrary bytes: it must never crash, a failed read
// must report a value number in range, and whatever reads completely must
// survive a save and a second read unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/program_prefs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vantrel::ProgramPrefs prefs;
  const vantrel::PrefsReadResult r = vantrel::ParsePrefs(text, prefs);
  if (!r.ok()) {
    if (r.line < 1 || r.line > vantrel::kPrefsLineCount) std::abort();
    return 0;
  }
  const std::string saved = vantrel::FormatPrefs(prefs);
  vantrel::ProgramPrefs again;
  const vantrel::PrefsReadResult r2 = vantrel::ParsePrefs(saved, again);
  if (!r2.ok() || !(again == prefs)) std::abort();
  // The saved form is a fixed point: saving what was read back changes nothing.
  if (vantrel::FormatPrefs(again) != saved) std::abort();
  return 0;
}

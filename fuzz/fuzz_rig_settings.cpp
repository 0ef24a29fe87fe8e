// RigCntrl.txt reader on arbitrary bytes: no crash, a count of values in
// range, and a file that reads completely survives a save and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rig/rig_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  vantrel::RigSettings s;
  const vantrel::RigSettingsReadResult r = vantrel::ParseRigSettings(text, s);
  if (r.items_read < 0 || r.items_read > vantrel::kRigSettingsLineCount) std::abort();
  if (s.Baud.size() != 5) std::abort();
  if (!r.ok()) return 0;
  const std::string saved = vantrel::FormatRigSettings(s);
  vantrel::RigSettings again;
  if (!vantrel::ParseRigSettings(saved, again).ok()) std::abort();
  if (!(again == s) || vantrel::FormatRigSettings(again) != saved) std::abort();
  return 0;
}

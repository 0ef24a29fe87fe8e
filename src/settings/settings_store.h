// String values kept by application, section and key outside the working
// folder (the summary-sheet details, a few CW timing values). The platform
// layer keeps them in an INI file; tests use MemorySettingsStore from the support library.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

inline constexpr std::string_view kSettingsApplication = "QX9ZZ_Software";
inline constexpr std::string_view kSettingsSection = "Settings";

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string Get(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view fallback) const = 0;
  virtual void Save(std::string_view app, std::string_view section, std::string_view key,
                    std::string_view value) = 0;
};

}  // namespace vantrel

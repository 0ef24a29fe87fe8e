// String values kept by application, section and key outside the working
// folder (the summary-sheet details, a few CW timing values). The platform
// layer keeps them in an INI file; tests use MemorySettingsStore.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <tuple>

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

class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(std::string_view app, std::string_view section, std::string_view key,
                  std::string_view fallback) const override {
    auto it = values_.find({std::string(app), std::string(section), std::string(key)});
    return it == values_.end() ? std::string(fallback) : it->second;
  }
  void Save(std::string_view app, std::string_view section, std::string_view key,
            std::string_view value) override {
    values_[{std::string(app), std::string(section), std::string(key)}] = std::string(value);
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace vantrel
